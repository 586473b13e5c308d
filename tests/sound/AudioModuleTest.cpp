#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include "app/sound/GameAudio.h"
#include "app/sound/SoundEffects.h"
#include "app/sound/SoundFont.h"
#include "app/sound/SoundModule.h"
#include "app/sound/SynthMusicPlayer.h"

// The real audio module, on a machine without a sound server (as in CI): loaded from beside the
// test program.
namespace {

QStringList heard;

void keepMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    heard << message;
}

class AudioModuleTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        // Before Qt or FluidSynth first look for a server, point them at one that is not there.
        qputenv("PULSE_SERVER", "unix:/nonexistent/frobny-no-sound-server");
        heard.clear();
        previous = qInstallMessageHandler(keepMessage);
        module = audioModule(&error);
        ASSERT_NE(module, nullptr) << error.toStdString();
    }
    void TearDown() override { qInstallMessageHandler(previous); }

    QtMessageHandler previous = nullptr;
    QString error;
    SoundModule* module = nullptr;
};

TEST_F(AudioModuleTest, CarriesTheThirteenEffects)
{
    for (int i = 0; i < SoundCount; ++i) {
        QFile resource(QStringLiteral(":/sounds/%1.wav").arg(i));
        QFile asset(QStringLiteral(FROBNY_SOURCE_DIR "/assets/sounds/%1.wav").arg(i));
        ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << i;
        ASSERT_TRUE(asset.open(QIODevice::ReadOnly)) << i;
        EXPECT_EQ(resource.readAll(), asset.readAll()) << i;
    }
}

TEST_F(AudioModuleTest, WithoutAnOutputTheEffectsAreSilentAndSayNothing)
{
    if (module->hasAudioOutput())
        GTEST_SKIP() << "a sound server answered";
    SoundEffects effects([this] { return module; });
    effects.prepare();
    for (int i = 0; i < SoundCount; ++i)
        effects.play(static_cast<Sound>(i));
    // Qt would say what it thinks in the background, once the effects have loaded.
    QTest::qWait(300);
    EXPECT_TRUE(heard.isEmpty()) << heard.join('\n').toStdString();
}

TEST_F(AudioModuleTest, WithoutAnOutputTheMusicFailsOnceWithItsReason)
{
    const QString soundFont = findSoundFont();
    if (soundFont.isEmpty())
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    QStringList reports;
    SynthMusicPlayer music([&reports](const QString& reason) { reports << reason; });
    music.start(module, soundFont);
    ASSERT_TRUE(music.open(QStringLiteral(FROBNY_SOURCE_DIR "/assets/music/01-freude.mid")));
    // The synthesiser starts in the background and may have failed already when play() looks.
    music.play();
    ASSERT_TRUE(QTest::qWaitFor([&music] { return !music.starting(); }, 10000));
    EXPECT_FALSE(music.isPlaying());
    EXPECT_FALSE(music.play());
    EXPECT_FALSE(music.play());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("cannot start the audio output")) << reports[0].toStdString();
    EXPECT_TRUE(heard.isEmpty()) << heard.join('\n').toStdString();
}

} // namespace
