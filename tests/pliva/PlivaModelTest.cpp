#include <gtest/gtest.h>

#include "puzzles/pliva/PlivaModel.h"
#include "support/FakeShell.h"

namespace {

bool ColumnHasArrow(const PlivaModel& model, int j)
{
    for (int k = 1; k <= model.mode(); ++k) {
        if (model.arrows()[j][k] != 0)
            return true;
    }
    return false;
}

bool PointHasArrow(const PlivaModel& model, int k)
{
    for (int j = 1; j <= model.mode(); ++j) {
        if (model.arrows()[j][k] != 0)
            return true;
    }
    return false;
}

void ExpectGeneratedInvariants(const PlivaModel& model)
{
    const int n = model.mode();
    EXPECT_FALSE(model.CurveRises());
    // The straight line 1..N lies within the limits.
    EXPECT_LE(model.lowLimit(), 1);
    EXPECT_GE(model.highLimit(), n);
    for (int k = 1; k <= n; ++k) {
        EXPECT_GE(model.values()[k], model.lowLimit()) << "point " << k;
        EXPECT_LE(model.values()[k], model.highLimit()) << "point " << k;
        EXPECT_TRUE(ColumnHasArrow(model, k)) << "column " << k;
        EXPECT_TRUE(PointHasArrow(model, k)) << "point " << k;
        for (int j = 1; j <= n; ++j) {
            const int size = std::abs(model.arrows()[j][k]);
            EXPECT_LE(size, n / 2) << "arrow " << j << "," << k;
        }
    }
    for (int i = n + 1; i <= PlivaModel::MaxMode; ++i) {
        EXPECT_EQ(model.values()[i], 0);
        for (int other = 1; other <= PlivaModel::MaxMode; ++other) {
            EXPECT_EQ(model.arrows()[i][other], 0);
            EXPECT_EQ(model.arrows()[other][i], 0);
        }
    }
}

} // namespace

TEST(PlivaModelGeneration, InvariantsHoldForManySeedsAtEveryLevel)
{
    SeededRandom random;
    PlivaModel model(random);
    for (int n = PlivaModel::MinMode; n <= PlivaModel::MaxMode; ++n) {
        model.setMode(n);
        for (unsigned seed = 1; seed <= 300; ++seed) {
            random.seed(seed * 7919u + static_cast<unsigned>(n));
            model.NewPuzzle();
            SCOPED_TRACE(testing::Message() << "N " << n << " seed " << seed);
            ExpectGeneratedInvariants(model);
            if (testing::Test::HasFailure())
                return;
        }
    }
}

TEST(PlivaModelGeneration, SetModeClampsToLevels)
{
    SeededRandom random;
    PlivaModel model(random);
    const std::pair<int, int> cases[] = {{2, 4}, {4, 4}, {7, 7}, {12, 12}, {20, 12}, {-100, 4}};
    for (const auto& [requested, expected] : cases) {
        model.setMode(requested);
        EXPECT_EQ(model.mode(), expected) << requested;
    }
}

// N = 4: a script whose first scramble round leaves the curve rising, so a second round runs.
// The outcome pins the order of every draw: point before column in the overwrites, the sign
// before the column in the scramble, the size before the sign in an arrow.
TEST(PlivaModelGeneration, ScriptedDrawsFollowTheGenerationOrder)
{
    ScriptedRandom random;
    std::vector<int> expectedRanges;
    auto draw = [&](int n, int value) {
        random.script.push_back(value);
        expectedRanges.push_back(n);
    };
    auto arrow = [&](int size, int sign) {
        draw(2, size - 1);
        draw(2, sign > 0 ? 1 : 0);
    };

    for (int k = 1; k <= 4; ++k)
        arrow(1, +1); // identity diagonal
    draw(4, 2);       // point 3
    draw(4, 0);       // column 1
    arrow(2, -1);     // arrows[1][3] = -2
    for (int i = 1; i < 12; ++i) {
        draw(4, 0);
        draw(4, 0);
        arrow(1, +1); // arrows[1][1] = +1 again
    }
    draw(4, 0); // swap columns 1 and 2
    draw(4, 1);
    for (int i = 1; i < 400; ++i) {
        draw(4, 0);
        draw(4, 0);
    }
    // Columns now: 1 = (0, 1, 0, 0), 2 = (1, 0, -2, 0), 3 = e3, 4 = e4.
    for (int i = 0; i < 40; ++i) { // round 1: +column 4 forty times, still rising
        draw(2, 1);
        draw(4, 3);
    }
    draw(2, 1); // round 2: +column 1 once ...
    draw(4, 0);
    for (int i = 1; i < 40; ++i) { // ... then -column 2, 39 times
        draw(2, 0);
        draw(4, 1);
    }

    PlivaModel model(random);
    model.setMode(4);
    model.NewPuzzle();

    EXPECT_TRUE(random.script.empty()) << random.script.size() << " scripted draws left over";
    EXPECT_TRUE(random.outOfRange.empty());
    EXPECT_EQ(random.ranges, expectedRanges);

    const PlivaModel::Values expectedColumn1{0, 0, 1, 0, 0};
    const PlivaModel::Values expectedColumn2{0, 1, 0, -2, 0};
    EXPECT_EQ(model.arrows()[1], expectedColumn1);
    EXPECT_EQ(model.arrows()[2], expectedColumn2);
    const PlivaModel::Values expectedValues{0, -38, 3, 81, 44};
    EXPECT_EQ(model.values(), expectedValues);
    // 4 * 81 / 3 = 108; 4 * -38 / 3 = -50.67 truncates toward zero to -50.
    EXPECT_EQ(model.highLimit(), 108);
    EXPECT_EQ(model.lowLimit(), -50);
}

