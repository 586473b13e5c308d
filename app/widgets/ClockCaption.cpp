#include "app/widgets/ClockCaption.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/core/Canvas.h"
#include "app/core/Picture.h"

namespace {
QString picturePath(const QString& text)
{
    if (text == QLatin1String("Time:"))
        return QStringLiteral(":/art/caption_time.png");
    if (text == QLatin1String("Zeit:"))
        return QStringLiteral(":/art/caption_zeit.png");
    return {};
}
} // namespace

ClockCaption::ClockCaption(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void ClockCaption::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    const QString path = picturePath(text);
    picture_ = path.isEmpty() ? QImage() : pngPicture(path);
    update();
}

void ClockCaption::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (fromPicture()) {
        painter.drawImage(0, 0, picture_);
        return;
    }
    QFont font = Canvas::fontPixels(QStringLiteral("MS Sans Serif"), 12);
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text_) > width())
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(QColor(0x00, 0xFF, 0x00));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text_);
}
