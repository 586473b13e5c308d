#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "app/KeyboardCursor.h"
#include "app/ToolbarKeys.h"
#include "app/texts/Texts.h"
#include "support/MainFormFixture.h"

namespace {

TEST(SteppedTarget, ArrowsFollowRowsAndNearestColumns)
{
    // row 0: columns 0 1 2; row 1: columns 0 2; row 3: column 1 (row 2 has none)
    const std::vector<KeyTarget> targets = {{{}, 0, 0}, {{}, 0, 1}, {{}, 0, 2},
                                            {{}, 1, 0}, {{}, 1, 2}, {{}, 3, 1}};
    struct {
        int from;
        CursorStep step;
        int to;
    } cases[] = {
        {0, CursorStep::Right, 1},    {1, CursorStep::Right, 2},
        {2, CursorStep::Right, 2},    {1, CursorStep::Left, 0},
        {0, CursorStep::Left, 0},     {0, CursorStep::Up, 0},
        {2, CursorStep::Down, 4},     {0, CursorStep::Down, 3},
        {1, CursorStep::Down, 3}, // a tie: the lower column
        {3, CursorStep::Down, 5},     {5, CursorStep::Up, 3},
        {4, CursorStep::Up, 2},       {3, CursorStep::Right, 4},
        {4, CursorStep::Left, 3},     {5, CursorStep::Down, 5},
        {1, CursorStep::RowStart, 0}, {1, CursorStep::RowEnd, 2},
        {0, CursorStep::RowStart, 0}, {4, CursorStep::RowStart, 3},
        {3, CursorStep::RowEnd, 4},   {5, CursorStep::RowEnd, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(steppedTarget(targets, c.from, c.step), c.to)
            << c.from << " step " << static_cast<int>(c.step);
}

class KeyboardPlayTest : public MainFormFixture {
  protected:
    TMainForm& playing()
    {
        TMainForm& f = shown();
        QApplication::setActiveWindow(&f);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        for (RecordingModule* module : modules)
            module->keyTargets = {{{{10, 20}, 0, 0}, {{30, 20}, 0, 1}, {{10, 60}, 1, 0}}, 1};
        log.clear();
        return f;
    }

    std::vector<std::string> key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        log.clear();
        QTest::keyClick(form->drawingArea(), static_cast<Qt::Key>(k), modifiers);
        return std::exchange(log, {});
    }

    QString description() const { return form->drawingArea()->accessibleDescription(); }

    using Log = std::vector<std::string>;
};

TEST_F(KeyboardPlayTest, ArrowsMoveTheCursorAsThePointerWouldAndKeysPress)
{
    TMainForm& f = playing();
    EXPECT_EQ(key(Qt::Key_Right), (Log{"0 Move 30,20", "0 Cursor 1"}))
        << "the first key shows the first place";
    EXPECT_EQ(description(), "0 target 1 tongue -1");
    EXPECT_EQ(key(Qt::Key_Left), (Log{"0 Move 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Left), Log{}) << "at the end of a row nothing moves";
    EXPECT_EQ(key(Qt::Key_Space), (Log{"0 Left 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Return), (Log{"0 Left 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Enter, Qt::KeypadModifier), (Log{"0 Left 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Space, Qt::ShiftModifier), (Log{"0 Right 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Return, Qt::ShiftModifier), (Log{"0 Right 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Menu), (Log{"0 Right 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Down), (Log{"0 Move 10,60", "0 Cursor 2"}));
    EXPECT_EQ(description(), "0 target 2 tongue -1");
    EXPECT_EQ(key(Qt::Key_Space, Qt::AltModifier), Log{}) << "not a key of the cursor";
    EXPECT_EQ(f.keyboardCursor().index(), 2);
}

TEST_F(KeyboardPlayTest, APressWithoutACursorOnlyShowsIt)
{
    playing();
    EXPECT_EQ(key(Qt::Key_Space), (Log{"0 Move 30,20", "0 Cursor 1"}));
}

// A move that takes the cursor's place away sends it to where the puzzle starts it; a place
// that is still there keeps it, whatever its index now.
TEST_F(KeyboardPlayTest, AfterAPressTheCursorFollowsTheTargets)
{
    playing();
    key(Qt::Key_Right);
    key(Qt::Key_Right); // on (30, 20), index 2 of the next set
    modules[0]->keyTargets = {{{{50, 50}, 0, 0}, {{70, 50}, 0, 1}, {{30, 20}, 1, 0}}, 1};
    EXPECT_EQ(key(Qt::Key_Space), (Log{"0 Left 30,20", "0 Cursor 2"}));
    modules[0]->keyTargets = {{{{50, 50}, 0, 0}, {{70, 50}, 0, 1}}, 1};
    EXPECT_EQ(key(Qt::Key_Space), (Log{"0 Left 30,20", "0 Move 70,50", "0 Cursor 1"}));
    modules[0]->keyTargets = {};
    EXPECT_EQ(key(Qt::Key_Space), (Log{"0 Left 70,50", "0 Cursor hidden"}));
    EXPECT_EQ(key(Qt::Key_Right), Log{}) << "a puzzle without places takes no arrow keys";
}

TEST_F(KeyboardPlayTest, ARealPointerMoveHidesTheCursorARepeatedPositionDoesNot)
{
    TMainForm& f = playing();
    QWidget* box = f.drawingArea();
    sendMove(box, QPoint(100, 100));
    EXPECT_EQ(log, (Log{"0 Move 100,100"})) << "the mouse alone never shows the cursor";
    key(Qt::Key_Right);
    log.clear();
    sendMove(box, QPoint(100, 100)); // what Qt sends after a dialog closes
    EXPECT_EQ(log, Log{});
    EXPECT_TRUE(f.keyboardCursor().index());
    sendMove(box, QPoint(101, 100));
    EXPECT_EQ(log, (Log{"0 Cursor hidden", "0 Move 101,100"}));
    EXPECT_EQ(description(), accessibleTexts(-1).keyHelp);
}

// ZUPEL takes no pointer moves and every button picks: the cursor draws its own mark there.
TEST_F(KeyboardPlayTest, APuzzleWithoutHoverGetsOnlyItsMark)
{
    TMainForm& f = playing();
    f.SwitchPuzzle(PuzzleZupel);
    log.clear();
    EXPECT_EQ(key(Qt::Key_Down), (Log{"1 Cursor 1"}));
    EXPECT_EQ(key(Qt::Key_Space, Qt::ShiftModifier), (Log{"1 Left 30,20", "1 Cursor 1"}));
}

TEST_F(KeyboardPlayTest, TheCursorHidesBeforeTheShellReplacesThePuzzle)
{
    TMainForm& f = playing();
    key(Qt::Key_Right);
    log.clear();
    f.MixBtnClick();
    EXPECT_EQ(log, (Log{"0 Cursor hidden", "0 NewPuzzle", "0 PaintPuzzle"}));
    key(Qt::Key_Right);
    log.clear();
    f.OptionBtnMouseDown(15, 3);
    EXPECT_EQ(log, (Log{"0 Cursor hidden", "0 Option up"}));
    key(Qt::Key_Right);
    log.clear();
    f.SwitchPuzzle(PuzzleZupel);
    EXPECT_EQ(log.front(), "0 Cursor hidden");
    EXPECT_EQ(f.drawingArea()->accessibleName(), "ZUPEL");
}

// Each toolbar key against a press of its button, from the same start: the same calls, questions,
// clock and states. A key of a disabled button does nothing.
struct ShortcutCase {
    const char* name;
    QKeySequence key;
    ToolButton button;
    QPoint at; // where the mouse presses the button
    int puzzle;
    PlayState state;
    int answer; // to "give up?" and "end?"
};

void PrintTo(const ShortcutCase& c, std::ostream* os)
{
    *os << c.name;
}

class ToolbarKeyTest : public KeyboardPlayTest, public ::testing::WithParamInterface<ShortcutCase> {
  protected:
    struct Outcome {
        Log log;
        int puzzle;
        PlayState state;
        bool clockReset; // the clock runs on meanwhile, as slowly as the machine lets the test go
        bool sound;
        int tongue;
        bool operator==(const Outcome&) const = default;
    };

    template <typename Act> Outcome run(Act act)
    {
        const ShortcutCase& c = GetParam();
        QFile::remove(iniPath()); // each run starts from the same settings
        dialogs.giveUpAnswer = c.answer;
        dialogs.endGameAnswer = c.answer;
        dialogs.languageChoice = 1;
        TMainForm& f = playing();
        f.SwitchPuzzle(c.puzzle);
        f.setPlayState(c.state);
        f.setElapsed(12);
        log.clear();
        act(f);
        QTest::qWait(1);
        // ZUPEL's blink comes with the clock's ticks, however many a slow run lets pass.
        std::erase_if(log, [](const std::string& entry) { return entry.ends_with("TimerTick"); });
        return {log,
                f.currentPuzzle(),
                f.playState(),
                f.elapsed() == 0,
                f.button(ToolButton::Sound)->isChecked(),
                f.tongue()};
    }
};

TEST_P(ToolbarKeyTest, DoesWhatItsButtonDoes)
{
    const ShortcutCase& c = GetParam();
    const Outcome byMouse = run([&](TMainForm& f) {
        QTest::mousePress(f.button(c.button), Qt::LeftButton, {}, c.at);
        QTest::mouseRelease(f.button(c.button), Qt::LeftButton, {}, c.at);
    });
    const Outcome byKey = run([&](TMainForm& f) {
        const QKeyCombination combination = c.key[0];
        QTest::keyClick(f.drawingArea(), combination.key(), combination.keyboardModifiers());
    });
    EXPECT_EQ(byKey.log, byMouse.log);
    EXPECT_TRUE(byKey == byMouse);
}

TEST_P(ToolbarKeyTest, IsListedInTheKeyTable)
{
    const ShortcutCase& c = GetParam();
    const auto& keys = toolbarKeys();
    EXPECT_TRUE(std::any_of(keys.begin(), keys.end(), [&](const ToolbarKey& k) { return k.keys == c.key; }));
}

constexpr QPoint Middle(11, 11);
constexpr PlayState Fresh = PlayState::Fresh;
constexpr PlayState Playing = PlayState::InProgress;
constexpr int Yes = ShellDialogs::Ok;
constexpr int No = ShellDialogs::Cancel;

INSTANTIATE_TEST_SUITE_P(
    Keys, ToolbarKeyTest,
    ::testing::Values(
        ShortcutCase{"new puzzle, fresh", QKeySequence("Ctrl+N"), ToolButton::Mix, Middle, 0, Fresh, Yes},
        ShortcutCase{"new puzzle, give up? no", QKeySequence("Ctrl+N"), ToolButton::Mix, Middle, 0, Playing,
                     No},
        ShortcutCase{"new puzzle, give up? yes", QKeySequence("Ctrl+N"), ToolButton::Mix, Middle, 0, Playing,
                     Yes},
        ShortcutCase{"level up", QKeySequence(Qt::Key_Plus), ToolButton::Option, {15, 3}, 0, Fresh, Yes},
        ShortcutCase{"level down, give up? no",
                     QKeySequence(Qt::Key_Minus),
                     ToolButton::Option,
                     {3, 15},
                     0,
                     Playing,
                     No},
        ShortcutCase{"keypad level up",
                     QKeySequence(Qt::KeypadModifier | Qt::Key_Plus),
                     ToolButton::Option,
                     {15, 3},
                     3,
                     Playing,
                     Yes},
        ShortcutCase{
            "second level up", QKeySequence("Ctrl++"), ToolButton::OptionZ, {15, 3}, 2, Playing, Yes},
        ShortcutCase{
            "second level down", QKeySequence("Ctrl+-"), ToolButton::OptionZ, {3, 15}, 2, Fresh, Yes},
        ShortcutCase{
            "second level, disabled", QKeySequence("Ctrl++"), ToolButton::OptionZ, {15, 3}, 0, Playing, Yes},
        ShortcutCase{"pause, fresh", QKeySequence(Qt::Key_P), ToolButton::Pause, Middle, 0, Fresh, Yes},
        ShortcutCase{"pause, playing", QKeySequence(Qt::Key_P), ToolButton::Pause, Middle, 1, Playing, Yes},
        ShortcutCase{"pause key", QKeySequence(Qt::Key_Pause), ToolButton::Pause, Middle, 0, Playing, Yes},
        ShortcutCase{"sound", QKeySequence(Qt::Key_S), ToolButton::Sound, Middle, 0, Playing, Yes},
        ShortcutCase{"music, disabled", QKeySequence(Qt::Key_M), ToolButton::Midi, Middle, 0, Playing, Yes},
        ShortcutCase{"high scores", QKeySequence("Ctrl+H"), ToolButton::HighScore, Middle, 2, Playing, Yes},
        ShortcutCase{"end? no", QKeySequence("Ctrl+Q"), ToolButton::Exit, Middle, 0, Playing, No},
        ShortcutCase{"end? yes", QKeySequence("Ctrl+Q"), ToolButton::Exit, Middle, 1, Playing, Yes},
        ShortcutCase{"PLIVA", QKeySequence("Ctrl+1"), puzzleButton(0), Middle, 3, Playing, Yes},
        ShortcutCase{"ZUPEL", QKeySequence("Ctrl+2"), puzzleButton(1), Middle, 0, Playing, Yes},
        ShortcutCase{"VEXOR", QKeySequence("Ctrl+3"), puzzleButton(2), Middle, 0, Fresh, Yes},
        ShortcutCase{"HUXEL", QKeySequence("Ctrl+4"), puzzleButton(3), Middle, 0, Fresh, Yes},
        ShortcutCase{"same puzzle", QKeySequence("Ctrl+1"), puzzleButton(0), Middle, 0, Playing, Yes},
        ShortcutCase{"language", QKeySequence(Qt::Key_L), ToolButton::Tongue, Middle, 0, Playing, Yes},
        ShortcutCase{"help", QKeySequence(Qt::Key_F1), ToolButton::Help, Middle, 0, Playing, Yes},
        ShortcutCase{"about", QKeySequence(Qt::Key_I), ToolButton::Info, Middle, 0, Playing, Yes},
        ShortcutCase{"web site", QKeySequence(Qt::Key_W), ToolButton::Frobny, Middle, 0, Playing, Yes}),
    [](const ::testing::TestParamInfo<ShortcutCase>& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// What a press announces is not talked over by the place under the cursor; the next key is.
TEST_F(KeyboardPlayTest, APressThatAnnouncesKeepsItsAnnouncement)
{
    playing();
    modules[0]->announceOnLeft = "refused";
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    EXPECT_EQ(description(), "refused");
    key(Qt::Key_Space);
    EXPECT_EQ(description(), "refused") << "said again";
    modules[0]->announceOnLeft.clear();
    key(Qt::Key_Space);
    EXPECT_EQ(description(), "0 target 1 tongue -1");
    key(Qt::Key_Down);
    EXPECT_EQ(description(), "0 target 2 tongue -1");
}

TEST_F(KeyboardPlayTest, RulesKeyOpensTheRulesOfTheCurrentPuzzle)
{
    TMainForm& f = playing();
    f.SwitchPuzzle(PuzzleHuxel);
    EXPECT_EQ(key(Qt::Key_R), (Log{"showRules 3 [timer off]"}));
}

TEST_F(KeyboardPlayTest, ScreenReadersHearNamesInTheCurrentLanguage)
{
    TMainForm& f = playing();
    for (int tongue : {0, 1}) {
        f.setTongue(tongue);
        f.ApplyTexts();
        const AccessibleTexts t = accessibleTexts(tongue);
        QAccessibleInterface* mix = QAccessible::queryAccessibleInterface(f.button(ToolButton::Mix));
        EXPECT_EQ(mix->text(QAccessible::Name), tongue == 1 ? "Neues Rätsel" : "New puzzle");
        EXPECT_EQ(mix->text(QAccessible::Description), mainWindowTexts(tongue, true, true).mix) << "the hint";
        EXPECT_EQ(QAccessible::queryAccessibleInterface(f.button(ToolButton::Midi))->text(QAccessible::Name),
                  t.midi);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(f.button(puzzleButton(2)))->text(QAccessible::Name),
                  "VEXOR");
        EXPECT_EQ(description(), t.keyHelp);
    }
    for (ToolButton which : {ToolButton::Mix, ToolButton::Option, ToolButton::OptionZ, ToolButton::Pause,
                             ToolButton::Sound, ToolButton::Midi, ToolButton::HighScore, ToolButton::Exit,
                             ToolButton::Tongue, ToolButton::Help, ToolButton::Info, ToolButton::Frobny})
        EXPECT_FALSE(f.button(which)->accessibleName().isEmpty())
            << f.button(which)->objectName().toStdString();
    QAccessibleInterface* midi = QAccessible::queryAccessibleInterface(f.button(ToolButton::Midi));
    EXPECT_TRUE(midi->state().disabled);
    EXPECT_TRUE(midi->state().checked);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(f.button(ToolButton::Sound))->state().checkable);
}

TEST_F(KeyboardPlayTest, TheClockHasAValueAndTheEndIsAnnounced)
{
    TMainForm& f = playing();
    f.setElapsed(-7);
    QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(f.clockDisplay());
    ASSERT_NE(clock->valueInterface(), nullptr);
    EXPECT_EQ(clock->valueInterface()->currentValue().toInt(), -7);
    EXPECT_EQ(clock->text(QAccessible::Value), "-7");
    EXPECT_EQ(clock->text(QAccessible::Name), "Time");
    f.setElapsed(41);
    f.PuzzleSolved();
    EXPECT_EQ(description(), "Solved! Time: 41.");
    f.setTongue(1);
    f.setPlayState(PlayState::InProgress);
    f.PuzzleFailed();
    EXPECT_EQ(description(), "Kein Zug mehr möglich. Zeit: 41.");
}

// Home and End go to the ends of the cursor's row, J to the place the puzzle pairs with it.
TEST_F(KeyboardPlayTest, HomeEndAndJumpMoveTheCursorAsThePointerWould)
{
    TMainForm& f = playing();
    modules[0]->keyTargets = {{{{10, 20}, 0, 0}, {{30, 20}, 0, 1}, {{50, 20}, 0, 2}, {{10, 60}, 1, 0}}, 1};
    modules[0]->partners = {{2, 3}};
    EXPECT_EQ(key(Qt::Key_End), (Log{"0 Move 30,20", "0 Cursor 1"})) << "the first key shows the first place";
    EXPECT_EQ(key(Qt::Key_End), (Log{"0 Move 50,20", "0 Cursor 2"}));
    EXPECT_EQ(key(Qt::Key_J), (Log{"0 Move 10,60", "0 Cursor 3"}));
    EXPECT_EQ(description(), "0 target 3 tongue -1");
    EXPECT_EQ(key(Qt::Key_J), Log{}) << "no partner: the cursor stays";
    EXPECT_EQ(description(), "No jump from here.");
    EXPECT_EQ(key(Qt::Key_Up), (Log{"0 Move 10,20", "0 Cursor 0"}));
    key(Qt::Key_End);
    EXPECT_EQ(key(Qt::Key_Home), (Log{"0 Move 10,20", "0 Cursor 0"}));
    EXPECT_EQ(key(Qt::Key_Home), Log{});
    EXPECT_EQ(f.keyboardCursor().index(), 0);
}

// A step the targets end: the cursor stays, and the place is said again, even when unchanged.
TEST_F(KeyboardPlayTest, AStepPastTheEndSaysThePlaceAgain)
{
    TMainForm& f = playing();
    modules[0]->keyTargets = {{{{10, 20}, 0, 0}, {{30, 20}, 0, 1}}, 0};
    key(Qt::Key_Right);
    for (const int past : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left}) {
        const int before = f.announcementCount();
        EXPECT_EQ(key(past), Log{});
        EXPECT_EQ(f.announcementCount(), before + 1);
        EXPECT_EQ(description(), "0 target 0 tongue 0") << "English, as the fixture's language";
    }
}

// B and Ctrl with the arrows read; they never press and never move the cursor.
TEST_F(KeyboardPlayTest, ReadingKeysSayTheBoardRowsAndColumnsWithoutPressing)
{
    TMainForm& f = playing();
    modules[0]->board = "board";
    modules[0]->review = {4, 3, 2, 1};
    key(Qt::Key_Right);
    const struct {
        int key;
        const char* said;
    } steps[] = {
        {Qt::Key_B, "board 0 tongue 0"},
        {Qt::Key_Down, "row 2 tongue 0"}, // the first reading starts where the puzzle says
        {Qt::Key_Down, "row 3 tongue 0"},
        {Qt::Key_Down, "row 3 tongue 0"}, // the last row stays
        {Qt::Key_Up, "row 2 tongue 0"},
        {Qt::Key_Left, "column 1 tongue 0"},
        {Qt::Key_Left, "column 0 tongue 0"},
        {Qt::Key_Left, "column 0 tongue 0"},
        {Qt::Key_Right, "column 1 tongue 0"},
        {Qt::Key_Right, "column 2 tongue 0"},
        {Qt::Key_Right, "column 2 tongue 0"},
        {Qt::Key_Up, "row 1 tongue 0"},
        {Qt::Key_Up, "row 0 tongue 0"},
        {Qt::Key_Up, "row 0 tongue 0"},
    };
    // English for any language value but German, as every text of the game.
    for (const auto& step : steps) {
        const Qt::KeyboardModifiers modifiers = step.key == Qt::Key_B ? Qt::NoModifier : Qt::ControlModifier;
        EXPECT_EQ(key(step.key, modifiers), Log{}) << step.said;
        EXPECT_EQ(description(), step.said);
    }
    EXPECT_EQ(f.keyboardCursor().index(), 1);
    f.setTongue(1);
    f.ApplyTexts();
    EXPECT_EQ(description(), "row 0 tongue 1") << "said again in the new language";
    f.setTongue(0);
    f.ApplyTexts();

    key(Qt::Key_Space); // the board changed: reading starts afresh
    key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(description(), "row 2 tongue 0");
    modules[0]->review = {0, 5, 0, 7};
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(description(), "This puzzle has no rows to read.");
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(description(), "column 4 tongue 0") << "a start beyond the grid is clamped";
    modules[0]->board.clear();
    key(Qt::Key_B);
    EXPECT_EQ(description(), "This puzzle has no summary.");
}

// The end of a game is heard with what the same press said before it, in either language.
TEST_F(KeyboardPlayTest, TheEndKeepsWhatThePressSaidBeforeIt)
{
    TMainForm& f = playing();
    modules[0]->announceOnLeft = "three units charged.";
    modules[0]->solveOnLeft = true;
    f.setElapsed(40);
    key(Qt::Key_Right);
    key(Qt::Key_Space);
    EXPECT_EQ(description(), "three units charged. Solved! Time: 40.");
    f.setTongue(1);
    f.ApplyTexts();
    EXPECT_EQ(description(), "three units charged. (de) Gelöst! Zeit: 40.");

    // A later press starts a story of its own.
    f.setPlayState(PlayState::InProgress);
    modules[0]->solveOnLeft = false;
    key(Qt::Key_Space);
    EXPECT_EQ(description(), "three units charged. (de)");
    f.PuzzleSolved();
    EXPECT_EQ(description(), "Gelöst! Zeit: 40.") << "not within a press";
}

// What happens without a key at the cursor is said too, with the board's line where it changed.
TEST_F(KeyboardPlayTest, NewPuzzleLevelPauseAndSwitchAreAnnounced)
{
    TMainForm& f = playing();
    for (RecordingModule* module : modules)
        module->board = "board";
    const struct {
        const char* name;
        std::function<void()> act;
        const char* english;
        const char* german;
    } cases[] = {
        {"new puzzle", [&] { f.MixBtnClick(); }, "New puzzle. board 0 tongue 0",
         "Neues Rätsel. board 0 tongue 1"},
        {"level up", [&] { f.OptionBtnMouseDown(15, 3); }, "One level up. board 0 tongue 0",
         "Eine Stufe höher. board 0 tongue 1"},
        {"level down", [&] { f.OptionBtnMouseDown(3, 15); }, "One level down. board 0 tongue 0",
         "Eine Stufe tiefer. board 0 tongue 1"},
        {"highest",
         [&] {
             modules[0]->level = RecordingModule::HighestLevel;
             f.OptionBtnMouseDown(15, 3);
         },
         "Already the highest level. board 0 tongue 0", "Schon die höchste Stufe. board 0 tongue 1"},
        {"lowest",
         [&] {
             modules[0]->level = RecordingModule::LowestLevel;
             f.OptionBtnMouseDown(3, 15);
         },
         "Already the lowest level. board 0 tongue 0", "Schon die niedrigste Stufe. board 0 tongue 1"},
        {"pause before the first move", [&] { f.PauseBtnClick(); },
         "No pause: the puzzle is not in progress before the first move.",
         "Keine Pause: Das Rätsel läuft erst ab dem ersten Zug."},
        {"pause after the end",
         [&] {
             f.setPlayState(PlayState::Solved);
             f.PauseBtnClick();
         },
         "No pause: the puzzle is over.", "Keine Pause: Das Rätsel ist zu Ende."},
        {"pause and resume",
         [&] {
             f.setPlayState(PlayState::InProgress);
             f.PauseBtnClick();
         },
         "Resumed, the clock runs.", "Weiter, die Uhr läuft."},
        {"switch", [&] { f.SwitchPuzzle(f.currentPuzzle() == 0 ? 1 : 0); }, "ZUPEL. board 1 tongue 0",
         "ZUPEL. board 1 tongue 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.SwitchPuzzle(0);
        f.setPlayState(PlayState::Fresh);
        modules[0]->level = 7;
        f.setTongue(0);
        c.act();
        EXPECT_EQ(description(), QString::fromUtf8(c.english));
        f.setTongue(1);
        f.ApplyTexts();
        EXPECT_EQ(description(), QString::fromUtf8(c.german)) << "said again in German";
    }
}

TEST_F(KeyboardPlayTest, AGreyButtonsKeySaysWhyItDoesNothing)
{
    TMainForm& f = playing();
    log.clear();
    key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(log, Log{}) << "the second level of a puzzle without one";
    EXPECT_EQ(description(), "This puzzle has no second level.");
    key(Qt::Key_M);
    EXPECT_FALSE(f.button(ToolButton::Midi)->isEnabled());
    EXPECT_EQ(description(), "No music found.");
}

TEST_F(KeyboardPlayTest, TheMainWindowIsAWindowForScreenReaders)
{
    TMainForm& f = playing();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&f)->role(), QAccessible::Window);
    EXPECT_NE(QAccessible::queryAccessibleInterface(f.drawingArea())->role(), QAccessible::Window);
}

} // namespace
