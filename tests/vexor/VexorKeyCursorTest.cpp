#include "VexorKeySolver.h"
#include "VexorTestSupport.h"
#include "support/KeyMarkPixels.h"

// The keyboard cursor on the screen: a frame on the switches (their artwork is the background's,
// so nothing of the mouse's look shows there), the pointer's own highlight on an arrow, and
// nothing left of either once the shell hides the cursor.
namespace {

// The switch buttons of the artwork, x 447..465 and 467..485, y 77..95.
QRect SwitchButton(int which)
{
    return QRect(447 + 20 * which, 77, 19, 19);
}

} // namespace

class VexorKeyCursor : public VexorFixture {
  protected:
    // What the shell does when an arrow key brings the cursor to target index.
    void CursorTo(int index)
    {
        const QPoint at = vexor.KeyTargets().targets.at(index).at;
        vexor.MouseMove(at.x(), at.y());
        vexor.ShowKeyCursor(index);
    }

    // Both rings of the frame lie on the button's outermost two pixels all round.
    void ExpectFrameOn(int which)
    {
        EXPECT_EQ(keyMarkPixelsAmiss(shell, SwitchButton(which)), 0) << "switch " << which;
    }
};

TEST_F(VexorKeyCursor, SwitchesShowAFrameAndGiveEveryPixelBack)
{
    SetUpBoard(2, 3, SolvedTable(5, 6));
    const QImage plain = shell.screenImage.copy();
    for (int which : {0, 1, 0}) {
        CursorTo(which);
        ExpectFrameOn(which);
        EXPECT_EQ(shell.screenImage.copy(SwitchButton(which).adjusted(2, 2, -2, -2)),
                  plain.copy(SwitchButton(which).adjusted(2, 2, -2, -2)))
            << "the switch's picture stays readable inside the frame";
        EXPECT_TRUE(SameOutside(shell.screenImage, plain, SwitchButton(which))) << "switch " << which;
    }
    CursorTo(VexorArrowTarget(vexor.model(), 6, false));
    EXPECT_TRUE(SameOutside(shell.screenImage, plain, ArrowColumn)) << "an arrow leaves no frame behind";
    CursorTo(1);
    vexor.ShowKeyCursor(std::nullopt);
    EXPECT_EQ(shell.screenImage, plain);
}

// A switch press redraws the bars and a repaint (language change, a window over the board) the
// whole area: the cursor still stands there and stays visible, and hides cleanly.
TEST_F(VexorKeyCursor, SwitchFrameOutlastsPressesAndRepaints)
{
    SetUpBoard(1, 1, SolvedTable(4, 4));
    const QImage plain = shell.screenImage.copy();
    CursorTo(0);
    vexor.MouseDownLeft(vexor.KeyTargets().targets[0].at.x(), vexor.KeyTargets().targets[0].at.y());
    ASSERT_FALSE(vexor.lin());
    ExpectFrameOn(0);
    shell.screenImage.fill(Qt::black);
    vexor.PaintPuzzle();
    ExpectFrameOn(0);
    vexor.ShowKeyCursor(std::nullopt);
    vexor.MouseDownLeft(456, 86);
    ASSERT_TRUE(vexor.lin());
    EXPECT_EQ(shell.screenImage, plain) << "nothing of the frame came back with the repaint";
}

// The arrow's highlight is the cursor there: it goes when the cursor hides (before a level
// change, a new puzzle or a switch to another puzzle) and comes back where a press acts.
TEST_F(VexorKeyCursor, ArrowHighlightGoesWithTheCursor)
{
    SetUpBoard(1, 1, SolvedTable(4, 4));
    const QImage plainArrows = shell.screenImage.copy(ArrowColumn);
    const int target = VexorArrowTarget(vexor.model(), 2, true);
    CursorTo(target);
    ASSERT_NE(shell.screenImage.copy(ArrowColumn), plainArrows);
    vexor.ShowKeyCursor(std::nullopt);
    EXPECT_EQ(vexor.hoverRow(), 0);
    EXPECT_EQ(shell.screenImage.copy(ArrowColumn), plainArrows);
    shell.screenImage.fill(Qt::black);
    vexor.PaintPuzzle();
    EXPECT_EQ(shell.screenImage.copy(ArrowColumn), plainArrows) << "back from another puzzle";

    // After a press the shell shows the cursor again on its place without a pointer move.
    vexor.ShowKeyCursor(target);
    EXPECT_EQ(std::pair(vexor.hoverRow(), vexor.hoverSide()),
              std::pair(2, static_cast<int>(Vexor::RightSide)));
}
