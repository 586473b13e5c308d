#include <gtest/gtest.h>

#include <QFontInfo>

#include "app/core/Canvas.h"

namespace {

constexpr ColorRef White = 0xFFFFFF;
constexpr ColorRef Black = 0x000000;
constexpr ColorRef Red = 0x0000FF;
constexpr ColorRef Silver = 0xC0C0C0;

QImage whitePicture(int width = 40, int height = 40, QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(width, height, format);
    picture.fill(Qt::white);
    return picture;
}

ColorRef at(const QImage& picture, int x, int y)
{
    return fromQRgb(picture.pixel(x, y));
}

int countColour(const QImage& picture, ColorRef colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += at(picture, x, y) == colour ? 1 : 0;
    return count;
}

// A picture with some colour in it, so that inversions are not only black and white.
QImage patternPicture()
{
    QImage picture = whitePicture();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 6, y * 6, (x + y) * 3));
    return picture;
}

TEST(Canvas, MarkerSquareCoversExactly81Pixels)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black);
    canvas.setBrush(Red);
    const int x = 20, y = 20;
    canvas.rectangle(x - 4, y - 4, x + 5, y + 5);
    EXPECT_EQ(countColour(picture, Black) + countColour(picture, Red), 81);
    EXPECT_EQ(countColour(picture, Red), 49);
    EXPECT_EQ(at(picture, x - 4, y - 4), Black);
    EXPECT_EQ(at(picture, x + 4, y + 4), Black);
    EXPECT_EQ(at(picture, x + 5, y), White);
    EXPECT_EQ(at(picture, x, y + 5), White);
}

TEST(Canvas, MarkerCircleIsNinePixelsAcross)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black);
    canvas.setBrush(Red);
    canvas.ellipse(16, 16, 25, 25);
    for (int i = 0; i < 40; ++i) {
        const bool inside = i >= 16 && i <= 24;
        EXPECT_EQ(at(picture, i, 20) != White, inside) << "x " << i;
        EXPECT_EQ(at(picture, 20, i) != White, inside) << "y " << i;
    }
}

TEST(Canvas, LineLeavesOutItsEndPoint)
{
    const QPoint ends[] = {{30, 20}, {10, 20}, {20, 30}, {20, 10}, {30, 27}, {13, 5}, {35, 35}, {5, 35}};
    for (QPoint end : ends) {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPen(Black);
        canvas.moveTo(20, 20);
        canvas.lineTo(end.x(), end.y());
        EXPECT_EQ(at(picture, 20, 20), Black) << end.x() << "," << end.y();
        EXPECT_EQ(at(picture, end.x(), end.y()), White) << end.x() << "," << end.y();
        const int length = std::max(std::abs(end.x() - 20), std::abs(end.y() - 20));
        EXPECT_EQ(countColour(picture, Black), length) << end.x() << "," << end.y();
    }
}

TEST(Canvas, PolylineLeavesOutOnlyItsLastPoint)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black);
    canvas.polyline({{5, 5}, {15, 5}, {15, 15}, {5, 15}});
    EXPECT_EQ(at(picture, 15, 5), Black);
    EXPECT_EQ(at(picture, 15, 15), Black);
    EXPECT_EQ(at(picture, 5, 15), White);
    EXPECT_EQ(countColour(picture, Black), 30);
}

TEST(Canvas, ZeroLengthLineDrawsNothing)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black);
    canvas.line(10, 10, 10, 10);
    EXPECT_EQ(countColour(picture, Black), 0);
}

TEST(Canvas, DottedPenPaintsThreeOnThreeOffRestartingAtEachLine)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black, 1, Canvas::PenStyle::Dot);
    canvas.line(0, 5, 16, 5);
    canvas.line(0, 8, 4, 8);
    canvas.line(4, 8, 16, 8);
    std::string first, second;
    for (int x = 0; x < 16; ++x) {
        first += at(picture, x, 5) == Black ? '#' : '.';
        second += at(picture, x, 8) == Black ? '#' : '.';
    }
    EXPECT_EQ(first, "###...###...###.");
    // Steps 0..3 of the first line, then the second line starts over at x = 4.
    EXPECT_EQ(second, "###.###...###...");
}

TEST(Canvas, DottedPatternRunsOnAcrossPolylineCorners)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black, 1, Canvas::PenStyle::Dot);
    canvas.polyline({{0, 5}, {4, 5}, {4, 20}});
    // Steps 0..3 along the row, then 4.. down the column: on at 0-2, 6-8, 12-14.
    EXPECT_EQ(at(picture, 3, 5), White);
    EXPECT_EQ(at(picture, 4, 5), White);
    EXPECT_EQ(at(picture, 4, 6), White);
    EXPECT_EQ(at(picture, 4, 7), Black);
    EXPECT_EQ(at(picture, 4, 9), Black);
    EXPECT_EQ(at(picture, 4, 10), White);
}

