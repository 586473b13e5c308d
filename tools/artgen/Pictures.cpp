#include "Pictures.h"

#include "Glyphs.h"
#include "PaintKit.h"

#include <QFontMetrics>
#include <QPainter>
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

namespace {

// Both dialogs that show the picture put their buttons in its bottom band: the high-score list at
// y 164..190 (it shows the whole picture), the messages at 163..189 (they show its bottom-left
// 250 x 125). Above the band lie the table, the message frame and the check box: plain paper.
constexpr int ButtonBandTop = 159;

// A yellow pencil lying to the left of the buttons, its point toward them.
void paintPencil(QPainter& painter, const QRect& body)
{
    painter.save();
    const int top = body.top();
    const int height = body.height();
    const double middle = top + height / 2.0;
    const double woodStart = body.right() - 11;
    const double tip = body.right() + 1;
    QPainterPath outline;
    outline.addRect(QRectF(body.left(), top, woodStart - body.left(), height));
    outline.addPolygon(
        QPolygonF({QPointF(woodStart, top), QPointF(tip, middle), QPointF(woodStart, top + height)}));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(outline.translated(1, 2).simplified(), QColor(40, 45, 60, 45));

    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect eraser(body.left(), top, 7, height);
    const QRect ferrule(eraser.right() + 1, top, 5, height);
    const QRect shaft(ferrule.right() + 1, top, static_cast<int>(woodStart) - ferrule.right() - 1, height);
    painter.fillRect(eraser, QColor(0xE8, 0x8A, 0x8E));
    painter.fillRect(QRect(eraser.left(), top, eraser.width(), 2), QColor(0xF4, 0xB0, 0xB2));
    painter.fillRect(ferrule, palette::clipMetal);
    for (int x = ferrule.left() + 1; x < ferrule.right(); x += 2)
        painter.fillRect(QRect(x, top, 1, height), palette::clipMetal.darker(125));
    // Three faces of the hexagonal shaft, lit from above.
    const int face = height / 3;
    painter.fillRect(shaft, palette::amber);
    painter.fillRect(QRect(shaft.left(), top, shaft.width(), face), palette::amber.lighter(125));
    painter.fillRect(QRect(shaft.left(), top + 2 * face, shaft.width(), height - 2 * face),
                     palette::amber.darker(115));

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE9, 0xC9, 0x9A));
    painter.drawPolygon(
        QPolygonF({QPointF(woodStart, top), QPointF(tip, middle), QPointF(woodStart, top + height)}));
    painter.setBrush(palette::ink);
    const double lead = (tip - woodStart) * 0.4;
    const double leadHalf = height / 2.0 * 0.4;
    painter.drawPolygon(QPolygonF({QPointF(tip - lead, middle - leadHalf), QPointF(tip, middle),
                                   QPointF(tip - lead, middle + leadHalf)}));
    painter.restore();
}

} // namespace

