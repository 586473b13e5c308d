#include "Glyphs.h"

#include "PaintKit.h"

#include <QPainterPath>
#include <functional>
#include <map>

namespace art {

namespace {

using Symbol = std::function<void(QPainter&, const QSizeF&)>;

QPen outline(QColor color, double width = 1.0)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPolygonF polygon(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

void drawNewSheet(QPainter& p, const QSizeF&)
{
    // A fresh sheet with a folded corner and a green renewal arrow.
    p.setPen(outline(palette::ink));
    p.setBrush(Qt::white);
    p.drawPolygon(polygon({{2.5, 1.5}, {10.5, 1.5}, {14.5, 5.5}, {14.5, 16.5}, {2.5, 16.5}}));
    p.drawPolyline(polygon({{10.5, 1.5}, {10.5, 5.5}, {14.5, 5.5}}));
    p.setPen(QPen(palette::leafGreen, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 7.5, 7.5, 7.5), 100 * 16, 250 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::leafGreen);
    p.drawPolygon(polygon({{7.0, 5.5}, {11.0, 8.0}, {7.0, 10.8}}));
}

void drawLevelSteps(QPainter& p, const QSizeF& size)
{
    // Split along the diagonal: the upper right half raises the level, the lower left lowers it.
    const double w = size.width();
    p.setPen(outline(QColor(0x90, 0x96, 0xA0)));
    p.drawLine(QPointF(0.5, 0.5), QPointF(w - 0.5, w - 0.5));
    p.setPen(outline(palette::ink));
    p.setBrush(palette::leafGreen);
    p.drawPolygon(polygon(
        {{13.0, 0.5}, {18.5, 6.5}, {15.5, 6.5}, {15.5, 11.0}, {10.5, 11.0}, {10.5, 6.5}, {7.5, 6.5}}));
    p.setBrush(palette::signalRed);
    p.drawPolygon(
        polygon({{6.0, 18.5}, {11.5, 12.5}, {8.5, 12.5}, {8.5, 8.0}, {3.5, 8.0}, {3.5, 12.5}, {0.5, 12.5}}));
}

void drawMoreColours(QPainter& p, const QSizeF& size)
{
    const double w = size.width();
    p.setPen(outline(QColor(0x90, 0x96, 0xA0)));
    p.drawLine(QPointF(0.5, 0.5), QPointF(w - 0.5, w - 0.5));
    p.setPen(outline(palette::ink));
    const QColor colours[] = {palette::signalRed, palette::amber, palette::leafGreen};
    for (int index = 0; index < 3; ++index) {
        p.setBrush(colours[index]);
        p.drawEllipse(QPointF(8.5 + 4.0 * index, 4.5 + 0.0 * index), 2.6, 2.6);
    }
    p.setPen(QPen(palette::ink, 1.6));
    p.drawLine(QPointF(14.5, 8.5), QPointF(14.5, 13.5));
    p.drawLine(QPointF(12.0, 11.0), QPointF(17.0, 11.0));
    p.setPen(outline(palette::ink));
    p.setBrush(palette::navy);
    p.drawEllipse(QPointF(4.5, 14.5), 2.6, 2.6);
    p.setPen(QPen(palette::ink, 1.6));
    p.drawLine(QPointF(2.0, 9.0), QPointF(7.0, 9.0));
}

void drawCoffeeBreak(QPainter& p, const QSizeF&)
{
    p.setPen(QPen(QColor(0x8C, 0x92, 0x9C), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double x : {6.0, 9.5}) {
        QPainterPath steam;
        steam.moveTo(x, 6.5);
        steam.cubicTo(x - 2, 5, x + 2, 3, x, 1);
        p.drawPath(steam);
    }
    p.setPen(outline(palette::ink));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(12.0, 9.0, 4.5, 5.0));
    p.drawPolygon(polygon({{2.5, 8.0}, {13.5, 8.0}, {12.5, 15.5}, {3.5, 15.5}}));
    p.setPen(Qt::NoPen);
    p.setBrush(palette::signalRed);
    p.drawRect(QRectF(3.3, 10.0, 9.5, 2.0));
    p.setPen(outline(palette::ink));
    p.drawLine(QPointF(1.5, 16.5), QPointF(15.5, 16.5));
}

void drawSpeaker(QPainter& p, const QSizeF&)
{
    p.setPen(outline(palette::ink));
    p.setBrush(palette::navy);
    p.drawPolygon(polygon({{1.5, 5.5}, {4.5, 5.5}, {8.5, 2.0}, {8.5, 14.0}, {4.5, 10.5}, {1.5, 10.5}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::ink, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(6.5, 5.0, 5.0, 6.0), -60 * 16, 120 * 16);
    p.drawArc(QRectF(6.0, 2.5, 8.5, 11.0), -60 * 16, 120 * 16);
}

void drawNote(QPainter& p, const QSizeF&)
{
    p.setPen(outline(palette::ink));
    p.setBrush(palette::navy);
    p.drawEllipse(QRectF(1.5, 10.5, 5.0, 4.0));
    p.drawEllipse(QRectF(8.5, 9.0, 5.0, 4.0));
    p.setPen(QPen(palette::ink, 1.4));
    p.drawLine(QPointF(6.0, 12.5), QPointF(6.0, 3.0));
    p.drawLine(QPointF(13.0, 11.0), QPointF(13.0, 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(palette::ink);
    p.drawPolygon(polygon({{5.3, 2.5}, {13.7, 1.0}, {13.7, 4.0}, {5.3, 5.5}}));
}

void drawTrophy(QPainter& p, const QSizeF&)
{
    QLinearGradient gold(QPointF(3, 0), QPointF(15, 0));
    gold.setColorAt(0, QColor(0xFF, 0xE0, 0x7A));
    gold.setColorAt(1, QColor(0xC8, 0x8A, 0x10));
    p.setPen(outline(QColor(0x7A, 0x52, 0x0A)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.0, 3.0, 5.0, 5.0));
    p.drawEllipse(QRectF(12.0, 3.0, 5.0, 5.0));
    p.setBrush(gold);
    QPainterPath cup;
    cup.moveTo(3.5, 1.5);
    cup.lineTo(14.5, 1.5);
    cup.cubicTo(14.5, 8, 12, 10.5, 9, 10.5);
    cup.cubicTo(6, 10.5, 3.5, 8, 3.5, 1.5);
    p.drawPath(cup);
    p.drawRect(QRectF(8.0, 10.5, 2.0, 3.0));
    p.setBrush(palette::navy);
    p.setPen(outline(palette::ink));
    p.drawRect(QRectF(4.5, 13.5, 9.0, 3.0));
}

void drawExitDoor(QPainter& p, const QSizeF&)
{
    p.setPen(outline(palette::ink));
    p.setBrush(QColor(0xB5, 0x7B, 0x45));
    p.drawRect(QRectF(2.5, 1.5, 9.0, 15.0));
    p.setBrush(palette::amber);
    p.drawEllipse(QPointF(9.5, 9.5), 0.9, 0.9);
    p.setPen(QPen(palette::signalRed, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(8.0, 6.5), QPointF(14.0, 6.5));
    p.setPen(Qt::NoPen);
    p.setBrush(palette::signalRed);
    p.drawPolygon(polygon({{13.0, 3.0}, {17.5, 6.5}, {13.0, 10.0}}));
}

void drawCurveChart(QPainter& p, const QSizeF&)
{
    p.setPen(outline(palette::ink));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 15.0, 15.0));
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
    p.drawLine(QPointF(6.5, 2), QPointF(6.5, 16));
    p.drawLine(QPointF(11.5, 2), QPointF(11.5, 16));
    p.drawLine(QPointF(2, 9.5), QPointF(16, 9.5));
    p.setPen(QPen(palette::signalRed, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(polygon({{3.0, 14.0}, {6.5, 10.0}, {9.5, 12.0}, {15.0, 4.0}}));
}

void drawDigitTable(QPainter& p, const QSizeF&)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawRect(QRectF(1, 1, 16, 16));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 5, 12, 12));
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    for (double at : {9.5, 13.5}) {
        p.drawLine(QPointF(at, 1), QPointF(at, 5));
        p.drawLine(QPointF(1, at), QPointF(5, at));
    }
    p.setPen(outline(palette::ink));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 17.0, 17.0));
    p.setFont(artFont(11, true));
    p.setPen(palette::leafGreen);
    p.drawText(QRectF(5, 5.5, 12, 12), Qt::AlignCenter, QStringLiteral("7"));
}

void drawBars(QPainter& p, const QSizeF&)
{
    struct Bar {
        double left;
        double top;
        QColor color;
    };
    const Bar bars[] = {
        {1.5, 8.5, palette::signalRed}, {7.0, 3.5, palette::amber}, {12.5, 6.5, palette::navy}};
    p.setPen(outline(palette::ink));
    for (const Bar& bar : bars) {
        p.setBrush(bar.color.darker(130));
        p.drawPolygon(polygon({{bar.left + 4, bar.top},
                               {bar.left + 6, bar.top - 2},
                               {bar.left + 6, 15.5},
                               {bar.left + 4, 17.5}}));
        p.setBrush(bar.color.lighter(140));
        p.drawPolygon(polygon({{bar.left, bar.top},
                               {bar.left + 2, bar.top - 2},
                               {bar.left + 6, bar.top - 2},
                               {bar.left + 4, bar.top}}));
        p.setBrush(bar.color);
        p.drawRect(QRectF(bar.left, bar.top, 4.0, 17.5 - bar.top));
    }
}

void drawRotatingLetters(QPainter& p, const QSizeF&)
{
    p.setPen(outline(palette::ink));
    p.setBrush(Qt::white);
    for (int col = 0; col < 2; ++col)
        for (int row = 0; row < 2; ++row)
            p.drawRect(QRectF(1.5 + 7.5 * col, 1.5 + 7.5 * row, 7.5, 7.5));
    p.setFont(artFont(7, true));
    p.setPen(palette::navy);
    p.drawText(QRectF(1.5, 1.5, 7.5, 7.5), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRectF(9.0, 9.0, 7.5, 7.5), Qt::AlignCenter, QStringLiteral("B"));
    p.setPen(QPen(palette::signalRed, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.5, 5.5, 7.0, 7.0), 30 * 16, 300 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::signalRed);
    p.drawPolygon(polygon({{11.0, 4.0}, {14.0, 6.5}, {10.5, 8.0}}));
}

void drawFlags(QPainter& p, const QSizeF&)
{
    // Two small flags, the German one behind the English one.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(0.5, 0.5, 10, 2.5));
    p.setBrush(QColor(0xDD, 0x00, 0x00));
    p.drawRect(QRectF(0.5, 3.0, 10, 2.5));
    p.setBrush(QColor(0xFF, 0xCE, 0x00));
    p.drawRect(QRectF(0.5, 5.5, 10, 2.5));
    const QRectF english(4.5, 6.5, 10, 8);
    p.setBrush(QColor(0x01, 0x21, 0x69));
    p.drawRect(english);
    p.setPen(QPen(Qt::white, 2.2));
    p.drawLine(english.topLeft(), english.bottomRight());
    p.drawLine(english.bottomLeft(), english.topRight());
    p.drawLine(QPointF(english.center().x(), english.top()), QPointF(english.center().x(), english.bottom()));
    p.drawLine(QPointF(english.left(), english.center().y()), QPointF(english.right(), english.center().y()));
    p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 1.2));
    p.drawLine(QPointF(english.center().x(), english.top()), QPointF(english.center().x(), english.bottom()));
    p.drawLine(QPointF(english.left(), english.center().y()), QPointF(english.right(), english.center().y()));
    p.setPen(outline(QColor(0x50, 0x50, 0x50), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(english);
}

void drawDisc(QPainter& p, QColor color, const QString& text, int pixelSize)
{
    QRadialGradient tone(QPointF(6.5, 6.0), 11);
    tone.setColorAt(0, color.lighter(150));
    tone.setColorAt(1, color);
    p.setPen(outline(color.darker(140)));
    p.setBrush(tone);
    p.drawEllipse(QRectF(1.0, 1.0, 16.0, 16.0));
    p.setFont(artFont(pixelSize, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(1.0, 1.5, 16.0, 16.0), Qt::AlignCenter, text);
}

void drawHelp(QPainter& p, const QSizeF&)
{
    drawDisc(p, palette::navy, QStringLiteral("?"), 13);
}

void drawInfo(QPainter& p, const QSizeF&)
{
    drawDisc(p, palette::leafGreen, QStringLiteral("i"), 13);
}

void drawMakerLogo(QPainter& p, const QSizeF& size)
{
    const QRectF plate(0.5, 0.5, size.width() - 1, size.height() - 1);
    QLinearGradient tone(plate.topLeft(), plate.bottomLeft());
    tone.setColorAt(0, palette::amber.lighter(115));
    tone.setColorAt(1, QColor(0xD0, 0x6A, 0x1C));
    p.setPen(outline(QColor(0x7A, 0x3E, 0x0C)));
    p.setBrush(tone);
    p.drawRoundedRect(plate, 4, 4);
    QFont font = artFont(17, true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(QColor(0x5A, 0x2A, 0x05));
    p.drawText(plate.translated(1, 1), Qt::AlignCenter, QStringLiteral("F"));
    p.setPen(Qt::white);
    p.drawText(plate, Qt::AlignCenter, QStringLiteral("F"));
}

void drawTick(QPainter& p, const QSizeF&)
{
    p.setPen(QPen(palette::leafGreen.darker(130), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(polygon({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
    p.setPen(QPen(QColor(0x4C, 0xB8, 0x63), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(polygon({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
}

void drawCross(QPainter& p, const QSizeF&)
{
    for (const QPen& pen : {QPen(palette::signalRed.darker(140), 3.6, Qt::SolidLine, Qt::RoundCap),
                            QPen(QColor(0xE2, 0x4B, 0x45), 2.0, Qt::SolidLine, Qt::RoundCap)}) {
        p.setPen(pen);
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
}

void drawPlay(QPainter& p, const QSizeF&)
{
    QLinearGradient tone(QPointF(0, 2), QPointF(0, 14));
    tone.setColorAt(0, QColor(0x5C, 0xC4, 0x72));
    tone.setColorAt(1, palette::leafGreen);
    p.setPen(outline(palette::leafGreen.darker(150)));
    p.setBrush(tone);
    p.drawPolygon(polygon({{4.5, 2.5}, {13.5, 8.0}, {4.5, 13.5}}));
}

void drawEnglishFlag(QPainter& p, const QSizeF&)
{
    const QRectF flag(0.5, 3.5, 15.0, 10.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x01, 0x21, 0x69));
    p.drawRect(flag);
    p.setClipRect(flag);
    p.setPen(QPen(Qt::white, 2.6));
    p.drawLine(flag.topLeft(), flag.bottomRight());
    p.drawLine(flag.bottomLeft(), flag.topRight());
    p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 0.9));
    p.drawLine(flag.topLeft(), flag.bottomRight());
    p.drawLine(flag.bottomLeft(), flag.topRight());
    p.setPen(QPen(Qt::white, 3.6));
    p.drawLine(QPointF(8.0, flag.top()), QPointF(8.0, flag.bottom()));
    p.drawLine(QPointF(flag.left(), 8.5), QPointF(flag.right(), 8.5));
    p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 2.0));
    p.drawLine(QPointF(8.0, flag.top()), QPointF(8.0, flag.bottom()));
    p.drawLine(QPointF(flag.left(), 8.5), QPointF(flag.right(), 8.5));
    p.setClipping(false);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(flag);
}

void drawGermanFlag(QPainter& p, const QSizeF&)
{
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(1, 4, 15, 3), Qt::black);
    p.fillRect(QRect(1, 7, 15, 3), QColor(0xDD, 0x00, 0x00));
    p.fillRect(QRect(1, 10, 15, 3), QColor(0xFF, 0xCE, 0x00));
    p.setPen(QColor(0x50, 0x50, 0x50));
    p.drawRect(QRect(0, 3, 15, 10));
}

const std::map<QString, Symbol>& toolbarSymbols()
{
    static const std::map<QString, Symbol> symbols{
        {QStringLiteral("glyph_mix"), drawNewSheet},
        {QStringLiteral("glyph_option"), drawLevelSteps},
        {QStringLiteral("glyph_optionz"), drawMoreColours},
        {QStringLiteral("glyph_pause"), drawCoffeeBreak},
        {QStringLiteral("glyph_sound"), drawSpeaker},
        {QStringLiteral("glyph_midi"), drawNote},
        {QStringLiteral("glyph_highscore"), drawTrophy},
        {QStringLiteral("glyph_exit"), drawExitDoor},
        {QStringLiteral("glyph_pliv"), drawCurveChart},
        {QStringLiteral("glyph_zupe"), drawDigitTable},
        {QStringLiteral("glyph_vexo"), drawBars},
        {QStringLiteral("glyph_huxe"), drawRotatingLetters},
        {QStringLiteral("glyph_tongue"), drawFlags},
        {QStringLiteral("glyph_help"), drawHelp},
        {QStringLiteral("glyph_info"), drawInfo},
        {QStringLiteral("glyph_frobny"), drawMakerLogo},
    };
    return symbols;
}

const std::map<QString, Symbol>& buttonSymbols()
{
    static const std::map<QString, Symbol> symbols{
        {QStringLiteral("btn_ok"), drawTick},           {QStringLiteral("btn_cancel"), drawCross},
        {QStringLiteral("btn_continue"), drawPlay},     {QStringLiteral("btn_english"), drawEnglishFlag},
        {QStringLiteral("btn_german"), drawGermanFlag},
    };
    return symbols;
}

QImage renderSymbol(const Symbol& symbol, QSize size)
{
    QImage image = transparentImage(size.width(), size.height());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    symbol(painter, QSizeF(size));
    return image;
}

// Disabled: the symbol faded to a light grey, details kept so it still reads.
QImage disabledLook(const QImage& normal)
{
    QImage result = transparentImage(normal.width(), normal.height());
    for (int y = 0; y < normal.height(); ++y) {
        for (int x = 0; x < normal.width(); ++x) {
            const QRgb pixel = qUnpremultiply(normal.pixel(x, y));
            const int grey = 110 + qGray(pixel) * 110 / 255;
            result.setPixel(x, y, qPremultiply(qRgba(grey, grey, grey, qAlpha(pixel) * 3 / 4)));
        }
    }
    return result;
}

QImage shiftedLook(const QImage& normal)
{
    QImage result = transparentImage(normal.width(), normal.height());
    QPainter painter(&result);
    painter.drawImage(1, 1, normal);
    return result;
}

} // namespace

QImage glyphStrip(const GlyphStrip& strip)
{
    const auto found = toolbarSymbols().find(QString::fromLatin1(strip.name));
    if (found == toolbarSymbols().end() || strip.states < 1)
        return {};
    const QImage normal = renderSymbol(found->second, QSize(strip.cellWidth, strip.cellHeight));
    const QImage states[] = {normal, disabledLook(normal), shiftedLook(normal), shiftedLook(normal)};
    QImage result = transparentImage(strip.cellWidth * strip.states, strip.cellHeight);
    QPainter painter(&result);
    for (int state = 0; state < strip.states && state < 4; ++state)
        painter.drawImage(state * strip.cellWidth, 0, states[state]);
    return result;
}

QImage enlargedGlyph(const QString& name, QSize cell, int scale)
{
    const auto found = toolbarSymbols().find(name);
    if (found == toolbarSymbols().end() || scale < 1)
        return {};
    QImage image = transparentImage(cell.width() * scale, cell.height() * scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    found->second(painter, QSizeF(cell));
    return image;
}

QImage buttonPicture(const QString& name)
{
    const auto found = buttonSymbols().find(name);
    if (found == buttonSymbols().end())
        return {};
    return renderSymbol(found->second, QSize(buttonPictureSize, buttonPictureSize));
}

} // namespace art
