#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <cctype>
#include <functional>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/settings/SettingsStore.h"
#include "puzzles/huxel/Huxel.h"
#include "puzzles/pliva/Pliva.h"
#include "puzzles/vexor/Vexor.h"
#include "support/FakeShell.h"
#include "support/GameInShell.h"
#include "support/ShellFakes.h"
#include "zupel/ZupelTestSupport.h"

// The sound of the last move of each puzzle, played through the main window: the move's own sound,
// then the solved sound, or for ZUPEL's dead end its count-down and the failed sound.
namespace {

struct EndCase {
    const char* what;
    int puzzle;
    // Sets the puzzle one move away from its end; the left press there ends it.
    std::function<QPoint(TMainForm&)> setUp;
    std::vector<int> sounds; // played by the ending move, in order
    bool solved;             // else failed
};

QPoint zupelCell(const Zupel& zupel, int a, int b)
{
    return QPoint(zupel.boardX() + a * Zupel::CellWidth + 17, zupel.boardY() + b * Zupel::CellHeight + 12);
}

// A fresh ZUPEL table with the row bar on the first cell; the pick is of cell (a, b).
QPoint zupelTable(TMainForm& form, const TableText& rows, int a, int b)
{
    auto& zupel = dynamic_cast<Zupel&>(form.module(PuzzleZupel));
    form.MixBtnClick();
    SetTable(zupel.model(), rows, 1, 1, true);
    return zupelCell(zupel, a, b);
}

QPoint plivaOneStepFromRising(TMainForm& form)
{
    auto& pliva = dynamic_cast<Pliva&>(form.module(PuzzlePliva));
    EXPECT_TRUE(pliva.model().setCurve({0, 1, 1, 3, 4}, -10, 10));
    EXPECT_TRUE(pliva.model().setArrowColumn(1, {0, 0, 1, 0, 0}));
    return QPoint(77, 296); // column 1 of the arrow row
}

// Four accounts of 100, then the first colour's bookings shifted one account to the right.
QPoint vexorOneShiftFromLevel(TMainForm& form)
{
    VexorModel& model = dynamic_cast<Vexor&>(form.module(PuzzleVexor)).model();
    VexorModel::Table table{};
    const int first[] = {10, 20, 30, 40};
    for (int a = 1; a <= 4; ++a)
        table[a] = {0, first[a - 1], 50 - first[a - 1], 25, 25};
    EXPECT_TRUE(model.setBookings(table));
    model.ShiftRight(1);
    return QPoint(410, 286); // the left arrow of the first colour
}

// Equal tables, then the right table's first block turned clockwise: a left press turns it back.
QPoint huxelOneTurnFromEqual(TMainForm& form)
{
    auto& huxel = dynamic_cast<Huxel&>(form.module(PuzzleHuxel));
    HuxelModel& model = huxel.model();
    const int n = model.TableSize();
    for (int col = 1; col <= n; ++col)
        for (int row = 1; row <= n; ++row)
            model.setCell(HuxelModel::Side::Right, col, row, model.cell(HuxelModel::Side::Left, col, row));
    model.RotateClockwise(1, 1, HuxelModel::Side::Right);
    const int cell = huxel.CellSize();
    return QPoint(Huxel::RightX + cell + 2, Huxel::TableTop + cell + 2);
}

const std::vector<EndCase>& endCases()
{
    static const std::vector<EndCase> cases = {
        {"PLIVA solved", PuzzlePliva, plivaOneStepFromRising, {1, 10}, true},
        {"ZUPEL solved",
         PuzzleZupel,
         [](TMainForm& form) {
             return zupelTable(form, {".1..", "....", "....", "...."}, 2, 1);
         },
         {4, 10},
         true},
        {"ZUPEL failed",
         PuzzleZupel,
         [](TMainForm& form) {
             return zupelTable(form, {".$2.", "....", "....", "...."}, 2, 1);
         },
         {3, 5, 5, 11},
         false},
        {"VEXOR solved", PuzzleVexor, vexorOneShiftFromLevel, {6, 10}, true},
        {"HUXEL solved", PuzzleHuxel, huxelOneTurnFromEqual, {9, 10}, true},
    };
    return cases;
}

// The pointer comes to rest over the place first (move), so its hover sound is not the move's.
class EndSounds : public GameInShell, public testing::WithParamInterface<std::size_t> {};

TEST_P(EndSounds, EndingMovePlaysItsSoundThenTheResultSound)
{
    const EndCase& c = endCases()[GetParam()];
    TMainForm& f = start(c.puzzle);
    const QPoint at = c.setUp(f);
    f.boxPaint();
    move(at);
    sounds.played.clear();

    QTest::mouseClick(f.drawingArea(), Qt::LeftButton, {}, at);
    EXPECT_EQ(sounds.played, c.sounds);
    EXPECT_EQ(f.playState(), c.solved ? PlayState::Solved : PlayState::Failed);
    EXPECT_EQ(dialogs.solvedShown, c.solved ? 1 : 0);
    EXPECT_EQ(dialogs.failedShown, c.solved ? 0 : 1);
}

std::string caseName(const testing::TestParamInfo<std::size_t>& info)
{
    std::string name;
    for (char c : std::string(endCases()[info.param].what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Puzzles, EndSounds, testing::Range<std::size_t>(0, endCases().size()), caseName);
} // namespace
