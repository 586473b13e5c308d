#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "support/MainFormFixture.h"

namespace {

using MainFormTest = MainFormFixture;

TEST_F(MainFormTest, FirstStartRunsOnDefaults)
{
    TMainForm& f = start();
    ASSERT_TRUE(f.startedOk());
    EXPECT_EQ(f.currentPuzzle(), PuzzlePliva);
    EXPECT_EQ(f.size(), QSize(500, 366));
    EXPECT_TRUE(f.button(ToolButton::Sound)->isChecked());
    EXPECT_TRUE(f.button(ToolButton::Midi)->isChecked());
    EXPECT_FALSE(f.button(ToolButton::Midi)->isEnabled()) << "no music file in the data folder";
    EXPECT_TRUE(f.button(puzzleButton(PuzzlePliva))->isChecked());
    EXPECT_FALSE(f.button(ToolButton::OptionZ)->isEnabled());
    EXPECT_EQ((std::array{f.playStateOf(0), f.playStateOf(1), f.playStateOf(2), f.playStateOf(3)}),
              (std::array{PlayState::Fresh, PlayState::NotGenerated, PlayState::NotGenerated,
                          PlayState::NotGenerated}));
    const std::vector<std::string> startup = {"0 LoadSettings", "2 LoadSettings", "1 LoadSettings",
                                              "3 LoadSettings", "0 NewPuzzleAtStart"};
    EXPECT_EQ(log, startup);
    EXPECT_EQ(f.rulesHotspot()->geometry(), QRect(418, 188, 71, 161));
    EXPECT_EQ(f.windowTitle(), "Frobny Office");
    EXPECT_TRUE(f.timer().isActive());

    dialogs.languageChoice = 1;
    f.show();
    QTest::qWait(20);
    EXPECT_TRUE(logged("chooseLanguage [timer on]"));
    EXPECT_EQ(f.tongue(), 1);
    EXPECT_EQ(f.timeLabel()->text(), "Zeit:");
    EXPECT_EQ(f.button(ToolButton::Sound)->toolTip(), "Ich schalte die Geräusche lieber aus.");
    EXPECT_EQ(f.button(ToolButton::Tongue)->toolTip(), "I don't speak german.");
    EXPECT_EQ(f.windowTitle(), "Frobny Office V1.3");
}

TEST_F(MainFormTest, StoredValuesAndMusicAreTakenAtStart)
{
    writeIni("[common]\nmode=2\ntongue=7\nsound=0\nmusic=7\n");
    QFile(dataDir() + "piece.MID").open(QIODevice::WriteOnly);
    TMainForm& f = start();
    EXPECT_EQ(f.currentPuzzle(), PuzzleVexor);
    EXPECT_TRUE(f.button(puzzleButton(PuzzleVexor))->isChecked());
    EXPECT_TRUE(f.button(ToolButton::OptionZ)->isEnabled());
    EXPECT_FALSE(f.button(ToolButton::Sound)->isChecked());
    EXPECT_TRUE(f.button(ToolButton::Midi)->isChecked());
    EXPECT_TRUE(f.button(ToolButton::Midi)->isEnabled());
    EXPECT_EQ(f.rulesHotspot()->geometry(), QRect(375, 43, 97, 65));

    f.show();
    QTest::qWait(20);
    EXPECT_FALSE(logged("chooseLanguage [timer on]")) << "a stored language, even 7, asks nothing";
    EXPECT_EQ(f.timeLabel()->text(), "Time:");
}

TEST_F(MainFormTest, StoredModeOutsideTheFourPuzzlesStartsPliva)
{
    for (const char* mode : {"4", "-1", "256", "abc"}) {
        writeIni(QString("[common]\nmode=%1\n").arg(mode));
        EXPECT_EQ(start().currentPuzzle(), PuzzlePliva) << mode;
    }
}

TEST_F(MainFormTest, MissingBackgroundAtStartEndsWithTheMessageAndWritesNothing)
{
    writeIni("[common]\nmode=2\n");
    QFile::remove(dataDir() + "b3.bmp");
    const QByteArray before = [&] {
        QFile file(iniPath());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    TMainForm& f = start();
    EXPECT_FALSE(f.startedOk());
    EXPECT_TRUE(logged("error Not enough memory or bitmap not found! Program aborted."));
    f.close();
    form.reset();
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(MainFormTest, StartupMessageFollowsTheStoredLanguage)
{
    writeIni("[common]\ntongue=1\n");
    QFile::remove(dataDir() + "b1.bmp");
    EXPECT_FALSE(start().startedOk());
    EXPECT_TRUE(logged("error Zuwenig Speicher oder Bild nicht gefunden! Programm wird beendet."));
}

struct RouteCase {
    int puzzle;
    Qt::MouseButton button; // NoButton = pointer move
    const char* expected;   // nullptr = nothing reaches the module
};

TEST_F(MainFormTest, RoutesPressesAndMovesByTheTable)
{
    const std::vector<RouteCase> table = {
        {0, Qt::LeftButton, "0 Left 100,200"},   {0, Qt::RightButton, "0 Right 100,200"},
        {0, Qt::MiddleButton, nullptr},          {0, Qt::NoButton, "0 Move 100,200"},
        {1, Qt::LeftButton, "1 Left 100,200"},   {1, Qt::RightButton, "1 Left 100,200"},
        {1, Qt::MiddleButton, "1 Left 100,200"}, {1, Qt::NoButton, nullptr},
        {2, Qt::LeftButton, "2 Left 100,200"},   {2, Qt::RightButton, "2 Right 100,200"},
        {2, Qt::MiddleButton, nullptr},          {2, Qt::NoButton, "2 Move 100,200"},
        {3, Qt::LeftButton, "3 Left 100,200"},   {3, Qt::RightButton, "3 Right 100,200"},
        {3, Qt::MiddleButton, nullptr},          {3, Qt::NoButton, "3 Move 100,200"},
    };
    TMainForm& f = shown();
    QWidget* box = f.drawingArea();
    for (const RouteCase& c : table) {
        f.SwitchPuzzle(c.puzzle);
        log.clear();
        if (c.button == Qt::NoButton)
            sendMove(box, QPoint(100, 200));
        else
            QTest::mousePress(box, c.button, {}, QPoint(100, 200));
        std::vector<std::string> expected;
        if (c.expected)
            expected.push_back(c.expected);
        EXPECT_EQ(log, expected) << "puzzle " << c.puzzle << " button " << c.button;
        if (c.button != Qt::NoButton)
            QTest::mouseRelease(box, c.button, {}, QPoint(100, 200));
    }
}

TEST_F(MainFormTest, HotspotTakesPressesAndMovesAwayFromThePuzzle)
{
    TMainForm& f = shown();
    QWidget* hotspot = f.rulesHotspot();
    ASSERT_EQ(f.childAt(420, 190), hotspot);
    sendMove(hotspot, QPoint(5, 5));
    QTest::mousePress(hotspot, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"showRules 0 [timer off]"}));
    EXPECT_TRUE(f.timer().isActive());
    // Just outside the hotspot the puzzle gets the press.
    log.clear();
    QTest::mousePress(f.drawingArea(), Qt::LeftButton, {}, QPoint(417, 160));
    EXPECT_EQ(log, (std::vector<std::string>{"0 Left 417,160"}));
}

TEST_F(MainFormTest, ClockCountsOnlyWhilePlaying)
{
    TMainForm& f = started();
    SevenSegmentDisplay* clock = f.clockDisplay();
    f.TimerTimer();
    EXPECT_EQ(f.elapsedOf(0), 0) << "fresh";
    f.setPlayState(PlayState::InProgress);
    for (int i = 0; i < 5; ++i)
        f.TimerTimer();
    EXPECT_EQ(f.elapsedOf(0), 5);
    EXPECT_EQ(clock->value(), 5);
    for (PlayState state : {PlayState::Solved, PlayState::Failed, PlayState::Fresh}) {
        f.setPlayState(state);
        f.TimerTimer();
        EXPECT_EQ(f.elapsedOf(0), 5) << static_cast<int>(state);
    }
    EXPECT_FALSE(logged("0 TimerTick"));
    f.SwitchPuzzle(PuzzleZupel);
    f.TimerTimer();
    EXPECT_TRUE(logged("1 TimerTick"));
}

TEST_F(MainFormTest, SwitchingGeneratesOnlyOnceAndKeepsEachClock)
{
    TMainForm& f = started();
    f.setPlayState(PlayState::InProgress);
    f.TimerTimer();
    f.TimerTimer();
    ASSERT_TRUE(f.SwitchPuzzle(PuzzleZupel));
    EXPECT_EQ(log, (std::vector<std::string>{"1 NewPuzzleAtStart", "1 PaintPuzzle"}));
    EXPECT_EQ(f.playStateOf(PuzzleZupel), PlayState::Fresh);
    EXPECT_EQ(f.screen().pixel(10, 10), qRgb(10, 200, 10)) << "ZUPEL's background is shown";
    EXPECT_EQ(f.rulesHotspot()->geometry(), QRect(424, 43, 61, 314));
    f.TimerTimer();
    log.clear();
    ASSERT_TRUE(f.SwitchPuzzle(PuzzlePliva));
    EXPECT_EQ(log, (std::vector<std::string>{"0 PaintPuzzle"}));
    EXPECT_EQ(f.elapsedOf(PuzzlePliva), 2);
    EXPECT_EQ(f.playStateOf(PuzzlePliva), PlayState::InProgress);
    EXPECT_EQ(f.clockDisplay()->value(), 2);
    log.clear();
    f.SwitchPuzzle(PuzzleZupel);
    EXPECT_EQ(log, (std::vector<std::string>{"1 PaintPuzzle"}));
    log.clear();
    f.button(puzzleButton(PuzzleZupel))->click();
    EXPECT_TRUE(log.empty()) << "the button that is down does nothing";
}

TEST_F(MainFormTest, VanishedBackgroundKeepsThePreviousPuzzle)
{
    TMainForm& f = started();
    QFile::remove(dataDir() + "b4.bmp");
    f.button(puzzleButton(PuzzleHuxel))->click();
    EXPECT_EQ(f.currentPuzzle(), PuzzlePliva);
    EXPECT_TRUE(f.button(puzzleButton(PuzzlePliva))->isChecked());
    EXPECT_FALSE(f.button(puzzleButton(PuzzleHuxel))->isChecked());
    EXPECT_EQ(f.playStateOf(PuzzleHuxel), PlayState::NotGenerated);
    EXPECT_TRUE(logged("error Not enough memory or bitmap not found! Program aborted."));
    EXPECT_EQ(f.background().pixel(0, 0), qRgb(200, 10, 10));
}

TEST_F(MainFormTest, NewPuzzleAsksOnlyWhilePlaying)
{
    TMainForm& f = shown();
    QToolButton* mix = f.button(ToolButton::Mix);
    f.setPlayState(PlayState::Solved);
    f.TimerTimer();
    QTest::mouseClick(mix, Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"0 NewPuzzle", "0 PaintPuzzle"}));
    EXPECT_EQ(f.playState(), PlayState::Fresh);

    f.setPlayState(PlayState::InProgress);
    f.TimerTimer();
    log.clear();
    dialogs.giveUpAnswer = ShellDialogs::Cancel;
    QTest::mouseClick(mix, Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"askGiveUp [timer off]"}));
    EXPECT_EQ(f.elapsed(), 1);
    EXPECT_EQ(f.playState(), PlayState::InProgress);
    EXPECT_TRUE(f.timer().isActive());

    log.clear();
    dialogs.giveUpAnswer = ShellDialogs::Ok;
    QTest::mouseClick(mix, Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"askGiveUp [timer off]", "0 NewPuzzle", "0 PaintPuzzle"}));
    EXPECT_EQ(f.elapsed(), 0);
    EXPECT_EQ(f.playState(), PlayState::Fresh);
}

