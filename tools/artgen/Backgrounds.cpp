#include "Backgrounds.h"

#include "Glyphs.h"
#include "PaintKit.h"

#include <QPainterPath>

namespace art {

namespace {

constexpr int areaWidth = 500;
constexpr int areaHeight = 333;

void paintTitle(QPainter& painter, const QPoint& baselineLeft, const QString& title, int pixelSize)
{
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(artFont(pixelSize, true));
    painter.setPen(palette::navy);
    painter.drawText(baselineLeft, title);
    painter.restore();
}

// PLIVA's three display switches: line colour, marker colour, marker style.
void paintPlivaSwitches(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(416, 26, 68, 29), QColor(40, 25, 10, 50));
    painter.fillRect(QRect(417, 27, 66, 27), palette::steelDark.darker(115));
    const QRect lineSwitch(420, 30, 20, 21);
    const QRect colourSwitch(440, 30, 20, 21);
    const QRect styleSwitch(460, 30, 20, 21);
    for (const QRect& face : {lineSwitch, colourSwitch, styleSwitch})
        paintRaisedButton(painter, face);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath zigzag;
    zigzag.moveTo(423.5, 45.5);
    zigzag.lineTo(428.5, 38.5);
    zigzag.lineTo(432.5, 42.5);
    zigzag.lineTo(436.5, 34.5);
    painter.setPen(QPen(palette::signalRed, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(zigzag);

    const QRectF wheel(443.5, 33.5, 13, 13);
    const QColor wheelColours[] = {palette::signalRed, palette::amber, palette::leafGreen, palette::navy};
    painter.setPen(Qt::NoPen);
    for (int quarter = 0; quarter < 4; ++quarter) {
        painter.setBrush(wheelColours[quarter]);
        painter.drawPie(wheel, quarter * 90 * 16, 90 * 16);
    }
    painter.setPen(QPen(palette::ink, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(wheel);

    painter.setPen(QPen(palette::ink, 1));
    painter.setBrush(palette::steelLight);
    painter.drawRect(QRectF(463.5, 33.5, 5, 5));
    painter.drawEllipse(QRectF(471.5, 33.5, 5, 5));
    painter.drawPolygon(QPolygonF({QPointF(470, 41.5), QPointF(474.5, 47.5), QPointF(465.5, 47.5)}));
    painter.restore();
}

// A coffee mug seen from above, for the empty corner of the desk.
void paintMug(QPainter& painter, const QPointF& centre, double radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 25, 10, 60));
    painter.drawEllipse(centre + QPointF(3, 3), radius, radius);
    painter.setPen(QPen(QColor(0x9A, 0x9E, 0xA6), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(radius - 2, -6), centre + QPointF(radius + 9, -4));
    painter.drawLine(centre + QPointF(radius + 9, -4), centre + QPointF(radius + 9, 5));
    painter.drawLine(centre + QPointF(radius + 9, 5), centre + QPointF(radius - 2, 7));
    painter.setPen(QPen(QColor(0x9A, 0x9E, 0xA6), 1));
    painter.setBrush(QColor(0xF4, 0xF4, 0xF1));
    painter.drawEllipse(centre, radius, radius);
    QRadialGradient coffee(centre - QPointF(4, 4), radius);
    coffee.setColorAt(0, QColor(0x8A, 0x5A, 0x36));
    coffee.setColorAt(1, QColor(0x4A, 0x2C, 0x18));
    painter.setBrush(coffee);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, radius - 4, radius - 4);
    painter.setBrush(QColor(255, 255, 255, 60));
    painter.drawEllipse(centre + QPointF(-6, -6), 4.0, 2.5);
    painter.restore();
}

// A row of whiteboard markers, lying or standing.
void paintMarker(QPainter& painter, const QPointF& from, const QPointF& to, QColor cap)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xEE, 0xEE, 0xEA), 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(cap, 6, Qt::SolidLine, Qt::FlatCap));
    const QPointF capStart = from + (to - from) * 0.72;
    painter.drawLine(capStart, to);
    painter.restore();
}

