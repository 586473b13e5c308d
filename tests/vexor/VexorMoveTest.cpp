#include <QTemporaryDir>

#include "VexorTestSupport.h"
#include "app/settings/SettingsStore.h"

namespace {

using Table = VexorModel::Table;

// Solved, with four different bookings in every position.
const Table Solved = MakeTable({{10, 20, 30, 40}, {20, 30, 40, 10}, {30, 40, 10, 20}, {40, 10, 20, 30}});

std::vector<std::string> MoveCalls()
{
    std::vector<std::string> calls{"PlaySound 6"};
    calls.insert(calls.end(), VexorModel::AnimationFrames, "Delay 50");
    return calls;
}

std::vector<std::string> SolvingMoveCalls()
{
    std::vector<std::string> calls = MoveCalls();
    calls.insert(calls.end(), {"Delay 300", "PuzzleSolved"});
    return calls;
}

// Left presses on row k's arrows; row 1 lies at y 275..302.
void PressLeftArrow(Vexor& vexor, int k)
{
    vexor.MouseDownLeft(410, 290 - 27 * (k - 1));
}

void PressRightArrow(Vexor& vexor, int k)
{
    vexor.MouseDownLeft(430, 290 - 27 * (k - 1));
}

} // namespace

// Each frame is drawn before its pause; the board between the pauses runs t sevenths of the way.
TEST(VexorMoveFrames, SixFramesEachDrawnThenPausedThenTheFinalBoard)
{
    DelaySpyShell spy;
    Vexor vexor(spy);
    const Table start = MakeTable({{10, 20, 30, 40}, {81, 5, 5, 9}, {3, 50, 20, 27}, {7, 25, 45, 23}});
    ASSERT_TRUE(vexor.model().setBookings(start));
    spy.fake.state = PlayState::Fresh;
    vexor.PaintPuzzle();
    spy.fake.clearRecords();

    std::vector<std::array<int, 4>> framePosition1;
    std::vector<size_t> redrawsAtPause;
    spy.onDelay = [&] {
        const VexorModel& model = vexor.model();
        framePosition1.push_back(
            {model.booking(1, 1), model.booking(2, 1), model.booking(3, 1), model.booking(4, 1)});
        redrawsAtPause.push_back(spy.fake.changedRects.size());
    };

    PressLeftArrow(vexor, 1);

    EXPECT_EQ(spy.fake.calls, MoveCalls());
    const std::vector<std::array<int, 4>> expectedFrames = {
        {20, 70, 3, 7}, {30, 59, 4, 7}, {40, 48, 4, 8}, {50, 37, 5, 8}, {60, 26, 5, 9}, {70, 15, 6, 9},
    };
    EXPECT_EQ(framePosition1, expectedFrames);
    EXPECT_EQ(redrawsAtPause, (std::vector<size_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(spy.fake.changedRects, std::vector<QRect>(7, BarArea)) << "the arrows are not redrawn";

    Table after = start;
    after[1][1] = 81;
    after[2][1] = 3;
    after[3][1] = 7;
    after[4][1] = 10;
    EXPECT_EQ(vexor.model().bookings(), after);
    EXPECT_EQ(vexor.model().accountSum()[1], 171);
    EXPECT_EQ(spy.fake.state, PlayState::InProgress);
}

using VexorMove = VexorFixture;

TEST_F(VexorMove, ShiftOfEqualBookingsStillSoundsAnimatesAndStartsTheClock)
{
    const Table start = MakeTable({{10, 25, 30, 40}, {81, 25, 5, 0}, {3, 25, 20, 27}, {6, 25, 45, 33}});
    SetUpBoard(1, 1, start);

    PressRightArrow(vexor, 2);

    EXPECT_EQ(vexor.model().bookings(), start);
    EXPECT_EQ(shell.calls, MoveCalls());
    EXPECT_EQ(shell.changedRects, std::vector<QRect>(7, BarArea));
    EXPECT_EQ(shell.state, PlayState::InProgress);
}

TEST_F(VexorMove, SolvesAfterAPauseAndKeepsMovingAfterwards)
{
    SetUpBoard(1, 1, Solved);
    vexor.model().ShiftRight(3);
    ASSERT_FALSE(vexor.model().AllEqual());

    PressLeftArrow(vexor, 3);
    EXPECT_EQ(vexor.model().bookings(), Solved);
    EXPECT_EQ(shell.calls, SolvingMoveCalls());
    EXPECT_EQ(shell.state, PlayState::Solved);

    // A move on the solved puzzle shifts, but leaves the state alone and reports nothing.
    shell.clearRecords();
    PressRightArrow(vexor, 1);
    EXPECT_EQ(vexor.model().booking(1, 1), 40);
    EXPECT_EQ(shell.calls, MoveCalls());
    EXPECT_EQ(shell.state, PlayState::Solved);

    // Equal again is reported again; ignoring repeats is the shell's business.
    shell.clearRecords();
    PressLeftArrow(vexor, 1);
    EXPECT_EQ(shell.calls, SolvingMoveCalls());
    EXPECT_EQ(shell.state, PlayState::Solved);
}

TEST_F(VexorMove, MoveKeepsAnInProgressPuzzleInProgressAndIgnoresRowsOutOfUse)
{
    SetUpBoard(1, 1, MakeTable({{10, 25, 30, 40}, {81, 25, 5, 0}, {3, 25, 20, 27}, {6, 25, 45, 33}}));
    shell.state = PlayState::InProgress;
    PressLeftArrow(vexor, 1);
    EXPECT_EQ(shell.state, PlayState::InProgress);

    shell.clearRecords();
    const Table before = vexor.model().bookings();
    for (int k : {0, 5, 8, -3})
        vexor.Move(k, VexorModel::Shift::Left);
    EXPECT_EQ(vexor.model().bookings(), before);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(shell.changedRects.empty());
}

using VexorOptions = VexorFixture;

TEST_F(VexorOptions, LevelsChangeWithinBoundsOnly)
{
    struct Case {
        int bar;
        int booking;
        bool zButton;
        bool up;
        int expectedMode;
    };
    const Case cases[] = {
        {5, 3, false, true, 53}, {1, 3, false, false, 13}, {3, 5, true, true, 35}, {3, 1, true, false, 31},
        {1, 1, false, true, 21}, {5, 5, false, false, 45}, {2, 2, true, true, 23}, {4, 4, true, false, 43},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "levels " << c.bar << c.booking << (c.zButton ? " Z" : "")
                                        << (c.up ? " up" : " down"));
        SetUpBoard(c.bar, c.booking, SolvedTable(c.bar + 3, c.booking + 3));
        vexor.model().ShiftLeft(1);
        vexor.MouseMove(410, 290);
        shell.clearRecords();
        shell.state = PlayState::InProgress;
        const Table before = vexor.model().bookings();

        if (c.zButton)
            vexor.OptionZClick(c.up);
        else
            vexor.OptionClick(c.up);

        EXPECT_EQ(vexor.ScoreLevel(), c.expectedMode);
        EXPECT_EQ(vexor.model().accountCount(), c.expectedMode / 10 + 3);
        EXPECT_EQ(vexor.model().bookingCount(), c.expectedMode % 10 + 3);
        EXPECT_EQ(vexor.hoverSide(), Vexor::LeftSide) << "the side stays";
        if (c.expectedMode == c.bar * 10 + c.booking) {
            EXPECT_EQ(vexor.model().bookings(), before);
            EXPECT_EQ(shell.state, PlayState::InProgress);
            EXPECT_TRUE(shell.changedRects.empty());
            EXPECT_EQ(vexor.hoverRow(), 1);
        } else {
            EXPECT_FALSE(vexor.model().AllEqual()) << "a new puzzle";
            EXPECT_EQ(shell.state, PlayState::Fresh);
            EXPECT_EQ(shell.changedRects, (std::vector<QRect>{BarArea, ArrowColumn}));
            EXPECT_EQ(vexor.hoverRow(), 0);
        }
        EXPECT_TRUE(shell.sounds.empty());
    }
}

TEST_F(VexorOptions, NewPuzzleIsFreshForgetsTheRowAndDrawsNothing)
{
    SetUpBoard(1, 1, Solved);
    vexor.MouseMove(430, 260);
    ASSERT_EQ(vexor.hoverRow(), 2);
    shell.clearRecords();
    shell.state = PlayState::Solved;

    vexor.NewPuzzle();

    EXPECT_EQ(shell.state, PlayState::Fresh);
    EXPECT_FALSE(vexor.model().AllEqual());
    EXPECT_EQ(vexor.hoverRow(), 0);
    EXPECT_EQ(vexor.hoverSide(), Vexor::RightSide);
    EXPECT_TRUE(shell.changedRects.empty());
    EXPECT_TRUE(shell.sounds.empty());
}

class VexorSettings : public VexorFixture {
  protected:
    QString Stored(const QString& key) const
    {
        return store.ReadString(Section, key, QStringLiteral("<missing>"));
    }
    void Store(const QString& key, const QString& text) { store.WriteString(Section, key, text); }

    const QString Section = QStringLiteral("vexor");
    QTemporaryDir directory;
    SettingsStore store{directory.filePath(QStringLiteral("V1.ini"))};
};

TEST_F(VexorSettings, EmptyStoreGivesTheDefaultsAndWritesThemInTheirTextForms)
{
    vexor.LoadSettings(store);
    EXPECT_EQ(vexor.ScoreLevel(), 11);
    EXPECT_EQ(vexor.model().accountCount(), 4);
    EXPECT_EQ(vexor.model().bookingCount(), 4);
    EXPECT_TRUE(vexor.lin());
    EXPECT_FALSE(vexor.fit());
    EXPECT_EQ(vexor.colours(), Vexor::DefaultColours);

    vexor.SaveSettings(store);
    EXPECT_EQ(Stored("mode"), "11");
    EXPECT_EQ(Stored("col1"), "$008080FF");
    EXPECT_EQ(Stored("col4"), "$000080FF");
    EXPECT_EQ(Stored("col5"), "$00404080");
    EXPECT_EQ(Stored("col8"), "$00FF0080");
    EXPECT_EQ(Stored("fit"), "0");
    EXPECT_EQ(Stored("lin"), "1");
}

TEST_F(VexorSettings, ChangedLevelsSwitchesAndColoursSurviveARestart)
{
    vexor.LoadSettings(store);
    vexor.OptionClick(true);
    vexor.OptionZClick(true);
    vexor.OptionZClick(true);
    vexor.MouseDownLeft(450, 85); // plate off
    vexor.MouseDownLeft(470, 85); // fit on
    shell.colorAnswer = colorRef(0xFF, 0, 0);
    vexor.MouseDownRight(410, 260); // row 2
    vexor.SaveSettings(store);
    EXPECT_EQ(Stored("mode"), "23");
    EXPECT_EQ(Stored("col2"), "clRed");

    FakeShell otherShell;
    Vexor restarted(otherShell);
    restarted.LoadSettings(store);
    EXPECT_EQ(restarted.ScoreLevel(), 23);
    EXPECT_EQ(restarted.model().accountCount(), 5);
    EXPECT_EQ(restarted.model().bookingCount(), 6);
    EXPECT_FALSE(restarted.lin());
    EXPECT_TRUE(restarted.fit());
    EXPECT_EQ(restarted.colours()[2], colorRef(0xFF, 0, 0));
    EXPECT_EQ(restarted.colours()[3], Vexor::DefaultColours[3]);
}

// The level number always follows the clamped levels, so a stored 0 or 99 cannot file results
// under a list that does not match the level played.
TEST_F(VexorSettings, StoredModeSplitsIntoClampedLevelsAndTheLevelNumberFollows)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 11},   {"99", 55},          {"7", 15},  {"-23", 11},         {"42", 42},
        {"250", 51}, {"abc", 11},         {"", 11},   {"99999999999", 11}, {"2147483647", 55},
        {"$1F", 11}, {"-2147483648", 11}, {"35", 35},
    };
    for (const auto& [text, expectedMode] : cases) {
        SCOPED_TRACE(testing::Message() << "mode \"" << text << "\"");
        Store("mode", text);
        vexor.LoadSettings(store);
        EXPECT_EQ(vexor.ScoreLevel(), expectedMode);
        EXPECT_EQ(vexor.model().barLevel(), expectedMode / 10);
        EXPECT_EQ(vexor.model().bookingLevel(), expectedMode % 10);
        vexor.SaveSettings(store);
        EXPECT_EQ(Stored("mode"), QString::number(expectedMode));
    }
}

TEST_F(VexorSettings, UnreadableColoursAndSwitchesFallBackToTheirDefaults)
{
    Store("col1", "clRed");
    Store("col2", "no colour");
    Store("col3", "255");
    Store("col4", "clBtnFace");
    Store("col5", "$FFFFFFFF");
    Store("col6", "$00123456");
    Store("col7", "");
    Store("fit", "7");
    Store("lin", "abc");
    vexor.LoadSettings(store);

    const Vexor::Colours expected = {
        0,
        colorRef(0xFF, 0, 0),
        Vexor::DefaultColours[2],
        colorRef(0xFF, 0, 0),
        0x8000000F,               // a system colour, kept by name
        Vexor::DefaultColours[5], // no colour the desktop knows
        0x123456,
        Vexor::DefaultColours[7],
        Vexor::DefaultColours[8],
    };
    EXPECT_EQ(vexor.colours(), expected);
    EXPECT_TRUE(vexor.fit());
    EXPECT_TRUE(vexor.lin());

    Store("fit", "0");
    Store("lin", "0");
    vexor.LoadSettings(store);
    EXPECT_FALSE(vexor.fit());
    EXPECT_FALSE(vexor.lin());
}
