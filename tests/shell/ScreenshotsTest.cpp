#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

namespace {
// Writes the README's pictures of the four puzzles, with the real artwork beside the test program:
//   FROBNY_SCREENSHOTS=docs/screenshots build/bin/test_shell --gtest_filter='Screenshots.*'
TEST(Screenshots, WriteOnePerPuzzle)
{
    const QString target = qEnvironmentVariable("FROBNY_SCREENSHOTS");
    if (target.isEmpty())
        GTEST_SKIP() << "set FROBNY_SCREENSHOTS to a folder to write them";
    ASSERT_TRUE(QDir().mkpath(target));
    QTemporaryDir configDir;
    SettingsStore settings(configDir.path() + "/V1.ini");
    settings.WriteInteger("common", "tongue", 0); // English
    SeededRandom random(2026);
    SilentDialogs dialogs;
    RecordingSound sounds;
    ShellParts parts = gameParts(QCoreApplication::applicationDirPath() + "/", settings, random, dialogs);
    parts.sound = &sounds;
    parts.sleep = [](unsigned) {};
    TMainForm form(std::move(parts));
    ASSERT_TRUE(form.startedOk());
    form.show();
    const std::array<std::pair<int, const char*>, 4> puzzles{
        {{PuzzlePliva, "pliva"}, {PuzzleZupel, "zupel"}, {PuzzleVexor, "vexor"}, {PuzzleHuxel, "huxel"}}};
    for (const auto& [puzzle, name] : puzzles) {
        form.SwitchPuzzle(puzzle);
        QTest::qWait(20);
        const QString file = QDir(target).filePath(QString(name) + ".png");
        EXPECT_TRUE(form.grab().save(file)) << file.toStdString();
    }
}
} // namespace
