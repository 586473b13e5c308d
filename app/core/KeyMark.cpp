#include "app/core/KeyMark.h"

#include "app/core/Canvas.h"
#include "app/core/Color.h"
#include "app/core/ShellServices.h"

namespace {
constexpr ColorRef Outer = colorRef(0, 0, 0xFF);
constexpr ColorRef Inner = colorRef(0xFF, 0xFF, 0);
} // namespace

void KeyMark::show(ShellServices& services, const QRect& rect)
{
    if (shown() && rect == rect_)
        return;
    hide(services);
    rect_ = rect;
    draw(services);
}

void KeyMark::hide(ShellServices& services)
{
    if (!under_)
        return;
    Canvas(services.screen()).copyFrom(*under_, under_->rect(), rect_.topLeft());
    under_.reset();
    services.screenChanged(rect_);
}

void KeyMark::redraw(ShellServices& services)
{
    if (shown())
        draw(services);
}

void KeyMark::draw(ShellServices& services)
{
    under_ = services.screen().copy(rect_);
    Canvas canvas(services.screen());
    canvas.setNoBrush();
    canvas.setPen(Outer);
    canvas.rectangle(rect_.left(), rect_.top(), rect_.right() + 1, rect_.bottom() + 1);
    canvas.setPen(Inner);
    canvas.rectangle(rect_.left() + 1, rect_.top() + 1, rect_.right(), rect_.bottom());
    services.screenChanged(rect_);
}