TEST(PlivaModelRules, CurveRisesOnlyStrictly)
{
    SeededRandom random;
    PlivaModel model(random);
    model.setMode(4);
    struct Case {
        PlivaModel::Values values;
        bool rises;
    };
    const Case cases[] = {
        {{0, 1, 2, 3, 4}, true},  {{0, -9, -2, 0, 30}, true}, {{0, 1, 2, 2, 4}, false}, // equal neighbours
        {{0, 1, 3, 2, 4}, false}, {{0, 4, 3, 2, 1}, false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(model.setCurve(c.values, -100, 100));
        EXPECT_EQ(model.CurveRises(), c.rises) << c.values[1] << c.values[2] << c.values[3] << c.values[4];
    }
}

TEST(PlivaModelRules, MoveFitsIncludesBothLimits)
{
    SeededRandom random;
    PlivaModel model(random);
    model.setMode(4);
    ASSERT_TRUE(model.setCurve({0, 10, 0, -4, 5}, -6, 12));
    model.setArrowColumn(1, {0, 2, 0, -2, 0}); // reaches 12 and -6 exactly
    model.setArrowColumn(2, {0, 3, 0, 0, 0});  // 13: one above
    model.setArrowColumn(3, {0, 0, 0, -3, 0}); // -7: one below
    model.setArrowColumn(4, {0, -1, 0, 0, 1}); // fits, and subtracting fits too
    EXPECT_TRUE(model.moveFits(1, +1));
    EXPECT_FALSE(model.moveFits(2, +1));
    EXPECT_FALSE(model.moveFits(3, +1));
    EXPECT_TRUE(model.moveFits(3, -1));
    EXPECT_TRUE(model.moveFits(4, -1));
    EXPECT_FALSE(model.moveFits(0, +1));
    EXPECT_FALSE(model.moveFits(5, +1));

    model.applyArrows(1, +1);
    const PlivaModel::Values reached{0, 12, 0, -6, 5};
    EXPECT_EQ(model.values(), reached);
    model.applyArrows(1, -1);
    model.applyArrows(13, +1); // out of range: ignored
    const PlivaModel::Values back{0, 10, 0, -4, 5};
    EXPECT_EQ(model.values(), back);
}

namespace {
// Hand-made positions must keep the model's invariants; a refused one changes nothing.
TEST(PlivaModelRules, HandMadePositionsKeepTheInvariants)
{
    SeededRandom random;
    PlivaModel model(random);
    model.setMode(4);
    ASSERT_TRUE(model.setCurve({0, 1, 2, 3, 4}, 0, 4));
    const PlivaModel::Values kept = model.values();
    EXPECT_FALSE(model.setCurve({0, 1, 2, 3, 5}, 0, 4)) << "a point above the high limit";
    EXPECT_FALSE(model.setCurve({0, -1, 2, 3, 4}, 0, 4)) << "a point below the low limit";
    EXPECT_FALSE(model.setCurve({0, 1, 1, 1, 1}, 1, 1)) << "limits without room";
    EXPECT_EQ(model.values(), kept);
    EXPECT_EQ(model.lowLimit(), 0);
    EXPECT_EQ(model.highLimit(), 4);
    EXPECT_TRUE(model.setCurve({0, 1, 2, 3, 4, 99}, 0, 4)) << "points beyond N do not count";

    EXPECT_FALSE(model.setArrowColumn(0, {0, 1}));
    EXPECT_FALSE(model.setArrowColumn(5, {0, 1}));
    ASSERT_TRUE(model.setArrowColumn(4, {7, 1, 2, 3, 4, 5, 6}));
    const PlivaModel::Values column{0, 1, 2, 3, 4};
    EXPECT_EQ(model.arrows()[4], column) << "entries outside 1..N are cleared";
}
} // namespace
