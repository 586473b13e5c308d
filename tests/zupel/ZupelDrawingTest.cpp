#include <QImage>

#include "ZupelTestSupport.h"
#include "app/core/Canvas.h"
#include "support/PixelChecks.h"

namespace {

using namespace pixel;

constexpr ColorRef InvertedSilver = colorRef(0x3F, 0x3F, 0x3F);
// Unlike anything the board paints.
constexpr QRgb BackgroundRgb = qRgb(0x20, 0x60, 0xA0);
constexpr ColorRef Background = colorRef(0x20, 0x60, 0xA0);

int CountPixels(const FakeShell& shell, const QRect& area, ColorRef color)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += shell.pixel(x, y) == color ? 1 : 0;
    }
    return count;
}

int CountDarkPixels(const FakeShell& shell, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(shell.screenImage.pixel(x, y)) < 96 ? 1 : 0;
    }
    return count;
}

class ZupelDrawing : public testing::Test {
  protected:
    // Top-left pixel of the cell or header in column a, row b.
    int CellX(int a) const { return zupel.boardX() + 35 * a; }
    int CellY(int b) const { return zupel.boardY() + 25 * b; }
    // Inside a cell's face, clear of its grid lines and the bar's lines.
    QRect Face(int a, int b) const { return QRect(CellX(a) + 2, CellY(b) + 2, 30, 20); }

    void SetUpTable(const TableText& rows, int column, int row, bool rowBar)
    {
        SetTable(zupel.model(), rows, column, row, rowBar);
        shell.state = PlayState::Fresh;
        zupel.PaintPuzzle();
        shell.clearRecords();
    }

    FakeShell shell{BackgroundRgb};
    Zupel zupel{shell};
};

const TableText FourByFour{"1234", "5$$6", "7.89", "$$1$"};

} // namespace

TEST_F(ZupelDrawing, BoardIsCentredAtEveryLevel)
{
    struct Case {
        int k;
        int boardX;
        int boardY;
        int frameRight;
        int frameBottom;
    };
    const Case cases[] = {
        {4, 133, 104, 308, 229}, {5, 115, 91, 325, 241}, {6, 98, 79, 343, 254},  {7, 80, 66, 360, 266},
        {8, 63, 54, 378, 279},   {9, 45, 41, 395, 291},  {10, 28, 29, 413, 304},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "K " << c.k);
        zupel.model().setMode(c.k);
        zupel.NewPuzzle();
        zupel.model().setCurrent(2, 2, true);
        zupel.PaintPuzzle();
        const int x = c.boardX;
        const int y = c.boardY;
        const int r = c.frameRight;
        const int b = c.frameBottom;
        EXPECT_EQ(zupel.boardX(), x);
        EXPECT_EQ(zupel.boardY(), y);
        EXPECT_EQ(zupel.boardRect(), QRect(QPoint(x - 1, y - 1), QPoint(r, b)));
        ExpectPixels(shell, {// the outer frame, its corners and middles
                             {x - 1, y - 1, Black},
                             {r, y - 1, Black},
                             {r, b, Black},
                             {x - 1, b, Black},
                             {(x + r) / 2, y - 1, Black},
                             {(x + r) / 2, b, Black},
                             {x - 1, (y + b) / 2, Black},
                             {r, (y + b) / 2, Black},
                             // nothing beyond it
                             {x - 2, y - 2, Background},
                             {x - 2, (y + b) / 2, Background},
                             {r + 1, y - 1, Background},
                             {r + 1, b + 1, Background},
                             {(x + r) / 2, b + 1, Background},
                             {(x + r) / 2, y - 2, Background},
                             // the corner header: light top and left, grey right and bottom
                             {x, y, White},
                             {x + 20, y, White},
                             {x, y + 20, White},
                             {x + 1, y + 1, Silver},
                             {x + 34, y + 1, Grey},
                             {x + 1, y + 24, Grey},
                             {x + 34, y + 24, Grey},
                             // the last cell's grid lines reach the frame
                             {r - 1, b - 10, Silver},
                             {r - 10, b - 1, Silver},
                             {r - 1, b - 1, Silver},
                             {r - 2, b - 2, White}});
    }
}

