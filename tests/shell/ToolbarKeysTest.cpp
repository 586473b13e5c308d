#include <QTest>
#include <gtest/gtest.h>

#include "app/ToolbarKeys.h"
#include "support/MainFormFixture.h"

namespace {

using Log = std::vector<std::string>;

// The main window in play, focus on the drawing area, a music file to make the music button live.
class ToolbarKeysTest : public MainFormFixture {
  protected:
    struct Outcome {
        Log log;
        int puzzle;
        PlayState state;
        bool clockReset;
        bool sound;
        bool music;
        int tongue;
        int level;
        bool operator==(const Outcome&) const = default;
    };

    TMainForm& playing(int puzzle, PlayState state)
    {
        QFile::remove(iniPath()); // each run starts from the same settings
        QFile music(dataDir() + "tune.mid");
        EXPECT_TRUE(music.open(QIODevice::WriteOnly));
        music.close();
        TMainForm& f = shown();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        f.SwitchPuzzle(puzzle);
        f.setPlayState(state);
        f.setElapsed(12);
        log.clear();
        return f;
    }

    Outcome outcome()
    {
        QTest::qWait(1);
        // ZUPEL's blink comes with the clock's ticks, however many a slow run lets pass.
        std::erase_if(log, [](const std::string& entry) { return entry.ends_with("TimerTick"); });
        TMainForm& f = *form;
        return {std::exchange(log, {}),
                f.currentPuzzle(),
                f.playState(),
                f.elapsed() == 0,
                f.button(ToolButton::Sound)->isChecked(),
                f.button(ToolButton::Midi)->isChecked(),
                f.tongue(),
                modules[f.currentPuzzle()]->level};
    }

    void press(const QKeyCombination& key)
    {
        QTest::keyClick(form->drawingArea(), key.key(), key.keyboardModifiers());
    }

