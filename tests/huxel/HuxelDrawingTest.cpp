#include <QFontDatabase>
#include <QTemporaryDir>
#include <optional>

#include "HuxelTestSupport.h"
#include "app/core/Canvas.h"
#include "app/settings/SettingsStore.h"

using namespace huxeltest;

namespace {

// Every pixel of the background its own colour, so a copy from the wrong place shows.
QRgb PositionColor(int x, int y)
{
    return qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256 + 1);
}

void PaintPositionColors(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, PositionColor(x, y));
    }
}

struct Ink {
    int count = 0;
    QRect box;
};

// Pixels of a region that are neither the plain background nor a black frame line: the glyphs.
Ink InkIn(const QImage& image, const QRect& region, ColorRef background)
{
    Ink ink;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const ColorRef color = fromQRgb(image.pixel(x, y));
            if (color == background || color == Black)
                continue;
            ++ink.count;
            ink.box |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

// Pixels that differ between two pictures of one size, with the box around them.
struct Difference {
    int count = 0;
    QRect box;
};

Difference DifferenceOf(const QImage& a, const QImage& b)
{
    Difference difference;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++difference.count;
                difference.box |= QRect(x, y, 1, 1);
            }
        }
    }
    return difference;
}

struct TallGlyph {
    QString face;
    char32_t character;
};

// A bold face with a character whose glyph, in the size of a moving block at n = 6 (17 points in
// 30-pixel cells), reaches past the frame line into the cell below: a serif "Q" tail, say. The
// Liberation and DejaVu faces the game needs have none; the URW faces (C059, URW Bookman) do.
std::optional<TallGlyph> FindTallGlyph()
{
    constexpr int cell = 30;
    QStringList families = QFontDatabase::families();
    families.sort();
    for (const QString& family : families) {
        const QFont font = Canvas::font(family, 17, true);
        for (char32_t character : HuxelModel::SymbolAlphabet) {
            QImage image(cell, 2 * cell, QImage::Format_RGB32);
            image.fill(toQRgb(Paper));
            Canvas(image).textTopCentre(cell / 2, cell / 8, QString::fromUcs4(&character, 1), font, Black);
            for (int x = 0; x < cell; ++x) {
                if (fromQRgb(image.pixel(x, cell + 1)) != Paper)
                    return TallGlyph{family, character};
            }
        }
    }
    return std::nullopt;
}

int CountColor(const QImage& image, const QRect& region, ColorRef wanted)
{
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x)
            count += fromQRgb(image.pixel(x, y)) == wanted ? 1 : 0;
    }
    return count;
}

} // namespace

class HuxelDrawing : public HuxelFixture {
  protected:
    QPoint CellOrigin(int col, int row, Side table) const
    {
        const int x0 = table == Side::Left ? huxel.LeftX() : Huxel::RightX;
        return {x0 + (col - 1) * huxel.CellSize(), Huxel::TableTop + (row - 1) * huxel.CellSize()};
    }
    // The cell without its frame lines.
    QRect CellInterior(int col, int row, Side table) const
    {
        const QPoint origin = CellOrigin(col, row, table);
        return QRect(origin + QPoint(1, 1), QSize(huxel.CellSize() - 1, huxel.CellSize() - 1));
    }
    QRect BlockRect(int col, int row, Side table) const
    {
        return QRect(CellOrigin(col, row, table), QSize(2 * huxel.CellSize(), 2 * huxel.CellSize()));
    }
    // The four interior quadrants of a block, in the order TL, TR, BR, BL.
    std::array<QRect, 4> Quadrants(int col, int row, Side table) const
    {
        return {CellInterior(col, row, table), CellInterior(col + 1, row, table),
                CellInterior(col + 1, row + 1, table), CellInterior(col, row + 1, table)};
    }
};

