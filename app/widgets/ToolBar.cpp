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

GlyphButton::GlyphButton(QWidget* parent, const QString& glyph, QSize cell, int states) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    const QPixmap strip = QPixmap::fromImage(pngPicture(QStringLiteral(":/art/glyph_%1.png").arg(glyph)));
    if (strip.isNull())
        return;
    auto cellAt = [&](int i) { return strip.copy(i * cell.width(), 0, cell.width(), cell.height()); };
    QIcon icon;
    icon.addPixmap(cellAt(0), QIcon::Normal, QIcon::Off);
    if (states >= 2)
        icon.addPixmap(cellAt(1), QIcon::Disabled);
    if (states >= 4) {
        icon.addPixmap(cellAt(2), QIcon::Active, QIcon::Off);
        icon.addPixmap(cellAt(3), QIcon::Normal, QIcon::On);
        icon.addPixmap(cellAt(3), QIcon::Active, QIcon::On);
    }
    setIcon(icon);
    setIconSize(cell);
}

void OptionButton::mousePressEvent(QMouseEvent* event)
{
    emit pressedAt(event->position().toPoint());
}

void OptionButton::mouseReleaseEvent(QMouseEvent*) {}