TEST_F(ZupelDrawing, PaintCopiesTheBackgroundAndDrawBoardCoversWhatWasThere)
{
    zupel.NewPuzzle();
    zupel.PaintPuzzle();
    EXPECT_EQ(shell.changedRects, std::vector<QRect>{QRect(0, 0, 500, 333)});
    EXPECT_EQ(shell.pixel(0, 0), Background);
    EXPECT_EQ(shell.pixel(499, 332), Background);
    const QImage painted = shell.screenImage.copy();

    shell.clearRecords();
    shell.screenImage.fill(Qt::magenta);
    zupel.DrawBoard();
    EXPECT_EQ(shell.changedRects, std::vector<QRect>{zupel.boardRect()});
    const QRect board = zupel.boardRect();
    EXPECT_EQ(shell.screenImage.copy(board), painted.copy(board));
    EXPECT_EQ(shell.pixel(board.left() - 1, board.top()), colorRef(0xFF, 0, 0xFF)) << "nothing beyond it";
}

// Faces are white with silver grid lines on their right and bottom; digits green, expenses red,
// empty cells blank. Bar in row 4, so rows 1..3 are clear of it.
TEST_F(ZupelDrawing, CellsShowTheirContent)
{
    SetUpTable(FourByFour, 1, 4, true);
    for (int a = 1; a <= 4; ++a) {
        for (int b = 1; b <= 3; ++b) {
            SCOPED_TRACE(testing::Message() << "cell " << a << "," << b);
            const int x = CellX(a);
            const int y = CellY(b);
            ExpectPixels(shell, {{x, y, White}, {x + 33, y + 23, White}, {x + 34, y, Silver}});
            if (b < 3) { // row 3's bottom line carries the bar's top edge
                ExpectPixels(shell, {{x + 34, y + 24, Silver}, {x, y + 24, Silver}});
            }
            const int value = zupel.model().cell(a, b);
            const QRect face = Face(a, b);
            EXPECT_EQ(CountPixels(shell, face, Green) > 0, value > 0);
            EXPECT_EQ(CountPixels(shell, face, Red) > 0, value < 0);
            if (value == 0) {
                EXPECT_EQ(CountPixels(shell, face, White), face.width() * face.height());
            }
        }
    }
}

// The current cell is grey with its content in silver, whether digit or expense, and in either
// bar direction.
TEST_F(ZupelDrawing, CurrentCellIsSilverOnGrey)
{
    for (auto [a, b] : {std::pair{2, 2}, {4, 2}, {1, 1}, {4, 4}}) {
        for (bool rowBar : {true, false}) {
            SCOPED_TRACE(testing::Message() << "cell " << a << "," << b << (rowBar ? " row" : " column"));
            SetUpTable(FourByFour, a, b, rowBar);
            const QRect face = Face(a, b);
            EXPECT_EQ(shell.pixel(face.left() + 1, face.top() + 10), Grey);
            EXPECT_GT(CountPixels(shell, face, Silver), 10);
            EXPECT_EQ(CountPixels(shell, face, Red) + CountPixels(shell, face, Green) +
                          CountPixels(shell, face, White),
                      0);
        }
    }
}

// Current cell B3: headers B and 3 raised (white top and left, black and grey right and bottom,
// bold text); the others flat, with a white edge only toward the outside.
TEST_F(ZupelDrawing, HeadersOfTheCurrentColumnAndRowAreRaised)
{
    SetUpTable(FourByFour, 2, 3, false);
    struct Header {
        int a;
        int b;
    };
    auto expectRaised = [&](Header h) {
        const int x = CellX(h.a);
        const int y = CellY(h.b);
        ExpectPixels(shell, {{x, y, White},
                             {x, y + 12, White},
                             {x + 20, y, White},
                             {x + 34, y, Black},
                             {x + 34, y + 12, Black},
                             {x + 20, y + 24, Black},
                             {x, y + 24, Black},
                             {x + 33, y + 12, Grey},
                             {x + 20, y + 23, Grey},
                             {x + 33, y + 1, Grey},
                             {x + 2, y + 23, Grey},
                             {x + 1, y + 23, Silver},
                             {x + 1, y + 1, Silver},
                             {x + 32, y + 22, Silver}});
    };
    auto expectFlat = [&](Header h) {
        const int x = CellX(h.a);
        const int y = CellY(h.b);
        const bool columnHeader = h.b == 0;
        ExpectPixels(shell, {{x, y + 12, columnHeader ? White : Silver},
                             {x + 20, y, columnHeader ? Silver : White},
                             {x + 34, y, Grey},
                             {x + 34, y + 12, Grey},
                             {x + 34, y + 24, Grey},
                             {x, y + 24, Grey},
                             {x + 20, y + 24, Grey},
                             {x + 33, y + 12, Silver},
                             {x + 20, y + 23, Silver}});
    };
    expectRaised({2, 0});
    expectRaised({0, 3});
    for (Header flat : {Header{1, 0}, Header{3, 0}, Header{4, 0}, Header{0, 1}, Header{0, 2}, Header{0, 4}}) {
        SCOPED_TRACE(testing::Message() << "header " << flat.a << "," << flat.b);
        expectFlat(flat);
    }

    const QRect headerB(CellX(2) + 2, CellY(0) + 2, 30, 20);
    const int boldInk = CountDarkPixels(shell, headerB);
    SetUpTable(FourByFour, 1, 3, false);
    expectFlat({2, 0});
    const int regularInk = CountDarkPixels(shell, headerB);
    EXPECT_GT(regularInk, 10) << "the letter is there";
    EXPECT_GT(boldInk, regularInk) << "raised headers have bold text";
}

