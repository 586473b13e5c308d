#include <QTemporaryDir>

#include "PlivaTestSupport.h"
#include "app/settings/SettingsStore.h"

namespace {

// The graph with the five rows above it that a marker at highLimit reaches.
const QRect GraphArea(30, 25, 375, 245);
const QRect ArrowRow(30, 285, 376, 48);
const QRect WholeArea(0, 0, 500, 333);

} // namespace

using PlivaMove = PlivaFixture;

// Column 1 reaches both limits exactly; columns 2 and 3 push one point one step beyond.
TEST_F(PlivaMove, AppliesUpToTheLimitsAndRefusesBeyond)
{
    struct Case {
        int column;
        int sign;
        PlivaModel::Values expected;
        int sound;
    };
    const PlivaModel::Values start{0, 10, 0, -4, 5};
    const Case cases[] = {
        {1, +1, {0, 12, 0, -6, 5}, 1},
        {1, -1, {0, 8, 0, -2, 5}, 0},
        {2, +1, start, 12},
        {3, +1, start, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " sign " << c.sign);
        SetUpCurve(4);
        pliva.model().setArrowColumn(1, {0, 2, 0, -2, 0});
        pliva.model().setArrowColumn(2, {0, 3, 0, 0, 0});
        pliva.model().setArrowColumn(3, {0, 0, 0, -3, 0});
        SetValues(start);

        pliva.Move(c.column, c.sign);

        EXPECT_EQ(pliva.model().values(), c.expected);
        EXPECT_EQ(shell.sounds, std::vector<int>{c.sound});
        EXPECT_EQ(shell.state, PlayState::InProgress) << "a refused move starts the clock too";
        EXPECT_EQ(shell.solvedCalls, 0);
        const bool applied = c.sound != 12;
        EXPECT_EQ(shell.changedRects, applied ? std::vector<QRect>{GraphArea} : std::vector<QRect>{});
    }
}

TEST_F(PlivaMove, SolvesAfterAPauseAndKeepsMovingAfterwards)
{
    SetUpCurve(4);
    SetValues({0, 1, 2, 3, 3});

    pliva.Move(4, +1);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"PlaySound 1", "Delay 300", "PuzzleSolved"}))
        << "the sound, then the pause on the finished curve, then the report";
    EXPECT_EQ(shell.solvedCalls, 1);
    EXPECT_EQ(shell.state, PlayState::Solved);

    // A move that breaks the rise: applied with its sound, no report, the state stays solved.
    shell.clearRecords();
    pliva.Move(4, -1);
    const PlivaModel::Values broken{0, 1, 2, 3, 3};
    EXPECT_EQ(pliva.model().values(), broken);
    EXPECT_EQ(shell.sounds, std::vector<int>{0});
    EXPECT_TRUE(shell.delays.empty());
    EXPECT_EQ(shell.solvedCalls, 0);
    EXPECT_EQ(shell.state, PlayState::Solved);

    // A refused move leaves the solved state alone as well.
    pliva.model().setArrowColumn(2, {0, 0, 20, 0, 0});
    pliva.Move(2, +1);
    EXPECT_EQ(shell.state, PlayState::Solved);

    // Rising again is reported again; ignoring repeats is the shell's business.
    shell.clearRecords();
    pliva.Move(4, +1);
    EXPECT_EQ(shell.solvedCalls, 1);
}

TEST_F(PlivaMove, IgnoresColumnsOutsideTheCurve)
{
    SetUpCurve(4);
    for (int column : {0, 5, 12, -1}) {
        pliva.Move(column, +1);
        pliva.Move(column, -1);
    }
    EXPECT_TRUE(shell.sounds.empty());
    EXPECT_EQ(shell.state, PlayState::Fresh);
}

using PlivaOptions = PlivaFixture;

TEST_F(PlivaOptions, ChangesLevelWithinBoundsOnly)
{
    struct Case {
        int mode;
        bool up;
        int expectedMode;
    };
    const Case cases[] = {{12, true, 12}, {4, false, 4}, {4, true, 5}, {12, false, 11}, {7, true, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "N " << c.mode << (c.up ? " up" : " down"));
        SetUpCurve(c.mode);
        shell.state = PlayState::InProgress;
        const PlivaModel::Values before = pliva.model().values();

        pliva.OptionClick(c.up);

        EXPECT_EQ(pliva.model().mode(), c.expectedMode);
        EXPECT_EQ(pliva.ScoreLevel(), c.expectedMode);
        if (c.expectedMode == c.mode) {
            EXPECT_EQ(pliva.model().values(), before);
            EXPECT_EQ(shell.state, PlayState::InProgress);
            EXPECT_TRUE(shell.changedRects.empty());
        } else {
            EXPECT_FALSE(pliva.model().CurveRises());
            EXPECT_EQ(shell.state, PlayState::Fresh);
            ASSERT_FALSE(shell.changedRects.empty());
            EXPECT_EQ(shell.changedRects.back(), WholeArea);
        }
    }
}