TEST(Canvas, InvertingTwiceRestoresThePicture)
{
    const QImage original = patternPicture();
    auto shapes = {
        +[](Canvas& c) {
            c.polyline({{2, 2}, {30, 30}, {30, 2}, {2, 30}, {2, 2}});
        },
        +[](Canvas& c) {
            c.polygon({{3, 3}, {35, 20}, {3, 36}, {30, 5}, {20, 38}});
        },
        +[](Canvas& c) { c.rectangle(4, 4, 30, 25); },
        +[](Canvas& c) { c.ellipse(2, 5, 33, 30); },
        +[](Canvas& c) { c.line(-5, 3, 50, 20); },
    };
    for (int width : {1, 2, 3}) {
        for (auto draw : shapes) {
            QImage picture = original;
            Canvas canvas(picture);
            canvas.setPen(Red, width, Canvas::PenStyle::Solid, Canvas::PenMode::Invert);
            canvas.setBrush(Silver);
            draw(canvas);
            EXPECT_NE(picture, original);
            draw(canvas);
            EXPECT_EQ(picture, original) << "pen width " << width;
        }
    }
}

TEST(Canvas, InvertingFlipsEveryTouchedPixelOnce)
{
    // A self-crossing polyline, closed on its start point: every pixel it touches ends up inverted.
    QImage inverted = whitePicture();
    Canvas invertCanvas(inverted);
    invertCanvas.setPen(Red, 1, Canvas::PenStyle::Solid, Canvas::PenMode::Invert);
    invertCanvas.polyline({{2, 2}, {30, 30}, {30, 2}, {2, 30}, {2, 2}, {30, 30}});
    QImage painted = whitePicture();
    Canvas paintCanvas(painted);
    paintCanvas.setPen(Black);
    paintCanvas.polyline({{2, 2}, {30, 30}, {30, 2}, {2, 30}, {2, 2}, {30, 30}});
    EXPECT_EQ(inverted, painted);

    // Fill and outline of a polygon overlap on its edges.
    QImage polygon = whitePicture();
    Canvas polygonCanvas(polygon);
    polygonCanvas.setPen(Red, 1, Canvas::PenStyle::Solid, Canvas::PenMode::Invert);
    polygonCanvas.setBrush(Silver);
    polygonCanvas.polygon({{5, 5}, {35, 10}, {20, 35}});
    EXPECT_EQ(countColour(polygon, White) + countColour(polygon, Black), 40 * 40);
    EXPECT_EQ(at(polygon, 5, 5), Black);
    EXPECT_EQ(at(polygon, 20, 15), Black);
}

TEST(Canvas, RectangleWithoutPenLeavesOutRightAndBottomEdge)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setNoPen();
    canvas.setBrush(Red);
    canvas.rectangle(10, 10, 20, 15);
    EXPECT_EQ(countColour(picture, Red), 9 * 4);
}

TEST(Canvas, ReversedCorners)
{
    QImage ordered = whitePicture();
    QImage reversed = whitePicture();
    Canvas orderedCanvas(ordered);
    Canvas reversedCanvas(reversed);
    for (Canvas* canvas : {&orderedCanvas, &reversedCanvas}) {
        canvas->setPen(Black);
        canvas->setBrush(Red);
    }
    orderedCanvas.rectangle(5, 6, 20, 30);
    reversedCanvas.rectangle(20, 30, 5, 6);
    orderedCanvas.ellipse(22, 3, 38, 17);
    reversedCanvas.ellipse(38, 17, 22, 3);
    EXPECT_EQ(ordered, reversed);

    // FillRect counts a reversed extent backward from its start edge.
    QImage filled = whitePicture();
    Canvas(filled).fillRect(10, 10, 5, 7, Red);
    EXPECT_EQ(countColour(filled, Red), 5 * 3);
    EXPECT_EQ(at(filled, 6, 8), Red);
    EXPECT_EQ(at(filled, 10, 10), Red);
    EXPECT_EQ(at(filled, 5, 7), White);
}

TEST(Canvas, ShapesPartlyOrFarOutsideAreClipped)
{
    QImage picture = whitePicture();
    Canvas canvas(picture);
    canvas.setPen(Black, 3);
    canvas.setBrush(Red);
    canvas.polygon({{-100, -100}, {100, -90}, {30, 500}});
    canvas.polyline({{-50, -50}, {2000000000, 7}, {20, 2000000000}});
    canvas.rectangle(-10, -10, 5, 5);
    canvas.ellipse(30, 30, 90, 90);
    canvas.fillRect(-5, 38, 100, 100, Silver);
    canvas.setPixel(-1, 40, Black);
    canvas.setPixel(40, 0, Black);
    canvas.setPen(Black, 3);
    canvas.line(-1000000000, 20, 1000000000, 20);
    for (int x : {0, 20, 39})
        EXPECT_EQ(at(picture, x, 20), Black) << x;
    EXPECT_EQ(at(picture, 0, 39), Silver);
    EXPECT_EQ(at(picture, 39, 39), Silver);
}

