#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/settings/SettingsStore.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// The game loads its audio module (Qt Multimedia, FluidSynth: megabytes) after the first frame
// only when sound or music is on; with both off it never does until one is switched on.
namespace {

bool audioModuleMapped(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("frobny-office-audio.so");
}

// Starts the game with the stored buttons and says whether the module is loaded within the time.
bool moduleLoadedWithin(const char* sound, const char* music, int milliseconds)
{
    QTemporaryDir config;
    QDir().mkpath(config.filePath("FrobnyGames/FrobnyOffice"));
    QFile ini(config.filePath("FrobnyGames/FrobnyOffice/V1.ini"));
    EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QByteArray("[common]\ntongue=1\nsound=") + sound + "\nmusic=" + music + "\n");
    ini.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("PULSE_SERVER", "unix:/nonexistent/frobny-no-sound-server");
    QProcess game;
    game.setProcessEnvironment(environment);
    game.start(FROBNY_GAME_PROGRAM, {});
    EXPECT_TRUE(game.waitForStarted(10000));
    QElapsedTimer clock;
    clock.start();
    bool loaded = false;
    while (!loaded && clock.elapsed() < milliseconds && game.state() == QProcess::Running) {
        QThread::msleep(50);
        loaded = audioModuleMapped(game.processId());
    }
    EXPECT_EQ(game.state(), QProcess::Running);
    game.kill();
    game.waitForFinished(10000);
    return loaded;
}

TEST(AudioOnDemand, LoadedAfterTheFirstFrameOnlyWhenSoundOrMusicIsOn)
{
    EXPECT_TRUE(moduleLoadedWithin("1", "0", 20000));
    EXPECT_TRUE(moduleLoadedWithin("0", "1", 20000));
    EXPECT_FALSE(moduleLoadedWithin("0", "0", 3000));
}
TEST(AudioOnDemand, SwitchingSoundOrMusicOnStartsIt)
{
    for (ToolButton which : {ToolButton::Sound, ToolButton::Midi}) {
        QTemporaryDir dir;
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        ASSERT_TRUE(QFile::copy(FROBNY_SOURCE_DIR "/assets/music/01-freude.mid", dir.filePath("a.mid")));
        SettingsStore settings(dir.filePath("V1.ini"));
        settings.WriteInteger("common", "tongue", 1);
        settings.WriteBool("common", "sound", false);
        settings.WriteBool("common", "music", false);
        SeededRandom random;
        SilentDialogs dialogs;
        GameSound sound;
        TMainForm form(gameParts(dir.path() + "/", settings, random, dialogs, &sound));
        ASSERT_TRUE(form.startedOk());
        startSoundWhenWanted(form, sound);
        EXPECT_FALSE(sound.started());
        form.button(which)->click();
        EXPECT_TRUE(sound.started());
    }
}
} // namespace
