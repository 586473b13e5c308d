#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "VexorTestSupport.h"
#include "puzzles/vexor/VexorModel.h"

namespace {

using Table = VexorModel::Table;

int Total(const VexorModel& model)
{
    return std::accumulate(model.accountSum().begin(), model.accountSum().end(), 0);
}

// Undoes a generation from its recorded draws alone: the last round's displacement of every
// position and the exchanges after it. Rotating each final position right by the displacement
// of the position it came from must give back accounts of exactly 100.
void ExpectDisplacementUndoesToHundreds(const VexorModel& generated, const RecordingRandom& random)
{
    const int m = generated.accountCount();
    const int n = generated.bookingCount();
    const int roundDraws = m * (n - 1) + n;
    const int exchangeDraws = 2 * 10 * n;
    const int total = static_cast<int>(random.draws.size());
    ASSERT_EQ((total - exchangeDraws) % roundDraws, 0) << total << " draws do not split into rounds";
    const int lastRound = total - exchangeDraws - n;

    std::array<int, VexorModel::MaxPositions + 1> displacement{};
    for (int k = 1; k <= n; ++k) {
        const auto [range, value] = random.draws[lastRound + k - 1];
        ASSERT_EQ(range, m - 1);
        displacement[k] = value + 1;
    }
    std::array<int, VexorModel::MaxPositions + 1> origin{};
    std::iota(origin.begin(), origin.end(), 0);
    for (int i = total - exchangeDraws; i < total; i += 2)
        std::swap(origin[random.draws[i].second + 1], origin[random.draws[i + 1].second + 1]);

    SeededRandom unused;
    VexorModel undone(unused);
    undone.setBarLevel(generated.barLevel());
    undone.setBookingLevel(generated.bookingLevel());
    ASSERT_TRUE(undone.setBookings(generated.bookings()));
    for (int k = 1; k <= n; ++k) {
        for (int r = 0; r < displacement[origin[k]]; ++r)
            undone.ShiftRight(k);
    }
    for (int a = 1; a <= m; ++a)
        EXPECT_EQ(undone.accountSum()[a], 100) << "account " << a;
}

void ExpectGeneratedInvariants(const VexorModel& model)
{
    const int m = model.accountCount();
    const int n = model.bookingCount();
    EXPECT_FALSE(model.AllEqual());
    EXPECT_EQ(Total(model), 100 * m);
    int reach = 0;
    int highest = 0;
    for (int k = 1; k <= VexorModel::MaxPositions; ++k) {
        int largest = 0;
        for (int a = 1; a <= VexorModel::MaxAccounts; ++a) {
            const int value = model.booking(a, k);
            if (a <= m && k <= n) {
                EXPECT_GE(value, 0) << a << "," << k;
                EXPECT_LE(value, 94) << a << "," << k;
                largest = std::max(largest, value);
            } else {
                EXPECT_EQ(value, 0) << "cell out of use " << a << "," << k;
            }
        }
        reach += largest;
    }
    for (int a = 1; a <= m; ++a)
        highest = std::max(highest, model.accountSum()[a]);
    EXPECT_EQ(model.reachLimit(), reach);
    EXPECT_EQ(model.highestSum(), highest);
    EXPECT_LE(model.highestSum(), model.reachLimit());
}

} // namespace

TEST(VexorModelGeneration, InvariantsHoldForManySeedsAtEveryLevelPair)
{
    for (int bar = 1; bar <= 5; ++bar) {
        for (int booking = 1; booking <= 5; ++booking) {
            for (unsigned seed = 1; seed <= 60; ++seed) {
                RecordingRandom random(seed * 7919u + static_cast<unsigned>(bar * 10 + booking));
                VexorModel model(random);
                model.setBarLevel(bar);
                model.setBookingLevel(booking);
                model.Generate();
                SCOPED_TRACE(testing::Message() << "levels " << bar << booking << " seed " << seed);
                ExpectGeneratedInvariants(model);
                ExpectDisplacementUndoesToHundreds(model, random);
                if (testing::Test::HasFailure())
                    return;
            }
        }
    }
}

