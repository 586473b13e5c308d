#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/settings/SettingsStore.h"
#include "app/widgets/SevenSegmentDisplay.h"
#include "puzzles/pliva/Pliva.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"
#include "zupel/ZupelTestSupport.h"

// The clock of a solved or failed puzzle, on the game's own 200 ms timer: the time handed to the
// high-score list is the one on the display, and both stand still from then on, also while the
// result dialogs are up and the timer keeps running behind them.
namespace {

// What the clock showed while a result dialog was up: when it opened and when it closed.
struct ClockSeen {
    int displayAtOpen = 0;
    int elapsedAtOpen = 0;
    int displayAtClose = 0;
    int elapsedAtClose = 0;
};

// Result dialogs that stay open for a few ticks, as a player reads them, and note the clock.
class LingeringDialogs final : public ShellDialogs {
  public:
    int askGiveUp() override { return Ok; }
    int askEndGame() override { return Ok; }
    void showPaused() override {}
    void showSolved() override { resultDialog = linger(); }
    void showFailed() override { resultDialog = linger(); }
    void showStartupError(const QString&) override {}
    void showHighScores(const QString& key, int result) override
    {
        offered.emplace_back(key, result);
        highScoreDialog = linger();
    }
    void showRules(int) override {}
    void showAbout() override {}
    void openHelp() override {}
    void closeHelp() override {}
    void chooseLanguage(int&) override {}
    void openWebsite() override {}
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }
    std::optional<QFont> chooseFont(const QFont&) override { return std::nullopt; }

    const TMainForm* form = nullptr;
    std::function<bool()> waitAWhile; // spins the event loop over a few ticks
    ClockSeen resultDialog;
    ClockSeen highScoreDialog;
    std::vector<std::pair<QString, int>> offered;

  private:
    ClockSeen linger()
    {
        ClockSeen seen;
        seen.displayAtOpen = form->clockDisplay()->value();
        seen.elapsedAtOpen = form->elapsedOf(form->currentPuzzle());
        EXPECT_TRUE(waitAWhile());
        seen.displayAtClose = form->clockDisplay()->value();
        seen.elapsedAtClose = form->elapsedOf(form->currentPuzzle());
        return seen;
    }
};

class ClockAfterEnd : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        settings.WriteInteger("common", "tongue", 0);
    }

    // The game's window with the real Delay and timer, and dialogs that linger.
    void start(int puzzle)
    {
        settings.WriteInteger("common", "mode", puzzle);
        form = std::make_unique<TMainForm>(gameParts(dir.path() + "/", settings, random, dialogs));
        ASSERT_TRUE(form->startedOk());
        QObject::connect(&form->timer(), &QTimer::timeout, [this] { ++ticks; });
        dialogs.form = form.get();
        dialogs.waitAWhile = [this] { return waitTicks(2); };
        form->show();
        QTest::qWait(10);
    }

    // Spins the event loop until the window's timer has fired n more times.
    bool waitTicks(int n)
    {
        const int target = ticks + n;
        return QTest::qWaitFor([&] { return ticks >= target; }, 10000);
    }

    int display() const { return form->clockDisplay()->value(); }

    void click(QPoint at) { QTest::mouseClick(form->drawingArea(), Qt::LeftButton, {}, at); }

    // A move has started the clock; it has run for a while and the display follows it.
    void playForAWhile()
    {
        ASSERT_EQ(form->playState(), PlayState::InProgress);
        ASSERT_TRUE(waitTicks(2));
        ASSERT_GE(form->elapsed(), 2);
        ASSERT_EQ(display(), form->elapsed());
    }

    // The clock stands at result now, and still after several more ticks and a move on the
    // finished puzzle.
    void expectClockStandsAt(int result, QPoint anotherMove)
    {
        ASSERT_EQ(dialogs.offered.size(), 1u);
        EXPECT_EQ(dialogs.offered[0].second, result);
        for (const ClockSeen& seen : {dialogs.resultDialog, dialogs.highScoreDialog}) {
            EXPECT_EQ(seen.displayAtOpen, result);
            EXPECT_EQ(seen.elapsedAtOpen, result);
            EXPECT_EQ(seen.displayAtClose, result);
            EXPECT_EQ(seen.elapsedAtClose, result);
        }
        ASSERT_TRUE(waitTicks(3));
        EXPECT_EQ(form->elapsed(), result);
        EXPECT_EQ(display(), result);
        click(anotherMove);
        ASSERT_TRUE(waitTicks(2));
        EXPECT_EQ(form->elapsed(), result);
        EXPECT_EQ(display(), result);
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.path() + "/V1.ini"};
    SeededRandom random{11};
    LingeringDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    int ticks = 0;
};

// The solving move waits 300 ms before it reports; no tick may be counted in that pause, so the
// result is the time the clock showed when the player clicked.
TEST_F(ClockAfterEnd, PlivaSolveHandsOverTheTimeShownAndTheClockStands)
{
    start(PuzzlePliva);
    auto& pliva = dynamic_cast<Pliva&>(form->module(PuzzlePliva));
    ASSERT_TRUE(pliva.model().setCurve({0, 1, 0, 3, 4}, -10, 10));
    ASSERT_TRUE(pliva.model().setArrowColumn(1, {0, 0, 1, 0, 0}));
    form->boxPaint();
    const QPoint column1(77, 296);

    click(column1); // 1, 1, 3, 4: not rising yet
    playForAWhile();
    const int shownAtTheClick = display();
    click(column1); // 1, 2, 3, 4 rises
    ASSERT_EQ(form->playState(), PlayState::Solved);
    EXPECT_EQ(shownAtTheClick, dialogs.offered.at(0).second);
    expectClockStandsAt(shownAtTheClick, column1);
}

// The dead end charges its penalties on the clock between pauses; the failure hands over the
// charged time, and the clock stands there.
TEST_F(ClockAfterEnd, ZupelFailureHandsOverTheTimeShownAndTheClockStands)
{
    start(PuzzleZupel);
    auto& zupel = dynamic_cast<Zupel&>(form->module(PuzzleZupel));
    form->MixBtnClick();
    SetTable(zupel.model(), {".2..", "....", ".$..", "...."}, 1, 1, true);
    form->boxPaint();
    const auto cell = [&zupel](int a, int b) {
        return QPoint(zupel.boardX() + a * Zupel::CellWidth + 17,
                      zupel.boardY() + b * Zupel::CellHeight + 12);
    };

    click(cell(2, 1)); // the 2 becomes 1; the column bar still holds the expense
    playForAWhile();
    const int shownAtTheClick = display();
    click(cell(2, 3)); // the expense; the row bar behind it is empty, one unit is left
    ASSERT_EQ(form->playState(), PlayState::Failed);
    const int penaltyAndOneUnit = 17 + 33;
    EXPECT_EQ(dialogs.offered.at(0).second, shownAtTheClick + penaltyAndOneUnit);
    expectClockStandsAt(shownAtTheClick + penaltyAndOneUnit, cell(2, 1));
}
} // namespace