TEST_F(MainFormTest, OptionButtonsSplitByTheDiagonal)
{
    TMainForm& f = started();
    f.show();
    QToolButton* option = f.button(ToolButton::Option);
    struct {
        QPoint at;
        const char* expected;
    } presses[] = {{{15, 3}, "0 Option up"}, {{5, 5}, "0 Option down"}, {{3, 15}, "0 Option down"}};
    for (const auto& press : presses) {
        log.clear();
        QTest::mousePress(option, Qt::LeftButton, {}, press.at);
        QTest::mouseRelease(option, Qt::LeftButton, {}, press.at);
        EXPECT_EQ(log, (std::vector<std::string>{press.expected})) << press.at.x() << "," << press.at.y();
    }
    // The right button acts too, and a level change puts the clock back to 0.
    f.setPlayState(PlayState::Solved);
    f.setElapsed(9);
    log.clear();
    QTest::mousePress(option, Qt::RightButton, {}, QPoint(20, 1));
    EXPECT_EQ(log, (std::vector<std::string>{"0 Option up"}));
    EXPECT_EQ(f.elapsed(), 0);

    f.setPlayState(PlayState::InProgress);
    f.setElapsed(4);
    dialogs.giveUpAnswer = ShellDialogs::Cancel;
    log.clear();
    f.OptionBtnMouseDown(15, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"askGiveUp [timer off]"}));
    EXPECT_EQ(f.elapsed(), 4);
    EXPECT_TRUE(f.timer().isActive());

    log.clear();
    f.OptionZBtnMouseDown(15, 3);
    EXPECT_EQ(log, (std::vector<std::string>{"askGiveUp [timer off]"})) << "PLIVA has no second option";
    f.SwitchPuzzle(PuzzleVexor);
    log.clear();
    f.OptionZBtnMouseDown(3, 15);
    EXPECT_EQ(log, (std::vector<std::string>{"2 OptionZ down"}));
}

