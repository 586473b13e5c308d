#include "PaintKit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <random>

namespace art {

QFont artFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage blankImage(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void paintDesk(QPainter& painter, const QRect& area, unsigned seed)
{
    painter.save();
    painter.setClipRect(area);
    QLinearGradient tone(area.topLeft(), area.bottomRight());
    tone.setColorAt(0, palette::deskLight);
    tone.setColorAt(1, palette::deskDark);
    painter.fillRect(area, tone);

    // Grain: long, gently waving lines of varying strength; the seed fixes them.
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    painter.setRenderHint(QPainter::Antialiasing);
    for (double y = area.top() - 10; y < area.bottom() + 10; y += 3.0 + 4.0 * unit(random)) {
        const double amplitude = 1.0 + 3.0 * unit(random);
        const double wavelength = 120.0 + 200.0 * unit(random);
        const double phase = 6.28 * unit(random);
        QPainterPath line;
        for (int x = area.left() - 5; x <= area.right() + 5; x += 5) {
            const double waveY = y + amplitude * std::sin(x / wavelength * 6.28 + phase);
            if (x == area.left() - 5)
                line.moveTo(x, waveY);
            else
                line.lineTo(x, waveY);
        }
        QColor color = palette::grain;
        color.setAlpha(18 + static_cast<int>(40 * unit(random)));
        painter.setPen(QPen(color, 0.6 + 1.2 * unit(random)));
        painter.drawPath(line);
    }
    painter.restore();
}

void paintPaperSheet(QPainter& painter, const QRect& sheet, QColor paper)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int step = 4; step >= 1; --step)
        painter.fillRect(sheet.translated(step, step), QColor(40, 25, 10, 22));
    painter.fillRect(sheet, paper);
    painter.setPen(palette::paperShade);
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
    painter.restore();
}

void paintMetalClip(QPainter& painter, const QRectF& clip, double radius)
{
    QLinearGradient metal(clip.topLeft(), clip.bottomLeft());
    metal.setColorAt(0, palette::clipMetal.lighter(125));
    metal.setColorAt(1, palette::clipMetal.darker(125));
    painter.setBrush(metal);
    painter.setPen(QPen(palette::clipMetal.darker(170), 1));
    painter.drawRoundedRect(clip, radius, radius);
}

void paintRulesClipboard(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF board = QRectF(area).adjusted(2, 4, -3, -3);
    const bool landscape = area.width() > area.height();
    const double radius = 4;

    // Shadow, board and the sheet on it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 25, 10, 60));
    painter.drawRoundedRect(board.translated(2, 2), radius, radius);
    QLinearGradient boardTone(board.topLeft(), board.bottomRight());
    boardTone.setColorAt(0, palette::clipBoard.lighter(115));
    boardTone.setColorAt(1, palette::clipBoard.darker(110));
    painter.setBrush(boardTone);
    painter.setPen(QPen(palette::clipBoard.darker(140), 1));
    painter.drawRoundedRect(board, radius, radius);

    const QRectF sheet = board.adjusted(4, 8, -4, -4);
    painter.setPen(QPen(palette::paperShade, 1));
    painter.setBrush(palette::paper);
    painter.drawRect(sheet);

    // The clip across the top edge.
    const double clipWidth = std::min(30.0, board.width() * 0.5);
    const QRectF clip(board.center().x() - clipWidth / 2, board.top() - 3, clipWidth, 12);
    paintMetalClip(painter, clip, 3);
    painter.setBrush(palette::clipMetal.darker(150));
    painter.drawEllipse(QPointF(clip.center().x(), clip.top() + 4), 2.0, 2.0);

    // The question mark in a navy disc, then a few written lines under or beside it.
    const double discSize =
        landscape ? std::min(sheet.height() - 6, 40.0) : std::min(sheet.width() - 10, 44.0);
    const QPointF discCentre = landscape ? QPointF(sheet.left() + 4 + discSize / 2, sheet.center().y())
                                         : QPointF(sheet.center().x(), sheet.top() + 6 + discSize / 2);
    QRadialGradient discTone(discCentre - QPointF(discSize / 6, discSize / 6), discSize * 0.7);
    discTone.setColorAt(0, palette::navy.lighter(140));
    discTone.setColorAt(1, palette::navy);
    painter.setBrush(discTone);
    painter.setPen(QPen(palette::navy.darker(130), 1));
    painter.drawEllipse(discCentre, discSize / 2, discSize / 2);
    const QRectF discBox(discCentre.x() - discSize / 2, discCentre.y() - discSize / 2, discSize, discSize);
    paintCentredText(painter, discBox, QStringLiteral("?"), artFont(static_cast<int>(discSize * 0.72), true),
                     Qt::white);

    const QRectF lines =
        landscape ? sheet.adjusted(discSize + 10, 5, -5, -4) : sheet.adjusted(6, discSize + 14, -6, -6);
    painter.setPen(QPen(QColor(0xA9, 0xB4, 0xC6), 1.6, Qt::SolidLine, Qt::RoundCap));
    int index = 0;
    for (double y = lines.top() + 2; y <= lines.bottom() - 1; y += 7, ++index) {
        const double shorten = (index % 3 == 2) ? lines.width() * 0.35 : (index % 2) * lines.width() * 0.12;
        painter.drawLine(QPointF(lines.left(), y), QPointF(lines.right() - shorten, y));
    }
    painter.restore();
}

void paintRaisedButton(QPainter& painter, const QRect& face)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient tone(face.topLeft(), face.bottomLeft());
    tone.setColorAt(0, palette::steelLight);
    tone.setColorAt(1, palette::steelDark);
    painter.fillRect(face, tone);
    const int left = face.left();
    const int top = face.top();
    const int right = face.right();
    const int bottom = face.bottom();
    painter.setPen(QColor(0x40, 0x40, 0x48));
    painter.drawLine(left, bottom, right, bottom);
    painter.drawLine(right, top, right, bottom);
    painter.setPen(Qt::white);
    painter.drawLine(left, top, right - 1, top);
    painter.drawLine(left, top, left, bottom - 1);
    painter.setPen(QColor(0x8C, 0x92, 0x9C));
    painter.drawLine(left + 1, bottom - 1, right - 1, bottom - 1);
    painter.drawLine(right - 1, top + 1, right - 1, bottom - 1);
    painter.restore();
}

void paintCentredText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
                      QColor color)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

} // namespace art