// Frames on the shared border lines, interiors copied from the same place of the background.
TEST_F(HuxelDrawing, FramesAndInteriorsOfEveryCellAtEverySize)
{
    PaintPositionColors(shell.backgroundImage);
    for (int n = 3; n <= 6; ++n) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        StartPuzzle(n);
        const int w = huxel.CellSize();
        for (Side table : {Side::Left, Side::Right}) {
            for (int col = 1; col <= n; ++col) {
                for (int row = 1; row <= n; ++row) {
                    const QPoint o = CellOrigin(col, row, table);
                    SCOPED_TRACE(testing::Message() << "cell at " << o.x() << "," << o.y());
                    for (QPoint frame : {o, o + QPoint(w, 0), o + QPoint(0, w), o + QPoint(w, w),
                                         o + QPoint(w / 2, 0), o + QPoint(0, w / 2)})
                        EXPECT_EQ(shell.pixel(frame.x(), frame.y()), Black) << frame.x() << "," << frame.y();
                    for (QPoint inside : {o + QPoint(1, 1), o + QPoint(w - 1, 1), o + QPoint(1, w - 1),
                                          o + QPoint(w - 1, w - 1)})
                        EXPECT_EQ(shell.screenImage.pixel(inside), PositionColor(inside.x(), inside.y()))
                            << inside.x() << "," << inside.y();
                }
            }
        }
        // The tables are 180 pixels square, border lines included, with 25 pixels between them.
        for (QPoint outside : {QPoint(64, 200), QPoint(246, 200), QPoint(269, 200), QPoint(451, 200),
                               QPoint(100, 119), QPoint(100, 301), QPoint(0, 0), QPoint(499, 332)})
            EXPECT_EQ(shell.screenImage.pixel(outside), PositionColor(outside.x(), outside.y()))
                << outside.x() << "," << outside.y();
        if (testing::Test::HasFailure())
            return;
    }
}

TEST_F(HuxelDrawing, HighlightedCellsTakeTheirInteriorFrom233RowsLower)
{
    PaintPositionColors(shell.backgroundImage);
    StartPuzzle(5);
    Hover(2, 4, Side::Right);
    for (int col = 1; col <= 5; ++col) {
        for (int row = 1; row <= 5; ++row) {
            const bool highlighted = (col == 2 || col == 3) && (row == 4 || row == 5);
            const QRect inside = CellInterior(col, row, Side::Right);
            SCOPED_TRACE(testing::Message() << "cell " << col << "," << row);
            for (QPoint p :
                 {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()}) {
                const int sourceY = highlighted ? p.y() + 233 : p.y();
                EXPECT_EQ(shell.screenImage.pixel(p), PositionColor(p.x(), sourceY)) << p.x() << "," << p.y();
            }
            const QPoint corner = CellOrigin(col, row, Side::Right);
            EXPECT_EQ(shell.pixel(corner.x(), corner.y()), Black);
        }
    }
    const QRect sameCellLeft = CellInterior(2, 4, Side::Left);
    EXPECT_EQ(shell.screenImage.pixel(sameCellLeft.topLeft()),
              PositionColor(sameCellLeft.left(), sameCellLeft.top()));

    // A full redraw shows no highlight, though the block is still remembered.
    huxel.PaintPuzzle();
    const QRect inside = CellInterior(2, 4, Side::Right);
    EXPECT_EQ(shell.screenImage.pixel(inside.topLeft()), PositionColor(inside.left(), inside.top()));
    EXPECT_EQ(huxel.HoverCol(), 2);
}

// A character at rest has its top centre half a cell right of and an eighth of a cell below the
// cell's top-left corner (the other positions are checked against this one).
TEST_F(HuxelDrawing, CharacterAtRestHasItsTopCentreHalfACellInAndAnEighthDown)
{
    for (int n = 3; n <= 6; ++n) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        StartPuzzle(n);
        const int w = huxel.CellSize();
        for (auto [col, row] : {std::pair{1, 1}, {n, n}}) {
            const char32_t character = huxel.model().cell(Side::Right, col, row);
            const QPoint o = CellOrigin(col, row, Side::Right);
            QImage expected(shell.screenImage.size(), QImage::Format_RGB32);
            expected.fill(toQRgb(Paper));
            Canvas(expected).textTopCentre(o.x() + w / 2, o.y() + w / 8, QString::fromUcs4(&character, 1),
                                           Canvas::font(QStringLiteral("Arial"), huxel.RestPoints()), Black);
            const QRect inside = CellInterior(col, row, Side::Right);
            EXPECT_EQ(shell.screenImage.copy(inside), expected.copy(inside)) << col << "," << row;
        }
    }
}

