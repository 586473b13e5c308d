#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GamePuzzles.h"
#include "app/KeyboardCursor.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "huxel/HuxelKeySolver.h"
#include "puzzles/huxel/Huxel.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// Whole games through the main window with keys only, on scripted puzzles: the arrow keys bring
// the cursor to the place a solver names, Space or Shift+Space presses there, until the solved
// dialog shows and the result is offered to the high-score list.
namespace {

class KeyOnlyGame : public ::testing::Test {
  protected:
    TMainForm& start(int puzzle, RandomSource& random)
    {
        EXPECT_TRUE(dir.isValid());
        EXPECT_TRUE(writePlainBackgrounds(dir.path()));
        settings = std::make_unique<SettingsStore>(dir.path() + "/V1.ini");
        settings->WriteInteger("common", "tongue", 0);
        settings->WriteInteger("common", "mode", puzzle);
        settings->WriteBool("common", "music", false);
        ShellParts parts;
        parts.dataDir = dir.path() + "/";
        parts.settings = settings.get();
        parts.random = &random;
        parts.dialogs = &dialogs;
        parts.sound = &sound;
        parts.sleep = [](unsigned) {};
        parts.puzzles = gamePuzzleTable();
        form = std::make_unique<TMainForm>(std::move(parts));
        form->show();
        QApplication::setActiveWindow(form.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return *form;
    }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form->drawingArea(), k, modifiers);
    }

    // Arrow keys until the cursor stands on the target: first to its row, then along the row.
    void moveCursorTo(int target)
    {
        if (!form->keyboardCursor().index())
            key(Qt::Key_Right); // shows the cursor on the puzzle's first place
        for (int guard = 0; guard < 40 && form->keyboardCursor().index() != target; ++guard) {
            const std::vector<KeyTarget> targets = form->module(form->currentPuzzle()).KeyTargets().targets;
            const KeyTarget& here = targets[*form->keyboardCursor().index()];
            const KeyTarget& there = targets[target];
            if (here.row != there.row)
                key(here.row < there.row ? Qt::Key_Down : Qt::Key_Up);
            else
                key(here.column < there.column ? Qt::Key_Right : Qt::Key_Left);
        }
        ASSERT_EQ(form->keyboardCursor().index(), target);
    }

    void pressAt(int target, bool right)
    {
        moveCursorTo(target);
        key(Qt::Key_Space, right ? Qt::ShiftModifier : Qt::NoModifier);
    }

    void expectSolvedAndOffered(const QString& list)
    {
        EXPECT_EQ(form->playState(), PlayState::Solved);
        EXPECT_EQ(dialogs.solvedShown, 1);
        ASSERT_EQ(dialogs.offered.size(), 1u);
        EXPECT_EQ(dialogs.offered[0].first, list);
        EXPECT_EQ(dialogs.offered[0].second, form->elapsed());
        EXPECT_EQ(form->drawingArea()->accessibleDescription().left(7), "Solved!");
    }

    QTemporaryDir dir;
    SilentDialogs dialogs;
    RecordingSound sound;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TMainForm> form;
};

TEST_F(KeyOnlyGame, HuxelSolvedWithKeys)
{
    ScriptedRandom random;
    random.script =
        HuxelScrambleScript(3, {{1, 1, HuxelModel::Side::Left, HuxelModel::Turn::Clockwise},
                                {2, 2, HuxelModel::Side::Right, HuxelModel::Turn::CounterClockwise},
                                {2, 1, HuxelModel::Side::Left, HuxelModel::Turn::Clockwise}});
    start(PuzzleHuxel, random);
    const HuxelModel& model = dynamic_cast<Huxel&>(form->module(PuzzleHuxel)).model();
    const auto presses = SolveHuxelByKeys(model);
    ASSERT_TRUE(presses && presses->size() == 3);
    for (const HuxelKeyPress& press : *presses)
        pressAt(press.target, press.right);
    expectSolvedAndOffered("huxe3");
}

} // namespace