TEST_F(PlivaOptions, StartFormReseedsAndForgetsThePointerColumn)
{
    SetUpCurve(4);
    pliva.MouseMove(77, 295);
    ASSERT_EQ(pliva.pointerColumn(), 1);
    shell.state = PlayState::NotGenerated;

    pliva.NewPuzzleAtStart();

    EXPECT_EQ(shell.seededRandom.reseeds, 1);
    EXPECT_EQ(pliva.pointerColumn(), 0);
    EXPECT_EQ(shell.state, PlayState::Fresh);
    EXPECT_FALSE(pliva.model().CurveRises());
}

using PlivaInput = PlivaFixture;

// Rows 286..306 and the right column edge for hovering; rows 285..307 without either edge for
// clicks. Column X(k) at N = 4: 77, 171, 265, 359; at N = 6: 61, 124, 186, 249, 312, 374;
// at N = 7 the ranges of columns 2 and 3 share x = 138, which goes to the right-hand column.
TEST_F(PlivaInput, HoverAndClickBandsDiffer)
{
    struct Case {
        int n;
        int x;
        int y;
        int hover;
        int click;
    };
    const Case cases[] = {
        {4, 124, 295, 1, 0}, {4, 123, 295, 1, 1}, {4, 125, 295, 2, 2}, {4, 30, 295, 0, 0},
        {4, 31, 295, 1, 1},  {4, 405, 295, 4, 4}, {4, 406, 295, 4, 0}, {4, 312, 295, 3, 0},
        {4, 77, 285, 0, 1},  {4, 77, 286, 1, 1},  {4, 77, 306, 1, 1},  {4, 77, 307, 0, 1},
        {4, 77, 284, 0, 0},  {4, 77, 308, 0, 0},  {6, 93, 295, 0, 0},  {6, 218, 295, 0, 0},
        {6, 281, 295, 0, 0}, {6, 94, 295, 2, 2},  {6, 282, 295, 5, 5}, {7, 138, 295, 3, 3},
        {7, 137, 295, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "N " << c.n << " at " << c.x << "," << c.y);
        SetUpCurve(c.n);
        pliva.MouseMove(c.x, c.y);
        EXPECT_EQ(pliva.pointerColumn(), c.hover);

        pliva.MouseDownLeft(c.x, c.y);
        pliva.MouseDownRight(c.x, c.y);
        for (int k = 1; k <= c.n; ++k)
            EXPECT_EQ(pliva.model().values()[k], 0) << "left and right cancel";
        const std::vector<int> moveSounds = c.click == 0 ? std::vector<int>{} : std::vector<int>{1, 0};
        std::vector<int> expectedSounds = c.hover == 0 ? std::vector<int>{} : std::vector<int>{2};
        expectedSounds.insert(expectedSounds.end(), moveSounds.begin(), moveSounds.end());
        EXPECT_EQ(shell.sounds, expectedSounds);

        if (c.click != 0) {
            pliva.MouseDownLeft(c.x, c.y);
            EXPECT_EQ(pliva.model().values()[c.click], 1) << "the clicked column moves its point";
        }
    }
}

