#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/GameDialogs.h"
#include "app/GameMain.h"
#include "app/MainForm.h"
#include "app/core/RandomSource.h"
#include "app/settings/SettingsStore.h"
#include "support/ShellFakes.h"

namespace {
// Answers the next modal dialog with a key, once it is up.
void answerNextDialogWith(Qt::Key key)
{
    QTimer::singleShot(20, [key] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            QTest::keyClick(dialog, key);
    });
}

// The game's own windows around the main window, built and torn down as the program does.
TEST(GameDialogs, RealDialogsAnswerTheShellAndGoAwayWithTheWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writePlainBackgrounds(dir.path()));
    SettingsStore settings(dir.path() + "/V1.ini");
    settings.WriteInteger("common", "tongue", 0);
    ClockRandom random;
    GameDialogs dialogs; // declared first, so it outlives the window as in the program
    auto form = std::make_unique<TMainForm>(gameParts(dir.path() + "/", settings, random, dialogs));
    ASSERT_TRUE(form->startedOk());
    dialogs.attach(form.get(), form->tongueRef(), settings);
    form->show();
    QTest::qWait(10);

    form->setPlayState(PlayState::InProgress);
    answerNextDialogWith(Qt::Key_Escape);
    form->MixBtnClick();
    EXPECT_EQ(form->playState(), PlayState::InProgress) << "Esc in the give-up dialog keeps the puzzle";

    answerNextDialogWith(Qt::Key_Escape);
    EXPECT_FALSE(form->close());
    answerNextDialogWith(Qt::Key_Return);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(settings.ReadString("common", "tongue", "?"), "0");
    form.reset();
}
} // namespace