// At a bound the level stays and so does the puzzle: the clock keeps its time and the play state
// stays in progress, though the question was asked (the shell cannot know beforehand).
TEST_F(MainFormTest, OptionPressAtABoundKeepsTheClock)
{
    TMainForm& f = shown();
    f.SwitchPuzzle(PuzzleVexor);
    auto& vexor = static_cast<RecordingModule&>(f.module(PuzzleVexor));
    struct {
        int level;
        bool zButton;
        QPoint at;
    } presses[] = {{RecordingModule::HighestLevel, false, {15, 3}},
                   {RecordingModule::LowestLevel, false, {3, 15}},
                   {RecordingModule::HighestLevel, true, {15, 3}},
                   {RecordingModule::LowestLevel, true, {3, 15}}};
    for (const auto& press : presses) {
        vexor.level = press.level;
        f.setPlayState(PlayState::InProgress);
        f.setElapsed(37);
        log.clear();
        if (press.zButton)
            f.OptionZBtnMouseDown(press.at.x(), press.at.y());
        else
            f.OptionBtnMouseDown(press.at.x(), press.at.y());
        EXPECT_EQ(log.front(), "askGiveUp [timer off]");
        EXPECT_EQ(f.elapsed(), 37) << press.level << " z=" << press.zButton;
        EXPECT_EQ(f.clockDisplay()->value(), 37);
        EXPECT_EQ(f.playState(), PlayState::InProgress);
        EXPECT_TRUE(f.timer().isActive());
    }
    // One step inside the bounds is a new puzzle with a new clock.
    vexor.level = RecordingModule::HighestLevel - 1;
    f.OptionBtnMouseDown(15, 3);
    EXPECT_EQ(f.elapsed(), 0);
    EXPECT_EQ(f.clockDisplay()->value(), 0);
}

