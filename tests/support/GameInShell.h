#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/settings/SettingsStore.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// The game's main window with one puzzle current, as a player starts it; Delay only records.
class GameInShell : public testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        settings.WriteInteger("common", "tongue", 0);
    }

    TMainForm& start(int puzzle)
    {
        settings.WriteInteger("common", "mode", puzzle);
        ShellParts parts = gameParts(dir.path() + "/", settings, *randomSource, dialogs);
        parts.sound = &sounds;
        parts.sleep = [this](unsigned ms) { sleeps.push_back(ms); };
        form = std::make_unique<TMainForm>(std::move(parts));
        EXPECT_TRUE(form->startedOk());
        form->show();
        QTest::qWait(10);
        return *form;
    }

    void move(QPoint at)
    {
        QMouseEvent event(QEvent::MouseMove, at, form->drawingArea()->mapToGlobal(at), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form->drawingArea(), &event);
    }

    void click(QPoint at, Qt::MouseButton button) { QTest::mouseClick(form->drawingArea(), button, {}, at); }

    QTemporaryDir dir;
    SettingsStore settings{dir.path() + "/V1.ini"};
    SeededRandom random{5};
    RandomSource* randomSource = &random; // what the puzzles draw from
    SilentDialogs dialogs;
    RecordingSound sounds;
    std::vector<unsigned> sleeps;
    std::unique_ptr<TMainForm> form;
};
