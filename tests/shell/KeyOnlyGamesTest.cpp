#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/GamePuzzles.h"
#include "app/KeyboardCursor.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "huxel/HuxelKeySolver.h"
#include "pliva/PlivaKeySolver.h"
#include "puzzles/huxel/Huxel.h"
#include "puzzles/pliva/Pliva.h"
#include "puzzles/vexor/Vexor.h"
#include "puzzles/zupel/Zupel.h"
#include "support/FakeShell.h"
#include "support/GameInShell.h"
#include "support/ShellFakes.h"
#include "vexor/VexorKeySolver.h"
#include "zupel/ZupelKeySolver.h"

// Whole games through the main window with keys only, on scripted puzzles: the arrow keys bring
// the cursor to the place a solver names, Space or Shift+Space presses there, until the solved
// dialog shows and the result is offered to the high-score list. The same game played with the
// mouse leaves the same pixels once the cursor has gone.
namespace {

struct Press {
    int target;
    bool right;
};

struct GameCase {
    const char* name;
    int puzzle;
    const char* list;
    std::function<std::unique_ptr<RandomSource>()> random;
    // The next press towards the solution; nullopt when none is left.
    std::function<std::optional<Press>(PuzzleModule&)> next;
};

void PrintTo(const GameCase& c, std::ostream* os)
{
    *os << c.name;
}

std::unique_ptr<RandomSource> seeded()
{
    return std::make_unique<SeededRandom>(7);
}

std::unique_ptr<RandomSource> scripted(std::deque<int> draws)
{
    auto random = std::make_unique<ScriptedRandom>();
    random->script = std::move(draws);
    return random;
}

std::optional<Press> nextPliva(PuzzleModule& module)
{
    const auto press = NextPlivaKeyPress(dynamic_cast<Pliva&>(module).model());
    return press ? std::optional<Press>({press->target, press->right}) : std::nullopt;
}

std::optional<Press> nextVexor(PuzzleModule& module)
{
    const auto press = NextVexorKeyPress(dynamic_cast<Vexor&>(module).model());
    return press ? std::optional<Press>({press->target, press->right}) : std::nullopt;
}

// The bar's places run along the bar; the solver names the cell.
std::optional<Press> nextZupel(PuzzleModule& module)
{
    const auto picks = SolveZupel(dynamic_cast<Zupel&>(module).model());
    if (!picks || picks->empty())
        return std::nullopt;
    const ZupelKeyPick& pick = picks->front();
    return Press{(pick.alongRow ? pick.column : pick.row) - 1, false};
}

std::optional<Press> nextHuxel(PuzzleModule& module)
{
    const auto presses = SolveHuxelByKeys(dynamic_cast<Huxel&>(module).model());
    if (!presses || presses->empty())
        return std::nullopt;
    return Press{presses->front().target, presses->front().right};
}

class KeyOnlyGame : public GameInShell, public ::testing::WithParamInterface<GameCase> {
  public:
    TMainForm& start()
    {
        const GameCase& c = GetParam();
        scripted = c.random();
        randomSource = scripted.get();
        dialogs = SilentDialogs();
        GameInShell::start(c.puzzle);
        form->timer().stop(); // ZUPEL's blink would differ between two games
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return *form;
    }

    PuzzleModule& module() { return form->module(form->currentPuzzle()); }
    QWidget* box() { return form->drawingArea(); }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(box(), k, modifiers);
    }

    // Arrow keys until the cursor stands on the target: first to its row, then along the row.
    void moveCursorTo(int target)
    {
        if (!form->keyboardCursor().index())
            key(Qt::Key_Right); // shows the cursor on the puzzle's first place
        for (int guard = 0; guard < 40 && form->keyboardCursor().index() != target; ++guard) {
            const std::vector<KeyTarget> targets = module().KeyTargets().targets;
            const KeyTarget& here = targets[*form->keyboardCursor().index()];
            const KeyTarget& there = targets[target];
            if (here.row != there.row)
                key(here.row < there.row ? Qt::Key_Down : Qt::Key_Up);
            else
                key(here.column < there.column ? Qt::Key_Right : Qt::Key_Left);
        }
        ASSERT_EQ(form->keyboardCursor().index(), target);
    }

    void pressByKeys(const Press& press)
    {
        moveCursorTo(press.target);
        key(Qt::Key_Space, press.right ? Qt::ShiftModifier : Qt::NoModifier);
    }

    void pressByMouse(const Press& press)
    {
        const QPoint at = module().KeyTargets().targets[press.target].at;
        move(at);
        click(at, press.right ? Qt::RightButton : Qt::LeftButton);
    }

    // Plays to the end; the screen once the pointer has moved to a place off the puzzle.
    QImage play(void (KeyOnlyGame::*press)(const Press&))
    {
        start();
        int presses = 0;
        for (auto next = GetParam().next(module()); next && presses < 60;
             next = GetParam().next(module()), ++presses)
            (this->*press)(*next);
        EXPECT_GT(presses, 0);
        move(QPoint(2, 2));
        return form->screen().copy();
    }

    std::unique_ptr<RandomSource> scripted;
};

TEST_P(KeyOnlyGame, SolvedWithKeysAloneAndTheScreenIsTheMouseGames)
{
    const QImage byKeys = play(&KeyOnlyGame::pressByKeys);
    EXPECT_EQ(form->playState(), PlayState::Solved);
    EXPECT_EQ(dialogs.solvedShown, 1);
    ASSERT_EQ(dialogs.offered.size(), 1u);
    EXPECT_EQ(dialogs.offered[0].first, GetParam().list);
    EXPECT_EQ(dialogs.offered[0].second, form->elapsed());
    EXPECT_FALSE(form->keyboardCursor().index()) << "the pointer move hid the cursor";

    const QImage byMouse = play(&KeyOnlyGame::pressByMouse);
    EXPECT_EQ(form->playState(), PlayState::Solved);
    EXPECT_TRUE(byKeys == byMouse) << "the cursor left pixels behind";
}

// HUXEL: a deal scrambled by three turns; ZUPEL: one unit in every cell, no "$".
INSTANTIATE_TEST_SUITE_P(
    Puzzles, KeyOnlyGame,
    ::testing::Values(GameCase{"PLIVA", PuzzlePliva, "pliv4", seeded, nextPliva},
                      GameCase{"ZUPEL", PuzzleZupel, "zupe4", [] { return scripted(SolvableZupelDrawsK4()); },
                               nextZupel},
                      GameCase{"VEXOR", PuzzleVexor, "vexo11", seeded, nextVexor},
                      GameCase{"HUXEL", PuzzleHuxel, "huxe3",
                               [] {
                                   using Side = HuxelModel::Side;
                                   using Turn = HuxelModel::Turn;
                                   return scripted(
                                       HuxelScrambleScript(3, {{1, 1, Side::Left, Turn::Clockwise},
                                                               {2, 2, Side::Right, Turn::CounterClockwise},
                                                               {2, 1, Side::Left, Turn::Clockwise}}));
                               },
                               nextHuxel}),
    [](const ::testing::TestParamInfo<GameCase>& info) { return std::string(info.param.name); });

} // namespace