// A greyed button is dead: no question, no clock reset, whatever the play state.
TEST_F(MainFormTest, DisabledSecondOptionButtonDoesNothing)
{
    TMainForm& f = shown();
    QToolButton* optionZ = f.button(ToolButton::OptionZ);
    ASSERT_FALSE(optionZ->isEnabled());
    for (PlayState state : {PlayState::InProgress, PlayState::Solved}) {
        f.setPlayState(state);
        f.setElapsed(9);
        log.clear();
        QTest::mousePress(optionZ, Qt::LeftButton, {}, QPoint(15, 3));
        QTest::mouseRelease(optionZ, Qt::LeftButton, {}, QPoint(15, 3));
        EXPECT_TRUE(log.empty()) << static_cast<int>(state);
        EXPECT_EQ(f.elapsed(), 9) << static_cast<int>(state);
    }
}

// The second of two quick presses arrives as a double click; it raises the level all the same.
TEST_F(MainFormTest, QuickPressesOnAnOptionButtonAllCount)
{
    TMainForm& f = shown();
    f.SwitchPuzzle(PuzzleVexor);
    for (ToolButton which : {ToolButton::Option, ToolButton::OptionZ}) {
        log.clear();
        // What Qt delivers for two quick clicks: press, release, double click, release.
        QTest::mouseClick(f.button(which), Qt::LeftButton, {}, QPoint(15, 3));
        QTest::mouseDClick(f.button(which), Qt::LeftButton, {}, QPoint(15, 3));
        QTest::mouseRelease(f.button(which), Qt::LeftButton, {}, QPoint(15, 3));
        const std::string up = which == ToolButton::Option ? "2 Option up" : "2 OptionZ up";
        EXPECT_EQ(log, (std::vector<std::string>{up, up}));
    }
}