void paintWhiteboard(QPainter& painter)
{
    painter.save();
    const QRect frame(12, 12, 386, 306);
    const QRect surface = frame.adjusted(6, 6, -6, -6);
    for (int step = 4; step >= 1; --step)
        painter.fillRect(frame.translated(step, step), QColor(40, 25, 10, 22));
    QLinearGradient metal(frame.topLeft(), frame.bottomLeft());
    metal.setColorAt(0, QColor(0xE4, 0xE7, 0xEC));
    metal.setColorAt(1, QColor(0xA9, 0xAF, 0xB9));
    painter.fillRect(frame, metal);
    painter.setPen(QColor(0x7D, 0x84, 0x8F));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    QLinearGradient sheen(surface.topLeft(), surface.bottomRight());
    sheen.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    sheen.setColorAt(1, QColor(0xF1, 0xF4, 0xF7));
    painter.fillRect(surface, sheen);
    painter.setPen(QColor(0x9A, 0xA1, 0xAC));
    painter.drawRect(surface.adjusted(-1, -1, 0, 0));

    // The floor line the bars stand on, and the marker tray under the board.
    painter.fillRect(QRect(27, 303, 363, 2), QColor(0xC9, 0xCF, 0xD8));
    painter.fillRect(QRect(40, 318, 330, 6), QColor(0xA9, 0xAF, 0xB9));
    painter.setPen(QColor(0x7D, 0x84, 0x8F));
    painter.drawLine(40, 323, 369, 323);
    painter.restore();
    paintMarker(painter, QPointF(70, 320), QPointF(125, 320), palette::signalRed);
    paintMarker(painter, QPointF(140, 320), QPointF(195, 320), palette::navy);
    paintMarker(painter, QPointF(290, 320), QPointF(345, 320), palette::leafGreen);
}

// VEXOR's two switches: target plate on/off and scale to the highest bar.
void paintVexorSwitches(QPainter& painter)
{
    painter.save();
    painter.fillRect(QRect(444, 74, 45, 25), QColor(40, 25, 10, 50));
    painter.fillRect(QRect(445, 75, 43, 23), palette::steelDark.darker(115));
    const QRect plateSwitch(447, 77, 19, 19);
    const QRect fitSwitch(467, 77, 19, 19);
    paintRaisedButton(painter, plateSwitch);
    paintRaisedButton(painter, fitSwitch);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QPen(palette::ink, 1));
    painter.setBrush(palette::amber);
    painter.drawRect(QRectF(453.5, 82.5, 6, 10));
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(
        QPolygonF({QPointF(449.5, 87), QPointF(459.5, 87), QPointF(463.5, 84), QPointF(453.5, 84)}));

    painter.setPen(QPen(palette::ink, 1));
    painter.setBrush(palette::leafGreen);
    painter.drawRect(QRectF(470.5, 85.5, 5, 7));
    painter.setPen(QPen(palette::navy, 1.4));
    painter.drawLine(QPointF(480, 81), QPointF(480, 92));
    painter.setBrush(palette::navy);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygonF({QPointF(477, 83), QPointF(483, 83), QPointF(480, 79.5)}));
    painter.drawPolygon(QPolygonF({QPointF(477, 90), QPointF(483, 90), QPointF(480, 93.5)}));
    painter.setPen(QPen(palette::ink, 1, Qt::DotLine));
    painter.drawLine(QPointF(469, 80.5), QPointF(477, 80.5));
    painter.restore();
}

