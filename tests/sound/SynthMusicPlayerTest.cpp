#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/sound/SynthMusicPlayer.h"
#include "sound/SoundFakes.h"

namespace {

// The shortest Standard MIDI File: one track with one note.
const QByteArray tinyPiece("MThd\0\0\0\x06\0\0\0\x01\x01\xE0"
                           "MTrk\0\0\0\x0C\0\x90\x3C\x40\x60\x80\x3C\x40\0\xFF\x2F\0",
                           34);

class SynthMusicPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeFile("a.mid", tinyPiece);
        writeFile("b.mid", tinyPiece + tinyPiece);
    }

    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Lets the synthesiser start and waits until the player has taken it over (or seen it fail).
    void startSynthesiser()
    {
        module.release();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !player.starting(); }));
    }

    QTemporaryDir dir;
    FakeModule module;
    QStringList reports;
    SynthMusicPlayer player{[this](const QString& reason) { reports << reason; }};
    CallLog& engineLog = module.engine->log;
};

TEST_F(SynthMusicPlayerTest, APiecePlayedBeforeTheSynthesiserRunsStartsWhenItDoes)
{
    player.start(&module, "/fonts/TimGM6mb.sf2");
    ASSERT_TRUE(player.open(path("a.mid")));
    ASSERT_TRUE(player.play());
    EXPECT_TRUE(player.isPlaying()) << "the keep-alive must not ask again while the synthesiser starts";

    startSynthesiser();
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(engineLog, (CallLog{"load 34", "play"}));
    EXPECT_EQ(module.soundFontAsked, "/fonts/TimGM6mb.sf2");
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(SynthMusicPlayerTest, PlayAfterTheEndStartsThePieceAgainAndPauseResumes)
{
    player.start(&module, "/fonts/TimGM6mb.sf2");
    ASSERT_TRUE(player.open(path("a.mid")));
    EXPECT_FALSE(player.isPlaying()) << "an opened piece waits to be played";
    ASSERT_TRUE(player.play());
    startSynthesiser();
    EXPECT_TRUE(player.isPlaying());

    module.engineMade->endPiece();
    EXPECT_FALSE(player.isPlaying());
    ASSERT_TRUE(player.play());
    EXPECT_TRUE(player.isPlaying());

    player.pause();
    EXPECT_FALSE(player.isPlaying());
    player.pause();
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(engineLog, (CallLog{"load 34", "play", "play", "stop", "play"})) << "resuming does not reload";

    player.stop();
    player.close();
    ASSERT_TRUE(player.open(path("b.mid")));
    EXPECT_EQ(engineLog, (CallLog{"load 34", "play", "play", "stop", "play", "stop", "unload", "load 68"}));
}

TEST_F(SynthMusicPlayerTest, TheSynthesiserStartsOnlyWhenMusicIsFirstPlayed)
{
    player.start(&module, "/fonts/TimGM6mb.sf2");
    ASSERT_TRUE(player.open(path("a.mid")));
    player.pause();
    player.pause();
    EXPECT_FALSE(player.isPlaying()) << "pausing what does not play leaves it still";
    EXPECT_FALSE(player.starting());
    module.release();
    QTest::qWait(20);
    EXPECT_EQ(module.starts, 0);

    ASSERT_TRUE(player.play());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !player.starting(); }));
    EXPECT_EQ(module.starts, 1);
    EXPECT_EQ(engineLog, (CallLog{"load 34", "play"}));

    // Played before it knew what to start with, a player starts at once when told.
    SynthMusicPlayer early([](const QString&) {});
    ASSERT_TRUE(early.open(path("a.mid")));
    ASSERT_TRUE(early.play());
    early.start(&module, "/fonts/TimGM6mb.sf2");
    ASSERT_TRUE(QTest::qWaitFor([&early] { return !early.starting(); }));
    EXPECT_EQ(module.starts, 2);
    EXPECT_TRUE(early.isPlaying());
}

TEST_F(SynthMusicPlayerTest, ASynthesiserThatCannotStartMakesPlayFailWithOneReport)
{
    module.startWorks = false;
    player.start(&module, "/fonts/TimGM6mb.sf2");
    ASSERT_TRUE(player.open(path("a.mid")));
    ASSERT_TRUE(player.play());
    startSynthesiser();
    EXPECT_FALSE(player.isPlaying()) << "the keep-alive has to ask once more to hear of the failure";
    for (int tick = 0; tick < 5; ++tick)
        EXPECT_FALSE(player.play());
    EXPECT_EQ(reports, QStringList{"cannot start the audio output"});
}

TEST_F(SynthMusicPlayerTest, NoModuleOrNoSoundFontMeansNoMusic)
{
    struct Case {
        bool withModule;
        QString soundFont;
        QString reason;
    };
    const Case cases[] = {{false, "/fonts/TimGM6mb.sf2", "the music module cannot be loaded"},
                          {true, "", "no General MIDI SoundFont is installed"}};
    for (const Case& c : cases) {
        QStringList said;
        SynthMusicPlayer music([&said](const QString& reason) { said << reason; });
        music.start(c.withModule ? &module : nullptr, c.soundFont);
        ASSERT_TRUE(music.open(path("a.mid")));
        EXPECT_FALSE(music.play());
        EXPECT_FALSE(music.isPlaying());
        EXPECT_EQ(said, QStringList{c.reason});
    }
}

TEST_F(SynthMusicPlayerTest, AFileThatIsNoMusicCannotBeOpened)
{
    writeFile("notes.mid", "these are not notes");
    player.start(&module, "/fonts/TimGM6mb.sf2");
    startSynthesiser();
    EXPECT_FALSE(player.open(path("missing.mid")));
    EXPECT_FALSE(player.open(path("notes.mid")));
    EXPECT_FALSE(player.play());
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].startsWith("cannot read " + path("missing.mid"))) << reports[0].toStdString();
    EXPECT_TRUE(engineLog.empty());
}

TEST_F(SynthMusicPlayerTest, TheSynthesiserGoesOnAnotherThreadWhenThePlayerGoes)
{
    const auto waitGone = [this] {
        std::unique_lock lock(module.engine->mutex);
        return module.engine->gone.wait_for(lock, std::chrono::seconds(10),
                                            [this] { return module.engine->deleted; });
    };
    {
        SynthMusicPlayer music([](const QString&) {});
        music.start(&module, "/fonts/TimGM6mb.sf2");
        ASSERT_TRUE(music.open(path("a.mid")));
        ASSERT_TRUE(music.play());
        module.release();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !music.starting(); }));
    }
    ASSERT_TRUE(waitGone());
    EXPECT_NE(module.engine->deletedOn, std::this_thread::get_id());
    EXPECT_EQ(engineLog, (CallLog{"load 34", "play", "stop", "unload"})) << "it falls silent first";
}

TEST_F(SynthMusicPlayerTest, APlayerGoneBeforeItsSynthesiserStartedLeavesItToTheWorker)
{
    {
        SynthMusicPlayer music([](const QString&) {});
        music.start(&module, "/fonts/TimGM6mb.sf2");
        ASSERT_TRUE(music.open(path("a.mid")));
        ASSERT_TRUE(music.play());
    }
    module.release();
    std::unique_lock lock(module.engine->mutex);
    ASSERT_TRUE(module.engine->gone.wait_for(lock, std::chrono::seconds(10),
                                             [this] { return module.engine->deleted; }));
    EXPECT_NE(module.engine->deletedOn, std::this_thread::get_id());
}

} // namespace
