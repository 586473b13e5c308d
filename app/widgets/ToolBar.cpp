#include "app/widgets/ToolBar.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

#include "app/core/Picture.h"

ToolPanel::ToolPanel(QWidget* parent)
    : QWidget(parent), picture_(QPixmap::fromImage(pngPicture(QStringLiteral(":/art/toolbar.png"))))
{
}

void ToolPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (picture_.isNull())
        p.fillRect(rect(), palette().button());
    else
        p.drawPixmap(0, 0, picture_);
    p.setPen(palette().light().color());
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().dark().color());
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
}

namespace {
// With a doubled copy beside the cell a screen of ratio 2 shows sharp pixel blocks; QIcon would
// otherwise smooth the small cell up.
void addSharpPixmap(QIcon& icon, const QPixmap& cell, QIcon::Mode mode, QIcon::State state)
{
    icon.addPixmap(cell, mode, state);
    QPixmap doubled = cell.scaled(cell.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    doubled.setDevicePixelRatio(2);
    icon.addPixmap(doubled, mode, state);
}
} // namespace

GlyphButton::GlyphButton(QWidget* parent, const QString& glyph, QSize cell, int states) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    const QPixmap strip = QPixmap::fromImage(pngPicture(QStringLiteral(":/art/glyph_%1.png").arg(glyph)));
    if (strip.isNull())
        return;
    auto cellAt = [&](int i) { return strip.copy(i * cell.width(), 0, cell.width(), cell.height()); };
    QIcon icon;
    addSharpPixmap(icon, cellAt(0), QIcon::Normal, QIcon::Off);
    if (states >= 2)
        addSharpPixmap(icon, cellAt(1), QIcon::Disabled, QIcon::Off);
    if (states >= 4) {
        addSharpPixmap(icon, cellAt(2), QIcon::Active, QIcon::Off);
        addSharpPixmap(icon, cellAt(3), QIcon::Normal, QIcon::On);
        addSharpPixmap(icon, cellAt(3), QIcon::Active, QIcon::On);
    }
    setIcon(icon);
    setIconSize(cell);
}

void OptionButton::mousePressEvent(QMouseEvent* event)
{
    emit pressedAt(event->position().toPoint());
}

void OptionButton::mouseReleaseEvent(QMouseEvent*) {}