// A round pen holder with markers, for the free strip right of the arrows.
void paintPenHolder(QPainter& painter)
{
    paintMarker(painter, QPointF(458, 262), QPointF(452, 222), palette::signalRed);
    paintMarker(painter, QPointF(467, 262), QPointF(468, 216), palette::navy);
    paintMarker(painter, QPointF(476, 262), QPointF(484, 226), palette::leafGreen);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF cup(449, 246, 36, 60);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 25, 10, 60));
    painter.drawRoundedRect(cup.translated(3, 3), 4, 4);
    QLinearGradient tone(cup.topLeft(), cup.topRight());
    tone.setColorAt(0, palette::navy.lighter(150));
    tone.setColorAt(0.4, palette::navy.lighter(115));
    tone.setColorAt(1, palette::navy.darker(120));
    painter.setBrush(tone);
    painter.setPen(QPen(palette::navy.darker(150), 1));
    painter.drawRoundedRect(cup, 4, 4);
    painter.restore();
}

void paintRuler(QPainter& painter, const QRect& ruler, bool horizontal)
{
    painter.save();
    painter.fillRect(ruler.translated(2, 2), QColor(40, 25, 10, 50));
    QLinearGradient tone(ruler.topLeft(), horizontal ? ruler.bottomLeft() : ruler.topRight());
    tone.setColorAt(0, QColor(0xFA, 0xEE, 0xC0));
    tone.setColorAt(1, QColor(0xEC, 0xD9, 0x94));
    painter.fillRect(ruler, tone);
    painter.setPen(QColor(0xA8, 0x8E, 0x45));
    painter.drawRect(ruler.adjusted(0, 0, -1, -1));
    painter.setPen(QColor(0x5C, 0x4A, 0x1E));
    painter.setFont(artFont(8));
    const int length = horizontal ? ruler.width() : ruler.height();
    for (int offset = 5; offset < length - 2; offset += 5) {
        const int tick = (offset % 50 == 0) ? 8 : (offset % 10 == 0 ? 5 : 3);
        if (horizontal) {
            const int x = ruler.left() + offset;
            painter.drawLine(x, ruler.bottom() - tick, x, ruler.bottom() - 1);
            if (offset % 50 == 0)
                painter.drawText(QRect(x - 12, ruler.top() + 1, 24, 9), Qt::AlignCenter,
                                 QString::number(offset / 10));
        } else {
            const int y = ruler.top() + offset;
            painter.drawLine(ruler.right() - tick, y, ruler.right() - 1, y);
            if (offset % 50 == 0)
                painter.drawText(QRect(ruler.left() + 1, y - 5, 10, 10), Qt::AlignCenter,
                                 QString::number(offset / 10));
        }
    }
    painter.restore();
}

void paintFontButton(QPainter& painter)
{
    const QRect face(19, 13, 19, 19);
    paintRaisedButton(painter, face);
    QFont font = artFont(15, true);
    font.setItalic(true);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintCentredText(painter, QRectF(face).adjusted(0, 0, -1, -1), QStringLiteral("F"), font, palette::navy);
    painter.restore();
}

void paintTableArea(QPainter& painter, const QRect& table, bool highlighted)
{
    QLinearGradient tone(table.topLeft(), table.bottomRight());
    if (highlighted) {
        tone.setColorAt(0, QColor(0x35, 0x57, 0x8F));
        tone.setColorAt(1, QColor(0x1C, 0x33, 0x5C));
    } else {
        tone.setColorAt(0, QColor(0xFF, 0xFF, 0xFC));
        tone.setColorAt(1, QColor(0xF2, 0xF0, 0xE6));
    }
    painter.fillRect(table, tone);
}

const QRect huxelLeftTable(65, 120, 181, 181);
const QRect huxelRightTable(270, 120, 181, 181);

} // namespace