TEST_F(HuxelDrawing, CharactersAreBlackAtRestAndPeachWhenHighlighted)
{
    StartPuzzle(4);
    Hover(1, 1, Side::Left);
    for (int col = 1; col <= 3; ++col) {
        const bool highlighted = col <= 2;
        const QRect inside = CellInterior(col, 1, Side::Left);
        SCOPED_TRACE(testing::Message() << "column " << col);
        EXPECT_EQ(CountColor(shell.screenImage, inside, Huxel::HighlightTextColor) > 0, highlighted);
        EXPECT_EQ(CountColor(shell.screenImage, inside, Black) > 0, !highlighted);
    }
}

// A hover change must show what a full redraw of the same tables shows once the pointer reaches
// the block: after a turned block is left behind (also one turned while not highlighted), between
// overlapping blocks, from one table to the other, and on tables a fresh puzzle has just changed.
TEST_F(HuxelDrawing, HoverChangeShowsWhatAFullRedrawWithTheHighlightShows)
{
    PaintPositionColors(shell.backgroundImage);
    for (int n : {3, 6}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        StartPuzzle(n);
        const int last = n - 1;
        QPoint pointer;
        auto moveTo = [&](QPoint p) {
            pointer = p;
            huxel.MouseMove(p.x(), p.y());
        };
        auto expectAsFullRedraw = [&](const char* step) {
            SCOPED_TRACE(step);
            FakeShell otherShell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
            otherShell.backgroundImage = shell.backgroundImage;
            Huxel other(otherShell);
            other.model().setTableSize(n);
            for (Side side : {Side::Left, Side::Right}) {
                for (int col = 1; col <= n; ++col) {
                    for (int row = 1; row <= n; ++row)
                        other.model().setCell(side, col, row, huxel.model().cell(side, col, row));
                }
            }
            other.PaintPuzzle();
            other.MouseMove(pointer.x(), pointer.y());
            for (const QRect& square : {LeftSquare, RightSquare}) {
                EXPECT_EQ(shell.screenImage.copy(square), otherShell.screenImage.copy(square));
                const QRect withBorders = square.adjusted(0, 0, 1, 1);
                EXPECT_EQ(shell.workImage.copy(withBorders), otherShell.workImage.copy(withBorders));
            }
        };

        moveTo(PointerOn(1, 1, Side::Left));
        expectAsFullRedraw("first block");
        huxel.MouseDownRight(0, 0);
        moveTo(QPoint(10, 10));
        expectAsFullRedraw("turned block left behind");
        moveTo(PointerOn(1, 1, Side::Left));
        huxel.MouseDownLeft(200, 200);
        moveTo(PointerOn(2, 1, Side::Left));
        expectAsFullRedraw("overlapping block after a turn");
        moveTo(PointerOn(2, 1, Side::Right));
        expectAsFullRedraw("same block in the other table");
        huxel.PaintPuzzle();
        huxel.MouseDownRight(0, 0);
        moveTo(PointerOn(last, last, Side::Right));
        expectAsFullRedraw("block turned after a full redraw");
        huxel.NewPuzzle();
        moveTo(PointerOn(1, last, Side::Left));
        expectAsFullRedraw("fresh tables");
    }
}

