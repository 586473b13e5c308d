#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QTest>
#include <gtest/gtest.h>

#include "app/sound/GameAudio.h"
#include "app/sound/SoundEffects.h"
#include "app/sound/SoundFont.h"
#include "app/sound/SoundModule.h"
#include "app/sound/SynthMusicPlayer.h"

// The real sound modules, on a machine without a sound server (as in CI): loaded from beside the
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
        module = audioModule();
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override { qInstallMessageHandler(previous); }

    QtMessageHandler previous = nullptr;
    SoundModule* module = nullptr;
};

TEST_F(AudioModuleTest, CarriesTheThirteenEffects)
{
    QLibrary library(moduleFolders().first() + "/frobny-office-effects.so");
    ASSERT_TRUE(library.load()) << library.errorString().toStdString();
    for (int i = 0; i < SoundCount; ++i) {
        QFile resource(QStringLiteral(":/sounds/%1.wav").arg(i));
        QFile asset(QStringLiteral(FROBNY_SOURCE_DIR "/assets/sounds/%1.wav").arg(i));
        ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << i;
        ASSERT_TRUE(asset.open(QIODevice::ReadOnly)) << i;
        EXPECT_EQ(resource.readAll(), asset.readAll()) << i;
    }
}

TEST_F(AudioModuleTest, WithoutAServerTheEffectsAreSilentAndSayNothing)
{
    SoundEffects effects([this] { return module; });
    effects.prepare();
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < SoundCount; ++i)
            effects.play(static_cast<Sound>(i));
    QTest::qWait(300);
    EXPECT_TRUE(heard.isEmpty()) << heard.join('\n').toStdString();
}

TEST(SoundServer, ALocalAddressThatIsNotThereMeansNoServer)
{
    const QByteArray kept = qgetenv("PULSE_SERVER");
    struct Case {
        QByteArray address;
        bool mayBeThere;
    };
    const QByteArray folder = QFile::encodeName(QCoreApplication::applicationDirPath());
    for (const Case& c : {Case{"unix:/nonexistent/frobny-no-sound-server", false},
                          Case{"/nonexistent/a unix:/nonexistent/b", false}, Case{"unix:" + folder, true},
                          Case{"/nonexistent/a " + folder, true}, Case{"tcp:localhost:4713", true},
                          Case{"{machine-id}unix:/nonexistent/a", false}}) {
        qputenv("PULSE_SERVER", c.address);
        EXPECT_EQ(soundServerMayBeThere(), c.mayBeThere) << c.address.toStdString();
    }
    qputenv("PULSE_SERVER", kept);
}

TEST_F(AudioModuleTest, WithoutAServerTheMusicWaitsInSilenceAndSaysNothing)
{
    const QString soundFont = findSoundFont();
    if (soundFont.isEmpty())
        GTEST_SKIP() << "no General MIDI SoundFont installed";
    QStringList reports;
    SynthMusicPlayer music([&reports](const QString& reason) { reports << reason; });
    music.start(module, soundFont);
    ASSERT_TRUE(music.open(QStringLiteral(FROBNY_SOURCE_DIR "/assets/music/01-freude.mid")));
    EXPECT_TRUE(music.play());
    ASSERT_TRUE(QTest::qWaitFor([&music] { return !music.starting(); }, 10000));
    // It stands where it is until an output renders it: no message, and the button stays on.
    EXPECT_TRUE(music.isPlaying());
    EXPECT_TRUE(music.play());
    EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
    EXPECT_TRUE(heard.isEmpty()) << heard.join('\n').toStdString();
}

TEST_F(AudioModuleTest, AMissingSoundFontIsReportedOnce)
{
    QStringList reports;
    SynthMusicPlayer music([&reports](const QString& reason) { reports << reason; });
    music.start(module, QStringLiteral("/nonexistent/frobny-no-font.sf2"));
    ASSERT_TRUE(music.open(QStringLiteral(FROBNY_SOURCE_DIR "/assets/music/01-freude.mid")));
    music.play();
    ASSERT_TRUE(QTest::qWaitFor([&music] { return !music.starting(); }, 10000));
    EXPECT_FALSE(music.play());
    EXPECT_FALSE(music.play());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("cannot load the SoundFont")) << reports[0].toStdString();
}

} // namespace