TEST_F(MainFormTest, PauseOnlyWhilePlaying)
{
    TMainForm& f = shown();
    QToolButton* pause = f.button(ToolButton::Pause);
    for (PlayState state : {PlayState::Fresh, PlayState::Solved, PlayState::Failed}) {
        f.setPlayState(state);
        QTest::mouseClick(pause, Qt::LeftButton);
    }
    EXPECT_TRUE(log.empty());
    f.setPlayState(PlayState::InProgress);
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(log, (std::vector<std::string>{"showPaused [timer off]"}));
    EXPECT_TRUE(f.timer().isActive());
}

TEST_F(MainFormTest, ToolbarDialogsStopTheClockExceptLanguage)
{
    TMainForm& f = shown();
    QTest::mouseClick(f.button(ToolButton::HighScore), Qt::LeftButton);
    QTest::mouseClick(f.button(ToolButton::Info), Qt::LeftButton);
    QTest::mouseClick(f.button(ToolButton::Tongue), Qt::LeftButton);
    QTest::mouseClick(f.button(ToolButton::Help), Qt::LeftButton);
    QTest::mouseClick(f.button(ToolButton::Frobny), Qt::LeftButton);
    EXPECT_EQ(log,
              (std::vector<std::string>{"showHighScores pliv7 0 [timer off]", "showAbout [timer off]",
                                        "chooseLanguage [timer on]", "openHelp [timer off]", "openWebsite"}));
}

TEST_F(MainFormTest, SolvedAndFailedReportsFollowTheirOrderAndGuards)
{
    TMainForm& f = started();
    modules[0]->level = 9;
    f.setPlayState(PlayState::InProgress);
    f.setElapsed(42);
    f.PuzzleSolved();
    EXPECT_EQ(f.playState(), PlayState::Solved);
    EXPECT_EQ(sound.played, (std::vector<int>{10}));
    EXPECT_EQ(log, (std::vector<std::string>{"showSolved [timer on]", "showHighScores pliv9 42 [timer on]"}));
    log.clear();
    f.PuzzleSolved();
    f.PuzzleFailed();
    EXPECT_TRUE(log.empty()) << "nothing after a solve";
    EXPECT_EQ(f.playState(), PlayState::Solved);

    f.SwitchPuzzle(PuzzleZupel);
    modules[1]->level = 10;
    log.clear();
    f.PuzzleFailed();
    f.PuzzleFailed();
    EXPECT_EQ(f.playState(), PlayState::Failed);
    EXPECT_EQ(std::count(log.begin(), log.end(), "showFailed [timer on]"), 2)
        << "a failure in state 4 runs again";
    EXPECT_TRUE(logged("showHighScores zupe10 0 [timer on]"));
}

