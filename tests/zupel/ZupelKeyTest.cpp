#include <QImage>
#include <functional>

#include "ZupelKeySolver.h"
#include "ZupelTestSupport.h"
#include "support/PixelChecks.h"

namespace {

using namespace pixel;

constexpr ColorRef Yellow = colorRef(0xFF, 0xFF, 0);
// Unlike anything the board paints.
constexpr QRgb BackgroundRgb = qRgb(0x20, 0x60, 0xA0);

// Current cell B2 (a 3) with the bar in row 2: A2 empty, C2 "$", D2 a 2; 15 units in all.
const TableText Mixed{"1$2.", ".3$2", "$14.", "2..$"};

TableText Filled(int k, char c)
{
    return TableText(k, std::string(k, c));
}

// Top-left pixel of the cell in column a, row b.
QPoint CellTopLeft(const Zupel& zupel, int a, int b)
{
    return {zupel.boardX() + 35 * a, zupel.boardY() + 25 * b};
}

using ZupelKeys = ZupelFixture;

// Two boards played alike, one of them with a keyboard mark; wherever the mark is hidden again,
// their screens must agree pixel for pixel.
class ZupelKeyMark : public testing::Test {
  protected:
    struct Board {
        FakeShell shell{BackgroundRgb};
        Zupel zupel{shell};
    };

    void SetUpTable(const TableText& rows, int column, int row, bool rowBar)
    {
        Both([&](Board& board) {
            SetTable(board.zupel.model(), rows, column, row, rowBar);
            board.shell.state = PlayState::Fresh;
            board.zupel.PaintPuzzle();
            board.shell.clearRecords();
        });
    }
    void Both(const std::function<void(Board&)>& step)
    {
        step(marked);
        step(plain);
    }
    void Ticks(int count)
    {
        Both([count](Board& board) {
            for (int i = 0; i < count; ++i)
                board.zupel.TimerTick();
        });
    }
    void PressTarget(int index)
    {
        const QPoint at = plain.zupel.KeyTargets().targets.at(index).at;
        Both([at](Board& board) { board.zupel.MouseDownLeft(at.x(), at.y()); });
    }
    bool SameScreens() const { return marked.shell.screenImage == plain.shell.screenImage; }
    // Whether the mark's blue corner shows in the cell of column a, row b.
    bool MarkShowsAt(int a, int b) const
    {
        const QPoint corner = CellTopLeft(marked.zupel, a, b) + QPoint(1, 1);
        return marked.shell.pixel(corner.x(), corner.y()) == Blue;
    }

    Board marked;
    Board plain;
};

} // namespace

// ---- Targets ----

TEST_F(ZupelKeys, TargetsAreTheBarsCellsInItsDirectionAndEachPressPicksItsCell)
{
    struct Case {
        int k;
        int column;
        int row;
        bool rowBar;
    };
    const Case cases[] = {{4, 2, 3, true}, {4, 2, 3, false}, {10, 7, 10, true}, {10, 10, 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "K " << c.k << (c.rowBar ? " row bar" : " column bar"));
        const TableText table = Filled(c.k, '1');
        SetUpTable(table, c.column, c.row, c.rowBar);
        const KeyTargetSet set = zupel.KeyTargets();
        ASSERT_EQ(static_cast<int>(set.targets.size()), c.k);
        EXPECT_EQ(set.first, (c.rowBar ? c.column : c.row) - 1) << "the current cell";
        for (int i = 0; i < c.k; ++i) {
            SCOPED_TRACE(testing::Message() << "target " << i);
            const int a = c.rowBar ? i + 1 : c.column;
            const int b = c.rowBar ? c.row : i + 1;
            const KeyTarget target = set.targets[i];
            EXPECT_EQ(target.row, b);
            EXPECT_EQ(target.column, c.rowBar ? a : 0);
            if (a == c.column && b == c.row)
                continue; // the current cell cannot be picked
            SetUpTable(table, c.column, c.row, c.rowBar);
            zupel.MouseDownLeft(target.at.x(), target.at.y());
            EXPECT_EQ(zupel.model().currentColumn(), a);
            EXPECT_EQ(zupel.model().currentRow(), b);
        }
    }
}

// The picked cell is the new current cell and lies in the new bar at the same point, so the
// cursor stays where the player pressed, and first agrees.
TEST_F(ZupelKeys, AfterAPickTheFirstTargetIsThePickedCell)
{
    SetUpTable(Mixed, 2, 2, true);
    const QPoint pressed = zupel.KeyTargets().targets[3].at; // D2
    zupel.MouseDownLeft(pressed.x(), pressed.y());
    const KeyTargetSet after = zupel.KeyTargets();
    EXPECT_EQ(after.targets[after.first].at, pressed);
    EXPECT_EQ(after.first, 1); // D2 in column D
    EXPECT_EQ(after.targets[after.first].column, 0);
}

