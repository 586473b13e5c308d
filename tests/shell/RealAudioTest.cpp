#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QtEndian>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "app/sound/GameAudio.h"
#include "app/sound/SoundFont.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

// Effects and music through a real sound server. shell/audio_null_sink.sh starts a private
// PulseAudio with a null sink and names its monitor in FROBNY_NULL_SINK; without it these skip.
namespace {

struct Recording {
    int peak = 0;
    double seconds = 0.0;
};

class RealAudioTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        monitor = qEnvironmentVariable("FROBNY_NULL_SINK");
        if (monitor.isEmpty())
            GTEST_SKIP() << "needs a sound server: run through shell/audio_null_sink.sh";
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        const QDir music(QStringLiteral(FROBNY_SOURCE_DIR "/assets/music"));
        for (const QString& name : music.entryList({"*.mid"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(music.filePath(name), dir.filePath(name)));
        settings.WriteInteger("common", "tongue", 0);
    }

    static QByteArray pactlList(const QStringList& what)
    {
        QProcess pactl;
        pactl.start("pactl", QStringList{"list"} + what);
        pactl.waitForFinished();
        return pactl.readAllStandardOutput();
    }
    static int recorders() { return pactlList({"short", "source-outputs"}).count('\n'); }
    // Qt's streams, the effects' (the music plays through FluidSynth's own).
    static int effectStreams() { return pactlList({"sink-inputs"}).count("media.name = \"QtmPulseStream"); }

    // Records the sink while the action runs and the event loop turns for the given time; the
    // action waits until the recorder is connected.
    Recording record(int milliseconds, const std::function<void()>& action)
    {
        const int before = recorders();
        QProcess parec;
        parec.start("parec", {"-d", monitor, "--latency-msec=20", "--format=s16le", "--channels=1",
                              "--rate=22050", "--raw"});
        EXPECT_TRUE(parec.waitForStarted());
        EXPECT_TRUE(QTest::qWaitFor([before] { return recorders() > before; }, 10000));
        action();
        QTest::qWait(milliseconds);
        parec.terminate();
        EXPECT_TRUE(parec.waitForFinished());
        const QByteArray raw = parec.readAllStandardOutput();
        Recording result;
        result.seconds = raw.size() / 2 / 22050.0;
        for (qsizetype at = 0; at + 1 < raw.size(); at += 2)
            result.peak =
                std::max(result.peak, std::abs(int(qFromLittleEndian<qint16>(raw.constData() + at))));
        return result;
    }

    QString monitor;
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("V1.ini")};
    SeededRandom random;
    SilentDialogs dialogs;
};

constexpr int Silence = 30; // a null sink is digitally silent; this leaves room for dither

TEST_F(RealAudioTest, EffectsSoundOnlyWithTheSoundButtonDownAndTheMusicPlays)
{
    settings.WriteBool("common", "music", false);
    GameSound sound;
    TMainForm form(gameParts(dir.path() + "/", settings, random, dialogs, &sound));
    ASSERT_TRUE(form.startedOk());
    QToolButton* soundButton = form.button(ToolButton::Sound);
    QToolButton* musicButton = form.button(ToolButton::Midi);
    ASSERT_TRUE(soundButton->isChecked());
    ASSERT_TRUE(musicButton->isEnabled());
    ASSERT_FALSE(musicButton->isChecked());

    // The game starts its sound right after the first frame; the first effect comes right after.
    const Recording first = record(900, [&] {
        sound.start();
        form.PlaySound(Sound::Solved);
    });
    EXPECT_GT(first.seconds, 0.8) << "the recording ran";
    EXPECT_GT(first.peak, 3000) << "the first effect sounds, and in time";

    soundButton->click();
    ASSERT_FALSE(soundButton->isChecked());
    const Recording muted = record(900, [&] { form.PlaySound(Sound::Solved); });
    EXPECT_LT(muted.peak, Silence) << "the sound button is up";

    const Recording music = record(3000, [&] { musicButton->click(); });
    EXPECT_TRUE(musicButton->isEnabled());
    EXPECT_GT(music.peak, 1000) << "the music plays";
    musicButton->click();
    QTest::qWait(2500); // the reverberation dies away
    const Recording paused = record(900, [] {});
    EXPECT_LT(paused.peak, Silence) << "switched off, the music pauses";
}

constexpr int Audible = 1000; // the quietest effect peaks above 5000

TEST_F(RealAudioTest, EveryEffectStillSoundsAfterThousandsOfQuickPlays)
{
    settings.WriteBool("common", "music", false);
    GameSound sound;
    TMainForm form(gameParts(dir.path() + "/", settings, random, dialogs, &sound));
    ASSERT_TRUE(form.startedOk());
    sound.start();
    // A pointer swept to and fro: the hover sound most of all, between the others, each cut off by
    // the next; now and then one has time to start.
    for (int play = 0; play < 3000; ++play) {
        form.PlaySound(play % 2 ? Sound::PlivaColumn : static_cast<Sound>(play / 2 % SoundCount));
        if (play % 100 == 0)
            QTest::qWait(30);
        else
            QCoreApplication::processEvents();
    }
    for (int i = 0; i < SoundCount; ++i) {
        const Recording once = record(400, [&form, i] { form.PlaySound(static_cast<Sound>(i)); });
        EXPECT_GT(once.peak, Audible) << SoundNames[i];
    }
}

TEST_F(RealAudioTest, AnEffectThatHasEndedLeavesNoStreamOpen)
{
    settings.WriteBool("common", "music", false);
    GameSound sound;
    TMainForm form(gameParts(dir.path() + "/", settings, random, dialogs, &sound));
    ASSERT_TRUE(form.startedOk());
    sound.start();
    form.PlaySound(Sound::PlivaColumn);
    EXPECT_EQ(effectStreams(), 1);
    // The sound server could not suspend the output while a stream stays open.
    EXPECT_TRUE(QTest::qWaitFor([] { return effectStreams() == 0; }, 3000));
}

TEST_F(RealAudioTest, APieceThatHasEndedStartsAgainFromItsBeginning)
{
    // Half a second of middle C on the piano.
    const QByteArray note("MThd\0\0\0\x06\0\0\0\x01\x01\xE0"
                          "MTrk\0\0\0\x0D\0\x90\x3C\x64\x83\x60\x80\x3C\x40\0\xFF\x2F\0",
                          35);
    QFile file(dir.filePath("note.mid"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(note);
    file.close();
    QString error;
    SoundModule* module = audioModule(&error);
    ASSERT_NE(module, nullptr) << error.toStdString();
    SynthMusicPlayer music;
    music.start(module, findSoundFont());
    ASSERT_TRUE(music.open(file.fileName()));
    ASSERT_TRUE(music.play());
    ASSERT_TRUE(QTest::qWaitFor([&music] { return !music.starting() && !music.isPlaying(); }, 15000))
        << "the piece ends";
    const Recording again = record(900, [&music] { EXPECT_TRUE(music.play()); });
    EXPECT_TRUE(music.isPlaying());
    EXPECT_GT(again.peak, 1000) << "played again from its beginning";
}

} // namespace