// Level 11. Round 1 gives four identical accounts, which stay equal whatever the displacement,
// so a second round runs. The outcome pins the order of the draws: positions 1..n - 1 of each
// account, one displacement per position, then two per exchange.
TEST(VexorModelGeneration, ScriptedDrawsFollowTheGenerationOrder)
{
    ScriptedRandom random;
    std::vector<int> expectedRanges;
    auto draw = [&](int range, int value) {
        random.script.push_back(value);
        expectedRanges.push_back(range);
    };
    // Round 1: every account 3, 3, 0, 94.
    for (int a = 1; a <= 4; ++a) {
        draw(30, 0);
        draw(45, 0);
        draw(94, 0);
    }
    for (int k = 1; k <= 4; ++k)
        draw(3, k % 3);
    // Round 2: 13 23 30 34 | 3 3 0 94 | 32 33 5 30 | 8 8 5 79.
    draw(30, 10);
    draw(40, 20);
    draw(64, 30);
    draw(30, 0);
    draw(45, 0);
    draw(94, 0);
    draw(30, 29);
    draw(31, 30);
    draw(35, 5);
    draw(30, 5);
    draw(43, 5);
    draw(84, 5);
    // Rotations 1, 2, 3, 1.
    draw(3, 0);
    draw(3, 1);
    draw(3, 2);
    draw(3, 0);
    // Exchange positions 1 and 4, then 2 and 3, then 38 exchanges of a position with itself.
    draw(4, 0);
    draw(4, 3);
    draw(4, 1);
    draw(4, 2);
    for (int i = 2; i < 40; ++i) {
        draw(4, i % 4);
        draw(4, i % 4);
    }

    VexorModel model(random);
    model.Generate();

    EXPECT_TRUE(random.script.empty()) << random.script.size() << " scripted draws left over";
    EXPECT_TRUE(random.outOfRange.empty());
    EXPECT_EQ(random.ranges, expectedRanges);
    const Table expected = MakeTable({{94, 5, 33, 3}, {30, 30, 8, 32}, {79, 0, 23, 8}, {34, 5, 3, 13}});
    EXPECT_EQ(model.bookings(), expected);
    EXPECT_EQ(model.accountSum()[1], 135);
    EXPECT_EQ(model.accountSum()[4], 55);
    EXPECT_EQ(model.highestSum(), 135);
    EXPECT_EQ(model.reachLimit(), 94 + 30 + 33 + 32);
}

TEST(VexorModelRules, ShiftsRotateOnePositionAndUndoEachOther)
{
    SeededRandom random;
    VexorModel model(random);
    model.setBarLevel(2); // 5 accounts
    model.setBookingLevel(1);
    const Table start =
        MakeTable({{10, 20, 30, 40}, {0, 50, 25, 25}, {60, 1, 1, 38}, {5, 5, 5, 85}, {25, 25, 25, 25}});
    ASSERT_TRUE(model.setBookings(start));

    model.ShiftLeft(2);
    Table left = start;
    left[1][2] = 50;
    left[2][2] = 1;
    left[3][2] = 5;
    left[4][2] = 25;
    left[5][2] = 20;
    EXPECT_EQ(model.bookings(), left);
    EXPECT_EQ(model.accountSum()[1], 130) << "sums follow the shift";
    EXPECT_EQ(model.accountSum()[5], 95);

    model.ShiftRight(2);
    EXPECT_EQ(model.bookings(), start);

    model.ShiftRight(1);
    EXPECT_EQ(model.booking(1, 1), 25) << "the last account's booking moves on to the first";
    EXPECT_EQ(model.booking(2, 1), 10);
    EXPECT_EQ(model.booking(5, 1), 5);
    model.ShiftLeft(1);
    EXPECT_EQ(model.bookings(), start);

    // Five left shifts bring a position of five accounts round again.
    for (int i = 0; i < 5; ++i)
        model.ShiftLeft(4);
    EXPECT_EQ(model.bookings(), start);

    for (int k : {0, 5, 9, -1}) {
        model.ShiftLeft(k);
        model.ShiftRight(k);
    }
    EXPECT_EQ(model.bookings(), start) << "positions out of use are ignored";
    EXPECT_EQ(model.reachLimit(), 60 + 50 + 30 + 85);
}

TEST(VexorModelRules, AllEqualComparesEveryAccountWithTheFirst)
{
    SeededRandom random;
    VexorModel model(random);
    ASSERT_TRUE(
        model.setBookings(MakeTable({{25, 25, 25, 25}, {0, 0, 0, 100}, {97, 1, 1, 1}, {40, 30, 20, 10}})));
    EXPECT_TRUE(model.AllEqual());
    // Only the last account differs from the first, then only the first from the others.
    ASSERT_TRUE(
        model.setBookings(MakeTable({{25, 25, 25, 26}, {0, 0, 0, 101}, {98, 1, 1, 1}, {40, 30, 20, 7}})));
    EXPECT_FALSE(model.AllEqual());
    ASSERT_TRUE(
        model.setBookings(MakeTable({{25, 25, 25, 22}, {0, 0, 0, 101}, {98, 1, 1, 1}, {40, 30, 20, 11}})));
    EXPECT_FALSE(model.AllEqual());
}