TEST_F(PlivaInput, PointerColumnChangesPlaySoundAndRedrawOnlyTheArrowRow)
{
    SetUpCurve(4);
    pliva.MouseMove(100, 295); // column 1
    pliva.MouseMove(110, 300); // still column 1: nothing
    pliva.MouseMove(200, 300); // column 2
    pliva.MouseMove(200, 320); // leaves the row
    pliva.MouseMove(200, 330); // still outside: nothing
    EXPECT_EQ(shell.sounds, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(shell.changedRects, (std::vector<QRect>{ArrowRow, ArrowRow, ArrowRow}));
    EXPECT_EQ(pliva.pointerColumn(), 0);
}

TEST_F(PlivaInput, ColourSwitchesAskThePresetAndRedrawOnlyWhenConfirmed)
{
    SetUpCurve(4);
    shell.colorAnswer = colorRef(0, 0x80, 0);
    pliva.MouseDownLeft(421, 30);
    EXPECT_EQ(pliva.lcol(), colorRef(0, 0x80, 0));
    EXPECT_EQ(shell.colorRequests, std::vector<ColorRef>{Pliva::DefaultLineColor});
    EXPECT_EQ(shell.changedRects, std::vector<QRect>{GraphArea});

    shell.clearRecords();
    shell.colorAnswer = colorRef(0xFF, 0xFF, 0);
    pliva.MouseDownLeft(459, 50);
    EXPECT_EQ(pliva.dcol(), colorRef(0xFF, 0xFF, 0));
    EXPECT_EQ(shell.colorRequests, std::vector<ColorRef>{Pliva::DefaultMarkerColor});

    shell.clearRecords();
    shell.colorAnswer.reset(); // cancelled
    pliva.MouseDownLeft(440, 40);
    EXPECT_EQ(pliva.dcol(), colorRef(0xFF, 0xFF, 0));
    EXPECT_EQ(shell.colorRequests.size(), 1u);
    EXPECT_TRUE(shell.changedRects.empty());

    shell.clearRecords();
    for (auto [x, y] : {std::pair{430, 29}, {430, 51}, {420, 40}, {490, 40}})
        pliva.MouseDownLeft(x, y);
    pliva.MouseDownRight(430, 40);
    pliva.MouseDownRight(470, 40);
    EXPECT_TRUE(shell.colorRequests.empty());
    EXPECT_TRUE(shell.changedRects.empty());
    EXPECT_EQ(pliva.dmode(), 1);
    EXPECT_EQ(shell.state, PlayState::Fresh);
}

TEST_F(PlivaInput, StyleSwitchCyclesThroughFiveStyles)
{
    SetUpCurve(4);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        pliva.MouseDownLeft(470, 40);
        seen.push_back(pliva.dmode());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 0, 1}));
    EXPECT_EQ(shell.changedRects.size(), 5u);
}

// ---- Settings ----

class PlivaSettings : public PlivaFixture {
  protected:
    SettingsStore MakeStore() { return SettingsStore(directory.filePath(QStringLiteral("V1.ini"))); }
    QTemporaryDir directory;
};

TEST_F(PlivaSettings, MissingKeysReadAsDefaults)
{
    SettingsStore store = MakeStore();
    pliva.LoadSettings(store);
    EXPECT_EQ(pliva.model().mode(), 4);
    EXPECT_EQ(pliva.lcol(), 0x0000FFu);
    EXPECT_EQ(pliva.dcol(), 0xFF0000u);
    EXPECT_EQ(pliva.dmode(), 1);
}

TEST_F(PlivaSettings, ModeIsClampedAndStyleReadAsStored)
{
    const std::pair<int, int> modes[] = {{2, 4}, {20, 12}, {9, 9}};
    SettingsStore store = MakeStore();
    for (const auto& [stored, expected] : modes) {
        store.WriteInteger(QStringLiteral("pliva"), QStringLiteral("mode"), stored);
        pliva.LoadSettings(store);
        EXPECT_EQ(pliva.model().mode(), expected) << stored;
    }
    store.WriteInteger(QStringLiteral("pliva"), QStringLiteral("dmode"), 7);
    store.WriteColor(QStringLiteral("pliva"), QStringLiteral("lcol"), 0x123456);
    pliva.LoadSettings(store);
    EXPECT_EQ(pliva.dmode(), 7);
    EXPECT_EQ(pliva.lcol(), 0x123456u);
    pliva.MouseDownLeft(470, 40);
    EXPECT_EQ(pliva.dmode(), 3);
}

TEST_F(PlivaSettings, SaveWritesAllFourKeys)
{
    SettingsStore store = MakeStore();
    pliva.SaveSettings(store);
    const QString section = QStringLiteral("pliva");
    EXPECT_EQ(store.ReadString(section, QStringLiteral("mode"), {}), QStringLiteral("4"));
    EXPECT_EQ(store.ReadString(section, QStringLiteral("lcol"), {}), QStringLiteral("clRed"));
    EXPECT_EQ(store.ReadString(section, QStringLiteral("dcol"), {}), QStringLiteral("clBlue"));
    EXPECT_EQ(store.ReadString(section, QStringLiteral("dmode"), {}), QStringLiteral("1"));

    SetUpCurve(11);
    pliva.MouseDownLeft(470, 40);
    pliva.SaveSettings(store);
    Pliva reloaded(shell);
    reloaded.LoadSettings(store);
    EXPECT_EQ(reloaded.model().mode(), 11);
    EXPECT_EQ(reloaded.dmode(), 2);
}
