#include <functional>

#include "PlivaTestSupport.h"
#include "support/KeyMarkPixels.h"

// The keyboard cursor on the screen: a frame on the switches (their artwork is the background's,
// so nothing of the mouse's look shows there), the pointer's own outline and arrows on a column,
// and nothing left of either once the shell hides the cursor.
namespace {

const QRect ArrowRow(30, 285, 376, 48);

// The switch buttons of the artwork: 20 pixels wide side by side from x = 420, y 30..50.
QRect SwitchButton(int which)
{
    return QRect(420 + 20 * which, 30, 20, 21);
}

} // namespace

class PlivaKeyCursor : public PlivaFixture {
  protected:
    // A background that differs from pixel to pixel, so a restore from the wrong place shows.
    void SetUp() override
    {
        for (int y = 0; y < shell.backgroundImage.height(); ++y) {
            for (int x = 0; x < shell.backgroundImage.width(); ++x)
                shell.backgroundImage.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
        }
    }

    // What the shell does when an arrow key brings the cursor to target index.
    void CursorTo(int index)
    {
        const QPoint at = pliva.KeyTargets().targets.at(index).at;
        pliva.MouseMove(at.x(), at.y());
        pliva.ShowKeyCursor(index);
    }

    // Both rings of the frame lie on the button's outermost two pixels all round.
    void ExpectFrameOn(int which)
    {
        EXPECT_EQ(keyMarkPixelsAmiss(shell, SwitchButton(which)), 0) << "switch " << which;
    }
};

// Along the switches and back: each shows its frame while the cursor is there, and only its own;
// the screen is the plain paint again once the cursor hides.
TEST_F(PlivaKeyCursor, SwitchesShowAFrameAndGiveEveryPixelBack)
{
    for (int n : {4, 12}) {
        SCOPED_TRACE(testing::Message() << "N " << n);
        SetUpCurve(n);
        const QImage plain = shell.screenImage.copy();
        for (int which : {0, 1, 2, 1, 0}) {
            CursorTo(n + which);
            ExpectFrameOn(which);
            EXPECT_EQ(shell.screenImage.copy(SwitchButton(which).adjusted(2, 2, -2, -2)),
                      plain.copy(SwitchButton(which).adjusted(2, 2, -2, -2)))
                << "the switch's picture stays readable inside the frame";
            EXPECT_TRUE(SameOutside(shell.screenImage, plain, SwitchButton(which))) << "switch " << which;
        }
        CursorTo(n - 1);
        EXPECT_TRUE(SameOutside(shell.screenImage, plain, ArrowRow)) << "a column leaves no frame behind";
        CursorTo(n + 2);
        pliva.ShowKeyCursor(std::nullopt);
        EXPECT_EQ(shell.screenImage, plain);
    }
}

// A press on the shape switch redraws the graph and a repaint (language change, a window over the
// board) the whole area: the cursor still stands there and stays visible, and hides cleanly.
TEST_F(PlivaKeyCursor, SwitchFrameOutlastsPressesAndRepaints)
{
    SetUpCurve(7);
    const QImage plain = shell.screenImage.copy();
    CursorTo(7 + 2);
    pliva.MouseDownLeft(pliva.KeyTargets().targets[9].at.x(), pliva.KeyTargets().targets[9].at.y());
    ASSERT_EQ(pliva.dmode(), 2);
    ExpectFrameOn(2);
    shell.screenImage.fill(Qt::black);
    pliva.PaintPuzzle();
    ExpectFrameOn(2);
    pliva.ShowKeyCursor(std::nullopt);
    pliva.MouseDownLeft(470, 40);
    pliva.MouseDownLeft(470, 40);
    pliva.MouseDownLeft(470, 40);
    pliva.MouseDownLeft(470, 40);
    ASSERT_EQ(pliva.dmode(), 1);
    EXPECT_EQ(shell.screenImage, plain) << "nothing of the frame came back with the repaint";
}

// The shell hides the cursor before a level change, a new puzzle and a switch to another puzzle;
// afterwards nothing of the column's outline and arrows or of a switch frame may be left, or the
// player takes it for the place the next key acts on.
TEST_F(PlivaKeyCursor, NothingOfAHiddenCursorOutlivesAReset)
{
    const std::pair<const char*, std::function<void()>> resets[] = {
        {"level up", [this] { pliva.OptionClick(true); }},
        {"level down", [this] { pliva.OptionClick(false); }},
        {"new puzzle",
         [this] {
             pliva.NewPuzzle();
             pliva.PaintPuzzle();
         }},
        {"back from another puzzle",
         [this] {
             shell.screenImage.fill(Qt::black);
             pliva.PaintPuzzle();
         }},
    };
    for (const auto& [name, reset] : resets) {
        for (int place : {1, 6}) { // column 2, the middle switch
            SCOPED_TRACE(testing::Message() << name << ", target " << place);
            SetUpCurve(5);
            CursorTo(place);
            const QRect shown = place == 1 ? ArrowRow : SwitchButton(1);
            ASSERT_NE(shell.screenImage.copy(shown), shell.backgroundImage.copy(shown));
            pliva.ShowKeyCursor(std::nullopt);
            reset();
            EXPECT_EQ(pliva.pointerColumn(), 0);
            EXPECT_EQ(shell.screenImage.copy(ArrowRow), shell.backgroundImage.copy(ArrowRow));
            EXPECT_EQ(shell.screenImage.copy(SwitchButton(1)), shell.backgroundImage.copy(SwitchButton(1)));
        }
    }
}

// The pointer's hover look is not the cursor's: without a keyboard cursor a level change keeps
// the column under the pointer and its arrows, as it always has.
TEST_F(PlivaKeyCursor, PointerHoverSurvivesALevelChangeAsBefore)
{
    SetUpCurve(4);
    pliva.MouseMove(171, 296);
    pliva.OptionClick(true);
    EXPECT_EQ(pliva.pointerColumn(), 2);
    EXPECT_NE(shell.screenImage.copy(ArrowRow), shell.backgroundImage.copy(ArrowRow));
}
