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

// The game loads its effects module (libpulse) after the first frame only when sound is on, and
// its music module (FluidSynth: megabytes) only when music is on and a piece plays; with both off it
// loads neither until one is switched on.
namespace {

struct Mapped {
    bool effects = false;
    bool music = false;
};

Mapped modulesMapped(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = maps.readAll();
    return {text.contains("frobny-office-effects.so"), text.contains("frobny-office-music.so")};
}

// Starts the game with the stored buttons and says which modules it has loaded once the one it
// should load is there, or once the time is up.
// A server address that may well be there (nothing answers on it, which the game cannot know before
// it asks), unless the game is told of a socket that is missing.
Mapped modulesLoaded(const char* sound, const char* music, int milliseconds,
                     const char* server = "tcp:127.0.0.1:1")
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
    environment.insert("PULSE_SERVER", server);
    QProcess game;
    game.setProcessEnvironment(environment);
    game.start(FROBNY_GAME_PROGRAM, {});
    EXPECT_TRUE(game.waitForStarted(10000));
    QElapsedTimer clock;
    clock.start();
    const bool wantEffects = QByteArray(sound) == "1", wantMusic = QByteArray(music) == "1";
    Mapped mapped;
    while (clock.elapsed() < milliseconds && game.state() == QProcess::Running) {
        QThread::msleep(50);
        mapped = modulesMapped(game.processId());
        if ((wantEffects || wantMusic) && mapped.effects >= wantEffects && mapped.music >= wantMusic)
            break;
    }
    // The other one gets a moment to show up, should it wrongly come too.
    QThread::msleep(500);
    mapped = modulesMapped(game.processId());
    EXPECT_EQ(game.state(), QProcess::Running);
    game.kill();
    game.waitForFinished(10000);
    return mapped;
}

TEST(AudioOnDemand, EachModuleIsLoadedAfterTheFirstFrameOnlyWhenItsPartIsOn)
{
    struct Case {
        const char* sound;
        const char* music;
        int milliseconds;
    };
    for (const Case& c :
         {Case{"1", "0", 20000}, Case{"0", "1", 20000}, Case{"1", "1", 20000}, Case{"0", "0", 3000}}) {
        const Mapped mapped = modulesLoaded(c.sound, c.music, c.milliseconds);
        EXPECT_EQ(mapped.effects, QByteArray(c.sound) == "1") << "sound=" << c.sound << " music=" << c.music;
        EXPECT_EQ(mapped.music, QByteArray(c.music) == "1") << "sound=" << c.sound << " music=" << c.music;
    }
}

TEST(AudioOnDemand, WithoutAServerSocketTheEffectsModuleWaits)
{
    const Mapped mapped = modulesLoaded("1", "0", 3000, "unix:/nonexistent/frobny-no-sound-server");
    EXPECT_FALSE(mapped.effects) << "nothing to connect to: the sound libraries stay out";
}
TEST(AudioOnDemand, SwitchingSoundOnOpensTheEffectsAndMusicOnLeavesThemClosed)
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
        EXPECT_FALSE(sound.effectsStarted());
        form.button(which)->click();
        EXPECT_EQ(sound.effectsStarted(), which == ToolButton::Sound);
    }
}
} // namespace