TEST(Canvas, WidePenHasRoundCapsAcrossTheLine)
{
    for (int width : {2, 3}) {
        QImage picture = whitePicture();
        Canvas canvas(picture);
        canvas.setPen(Black, width);
        canvas.line(10, 20, 30, 20);
        int rows = 0;
        for (int y = 15; y < 26; ++y)
            rows += at(picture, 20, y) == Black ? 1 : 0;
        EXPECT_EQ(rows, width);
        // Unlike a thin pen, the round cap covers the end point.
        EXPECT_EQ(at(picture, 30, 20), Black);
        EXPECT_EQ(at(picture, 10, 20), Black);
    }
}

TEST(Canvas, DrawsAlikeOnRgb32AndArgb32AndConvertsOtherFormats)
{
    std::vector<QImage> pictures{whitePicture(40, 40, QImage::Format_RGB32),
                                 whitePicture(40, 40, QImage::Format_ARGB32),
                                 whitePicture(40, 40, QImage::Format_RGB888)};
    for (QImage& picture : pictures) {
        Canvas canvas(picture);
        canvas.setPen(Black, 3);
        canvas.setBrush(Red);
        canvas.polygon({{3, 3}, {35, 20}, {3, 36}});
        canvas.setPen(Black, 1, Canvas::PenStyle::Solid, Canvas::PenMode::Invert);
        canvas.ellipse(10, 10, 30, 30);
    }
    EXPECT_EQ(pictures[2].format(), QImage::Format_RGB32);
    for (const QImage& picture : pictures)
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                ASSERT_EQ(at(picture, x, y), at(pictures[0], x, y)) << x << "," << y;
}

TEST(Canvas, CopyFromClipsToBothPictures)
{
    QImage source = patternPicture();
    QImage target = whitePicture(30, 30);
    Canvas canvas(target);
    // Starts left of the source and runs past the target's right and bottom edge.
    canvas.copyFrom(source, QRect(-5, 10, 50, 50), QPoint(0, 0));
    EXPECT_EQ(at(target, 4, 0), White);
    EXPECT_EQ(at(target, 5, 0), at(source, 0, 10));
    EXPECT_EQ(at(target, 29, 29), at(source, 24, 39));
    canvas.copyFrom(source, QRect(0, 0, 10, 10), QPoint(-100, 100));
    canvas.copyFrom(QImage(), QRect(0, 0, 10, 10), QPoint(0, 0));
}

TEST(Canvas, CopyFromTheSamePictureMayOverlap)
{
    QImage picture = patternPicture();
    const QImage original = picture;
    Canvas canvas(picture);
    canvas.copyFrom(picture, QRect(0, 0, 30, 30), QPoint(5, 3));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(picture.pixel(x + 5, y + 3), original.pixel(x, y)) << x << "," << y;
    canvas.copyFrom(picture, QRect(5, 5, 30, 30), QPoint(0, 0));
}

TEST(Canvas, FontsAreSizedInPixelsFromPoints)
{
    const std::pair<int, int> sizes[] = {{8, 11}, {9, 12}, {10, 13}, {12, 16}, {14, 19}};
    for (auto [points, pixels] : sizes) {
        const QFont font = Canvas::font("Arial", points, true);
        EXPECT_EQ(font.pixelSize(), pixels) << points;
        EXPECT_TRUE(font.bold());
        EXPECT_EQ(font.hintingPreference(), QFont::PreferFullHinting);
    }
    EXPECT_EQ(Canvas::fontPixels("System", 0).pixelSize(), 1);
    EXPECT_EQ(QFontInfo(Canvas::fontPixels("MS Sans Serif", 13)).family(), "DejaVu Sans");
    EXPECT_EQ(QFontInfo(Canvas::fontPixels("Arial", 13)).family(), "Liberation Sans");
}

TEST(Canvas, TextHangsBelowItsTopCentredOnX)
{
    QImage picture = whitePicture(200, 60);
    Canvas canvas(picture);
    canvas.textTopCentre(100, 20, "WWWW", Canvas::fontPixels("Arial", 20, true), Black);
    int left = 200, right = -1, top = 60;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (at(picture, x, y) != White) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
    ASSERT_GE(right, left);
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 26);
    EXPECT_NEAR((left + right) / 2.0, 100, 3);
    // Transparent background: the picture around the glyphs stays white.
    EXPECT_EQ(at(picture, 100, 21), White);
}

} // namespace
