#include "HuxelKeySolver.h"
#include "HuxelTestSupport.h"

using namespace huxeltest;

namespace {

constexpr ColorRef MarkOuter = colorRef(0, 0, 0xFF);
constexpr ColorRef MarkInner = colorRef(0xFF, 0xFF, 0);
// The cursor's frame round the font button (x 19..37, y 13..31) keeps to this square.
const QRect AroundFontButton(16, 10, 25, 25);

// Every pixel of the visible rows a colour of its own, so a restore from the wrong place shows.
void PaintPattern(QImage& picture)
{
    for (int y = 0; y < VisibleHeight; ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 7 + y * 3) & 0xFF));
    }
}

} // namespace

// The keyboard cursor as the shell moves it: the pointer to the target's point, then the cursor.
class HuxelKeyCursor : public HuxelFixture {
  protected:
    HuxelKeyCursor() { PaintPattern(shell.backgroundImage); }

    void ShowOn(int index)
    {
        const QPoint at = huxel.KeyTargets().targets.at(index).at;
        huxel.MouseMove(at.x(), at.y());
        huxel.ShowKeyCursor(index);
    }

    // The screen of the same tables fully redrawn, with the pointer on `pointer` if given.
    QImage Reference(std::optional<QPoint> pointer) const
    {
        FakeShell otherShell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
        otherShell.backgroundImage = shell.backgroundImage;
        Huxel other(otherShell);
        const int n = huxel.model().TableSize();
        other.model().setTableSize(n);
        for (Side side : {Side::Left, Side::Right}) {
            for (int col = 1; col <= n; ++col) {
                for (int row = 1; row <= n; ++row)
                    other.model().setCell(side, col, row, huxel.model().cell(side, col, row));
            }
        }
        other.PaintPuzzle();
        if (pointer)
            other.MouseMove(pointer->x(), pointer->y());
        return otherShell.screenImage;
    }

    QPoint TargetPoint(int index) const { return huxel.KeyTargets().targets.at(index).at; }
};

// A two-line frame round the font button, on the screen only; leaving it for a block or hiding
// the cursor puts back exactly what lay under it.
TEST_F(HuxelKeyCursor, FontButtonGetsAFrameThatLeavesNothingBehind)
{
    StartPuzzle(4);
    const QImage before = shell.screenImage.copy();
    const QImage workBefore = shell.workImage.copy();

    ShowOn(0);
    EXPECT_EQ(shell.pixel(16, 22), MarkOuter);
    EXPECT_EQ(shell.pixel(40, 22), MarkOuter);
    EXPECT_EQ(shell.pixel(28, 10), MarkOuter);
    EXPECT_EQ(shell.pixel(28, 34), MarkOuter);
    EXPECT_EQ(shell.pixel(17, 22), MarkInner);
    EXPECT_EQ(shell.pixel(28, 33), MarkInner);
    EXPECT_EQ(shell.screenImage.copy(AroundFontButton.adjusted(2, 2, -2, -2)),
              before.copy(AroundFontButton.adjusted(2, 2, -2, -2)))
        << "the button itself stays as it is";
    QImage outside = shell.screenImage.copy();
    QImage outsideBefore = before.copy();
    for (int y = AroundFontButton.top(); y <= AroundFontButton.bottom(); ++y) {
        for (int x = AroundFontButton.left(); x <= AroundFontButton.right(); ++x) {
            outside.setPixel(x, y, 0);
            outsideBefore.setPixel(x, y, 0);
        }
    }
    EXPECT_EQ(outside, outsideBefore);
    EXPECT_EQ(shell.workImage, workBefore);

    ShowOn(1);
    EXPECT_EQ(shell.screenImage.copy(AroundFontButton), before.copy(AroundFontButton)) << "left for a block";
    ShowOn(0);
    huxel.ShowKeyCursor(std::nullopt);
    EXPECT_EQ(shell.screenImage, before) << "hidden";
    EXPECT_EQ(huxel.KeyCursor(), std::nullopt);
}

