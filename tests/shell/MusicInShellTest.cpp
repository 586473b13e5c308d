#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/GameMain.h"
#include "app/MainForm.h"
#include "app/settings/SettingsStore.h"
#include "support/FakeShell.h"
#include "support/ShellFakes.h"

namespace {

// A media player that does what it is told and writes it down.
class ScriptedMusic final : public MusicPlayer {
  public:
    bool open(const QString& file) override
    {
        const QString name = QFileInfo(file).fileName();
        log << "open " + name;
        return !cannotOpen.contains(name);
    }
    void close() override { log << "close"; }
    bool play() override
    {
        log << "play";
        playing = playWorks;
        return playWorks;
    }
    void stop() override
    {
        log << "stop";
        playing = false;
    }
    void pause() override
    {
        log << "pause";
        playing = false;
    }
    bool isPlaying() const override { return playing; }

    QStringList log;
    bool playing = false;
    bool playWorks = true;
    QStringList cannotOpen;
};

class MusicInShellTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writePlainBackgrounds(dir.path()));
        settings.WriteInteger("common", "tongue", 0);
    }

    void addFiles(const QStringList& names)
    {
        for (const QString& name : names) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    TMainForm& start()
    {
        ShellParts parts = gameParts(dir.path() + "/", settings, random, dialogs);
        parts.music = &music;
        form = std::make_unique<TMainForm>(std::move(parts));
        return *form;
    }

    QToolButton* midi() const { return form->button(ToolButton::Midi); }

    // The music button clicked, and what the player was asked meanwhile.
    QStringList click()
    {
        music.log.clear();
        midi()->click();
        return music.log;
    }

    QStringList tick()
    {
        music.log.clear();
        form->TimerTimer();
        return music.log;
    }

    QTemporaryDir dir;
    SettingsStore settings{dir.filePath("V1.ini")};
    SeededRandom random;
    SilentDialogs dialogs;
    ScriptedMusic music;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MusicInShellTest, ThreePiecesTakeTurnsInNameOrderEachTimeTheMusicIsSwitchedOn)
{
    addFiles({"c.mid", "a.mid", "b.mid", "notes.txt", "b.midi"});
    start();
    EXPECT_EQ(music.log, QStringList{"open a.mid"});
    EXPECT_TRUE(midi()->isEnabled());
    EXPECT_EQ(tick(), QStringList{"play"}) << "the first tick starts the music";
    EXPECT_EQ(tick(), QStringList{}) << "it plays: nothing to do";

    for (const char* piece : {"b.mid", "c.mid", "a.mid", "b.mid"}) {
        EXPECT_EQ(click(), QStringList{"pause"});
        EXPECT_FALSE(midi()->isChecked());
        EXPECT_EQ(tick(), QStringList{}) << "switched off, the music stays off";
        EXPECT_EQ(click(), (QStringList{"stop", "close", QString("open ") + piece, "play"}));
        EXPECT_EQ(tick(), QStringList{});
    }
}

TEST_F(MusicInShellTest, OnePieceRepeatsAndStartsAgainFromItsBeginningWhenSwitchedOn)
{
    addFiles({"only.mid"});
    start();
    EXPECT_EQ(tick(), QStringList{"play"});
    music.playing = false; // the piece has ended
    EXPECT_EQ(tick(), QStringList{"play"});
    EXPECT_EQ(click(), QStringList{"pause"});
    EXPECT_EQ(click(), (QStringList{"stop", "close", "open only.mid", "play"}));
}

TEST_F(MusicInShellTest, WithMusicOffAtStartTheFirstSwitchOnPlaysTheSecondPiece)
{
    settings.WriteBool("common", "music", false);
    addFiles({"a.mid", "b.mid"});
    start();
    EXPECT_FALSE(midi()->isChecked());
    EXPECT_EQ(tick(), QStringList{});
    EXPECT_EQ(click(), (QStringList{"stop", "close", "open b.mid", "play"}));
}

TEST_F(MusicInShellTest, HiddenFilesAreMusicToo)
{
    addFiles({".intro.mid"});
    start();
    EXPECT_EQ(music.log, QStringList{"open .intro.mid"});
    EXPECT_TRUE(midi()->isEnabled());
}

TEST_F(MusicInShellTest, WithoutMusicTheButtonIsOffAndItsStoredStateIsKept)
{
    for (bool stored : {true, false}) {
        settings.WriteBool("common", "music", stored);
        music.log.clear();
        start();
        EXPECT_FALSE(midi()->isEnabled());
        EXPECT_EQ(midi()->isChecked(), stored);
        EXPECT_EQ(tick(), QStringList{});
        EXPECT_EQ(click(), QStringList{}) << "a disabled button does nothing";
        form->close();
        EXPECT_EQ(settings.ReadString("common", "music", "?"), stored ? "1" : "0");
    }
}

TEST_F(MusicInShellTest, MusicThatCannotSoundTurnsTheButtonOffOnce)
{
    addFiles({"a.mid", "b.mid"});
    music.cannotOpen = {"a.mid"};
    start();
    EXPECT_FALSE(midi()->isEnabled()) << "the first piece cannot be opened";
    EXPECT_EQ(tick(), QStringList{});

    music.cannotOpen.clear();
    music.playWorks = false;
    start();
    EXPECT_TRUE(midi()->isEnabled());
    EXPECT_EQ(tick(), QStringList{"play"});
    EXPECT_FALSE(midi()->isEnabled()) << "no music can sound";
    EXPECT_EQ(tick(), QStringList{}) << "and the next tick does not try again";
    EXPECT_TRUE(midi()->isChecked());

    music.playWorks = true;
    music.cannotOpen = {"b.mid"};
    start();
    tick();
    click();
    EXPECT_EQ(click(), (QStringList{"stop", "close", "open b.mid"}));
    EXPECT_FALSE(midi()->isEnabled()) << "the next piece cannot be opened";

    music.cannotOpen.clear();
    start();
    tick();
    click();
    music.playWorks = false;
    EXPECT_EQ(click(), (QStringList{"stop", "close", "open b.mid", "play"}));
    EXPECT_FALSE(midi()->isEnabled()) << "the next piece cannot sound";
}

TEST_F(MusicInShellTest, ClosingTheWindowStopsTheMusic)
{
    addFiles({"a.mid"});
    start();
    tick();
    music.log.clear();
    form->close();
    EXPECT_EQ(music.log, QStringList{"stop"});
    EXPECT_FALSE(music.playing);
}

} // namespace
