#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/settings/SettingsStore.h"
#include "app/widgets/SevenSegmentDisplay.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"
#include "zupel/ZupelTestSupport.h"

namespace {
// ZUPEL played through the main window: presses of every button pick, the clock takes the
// penalties and the bonus, a dead end counts down to one failure, and the bar keeps blinking.
class ZupelInShell : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        settings.WriteInteger("common", "tongue", 0);
        settings.WriteInteger("common", "mode", PuzzleZupel);
        ShellParts parts = gameParts(dir.path() + "/", settings, random, dialogs);
        parts.sound = &sounds;
        parts.sleep = [](unsigned) {};
        form = std::make_unique<TMainForm>(std::move(parts));
        ASSERT_TRUE(form->startedOk());
        form->show();
        QTest::qWait(10);
        zupel = &dynamic_cast<Zupel&>(form->module(PuzzleZupel));
    }

    // A hand-made table, shown fresh with the clock at 0.
    void setTable(const TableText& rows, int column, int row, bool rowBar)
    {
        form->MixBtnClick();
        SetTable(zupel->model(), rows, column, row, rowBar);
        form->boxPaint();
    }

    void press(int a, int b, Qt::MouseButton button)
    {
        const QPoint at(zupel->boardX() + a * Zupel::CellWidth + 17,
                        zupel->boardY() + b * Zupel::CellHeight + 12);
        QTest::mouseClick(form->drawingArea(), button, {}, at);
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.path() + "/V1.ini"};
    SeededRandom random{3};
    SilentDialogs dialogs;
    RecordingSound sounds;
    std::unique_ptr<TMainForm> form;
    Zupel* zupel = nullptr;
};

TEST_F(ZupelInShell, PenaltyAndBonusMoveTheClockAndTheSolveIsReportedOnce)
{
    setTable({".$..", "....", ".1..", "...."}, 1, 1, true);
    press(2, 1, Qt::RightButton); // the expense in the row bar
    EXPECT_EQ(form->elapsed(), 17);
    EXPECT_EQ(form->clockDisplay()->value(), 17);
    EXPECT_EQ(form->playState(), PlayState::InProgress);
    form->TimerTimer();
    EXPECT_EQ(form->elapsed(), 18);
    press(2, 3, Qt::MiddleButton); // the last digit, in the column bar now
    EXPECT_EQ(form->elapsed(), -1);
    EXPECT_EQ(form->clockDisplay()->value(), -1);
    EXPECT_EQ(form->playState(), PlayState::Solved);
    EXPECT_EQ(dialogs.solvedShown, 1);
    ASSERT_EQ(dialogs.offered.size(), 1u);
    EXPECT_EQ(dialogs.offered[0], std::make_pair(QString("zupe4"), -1));
    EXPECT_EQ(sounds.played, (std::vector<int>{3, 4, 10}));
}

TEST_F(ZupelInShell, DeadEndCountsDownAndFailsOnce)
{
    setTable({".$2.", "....", "....", "...."}, 1, 1, true);
    press(2, 1, Qt::LeftButton); // the column bar behind the expense is empty: two units left
    EXPECT_EQ(form->elapsed(), 17 + 2 * 33);
    EXPECT_EQ(form->playState(), PlayState::Failed);
    EXPECT_EQ(dialogs.failedShown, 1);
    EXPECT_EQ(dialogs.solvedShown, 0);
    EXPECT_EQ(sounds.played, (std::vector<int>{3, 5, 5, 11}));
    press(3, 1, Qt::LeftButton);
    EXPECT_EQ(dialogs.failedShown, 1) << "nothing is left to pick";
}

// The drawing area shows its own picture on an expose, so an uncovered window keeps the bar's
// blink phase and the next tick still restores the picture.
TEST_F(ZupelInShell, BlinkKeepsItsPhaseThroughAnExpose)
{
    const QImage steady = form->screen().copy();
    form->TimerTimer();
    const QImage inverted = form->screen().copy();
    ASSERT_NE(inverted, steady);
    form->hide();
    form->show();
    form->drawingArea()->repaint();
    EXPECT_EQ(form->drawingArea()->grab().toImage().convertToFormat(QImage::Format_RGB32),
              inverted.convertToFormat(QImage::Format_RGB32));
    form->TimerTimer();
    EXPECT_EQ(form->screen(), steady);
}
} // namespace