QImage plivaBackground()
{
    QImage image = blankImage(areaWidth, areaHeight, palette::deskLight);
    QPainter painter(&image);
    paintDesk(painter, image.rect(), 1);
    paintPaperSheet(painter, QRect(16, 14, 398, 306));
    painter.fillRect(QRect(30, 30, 376, 241), Qt::white);
    painter.fillRect(QRect(30, 285, 377, 23), QColor(0xF6, 0xF7, 0xFA));
    painter.setPen(QColor(0xDD, 0xE1, 0xE8));
    painter.drawLine(30, 283, 406, 283);
    painter.drawLine(30, 309, 406, 309);
    paintTitle(painter, QPoint(30, 24), QStringLiteral("PLIVA"), 10);
    paintPlivaSwitches(painter);
    paintMug(painter, QPointF(450, 103), 21);
    paintRulesClipboard(painter, QRect(418, 155, 71, 161));
    return image;
}

QImage zupelBackground()
{
    QImage image = blankImage(areaWidth, areaHeight, palette::deskLight);
    QPainter painter(&image);
    paintDesk(painter, image.rect(), 2);
    const QRect ledger(12, 12, 406, 310);
    paintPaperSheet(painter, ledger, QColor(0xF5, 0xF9, 0xF0));
    painter.setPen(QColor(0xE2, 0xEC, 0xDA));
    for (int y = ledger.top() + 16; y < ledger.bottom() - 4; y += 16)
        painter.drawLine(ledger.left() + 12, y, ledger.right() - 4, y);
    painter.setPen(QColor(0xEB, 0xB8, 0xB4));
    painter.drawLine(20, ledger.top() + 1, 20, ledger.bottom() - 1);
    painter.drawLine(22, ledger.top() + 1, 22, ledger.bottom() - 1);
    paintTitle(painter, QPoint(30, 318), QStringLiteral("ZUPEL"), 10);
    paintRulesClipboard(painter, QRect(424, 10, 61, 314));
    return image;
}

QImage vexorBackground()
{
    QImage image = blankImage(areaWidth, areaHeight, palette::deskLight);
    QPainter painter(&image);
    paintDesk(painter, image.rect(), 3);
    paintWhiteboard(painter);
    paintPaperSheet(painter, QRect(399, 74, 42, 234), QColor(0xFB, 0xFB, 0xF8));
    paintVexorSwitches(painter);
    paintPenHolder(painter);
    paintRulesClipboard(painter, QRect(400, 8, 72, 64));
    paintTitle(painter, QPoint(22, 313), QStringLiteral("VEXOR"), 9);
    return image;
}

QImage huxelBackground()
{
    QImage visible = blankImage(areaWidth, areaHeight, palette::deskLight);
    {
        QPainter painter(&visible);
        paintDesk(painter, visible.rect(), 4);
        paintPaperSheet(painter, QRect(40, 34, 450, 288));
        paintRuler(painter, QRect(40, 13, 450, 19), true);
        paintRuler(painter, QRect(19, 34, 19, 288), false);
        paintFontButton(painter);
        paintTitle(painter, QPoint(66, 86), QStringLiteral("HUXEL"), 22);
        painter.drawImage(QPoint(392, 57), enlargedGlyph(QStringLiteral("glyph_huxe"), QSize(18, 18), 2));
        paintRulesClipboard(painter, QRect(180, 50, 130, 50));
        paintTableArea(painter, huxelLeftTable, false);
        paintTableArea(painter, huxelRightTable, false);
    }

    QImage image = blankImage(areaWidth, areaHeight + 200, palette::deskLight);
    QPainter painter(&image);
    painter.drawImage(0, 0, visible);
    // Below the visible area the same rows again, shifted down, with the tables in their highlight.
    painter.drawImage(QPoint(0, areaHeight), visible,
                      QRect(0, areaHeight - huxelHighlightOffset, areaWidth, 200));
    painter.setClipRect(QRect(0, areaHeight, areaWidth, 200));
    paintTableArea(painter, huxelLeftTable.translated(0, huxelHighlightOffset), true);
    paintTableArea(painter, huxelRightTable.translated(0, huxelHighlightOffset), true);
    return image;
}

} // namespace art