TEST(VexorModelRules, HandMadeBoardsMustKeepTheInvariants)
{
    SeededRandom random;
    VexorModel model(random);
    const Table good = MakeTable({{25, 25, 25, 25}, {0, 0, 0, 100}, {97, 1, 1, 1}, {40, 30, 20, 10}});
    ASSERT_TRUE(model.setBookings(good));

    Table negative = good;
    negative[1][1] = -5;
    negative[1][2] = 55;
    Table outOfUse = good;
    outOfUse[1][4] = 20;
    outOfUse[1][5] = 5;
    Table fifthAccount = good;
    fifthAccount[4][4] = 5;
    fifthAccount[5][1] = 5;
    Table wrongTotal = good;
    wrongTotal[2][4] = 99;
    Table rowZero = good;
    rowZero[0][1] = 1;
    rowZero[1][1] = 24;
    for (const Table& bad : {negative, outOfUse, fifthAccount, wrongTotal, rowZero}) {
        EXPECT_FALSE(model.setBookings(bad));
        EXPECT_EQ(model.bookings(), good);
    }
}

TEST(VexorModelRules, LevelsClampAndAChangeLeavesASolvedBoardOfTheNewSize)
{
    SeededRandom random;
    VexorModel model(random);
    EXPECT_EQ(model.mode(), 11);
    EXPECT_TRUE(model.AllEqual());
    EXPECT_EQ(model.reachLimit(), 100);

    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {3, 3}, {5, 5}, {6, 5}, {-100, 1}, {99, 5}};
    for (const auto& [requested, expected] : cases) {
        model.setBarLevel(requested);
        model.setBookingLevel(requested);
        EXPECT_EQ(model.barLevel(), expected) << requested;
        EXPECT_EQ(model.bookingLevel(), expected) << requested;
        EXPECT_EQ(model.mode(), expected * 11) << requested;
        EXPECT_EQ(model.accountCount(), expected + 3);
        EXPECT_EQ(model.bookingCount(), expected + 3);
        EXPECT_TRUE(model.AllEqual());
        EXPECT_EQ(Total(model), 100 * model.accountCount());
    }

    model.setBarLevel(2);
    model.setBookingLevel(4);
    EXPECT_EQ(model.mode(), 24);
    model.Generate();
    const Table generated = model.bookings();
    model.setBarLevel(2);
    model.setBookingLevel(4);
    EXPECT_EQ(model.bookings(), generated) << "an unchanged level keeps the puzzle";
}

// Frame t lies t sevenths of the way, truncated toward zero: the booking falling from 81 to 3
// runs 70, 59, ... where floor division would give 69, 58, ...
TEST(VexorModelRules, FramesInterpolateTruncatingTowardZero)
{
    SeededRandom random;
    VexorModel model(random);
    ASSERT_TRUE(
        model.setBookings(MakeTable({{10, 20, 30, 40}, {81, 5, 5, 9}, {3, 50, 20, 27}, {7, 25, 45, 23}})));
    ASSERT_TRUE(model.startMove(1, VexorModel::Shift::Left));
    const Table after = model.afterMove();
    EXPECT_EQ(model.beforeMove()[1][1], 10);
    EXPECT_EQ(after[1][1], 81);
    EXPECT_EQ(after[4][1], 10);

    const int expected[6][4] = {
        {20, 70, 3, 7}, {30, 59, 4, 7}, {40, 48, 4, 8}, {50, 37, 5, 8}, {60, 26, 5, 9}, {70, 15, 6, 9},
    };
    for (int t = 1; t <= 6; ++t) {
        model.showFrame(t);
        for (int a = 1; a <= 4; ++a)
            EXPECT_EQ(model.booking(a, 1), expected[t - 1][a - 1]) << "frame " << t << " account " << a;
        EXPECT_EQ(model.booking(3, 2), 50) << "other positions stay";
        EXPECT_EQ(model.accountSum()[1], expected[t - 1][0] + 90) << "sums follow every frame";
    }
    model.finishMove();
    EXPECT_EQ(model.bookings(), after);
    EXPECT_EQ(model.accountSum()[2], 3 + 5 + 5 + 9);

    EXPECT_FALSE(model.startMove(0, VexorModel::Shift::Left));
    EXPECT_FALSE(model.startMove(5, VexorModel::Shift::Right));
    EXPECT_EQ(model.bookings(), after);
}
