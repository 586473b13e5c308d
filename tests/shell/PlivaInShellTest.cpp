#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "puzzles/pliva/Pliva.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

namespace {
// PLIVA played through the main window, as a player's pointer and clicks reach it.
TEST(PlivaInShell, HoverClickAndSolveTravelThroughTheWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writePlainBackgrounds(dir.path()));
    SettingsStore settings(dir.path() + "/V1.ini");
    settings.WriteInteger("common", "tongue", 0);
    SeededRandom random(7);
    SilentDialogs dialogs;
    RecordingSound sounds;
    ShellParts parts = gameParts(dir.path() + "/", settings, random, dialogs);
    parts.sound = &sounds;
    parts.sleep = [](unsigned) {};
    TMainForm form(std::move(parts));
    ASSERT_TRUE(form.startedOk());
    form.show();
    QTest::qWait(10);
    auto& pliva = dynamic_cast<Pliva&>(form.module(PuzzlePliva));
    ASSERT_EQ(pliva.model().mode(), 4);

    // Pointer over column 1 of the arrow row: the arrows of that column appear on screen.
    QWidget* box = form.drawingArea();
    QMouseEvent move(QEvent::MouseMove, QPointF(77, 296), box->mapToGlobal(QPointF(77, 296)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    EXPECT_EQ(pliva.pointerColumn(), 1);
    EXPECT_EQ(sounds.played, (std::vector<int>{2}));
    int arrowPixels = 0;
    for (int y = 285; y < 308; ++y)
        for (int x = 30; x < 406; ++x)
            arrowPixels +=
                form.screen().pixel(x, y) == qRgb(255, 0, 0) || form.screen().pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_GT(arrowPixels, 0);

    // A left click there is a move: the play state turns to 1 and the clock runs.
    const auto before = pliva.model().values();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(77, 296));
    EXPECT_EQ(form.playState(), PlayState::InProgress);
    EXPECT_TRUE(sounds.played.back() == 1 || sounds.played.back() == 12);
    EXPECT_EQ(pliva.model().values() != before, sounds.played.back() == 1);
    form.TimerTimer();
    EXPECT_EQ(form.elapsed(), 1);

    // A rising curve set by hand: the next applied move that keeps it rising reports the solve.
    auto& model = pliva.model();
    ASSERT_TRUE(model.setCurve({0, 1, 2, 3, 4}, -1000, 1000));
    model.setArrowColumn(1, {0, 1, 2, 3, 4}); // adds 1, 2, 3, 4: still rising
    pliva.Move(1, +1);
    EXPECT_EQ(form.playState(), PlayState::Solved);
    EXPECT_EQ(dialogs.solvedShown, 1);
    ASSERT_EQ(dialogs.offered.size(), 1u);
    EXPECT_EQ(dialogs.offered[0], std::make_pair(QString("pliv4"), 1));
    pliva.Move(1, +1);
    EXPECT_EQ(dialogs.solvedShown, 1) << "a move after the solve shows no second dialog";
    form.TimerTimer();
    EXPECT_EQ(form.elapsed(), 1) << "the clock stands after the solve";
}
} // namespace
