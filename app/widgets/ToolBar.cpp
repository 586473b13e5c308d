#include "app/widgets/ToolBar.h"

#include <QIcon>
#include <QIconEngine>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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
// Hands out the glyph cells at their own size and, for a screen of a higher pixel ratio, blown up
// pixel by pixel: QIcon would smooth a small cell up, and a doubled copy of every cell kept for
// such a screen costs memory on every other one.
class PixelIconEngine final : public QIconEngine {
  public:
    PixelIconEngine(QIcon cells, QSize cell) : cells_(std::move(cells)), cell_(cell) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QPixmap pixmap = cells_.pixmap(cell_, 1.0, mode, state);
        const int factor = wholeFactor(size);
        return factor == 1 ? pixmap
                           : pixmap.scaled(cell_ * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return size.boundedTo(cell_ * wholeFactor(size));
    }

    QIconEngine* clone() const override { return new PixelIconEngine(cells_, cell_); }

  private:
    // How many times the cell fits whole into the size asked for; at least once.
    int wholeFactor(const QSize& size) const
    {
        return std::max(1, std::min(size.width() / cell_.width(), size.height() / cell_.height()));
    }

    QIcon cells_;
    QSize cell_;
};
} // namespace

GlyphButton::GlyphButton(QWidget* parent, const QString& glyph, QSize cell, int states) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    const QPixmap strip = QPixmap::fromImage(pngPicture(QStringLiteral(":/art/glyph_%1.png").arg(glyph)));
    if (strip.isNull())
        return;
    auto cellAt = [&](int i) { return strip.copy(i * cell.width(), 0, cell.width(), cell.height()); };
    QIcon cells;
    cells.addPixmap(cellAt(0), QIcon::Normal, QIcon::Off);
    if (states >= 2)
        cells.addPixmap(cellAt(1), QIcon::Disabled, QIcon::Off);
    if (states >= 4) {
        cells.addPixmap(cellAt(2), QIcon::Active, QIcon::Off);
        cells.addPixmap(cellAt(3), QIcon::Normal, QIcon::On);
        cells.addPixmap(cellAt(3), QIcon::Active, QIcon::On);
    }
    setIcon(QIcon(new PixelIconEngine(std::move(cells), cell)));
    setIconSize(cell);
}

void OptionButton::mousePressEvent(QMouseEvent* event)
{
    emit pressedAt(event->position().toPoint());
}

void OptionButton::mouseReleaseEvent(QMouseEvent*) {}