// Every text is centred on x + 18 with its top at y + 4 of its cell or header, cells in Arial
// 12 pt bold, headers in 10 pt (bold when raised): each face matches its text drawn alone there.
TEST_F(ZupelDrawing, TextsSitAtTheirPlaceInTheirFonts)
{
    const QFont cellFont = Canvas::font(QStringLiteral("Arial"), 12, true);
    const QFont headerFont = Canvas::font(QStringLiteral("Arial"), 10);
    const QFont raisedFont = Canvas::font(QStringLiteral("Arial"), 10, true);
    struct Case {
        int k;
        int a;
        int b;
        const char* text;
        const QFont& font;
        ColorRef face;
        ColorRef ink;
    };
    const Case cases[] = {
        {4, 1, 1, "1", cellFont, White, Green},       {4, 4, 3, "9", cellFont, White, Green},
        {4, 2, 2, "$", cellFont, White, Red},         {4, 3, 2, "$", cellFont, Grey, Silver},
        {4, 3, 4, "1", cellFont, White, Green},       {4, 1, 0, "A", headerFont, Silver, Black},
        {4, 3, 0, "C", raisedFont, Silver, Black},    {4, 0, 2, "2", raisedFont, Silver, Black},
        {4, 0, 4, "4", headerFont, Silver, Black},    {10, 10, 0, "J", headerFont, Silver, Black},
        {10, 0, 10, "10", headerFont, Silver, Black},
    };
    // Clear of the grid lines, header edges and the bar's lines.
    const QRect inside(2, 2, 31, 21);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "K " << c.k << " cell " << c.a << "," << c.b << " " << c.text);
        if (c.k == 4) {
            SetUpTable(FourByFour, 3, 2, false);
        } else {
            SetUpTable(TableText(c.k, std::string(c.k, '1')), 3, 2, false);
        }
        QImage expected(35, 25, QImage::Format_RGB32);
        expected.fill(toQRgb(c.face));
        Canvas(expected).textTopCentre(18, 4, QString::fromLatin1(c.text), c.font, c.ink);
        EXPECT_EQ(shell.screenImage.copy(inside.translated(CellX(c.a), CellY(c.b))), expected.copy(inside));
    }
}

// K = 4, bar in row 2 through B2: outline on the grid lines above and below row 2 and on column
// D's right line, inner outline one pixel inside; dots of three, restarting on every edge.
TEST_F(ZupelDrawing, RowBarIsADottedDoubleOutline)
{
    SetUpTable(FourByFour, 2, 2, true);
    const QRect bar(QPoint(167, 153), QPoint(307, 178));
    EXPECT_EQ(zupel.barRect(), bar);
    ExpectPixels(shell, {// outer top on row 1's grid line; its first pixel lies under the header
                         {167, 153, Grey},
                         {168, 153, Black},
                         {169, 153, Black},
                         {170, 153, Silver},
                         {172, 153, Silver},
                         {173, 153, Black},
                         // inner top on row 2's first pixels
                         {168, 154, Black},
                         {170, 154, Black},
                         {171, 154, White},
                         {173, 154, White},
                         {174, 154, Black},
                         // outer bottom on row 2's grid line, inner bottom just above
                         {168, 178, Black},
                         {170, 178, Silver},
                         {173, 178, Black},
                         {168, 177, Black},
                         {171, 177, White},
                         // outer right on column D's grid line, from the top
                         {307, 153, Black},
                         {307, 155, Black},
                         {307, 156, Silver},
                         {307, 159, Black},
                         {307, 177, Black},
                         {307, 178, Silver}, // the lines leave out their end point
                                             // inner right and left, from one below the top
                         {306, 154, Black},
                         {306, 156, Black},
                         {306, 157, White},
                         {168, 156, Black},
                         {168, 157, White},
                         {168, 160, Black}});
}