TEST_F(MainFormTest, SoundFollowsTheSoundButton)
{
    TMainForm& f = started();
    f.PlaySound(Sound::ZupelPenalty);
    f.button(ToolButton::Sound)->click();
    EXPECT_EQ(f.button(ToolButton::Sound)->toolTip(), "Without sound ist is boring.");
    f.PlaySound(Sound::ZupelDigit);
    f.setPlayState(PlayState::InProgress);
    f.PuzzleSolved();
    EXPECT_EQ(sound.played, (std::vector<int>{3}));
    EXPECT_TRUE(logged("showSolved [timer on]")) << "a silent solve still shows its dialog";
}

TEST_F(MainFormTest, ScoreListKeyIsPrefixAndLevel)
{
    TMainForm& f = started();
    const char* expected[] = {"pliv12", "zupe12", "vexo12", "huxe12"};
    for (int puzzle = 0; puzzle < 4; ++puzzle) {
        f.SwitchPuzzle(puzzle);
        modules[puzzle]->level = 12;
        EXPECT_EQ(f.SelectScoreList(), expected[puzzle]);
    }
    modules[2]->level = 23;
    f.SwitchPuzzle(PuzzleVexor);
    EXPECT_EQ(f.SelectScoreList(), "vexo23");
}

TEST_F(MainFormTest, DelayShowsTheDrawingThenWaits)
{
    TMainForm& f = shown();
    int paints = 0;
    QObject::connect(static_cast<DrawingArea*>(f.drawingArea()), &DrawingArea::painted, [&] { ++paints; });
    std::vector<int> paintsWhenSleeping;
    sleepProbe = [&] { paintsWhenSleeping.push_back(paints); };
    f.screen().fill(Qt::black);
    f.screenChanged(QRect(0, 0, 500, 333)); // only asks for a paint later
    f.Delay(300);
    f.Delay(0);
    EXPECT_EQ(sleeps, (std::vector<unsigned>{300, 0}));
    ASSERT_EQ(paintsWhenSleeping.size(), 2u);
    EXPECT_GE(paintsWhenSleeping[0], 1) << "the drawing reaches the screen before the wait";
}

TEST_F(MainFormTest, CloseAsksAndCancelKeepsRunning)
{
    TMainForm& f = started();
    f.show();
    dialogs.endGameAnswer = ShellDialogs::Cancel;
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.timer().isActive());
    EXPECT_TRUE(logged("askEndGame [timer off]"));
    EXPECT_FALSE(QFile::exists(iniPath())) << "nothing written on a cancelled close";
}

TEST_F(MainFormTest, CloseWritesCommonAndModulesInOrder)
{
    TMainForm& f = started();
    f.show();
    QTest::qWait(10);
    f.SwitchPuzzle(PuzzleHuxel);
    f.button(ToolButton::Sound)->click();
    f.setTongue(1);
    log.clear();
    dialogs.endGameAnswer = ShellDialogs::Ok;
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.timer().isActive());
    const std::vector<std::string> expected = {
        "askEndGame [timer off]",         "closeHelp",
        "0 SaveSettings mode=3 sound=-9", "2 SaveSettings mode=3 sound=-9",
        "1 SaveSettings mode=3 sound=-9", "3 SaveSettings mode=3 sound=-9",
    };
    EXPECT_EQ(log, expected);
    SettingsStore& ini = *settings;
    EXPECT_EQ(ini.ReadString("common", "sound", "?"), "0");
    EXPECT_EQ(ini.ReadString("common", "music", "?"), "1");
    EXPECT_EQ(ini.ReadString("common", "tongue", "?"), "1");
    EXPECT_EQ(ini.ReadString("common", "MainForm", "?"), "?")
        << "the position comes when the window is destroyed";
    form.reset();
    EXPECT_TRUE(ini.ReadString("common", "MainForm", "?").startsWith("200,"));
}

// Shown until the window system has framed it and the drawing area has painted.
void showFramed(TMainForm& form)
{
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(20);
}