    // A key held down: the desktop repeats it as release and press pairs marked auto-repeat.
    void hold(const QKeyCombination& key, int repeats = 3)
    {
        QWidget* box = form->drawingArea();
        const auto send = [&](bool down, bool repeat) {
            QTest::simulateEvent(box, down, key.key(), key.keyboardModifiers(), QString(), repeat);
        };
        send(true, false);
        for (int i = 0; i < repeats; ++i) {
            send(false, true);
            send(true, true);
        }
        send(false, false);
    }
};

// The level keys against presses on the halves of the level buttons: the key must reach the
// same button with the same direction, asking the same question.
struct LevelKeyCase {
    const char* name;
    QKeyCombination key;
    int puzzle;
    ToolButton button;
    bool up;
    Log expected; // from level 7, in a puzzle in progress, "give up?" answered yes
    int level;    // afterwards
};

void PrintTo(const LevelKeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class LevelKeyTest : public ToolbarKeysTest, public ::testing::WithParamInterface<LevelKeyCase> {};

constexpr QPoint UpperHalf(15, 3);
constexpr QPoint LowerHalf(3, 15);

TEST_P(LevelKeyTest, StepsLikeAPressOnTheMatchingHalf)
{
    const LevelKeyCase& c = GetParam();
    playing(c.puzzle, PlayState::InProgress);
    press(c.key);
    const Outcome byKey = outcome();
    EXPECT_EQ(byKey.log, c.expected);
    EXPECT_EQ(byKey.level, c.level);
    EXPECT_EQ(byKey.clockReset, c.level != 7);

    playing(c.puzzle, PlayState::InProgress);
    QToolButton* button = form->button(c.button);
    QTest::mousePress(button, Qt::LeftButton, {}, c.up ? UpperHalf : LowerHalf);
    QTest::mouseRelease(button, Qt::LeftButton, {}, c.up ? UpperHalf : LowerHalf);
    EXPECT_TRUE(outcome() == byKey) << "the mouse on that half, from the same start";
}

Log askedThen(const std::string& entry)
{
    return {"askGiveUp [timer off]", entry};
}

constexpr auto Keypad = Qt::KeypadModifier;
constexpr auto Ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Keys, LevelKeyTest,
    ::testing::Values(LevelKeyCase{"plus", Qt::Key_Plus, PuzzleVexor, ToolButton::Option, true,
                                   askedThen("2 Option up"), 8},
                      LevelKeyCase{"keypad_plus", Keypad | Qt::Key_Plus, PuzzleVexor, ToolButton::Option,
                                   true, askedThen("2 Option up"), 8},
                      LevelKeyCase{"minus", Qt::Key_Minus, PuzzleVexor, ToolButton::Option, false,
                                   askedThen("2 Option down"), 6},
                      LevelKeyCase{"keypad_minus", Keypad | Qt::Key_Minus, PuzzleVexor, ToolButton::Option,
                                   false, askedThen("2 Option down"), 6},
                      LevelKeyCase{"ctrl_plus", Ctrl | Qt::Key_Plus, PuzzleVexor, ToolButton::OptionZ, true,
                                   askedThen("2 OptionZ up"), 8},
                      LevelKeyCase{"ctrl_keypad_plus", Ctrl | Keypad | Qt::Key_Plus, PuzzleVexor,
                                   ToolButton::OptionZ, true, askedThen("2 OptionZ up"), 8},
                      LevelKeyCase{"ctrl_minus", Ctrl | Qt::Key_Minus, PuzzleVexor, ToolButton::OptionZ,
                                   false, askedThen("2 OptionZ down"), 6},
                      LevelKeyCase{"ctrl_keypad_minus", Ctrl | Keypad | Qt::Key_Minus, PuzzleVexor,
                                   ToolButton::OptionZ, false, askedThen("2 OptionZ down"), 6},
                      // The second button is grey under PLIVA: its keys change no level there.
                      LevelKeyCase{"ctrl_keypad_plus_grey",
                                   Ctrl | Keypad | Qt::Key_Plus,
                                   PuzzlePliva,
                                   ToolButton::OptionZ,
                                   true,
                                   {},
                                   7},
                      LevelKeyCase{"ctrl_keypad_minus_grey",
                                   Ctrl | Keypad | Qt::Key_Minus,
                                   PuzzlePliva,
                                   ToolButton::OptionZ,
                                   false,
                                   {},
                                   7},
                      LevelKeyCase{"keypad_minus_pliva", Keypad | Qt::Key_Minus, PuzzlePliva,
                                   ToolButton::Option, false, askedThen("0 Option down"), 6}),
    [](const ::testing::TestParamInfo<LevelKeyCase>& info) { return std::string(info.param.name); });

// Holding any toolbar key acts as one press of it: the desktop's repeats are not presses.
TEST_F(ToolbarKeysTest, HoldingAKeyActsOnce)
{
    dialogs.giveUpAnswer = ShellDialogs::Ok;
    dialogs.endGameAnswer = ShellDialogs::Cancel; // a repeat would ask again
    dialogs.languageChoice = 1;
    for (const ToolbarKey& key : toolbarKeys()) {
        const QKeyCombination combination = key.keys[0];
        const std::string name = key.keys.toString().toStdString();
        // VEXOR: both level buttons are live.
        playing(PuzzleVexor, PlayState::InProgress);
        press(combination);
        const Outcome once = outcome();
        playing(PuzzleVexor, PlayState::InProgress);
        hold(combination);
        const Outcome held = outcome();
        EXPECT_EQ(held.log, once.log) << name;
        EXPECT_TRUE(held == once) << name;
    }
}

// The two a player notices first, spelled out.
TEST_F(ToolbarKeysTest, HoldingSoundOrPlusChangesOneStep)
{
    TMainForm& f = playing(PuzzleVexor, PlayState::Fresh);
    ASSERT_TRUE(f.button(ToolButton::Sound)->isChecked());
    hold(Qt::Key_S);
    EXPECT_FALSE(f.button(ToolButton::Sound)->isChecked()) << "switched off, and not on again";
    hold(Qt::Key_Plus, 4);
    EXPECT_EQ(modules[PuzzleVexor]->level, 8);
    hold(Keypad | Qt::Key_Minus, 4);
    EXPECT_EQ(modules[PuzzleVexor]->level, 7);
}

} // namespace
