#include <QTest>
#include <gtest/gtest.h>

#include "support/MainFormFixture.h"

namespace {

// A level change is a new puzzle and starts a new clock, whichever way it goes; a press at a
// bound changes nothing, so a time that is not the new puzzle's cannot reach the list.
struct LevelPressCase {
    const char* name;
    ToolButton button;
    bool up;
    int levelBefore;
    int levelAfter;
};

void PrintTo(const LevelPressCase& c, std::ostream* os)
{
    *os << c.name;
}

class LevelChangeClockTest : public MainFormFixture, public ::testing::WithParamInterface<LevelPressCase> {};

constexpr int Lowest = RecordingModule::LowestLevel;
constexpr int Highest = RecordingModule::HighestLevel;

TEST_P(LevelChangeClockTest, ClockStartsAgainOnlyWhenTheLevelChanges)
{
    const LevelPressCase& c = GetParam();
    TMainForm& f = shown();
    f.SwitchPuzzle(PuzzleVexor); // both level buttons live
    RecordingModule& vexor = *modules[PuzzleVexor];
    vexor.level = c.levelBefore;
    f.setPlayState(PlayState::InProgress);
    f.setElapsed(37);
    QToolButton* button = f.button(c.button);
    const QPoint at = c.up ? QPoint(15, 3) : QPoint(3, 15);
    QTest::mousePress(button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(button, Qt::LeftButton, {}, at);
    ASSERT_EQ(vexor.level, c.levelAfter);
    const int expected = c.levelAfter == c.levelBefore ? 37 : 0;
    EXPECT_EQ(f.elapsed(), expected);
    EXPECT_EQ(f.clockDisplay()->value(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, LevelChangeClockTest,
    ::testing::Values(LevelPressCase{"down_inside", ToolButton::Option, false, 7, 6},
                      LevelPressCase{"down_onto_the_bound", ToolButton::Option, false, Lowest + 1, Lowest},
                      LevelPressCase{"down_at_the_bound", ToolButton::Option, false, Lowest, Lowest},
                      LevelPressCase{"up_inside", ToolButton::Option, true, 7, 8},
                      LevelPressCase{"up_onto_the_bound", ToolButton::Option, true, Highest - 1, Highest},
                      LevelPressCase{"up_at_the_bound", ToolButton::Option, true, Highest, Highest},
                      LevelPressCase{"second_down_inside", ToolButton::OptionZ, false, 7, 6},
                      LevelPressCase{"second_down_at_the_bound", ToolButton::OptionZ, false, Lowest, Lowest},
                      LevelPressCase{"second_up_inside", ToolButton::OptionZ, true, 7, 8},
                      LevelPressCase{"second_up_at_the_bound", ToolButton::OptionZ, true, Highest, Highest}),
    [](const ::testing::TestParamInfo<LevelPressCase>& info) { return std::string(info.param.name); });

} // namespace