// A single character drawn in all four cells: in the first frame each copy has moved one step
// toward the next corner in the turning direction.
TEST_F(HuxelDrawing, FirstFrameMovesEachCharacterOneStepAlongTheBlock)
{
    struct Shift {
        int dx;
        int dy;
    };
    const std::array<Shift, 4> clockwise{{{1, 0}, {0, 1}, {-1, 0}, {0, -1}}};
    const std::array<Shift, 4> counter{{{0, 1}, {-1, 0}, {0, -1}, {1, 0}}};
    for (int n = 3; n <= 6; ++n) {
        for (Turn turn : {Turn::Clockwise, Turn::CounterClockwise}) {
            SCOPED_TRACE(testing::Message()
                         << "n " << n << (turn == Turn::Clockwise ? " clockwise" : " counter"));
            StartPuzzle(n);
            for (auto [col, row] : {std::pair{2, 1}, {3, 1}, {3, 2}, {2, 2}})
                huxel.model().setCell(Side::Left, col, row, U'I');
            Hover(2, 1, Side::Left);
            recorder.clear();
            if (turn == Turn::Clockwise)
                huxel.MouseDownRight(0, 0);
            else
                huxel.MouseDownLeft(200, 200);

            ASSERT_FALSE(recorder.screensAtDelay.empty());
            const QImage& first = recorder.screensAtDelay.front();
            const int step = huxel.animationStep();
            const auto quadrants = Quadrants(2, 1, Side::Left);
            const auto& shifts = turn == Turn::Clockwise ? clockwise : counter;
            for (int k = 0; k < 4; ++k) {
                const QRect atRest = InkIn(shell.screenImage, quadrants[k], Navy).box;
                const QRect moved = InkIn(first, quadrants[k], Navy).box;
                ASSERT_FALSE(atRest.isEmpty());
                EXPECT_EQ(moved, atRest.translated(shifts[k].dx * step, shifts[k].dy * step))
                    << "corner " << k;
            }
        }
    }
}

// The last frame moves each character by a whole cell: onto the place where the block at rest
// shows it once the model has turned.
TEST_F(HuxelDrawing, LastFrameLandsWhereTheTurnedBlockRests)
{
    for (int n = 3; n <= 6; ++n) {
        for (Turn turn : {Turn::Clockwise, Turn::CounterClockwise}) {
            SCOPED_TRACE(testing::Message()
                         << "n " << n << (turn == Turn::Clockwise ? " clockwise" : " counter"));
            StartPuzzle(n);
            Hover(n - 1, n - 1, Side::Right);
            const QImage before = shell.screenImage.copy();
            recorder.clear();
            if (turn == Turn::Clockwise)
                huxel.MouseDownRight(0, 0);
            else
                huxel.MouseDownLeft(200, 200);

            const auto& frames = recorder.screensAtDelay;
            ASSERT_EQ(frames.size(), static_cast<size_t>(huxel.AnimationFrames()));
            EXPECT_EQ(huxel.AnimationFrames() * huxel.animationStep(), huxel.CellSize());
            const QRect block = BlockRect(n - 1, n - 1, Side::Right);
            EXPECT_EQ(frames.back().copy(block), shell.screenImage.copy(block));
            EXPECT_NE(frames[frames.size() - 2].copy(block), shell.screenImage.copy(block));
            EXPECT_NE(before.copy(block), shell.screenImage.copy(block));
            // Nothing outside the block changed on screen.
            QImage after = shell.screenImage.copy();
            QImage unchanged = before;
            for (QImage* image : {&after, &unchanged})
                Canvas(*image).fillRect(block.left(), block.top(), block.right() + 1, block.bottom() + 1,
                                        Black);
            EXPECT_EQ(after, unchanged);
        }
    }
}

// The turned block keeps the moving size until it is redrawn: one point larger at n = 3 and 6,
// the same size at n = 4 and 5, where the block at rest equals the freshly highlighted one.
TEST_F(HuxelDrawing, TurnedBlockKeepsTheMovingSizeUntilRedrawn)
{
    for (int n = 3; n <= 6; ++n) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        StartPuzzle(n);
        Hover(1, 1, Side::Left);
        huxel.MouseDownRight(0, 0);
        const QRect block = BlockRect(1, 1, Side::Left);
        const QImage turned = shell.screenImage.copy(block);
        huxel.MouseMove(0, 0);
        Hover(1, 1, Side::Left);
        const QImage rehovered = shell.screenImage.copy(block);

        const bool largerWhileMoving = huxel.MovingPoints() > huxel.RestPoints();
        EXPECT_EQ(largerWhileMoving, n == 3 || n == 6);
        if (largerWhileMoving) {
            EXPECT_GT(InkIn(turned, turned.rect(), Navy).count,
                      InkIn(rehovered, rehovered.rect(), Navy).count);
        } else {
            EXPECT_EQ(turned, rehovered);
        }
    }
}