// ---- The cursor mark ----

TEST_F(ZupelKeyMark, TheMarkIsATwoToneFrameInsideTheCellsFace)
{
    SetUpTable(Mixed, 2, 2, true);
    for (const int index : {1, 3}) { // the grey current cell, a white digit cell
        SCOPED_TRACE(testing::Message() << "target " << index);
        marked.zupel.ShowKeyCursor(index);
        const QPoint cell = CellTopLeft(marked.zupel, index + 1, 2);
        const QRect frame(cell + QPoint(1, 1), QSize(32, 22));
        ExpectPixels(marked.shell, {{frame.left(), frame.top(), Blue},
                                    {frame.right(), frame.bottom(), Blue},
                                    {frame.left() + 1, frame.top() + 1, Yellow},
                                    {frame.right() - 1, frame.bottom() - 1, Yellow}});
        EXPECT_EQ(marked.shell.changedRects.back(), frame);
        for (int y = 0; y < 333; ++y) {
            for (int x = 0; x < 500; ++x) {
                if (!frame.contains(x, y)) {
                    ASSERT_EQ(marked.shell.pixel(x, y), plain.shell.pixel(x, y)) << x << "," << y;
                }
            }
        }
    }
    const QRect lastFrame = marked.shell.changedRects.back();
    marked.shell.clearRecords();
    marked.zupel.ShowKeyCursor(std::nullopt);
    EXPECT_EQ(marked.shell.changedRects, std::vector<QRect>{lastFrame}) << "hiding shows the restored pixels";
}

// The blink inverts the bar while the mark shows, or before it shows; hiding puts back exactly
// what the board shows then, at the bar's ends, on the current cell, in both directions.
TEST_F(ZupelKeyMark, HidingRestoresTheBoardInEveryPhaseOfTheBlink)
{
    for (const bool rowBar : {true, false}) {
        for (const int index : {0, 1, 3}) {
            for (const int ticksBefore : {0, 1}) {
                for (const int ticksShown : {0, 1, 2, 3}) {
                    SCOPED_TRACE(testing::Message() << (rowBar ? "row" : "column") << " bar, target " << index
                                                    << ", ticks " << ticksBefore << "+" << ticksShown);
                    SetUpTable(Mixed, 2, 2, rowBar);
                    Ticks(ticksBefore);
                    marked.zupel.ShowKeyCursor(index);
                    Ticks(ticksShown);
                    EXPECT_FALSE(SameScreens());
                    marked.zupel.ShowKeyCursor(std::nullopt);
                    EXPECT_TRUE(SameScreens());
                }
            }
        }
    }
}

TEST_F(ZupelKeyMark, AMarkMovedAlongTheBarThenHiddenLeavesNoTrace)
{
    for (const bool rowBar : {true, false}) {
        SCOPED_TRACE(rowBar ? "row bar" : "column bar");
        SetUpTable(Filled(10, '$'), 4, 7, rowBar);
        for (const int index : {0, 1, 2, 2, 9, 8, 6, 3}) {
            marked.zupel.ShowKeyCursor(index);
            Ticks(1);
        }
        marked.zupel.ShowKeyCursor(std::nullopt);
        EXPECT_TRUE(SameScreens());
        marked.zupel.ShowKeyCursor(std::nullopt);
        EXPECT_TRUE(SameScreens()) << "a second hide restores nothing stale";
    }
}

TEST_F(ZupelKeyMark, AnIndexOutsideTheBarHidesTheMark)
{
    SetUpTable(Mixed, 2, 2, true);
    for (const int index : {-1, 4, 100}) {
        marked.zupel.ShowKeyCursor(0);
        marked.zupel.ShowKeyCursor(index);
        EXPECT_TRUE(SameScreens()) << index;
    }
}

// The press redraws the board under the mark; the mark stays on the picked cell, which is the
// new current cell, and hides without a trace.
TEST_F(ZupelKeyMark, TheMarkSurvivesAPickAndTheBoardBelowIsRight)
{
    SetUpTable(Mixed, 2, 2, true);
    Ticks(1);
    marked.zupel.ShowKeyCursor(3);
    PressTarget(3); // D2
    EXPECT_TRUE(MarkShowsAt(4, 2));
    const KeyTargetSet after = marked.zupel.KeyTargets();
    marked.zupel.ShowKeyCursor(after.first); // the shell may show it again where it is
    Ticks(3);
    marked.zupel.ShowKeyCursor(after.first + 1);
    EXPECT_TRUE(MarkShowsAt(4, 3));
    marked.zupel.ShowKeyCursor(std::nullopt);
    EXPECT_TRUE(SameScreens());
}