TEST_F(MainFormTest, WindowPositionIsPulledBackOntoTheDesktop)
{
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    const int left = desktop.right() + 1 - 500 + 100;
    writeIni(QString("[common]\nMainForm=\"200,0,1,%1,40,%2,406\"\n").arg(left).arg(left + 500));
    TMainForm& f = start();
    showFramed(f);
    EXPECT_EQ(f.frameGeometry().right(), desktop.right());
    EXPECT_EQ(f.frameGeometry().top(), 40);
}

TEST_F(MainFormTest, SixItemPositionCentresTheFrame)
{
    writeIni("[common]\nMainForm=\"200,0,1,0,0,500\"\n");
    TMainForm& f = start();
    showFramed(f);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(f.frameGeometry().center().x() - available.center().x()), 1);
    EXPECT_LE(std::abs(f.frameGeometry().center().y() - available.center().y()), 1);
}

// The stored corner is the frame's, and the frame goes back to it: starts that do not move the
// window leave the stored place as it was.
TEST_F(MainFormTest, StartsWithoutMovingKeepTheStoredPlace)
{
    const QString stored = "200,0,1,120,309,624,679";
    writeIni("[common]\nMainForm=\"" + stored + "\"\n");
    for (int round = 0; round < 3; ++round) {
        TMainForm& f = start();
        showFramed(f);
        EXPECT_EQ(f.frameGeometry().topLeft(), QPoint(120, 309)) << "start " << round;
        form.reset();
        EXPECT_EQ(settings->ReadString("common", "MainForm", "?").section(',', 3, 4), "120,309")
            << "start " << round;
    }
}

TEST(SevenSegmentDisplay, ShowsSixPositionsAndASign)
{
    SevenSegmentDisplay display;
    const std::pair<int, const char*> cases[] = {
        {0, "     0"}, {42, "    42"}, {-17, "   -17"}, {1234567, "234567"}};
    for (const auto& [value, text] : cases) {
        display.display(value);
        EXPECT_EQ(display.shownText(), text) << value;
    }
}

} // namespace

namespace {
TEST_F(MainFormTest, DelayWaitsOnTheMonotonicClock)
{
    realSleep = true;
    TMainForm& f = start();
    QElapsedTimer clock;
    clock.start();
    f.Delay(0);
    EXPECT_GE(clock.nsecsElapsed(), 1'000'000) << "Delay(0) returns once the millisecond has moved on";
    f.Delay(30);
    EXPECT_GE(clock.elapsed(), 31);
}
} // namespace

namespace {
// The lime columns a caption paints, as a range [first, last]; {-1, -1} when none.
std::pair<int, int> limeColumns(QWidget* caption)
{
    const QImage shown = caption->grab().toImage();
    int first = -1, last = -1;
    for (int x = 0; x < shown.width(); ++x)
        for (int y = 0; y < shown.height(); ++y)
            if (qGreen(shown.pixel(x, y)) > 200 && qRed(shown.pixel(x, y)) < 100) {
                first = first < 0 ? x : first;
                last = x;
            }
    return {first, last};
}

TEST_F(MainFormTest, ClockCaptionShowsTheWholeWordInItsBoxWithoutAFont)
{
    TMainForm& f = shown();
    ClockCaption* caption = f.timeLabel();
    for (int tongue : {0, 1}) {
        f.setTongue(tongue);
        f.ApplyTexts();
        SCOPED_TRACE(caption->text().toStdString());
        EXPECT_EQ(caption->geometry(), QRect(2, 9, 27, 16));
        EXPECT_TRUE(caption->fromPicture()) << "the game's own words need no font";
        const auto [first, last] = limeColumns(caption);
        EXPECT_LE(first, 1);
        EXPECT_GE(last, 15) << "the whole word, not a piece of it";
        EXPECT_LE(last, 26);
    }
    caption->setText("Uhr:"); // a word without a picture is drawn in a font
    EXPECT_FALSE(caption->fromPicture());
    EXPECT_GE(limeColumns(caption).second, 10);
}
} // namespace