// After a full redraw (a language change, the end of a puzzle, a new font) the cursor shows again
// where a key acts: the highlight of its block, or the font button's frame.
TEST_F(HuxelKeyCursor, AFullRedrawDrawsTheCursorAgain)
{
    StartPuzzle(4);
    const int block = HuxelBlockTarget(4, 3, 2, Side::Right);
    ShowOn(block);
    const QImage shown = shell.screenImage.copy();
    EXPECT_EQ(shown, Reference(TargetPoint(block)));
    huxel.PaintPuzzle();
    EXPECT_EQ(shell.screenImage, shown);

    ShowOn(0);
    const QImage onButton = shell.screenImage.copy();
    huxel.PaintPuzzle();
    EXPECT_EQ(shell.screenImage, onButton);
    huxel.ShowKeyCursor(std::nullopt);
    EXPECT_EQ(shell.screenImage, Reference(std::nullopt)) << "the frame restored to the redrawn picture";

    // The mouse's highlight still waits for the next pointer move.
    Hover(2, 2, Side::Left);
    huxel.PaintPuzzle();
    EXPECT_EQ(shell.screenImage, Reference(std::nullopt));
    EXPECT_EQ(huxel.HoverCol(), 2);
}

// The block the mouse left hovered under a full redraw: the cursor shown there must draw its
// highlight, though the pointer move to it changed nothing.
TEST_F(HuxelKeyCursor, ShowingTheCursorOnAnUnlitHoveredBlockLightsIt)
{
    StartPuzzle(3);
    const int block = HuxelBlockTarget(3, 2, 1, Side::Left);
    huxel.MouseMove(TargetPoint(block).x(), TargetPoint(block).y());
    huxel.PaintPuzzle();
    recorder.clear();
    ShowOn(block);
    EXPECT_EQ(shell.screenImage, Reference(TargetPoint(block)));
    EXPECT_TRUE(shell.sounds.empty()) << "the block did not change";
}

// The solving press repaints the puzzle while the end is shown; the cursor's block is lit again
// there, and the next press turns the block the player sees.
TEST_F(HuxelKeyCursor, AfterTheSolvingTurnTheCursorsBlockIsLitAndActsThere)
{
    StartPuzzle(3);
    recorder.onSolved = [this] { huxel.PaintPuzzle(); };
    CopyRightToLeft();
    huxel.model().RotateClockwise(2, 2, Side::Left);
    const int block = HuxelBlockTarget(3, 2, 2, Side::Left);
    ShowOn(block);
    huxel.MouseDownLeft(TargetPoint(block).x(), TargetPoint(block).y());
    ASSERT_EQ(shell.solvedCalls, 1);
    EXPECT_EQ(shell.screenImage, Reference(TargetPoint(block)));
    huxel.ShowKeyCursor(block);
    EXPECT_EQ(shell.screenImage, Reference(TargetPoint(block))) << "the shell shows the cursor where it was";

    HuxelModel expected = huxel.model();
    expected.rotate(Turn::Clockwise, 2, 2, Side::Left);
    huxel.MouseDownRight(TargetPoint(block).x(), TargetPoint(block).y());
    EXPECT_EQ(huxel.model().LeftTable(), expected.LeftTable());
}

// Hiding the cursor from a block takes its highlight and the block a press would turn: nothing
// of the cursor stays, and no press acts on an unlit block.
TEST_F(HuxelKeyCursor, HidingTheCursorOnABlockLeavesNoHighlightAndNoBlock)
{
    StartPuzzle(4);
    ShowOn(HuxelBlockTarget(4, 1, 3, Side::Right));
    recorder.clear();
    huxel.ShowKeyCursor(std::nullopt);
    EXPECT_EQ(shell.screenImage, Reference(std::nullopt));
    EXPECT_EQ(huxel.HoverCol(), 0);
    EXPECT_TRUE(shell.sounds.empty());
    const HuxelModel::Table right = huxel.model().RightTable();
    huxel.MouseDownRight(0, 0);
    EXPECT_EQ(huxel.model().RightTable(), right);
}