TEST_F(ZupelKeyMark, TheMarkSurvivesTheCountDown)
{
    SetUpTable({"1$2.", ".3$2", "$1..", "2..."}, 2, 2, true);
    marked.zupel.ShowKeyCursor(3);
    PressTarget(3); // D2: a dead end
    ASSERT_EQ(marked.shell.failedCalls, 1);
    EXPECT_TRUE(MarkShowsAt(4, 2));
    Ticks(1);
    marked.zupel.ShowKeyCursor(std::nullopt);
    EXPECT_TRUE(SameScreens());
}

// A mouse press without a pointer move first may turn the bar away from the mark: it goes.
TEST_F(ZupelKeyMark, AMarkWhoseCellLeavesTheBarIsDropped)
{
    SetUpTable(Mixed, 2, 2, true);
    marked.zupel.ShowKeyCursor(0); // A2
    PressTarget(3);                // D2: the bar is now column D
    EXPECT_FALSE(MarkShowsAt(1, 2));
    EXPECT_TRUE(SameScreens());
    marked.zupel.ShowKeyCursor(std::nullopt);
    EXPECT_TRUE(SameScreens());
}

TEST_F(ZupelKeyMark, PaintAndNewPuzzleLeaveNoMarkBehind)
{
    // The pick after the paint redraws D2 as the grey current cell, where a stale mark would
    // come back or a stale restore would put back the white face.
    SetUpTable(Mixed, 2, 2, true);
    marked.zupel.ShowKeyCursor(3);
    Both([](Board& board) { board.zupel.PaintPuzzle(); });
    EXPECT_TRUE(SameScreens());
    PressTarget(3);
    EXPECT_TRUE(SameScreens());
    marked.zupel.ShowKeyCursor(std::nullopt);
    EXPECT_TRUE(SameScreens());

    SetUpTable(Filled(4, '1'), 2, 2, true);
    marked.zupel.ShowKeyCursor(1);
    Both([](Board& board) {
        board.zupel.NewPuzzle();
        board.zupel.model().setCurrent(2, 2, true);
        board.zupel.DrawBoard();
    });
    EXPECT_TRUE(SameScreens());
    marked.zupel.ShowKeyCursor(std::nullopt);
    EXPECT_TRUE(SameScreens());
}

// ---- The solver for keyboard play ----

// The scripted draws make a table the solver gets through; its picks, pressed at the targets the
// keyboard reaches from the current cell, solve the puzzle without a single expense.
TEST(ZupelKeySolver, TheScriptedTableIsSolvedByTheSolversPicksThroughTheTargets)
{
    ScriptedRandom draws;
    draws.script = SolvableZupelDrawsK4();
    FakeShell shell;
    shell.randomSource = &draws;
    Zupel zupel(shell); // takes the random source as it is built
    zupel.model().setMode(4);
    zupel.NewPuzzle();
    zupel.PaintPuzzle();
    EXPECT_TRUE(draws.script.empty());
    EXPECT_TRUE(draws.outOfRange.empty());

    const std::optional<std::vector<ZupelKeyPick>> picks = SolveZupel(zupel.model());
    ASSERT_TRUE(picks.has_value());
    EXPECT_EQ(picks->size(), 16u);
    for (const ZupelKeyPick& pick : *picks) {
        const KeyTargetSet set = zupel.KeyTargets();
        ASSERT_EQ(zupel.model().rowBar(), pick.alongRow);
        const QPoint at = set.targets.at(set.first + pick.steps).at;
        zupel.MouseDownLeft(at.x(), at.y());
        ASSERT_EQ(zupel.model().currentColumn(), pick.column);
        ASSERT_EQ(zupel.model().currentRow(), pick.row);
    }
    EXPECT_EQ(shell.solvedCalls, 1);
    EXPECT_EQ(shell.failedCalls, 0);
}

TEST_F(ZupelKeys, TheSolverTakesDetoursThroughExpensesAndKnowsDeadEnds)
{
    // From A1 along row 1 only the "$" in B1 leads on, down to B4, across to A4, up to A1.
    SetTable(zupel.model(), {"1$..", "....", "....", "$1.."}, 1, 1, true);
    const std::optional<std::vector<ZupelKeyPick>> detour = SolveZupel(zupel.model());
    ASSERT_TRUE(detour.has_value());
    ZupelModel replay = zupel.model();
    for (const ZupelKeyPick& pick : *detour)
        ASSERT_NE(replay.pick(pick.column, pick.row), ZupelModel::PickKind::Refused);
    EXPECT_TRUE(replay.AllCollected());

    SetTable(zupel.model(), {"1$..", "....", "....", "...1"}, 1, 1, true);
    EXPECT_FALSE(SolveZupel(zupel.model()).has_value());
    SetTable(zupel.model(), {"....", "....", "....", "...."}, 1, 1, true);
    const std::optional<std::vector<ZupelKeyPick>> nothingLeft = SolveZupel(zupel.model());
    ASSERT_TRUE(nothingLeft.has_value());
    EXPECT_TRUE(nothingLeft->empty());
}
