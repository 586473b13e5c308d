#include "Pictures.h"

#include "PaintKit.h"

#include <QPainterPath>

namespace art {

QImage toolbarPicture()
{
    QImage image = blankImage(500, 33, palette::steelLight);
    QPainter painter(&image);
    QLinearGradient tone(0, 0, 0, 33);
    tone.setColorAt(0, QColor(0xF7, 0xF8, 0xFA));
    tone.setColorAt(0.5, QColor(0xE6, 0xE9, 0xEE));
    tone.setColorAt(1, QColor(0xCF, 0xD4, 0xDC));
    painter.fillRect(image.rect(), tone);
    // Fine brushed lines give the panel a metal look without disturbing the glyphs.
    for (int y = 2; y < 31; y += 2)
        painter.fillRect(QRect(0, y, 500, 1), QColor(255, 255, 255, 40));
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, 499, 0);
    painter.drawLine(0, 0, 0, 32);
    painter.setPen(QColor(0x8A, 0x90, 0x99));
    painter.drawLine(0, 32, 499, 32);
    painter.drawLine(499, 0, 499, 32);
    // Grooves between the button groups: tools, puzzles, clock, help.
    for (int x : {188, 277, 394}) {
        painter.setPen(QColor(0x9C, 0xA3, 0xAD));
        painter.drawLine(x, 5, x, 27);
        painter.setPen(Qt::white);
        painter.drawLine(x + 1, 5, x + 1, 27);
    }
    return image;
}

QImage dialogPicture()
{
    QImage image = blankImage(320, 200, palette::deskLight);
    QPainter painter(&image);
    paintDesk(painter, image.rect(), 5);
    // The visible part (x 0..249, y 75..199) is all paper: a note pad with faint rules.
    const QRect pad(0, 60, 262, 140);
    painter.fillRect(pad.translated(3, 3), QColor(40, 25, 10, 50));
    QLinearGradient paper(pad.topLeft(), pad.bottomRight());
    paper.setColorAt(0, QColor(0xFF, 0xFE, 0xF8));
    paper.setColorAt(1, QColor(0xF4, 0xF0, 0xE2));
    painter.fillRect(pad, paper);
    painter.setPen(QColor(0xE3, 0xE8, 0xF0));
    for (int y = 75 + 62; y < 200; y += 14)
        painter.drawLine(0, y, pad.right(), y);
    painter.setPen(QColor(0xC8, 0xC2, 0xB0));
    painter.drawLine(pad.right(), pad.top(), pad.right(), pad.bottom());
    // Binding of the pad, above the visible part.
    painter.fillRect(QRect(0, 54, 262, 8), palette::navy);
    painter.setRenderHint(QPainter::Antialiasing);
    paintRulesClipboard(painter, QRect(268, 12, 46, 70));
    return image;
}

QImage iconPicture(int size)
{
    QImage image = transparentImage(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    QLinearGradient tone(0, 0, 0, 64);
    tone.setColorAt(0, palette::navy.lighter(135));
    tone.setColorAt(1, palette::navy.darker(115));
    painter.setPen(QPen(palette::navy.darker(160), 1.5));
    painter.setBrush(tone);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // A chart sheet with a rising curve and a bar: the four puzzles in one picture.
    painter.setPen(QPen(palette::paperShade, 1));
    painter.setBrush(palette::paper);
    painter.drawRect(QRectF(11, 10, 42, 44));
    painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
    for (int x = 21; x < 53; x += 10)
        painter.drawLine(QPointF(x + 0.5, 12), QPointF(x + 0.5, 52));
    for (int y = 20; y < 54; y += 10)
        painter.drawLine(QPointF(13, y + 0.5), QPointF(51, y + 0.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::amber);
    painter.drawRect(QRectF(38, 32, 8, 20));
    painter.setBrush(palette::leafGreen);
    painter.drawRect(QRectF(27, 38, 8, 14));
    painter.setPen(QPen(palette::signalRed, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath curve;
    curve.moveTo(15, 46);
    curve.cubicTo(24, 40, 28, 34, 34, 30);
    curve.cubicTo(40, 26, 44, 20, 49, 15);
    painter.drawPath(curve);
    return image;
}

} // namespace art
