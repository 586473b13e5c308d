#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "app/core/Color.h"

// Draws into a QImage with the raster rules of the classic Windows GDI, which the puzzle layouts
// are measured in: a line leaves out its end point, filled rectangles and ellipses cover
// [left, right) x [top, bottom), polygons are filled at integer points and then outlined.
// Lines, rectangles, polygons and ellipses are rasterised here pixel by pixel; QPainter is used
// only for text and picture copies.
class Canvas {
  public:
    enum class PenStyle { Solid, Dot };
    // Copy paints the pen colour; Invert inverts every pixel the shape touches, once per call,
    // so the same call twice restores the picture.
    enum class PenMode { Copy, Invert };

    explicit Canvas(QImage& image);

    QImage& image() { return image_; }

    // Pen width 1 is a thin (cosmetic) pen; 2 and 3 draw with round caps and joins.
    // Dotted pens are 1 pixel wide: 3 pixels on, 3 off, restarting at each line (a polyline runs
    // the pattern on around its corners, as GDI's Polyline does).
    void setPen(ColorRef color, int width = 1, PenStyle style = PenStyle::Solid,
                PenMode mode = PenMode::Copy);
    // Hides the pen; its mode stays and still applies to the brush, as GDI's raster operation does.
    void setNoPen();
    void setBrush(ColorRef color);
    void setNoBrush();

    void moveTo(int x, int y);
    void lineTo(int x, int y);
    void line(int x0, int y0, int x1, int y1);
    void polyline(const std::vector<QPoint>& points);
    // Brush fill of [left, right) x [top, bottom), without pen.
    void fillRect(int left, int top, int right, int bottom, ColorRef color);
    // Outline with the pen on the rectangle's inner edge, inside filled with the brush.
    void rectangle(int left, int top, int right, int bottom);
    void polygon(const std::vector<QPoint>& points);
    void ellipse(int left, int top, int right, int bottom);
    void setPixel(int x, int y, ColorRef color);

    // Copies a rectangle of a picture to (x, y); parts outside either picture are left out.
    void copyFrom(const QImage& source, const QRect& sourceRect, QPoint target);
    void copyFrom(const QImage& source, const QRect& rect) { copyFrom(source, rect, rect.topLeft()); }

    // Text with transparent background, its top edge at y and centred on x.
    void textTopCentre(int x, int y, const QString& text, const QFont& font, ColorRef color);

    // A font given in points as the classic program sizes it: round(pt * 96 / 72) pixels,
    // full hinting, so the result does not depend on the screen's DPI.
    static QFont font(const QString& family, int points, bool bold = false);
    static QFont fontPixels(const QString& family, int pixels, bool bold = false);

  private:
    QImage& image_;
    // The remaining state is the implementation's.
    struct Pen {
        ColorRef color = 0;
        int width = 1;
        PenStyle style = PenStyle::Solid;
        PenMode mode = PenMode::Copy;
        bool visible = true;
    } pen_;
    struct Brush {
        ColorRef color = 0xFFFFFF;
        bool visible = true;
    } brush_;
    QPoint position_;
};