// Size (and anything else but face, bold and italic) of the chosen font has no effect: the
// tables look as if the face and style had been read from the settings.
TEST_F(HuxelDrawing, ChosenFontTakesFaceAndStyleOnly)
{
    StartPuzzle(4);
    const QImage arial = shell.screenImage.copy();
    QFont large(QStringLiteral("Arial"), 72);
    shell.fontAnswer = large;
    huxel.MouseDownLeft(28, 22);
    EXPECT_EQ(shell.screenImage, arial);

    QFont chosen(QStringLiteral("DejaVu Serif"));
    chosen.setPixelSize(100);
    chosen.setBold(true);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    shell.fontAnswer = chosen;
    huxel.MouseDownLeft(28, 22);
    EXPECT_NE(shell.screenImage, arial);

    QTemporaryDir directory;
    SettingsStore store(directory.filePath(QStringLiteral("V1.ini")));
    huxel.SaveSettings(store);
    FakeShell otherShell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
    otherShell.backgroundImage = shell.backgroundImage;
    Huxel other(otherShell);
    other.LoadSettings(store);
    EXPECT_EQ(other.FontName(), QStringLiteral("DejaVu Serif"));
    otherShell.seededRandom.seed(7);
    other.NewPuzzle();
    other.PaintPuzzle();
    EXPECT_EQ(otherShell.screenImage, shell.screenImage);
}

// With a face whose glyphs reach into the cell below, a move keeps its drawing inside the block,
// and a hover change after a move or a highlight shows what a full redraw shows.
TEST_F(HuxelDrawing, GlyphsReachingBelowTheirCellLeaveNothingBehind)
{
    const std::optional<TallGlyph> tall = FindTallGlyph();
    if (!tall)
        GTEST_SKIP() << "no installed face has a glyph that reaches into the cell below";
    SCOPED_TRACE(tall->face.toStdString());
    StartPuzzle(6);
    Hover(1, 1, Side::Right); // a hover change in the default face first
    QFont chosen(tall->face);
    chosen.setBold(true);
    shell.fontAnswer = chosen;
    huxel.MouseDownLeft(28, 22);
    for (auto [col, row] : {std::pair{2, 2}, {3, 2}, {2, 3}, {3, 3}})
        huxel.model().setCell(Side::Left, col, row, tall->character);
    auto expectAsFullRedraw = [&](const char* step) {
        SCOPED_TRACE(step);
        const QImage shown = shell.screenImage.copy();
        huxel.PaintPuzzle();
        const Difference difference = DifferenceOf(shown, shell.screenImage);
        EXPECT_EQ(difference.count, 0) << "around " << difference.box.x() << "," << difference.box.y() << " "
                                       << difference.box.width() << "x" << difference.box.height();
    };

    Hover(2, 2, Side::Left);
    QImage workBefore = shell.workImage.copy();
    huxel.MouseDownRight(0, 0);
    QImage workAfter = shell.workImage.copy();
    const QRect block = BlockRect(2, 2, Side::Left);
    for (QImage* image : {&workBefore, &workAfter})
        Canvas(*image).fillRect(block.left(), block.top(), block.right() + 1, block.bottom() + 1, Black);
    EXPECT_EQ(DifferenceOf(workBefore, workAfter).count, 0) << "the move drew outside its block";

    huxel.MouseMove(0, 0);
    expectAsFullRedraw("turned block left behind");
    Hover(2, 2, Side::Left);
    huxel.MouseMove(0, 0);
    expectAsFullRedraw("highlighted block left behind");
}