QImage dialogPicture()
{
    QImage image = blankImage(320, 200, palette::paper);
    QPainter painter(&image);
    // Light, even paper wherever text is written; the tone changes only from top to bottom, so the
    // full picture and its bottom-left cut-out look alike.
    QLinearGradient paper(0, 0, 0, ButtonBandTop);
    paper.setColorAt(0, QColor(0xFF, 0xFE, 0xF9));
    paper.setColorAt(1, QColor(0xFA, 0xF7, 0xEC));
    painter.fillRect(QRect(0, 0, 320, ButtonBandTop), paper);
    // The button band: the toolbar's light steel, set off by a groove.
    QLinearGradient steel(0, ButtonBandTop, 0, 200);
    steel.setColorAt(0, QColor(0xF0, 0xF2, 0xF5));
    steel.setColorAt(1, QColor(0xDC, 0xE1, 0xE8));
    painter.fillRect(QRect(0, ButtonBandTop, 320, 200 - ButtonBandTop), steel);
    painter.setPen(QColor(0xC4, 0xCA, 0xD3));
    painter.drawLine(0, ButtonBandTop, 319, ButtonBandTop);
    painter.setPen(Qt::white);
    painter.drawLine(0, ButtonBandTop + 1, 319, ButtonBandTop + 1);
    paintPencil(painter, QRect(16, 173, 62, 8));
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

namespace art {

namespace {

void paintMakerPlate(QPainter& painter, const QRectF& plate, int letterSize)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient tone(plate.topLeft(), plate.bottomLeft());
    tone.setColorAt(0, palette::amber.lighter(115));
    tone.setColorAt(1, QColor(0xD0, 0x6A, 0x1C));
    painter.setPen(QPen(QColor(0x7A, 0x3E, 0x0C), 1));
    painter.setBrush(tone);
    painter.drawRoundedRect(plate, plate.height() / 5, plate.height() / 5);
    QFont font = artFont(letterSize, true);
    font.setItalic(true);
    paintCentredText(painter, plate.translated(2, 2), QStringLiteral("F"), font, QColor(0x5A, 0x2A, 0x05));
    paintCentredText(painter, plate, QStringLiteral("F"), font, Qt::white);
    painter.restore();
}

} // namespace

QImage splashPicture()
{
    QImage image = blankImage(200, 150, palette::deskLight);
    QPainter painter(&image);
    paintDesk(painter, image.rect(), 6);
    paintPaperSheet(painter, QRect(10, 10, 178, 128));
    painter.drawImage(QRect(20, 20, 40, 40), iconPicture(40));
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(artFont(19, true));
    painter.setPen(palette::navy);
    painter.drawText(QRect(66, 20, 118, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Frobny"));
    painter.drawText(QRect(66, 40, 118, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Office"));
    painter.setFont(artFont(11));
    painter.setPen(palette::ink);
    painter.drawText(QRect(20, 66, 160, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("V1.3"));
    painter.setPen(palette::paperShade);
    painter.drawLine(20, 84, 178, 84);
    const char* puzzles[] = {"glyph_pliv", "glyph_zupe", "glyph_vexo", "glyph_huxe"};
    for (int index = 0; index < 4; ++index)
        painter.drawImage(22 + 40 * index, 92,
                          enlargedGlyph(QString::fromLatin1(puzzles[index]), QSize(18, 18), 2));
    return image;
}

QImage aboutPicture()
{
    QImage image = blankImage(100, 75, palette::paper);
    QPainter painter(&image);
    QLinearGradient tone(0, 0, 0, 75);
    tone.setColorAt(0, QColor(0xFF, 0xFE, 0xF8));
    tone.setColorAt(1, QColor(0xEE, 0xEA, 0xDC));
    painter.fillRect(image.rect(), tone);
    paintMakerPlate(painter, QRectF(27.5, 6.5, 45, 36), 32);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(artFont(12, true));
    painter.setPen(palette::navy);
    painter.drawText(QRect(0, 46, 100, 24), Qt::AlignCenter, QStringLiteral("FROBNY GAMES"));
    return image;
}

QImage rulesPicture()
{
    QImage image = blankImage(340, 268, palette::clipBoard);
    QPainter painter(&image);
    QLinearGradient board(0, 0, 340, 268);
    board.setColorAt(0, palette::clipBoard.lighter(115));
    board.setColorAt(1, palette::clipBoard.darker(110));
    painter.fillRect(image.rect(), board);
    painter.setPen(palette::clipBoard.darker(150));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    paintPaperSheet(painter, QRect(8, 10, 324, 219));
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF clip(140, -4, 60, 13);
    paintMetalClip(painter, clip, 4);
    paintMakerPlate(painter, QRectF(12.5, 236.5, 32, 25), 20);
    return image;
}

QImage clockCaptionPicture(const QString& word)
{
    const QSize box(27, 16);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setPixelSize(12);
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(word) > box.width())
        font.setPixelSize(font.pixelSize() - 1);
    QImage image(box, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(0x00, 0xFF, 0x00));
    painter.drawText(QRect(QPoint(0, 0), box), Qt::AlignLeft | Qt::AlignVCenter, word);
    return image;
}

} // namespace art