// K = 4, bar in column C through C3: the left outer edge on column B's grid line.
TEST_F(ZupelDrawing, ColumnBarIsADottedDoubleOutline)
{
    SetUpTable(FourByFour, 3, 3, false);
    const QRect bar(QPoint(237, 128), QPoint(272, 228));
    EXPECT_EQ(zupel.barRect(), bar);
    ExpectPixels(shell, {{237, 129, Black},
                         {237, 131, Silver},
                         {237, 134, Black},
                         {238, 129, Black},
                         {238, 131, Black},
                         {238, 132, White},
                         {272, 129, Black},
                         {272, 131, Silver},
                         {271, 129, Black},
                         {271, 132, White},
                         {238, 228, Black},
                         {241, 228, Silver},
                         {238, 227, Black},
                         {241, 227, White},
                         {239, 128, Black}}); // the raised header C, drawn over the bar
}

// The outer edge along the headers is left out: the blink shows it, since it inverts only what
// the bar draws.
TEST_F(ZupelDrawing, BarLeavesOutTheOuterEdgeNextToTheHeaders)
{
    struct Case {
        const char* what;
        int column;
        int row;
        bool rowBar;
        QPoint edgePixel; // a pixel of the outer top (row bar) or left (column bar) edge
        bool drawn;
    };
    const Case cases[] = {
        {"row 1", 2, 1, true, {185, 128}, false},
        {"row 2", 2, 2, true, {185, 153}, true},
        {"row 4", 2, 4, true, {185, 203}, true},
        {"column A", 1, 2, false, {167, 160}, false},
        {"column B", 2, 2, false, {202, 160}, true},
        {"column D", 4, 2, false, {272, 160}, true},
        {"row bar: no left edge", 2, 2, true, {167, 165}, false},
        {"column bar: no top edge", 3, 3, false, {250, 128}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUpTable(FourByFour, c.column, c.row, c.rowBar);
        const ColorRef before = shell.pixel(c.edgePixel.x(), c.edgePixel.y());
        zupel.TimerTick();
        EXPECT_EQ(shell.pixel(c.edgePixel.x(), c.edgePixel.y()) != before, c.drawn);
    }
}

// Each tick inverts the bar's outline solidly, only inside the bar's rectangle; two ticks restore
// every pixel. Where two inner edges start at the same corner, that pixel flips twice.
TEST_F(ZupelDrawing, TwoBlinksRestoreEveryPixel)
{
    struct Case {
        int k;
        int column;
        int row;
        bool rowBar;
    };
    const Case cases[] = {{4, 2, 2, true},  {4, 1, 1, true},    {4, 1, 1, false},  {4, 4, 4, true},
                          {4, 4, 4, false}, {10, 10, 10, true}, {10, 7, 1, false}, {7, 3, 5, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "K " << c.k << " cell " << c.column << "," << c.row
                                        << (c.rowBar ? " row" : " column"));
        zupel.model().setMode(c.k);
        zupel.NewPuzzle();
        zupel.model().setCurrent(c.column, c.row, c.rowBar);
        zupel.PaintPuzzle();
        shell.clearRecords();
        const QImage before = shell.screenImage.copy();
        const QRect bar = zupel.barRect();

        zupel.TimerTick();
        EXPECT_EQ(shell.changedRects, std::vector<QRect>{bar});
        int changed = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                if (shell.screenImage.pixel(x, y) == before.pixel(x, y))
                    continue;
                ++changed;
                EXPECT_TRUE(bar.contains(x, y)) << x << "," << y;
                EXPECT_EQ(shell.screenImage.pixel(x, y), before.pixel(x, y) ^ 0x00FFFFFFu) << x << "," << y;
            }
        }
        EXPECT_GT(changed, 2 * bar.width() + 2 * bar.height());
        EXPECT_EQ(shell.pixel(bar.left() + 1, bar.top() + 1),
                  fromQRgb(before.pixel(bar.left() + 1, bar.top() + 1)));
        EXPECT_NE(shell.pixel(bar.left() + 4, bar.top() + 1),
                  fromQRgb(before.pixel(bar.left() + 4, bar.top() + 1)))
            << "a gap of the dots, inverted too";

        zupel.TimerTick();
        EXPECT_TRUE(shell.screenImage == before);
        EXPECT_TRUE(shell.calls.empty());
    }
}

TEST_F(ZupelDrawing, BlinkInvertsDotsAndGaps)
{
    SetUpTable(FourByFour, 2, 2, true);
    zupel.TimerTick();
    ExpectPixels(shell, {{168, 153, White},
                         {170, 153, InvertedSilver},
                         {171, 154, Black},
                         {174, 154, White},
                         {307, 156, InvertedSilver},
                         {167, 160, Black}}); // the raised row header keeps its edge
}
