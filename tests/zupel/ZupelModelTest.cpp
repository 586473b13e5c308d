#include "ZupelTestSupport.h"

namespace {

void ExpectGeneratedInvariants(const ZupelModel& model)
{
    const int k = model.mode();
    EXPECT_EQ(DigitSum(model), k * k);
    for (int a = 1; a <= ZupelModel::MaxMode; ++a) {
        for (int b = 1; b <= ZupelModel::MaxMode; ++b) {
            const int value = model.cells()[a][b];
            if (a <= k && b <= k) {
                EXPECT_NE(value, ZupelModel::Empty) << a << "," << b;
                EXPECT_GE(value, ZupelModel::Expense) << a << "," << b;
                EXPECT_LE(value, ZupelModel::MaxDigit) << a << "," << b;
            } else {
                EXPECT_EQ(value, ZupelModel::Empty) << "outside the table " << a << "," << b;
            }
        }
    }
    EXPECT_TRUE(model.inTable(model.currentColumn(), model.currentRow()));
    EXPECT_FALSE(model.BarEmpty());
    EXPECT_FALSE(model.AllCollected());
}

} // namespace

TEST(ZupelModelGeneration, InvariantsHoldForManySeedsAtEveryLevel)
{
    SeededRandom random;
    ZupelModel model(random);
    for (int k = ZupelModel::MinMode; k <= ZupelModel::MaxMode; ++k) {
        model.setMode(k);
        int rowBars = 0;
        for (unsigned seed = 1; seed <= 300; ++seed) {
            random.seed(seed * 7919u + static_cast<unsigned>(k));
            model.NewPuzzle();
            SCOPED_TRACE(testing::Message() << "K " << k << " seed " << seed);
            ExpectGeneratedInvariants(model);
            if (testing::Test::HasFailure())
                return;
            rowBars += model.rowBar() ? 1 : 0;
        }
        EXPECT_GT(rowBars, 100) << "K " << k;
        EXPECT_LT(rowBars, 200) << "K " << k;
    }
}

// A smaller table after a larger one leaves nothing of the larger one behind.
TEST(ZupelModelGeneration, ShrinkingClearsTheOuterCells)
{
    SeededRandom random(5);
    ZupelModel model(random);
    model.setMode(10);
    model.NewPuzzle();
    model.setMode(4);
    model.NewPuzzle();
    ExpectGeneratedInvariants(model);
}

// K = 4: nine units into A1, one more draw on the full A1 that does not count, single units on
// B1 and A2, the rest on D3; then the start cell D2 and the bar direction. B1 against A2 shows
// the column drawn first.
TEST(ZupelModelGeneration, ScriptedDrawsFollowTheGenerationOrder)
{
    for (const auto& [barDraw, rowBar] : {std::pair{0, true}, std::pair{1, false}}) {
        SCOPED_TRACE(testing::Message() << "bar draw " << barDraw);
        ScriptedRandom random;
        std::vector<int> expectedRanges;
        auto draw = [&](int n, int value) {
            random.script.push_back(value);
            expectedRanges.push_back(n);
        };
        auto unit = [&](int a, int b) {
            draw(4, a - 1);
            draw(4, b - 1);
        };
        for (int i = 0; i < 9; ++i)
            unit(1, 1);
        unit(1, 1); // full: drawn again
        unit(2, 1);
        unit(1, 2);
        for (int i = 0; i < 5; ++i)
            unit(4, 3);
        draw(4, 3); // column D
        draw(4, 1); // row 2
        draw(2, barDraw);

        ZupelModel model(random);
        model.setMode(4);
        model.NewPuzzle();

        EXPECT_TRUE(random.script.empty()) << random.script.size() << " scripted draws left over";
        EXPECT_TRUE(random.outOfRange.empty());
        EXPECT_EQ(random.ranges, expectedRanges);
        EXPECT_EQ(TableOf(model), (TableText{"91$$", "1$$$", "$$$5", "$$$$"}));
        EXPECT_EQ(model.currentColumn(), 4);
        EXPECT_EQ(model.currentRow(), 2);
        EXPECT_EQ(model.rowBar(), rowBar);
    }
}

TEST(ZupelModelState, SettersKeepTheInvariants)
{
    SeededRandom random;
    ZupelModel model(random);
    const std::pair<int, int> modes[] = {{3, 4},   {4, 4},    {7, 7},       {10, 10},
                                         {11, 10}, {-100, 4}, {1 << 30, 10}};
    for (const auto& [requested, expected] : modes) {
        model.setMode(requested);
        EXPECT_EQ(model.mode(), expected) << requested;
    }

    model.setMode(10);
    model.setCurrent(10, 9, true);
    model.setMode(5);
    EXPECT_EQ(model.currentColumn(), 5) << "the current cell stays in a smaller table";
    EXPECT_EQ(model.currentRow(), 5);
    model.setCurrent(0, 99, false);
    EXPECT_EQ(model.currentColumn(), 1);
    EXPECT_EQ(model.currentRow(), 5);
    EXPECT_FALSE(model.rowBar());

    model.setCell(2, 2, 12);
    model.setCell(3, 3, -7);
    model.setCell(6, 1, 5); // outside the 5 x 5 table
    model.setCell(0, 1, 5);
    EXPECT_EQ(model.cell(2, 2), 9);
    EXPECT_EQ(model.cell(3, 3), ZupelModel::Expense);
    EXPECT_EQ(model.cells()[6][1], ZupelModel::Empty);
    EXPECT_EQ(model.cells()[0][1], ZupelModel::Empty);
    EXPECT_EQ(model.cell(-1, 20), ZupelModel::Empty);
}

// Current cell B2 (a 3) with the bar in row 2: A2 empty, C2 "$", D2 a 2.
TEST(ZupelModelRules, PickTableOfCases)
{
    const TableText table{"1$2.", ".3$2", "$14.", "2..$"};
    struct Case {
        const char* what;
        int a;
        int b;
        bool rowBar;
        ZupelModel::PickKind kind;
        TableText after;
    };
    using Kind = ZupelModel::PickKind;
    const Case cases[] = {
        {"current cell", 2, 2, true, Kind::Refused, table},
        {"empty cell in the bar", 1, 2, true, Kind::Refused, table},
        {"cell outside the row bar", 2, 3, true, Kind::Refused, table},
        {"header column", 0, 2, true, Kind::Refused, table},
        {"beyond the last column", 5, 2, true, Kind::Refused, table},
        {"header row of a column bar", 2, 0, false, Kind::Refused, table},
        {"below the last row", 2, 5, false, Kind::Refused, table},
        {"cell outside the column bar", 3, 2, false, Kind::Refused, table},
        {"empty cell in the column bar", 2, 4, false, Kind::Refused, table},
        {"expense", 3, 2, true, Kind::Expense, table},
        {"digit 2", 4, 2, true, Kind::Digit, {"1$2.", ".3$1", "$14.", "2..$"}},
        {"digit 1 becomes empty", 2, 3, false, Kind::Digit, {"1$2.", ".3$2", "$.4.", "2..$"}},
        {"expense up the column", 2, 1, false, Kind::Expense, table},
    };
    SeededRandom random;
    ZupelModel model(random);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetTable(model, table, 2, 2, c.rowBar);
        EXPECT_EQ(model.canPick(c.a, c.b), c.kind != Kind::Refused);

        EXPECT_EQ(model.pick(c.a, c.b), c.kind);

        EXPECT_EQ(TableOf(model), c.after);
        const bool picked = c.kind != Kind::Refused;
        EXPECT_EQ(model.currentColumn(), picked ? c.a : 2);
        EXPECT_EQ(model.currentRow(), picked ? c.b : 2);
        EXPECT_EQ(model.rowBar(), picked ? !c.rowBar : c.rowBar) << "the bar turns only on a pick";
        EXPECT_TRUE(model.inBar(model.currentColumn(), model.currentRow()));
    }
}

TEST(ZupelModelRules, BarEmptyIgnoresTheCurrentCellAndNotExpenses)
{
    struct Case {
        TableText table;
        int column;
        int row;
        bool rowBar;
        bool empty;
    };
    const Case cases[] = {
        {{"....", ".9..", "....", "...."}, 2, 2, true, true},   // only the current cell
        {{"....", ".9..", "....", "...."}, 2, 2, false, true},  // the same as a column
        {{"....", ".9.$", "....", "...."}, 2, 2, true, false},  // an expense at the row's end
        {{"....", "19..", "....", "...."}, 2, 2, true, false},  // a digit at the row's start
        {{"...1", ".9..", "....", "...."}, 2, 2, true, true},   // a digit elsewhere
        {{"...1", ".9..", "....", "...."}, 4, 2, false, false}, // ... in the column bar
        {{".$..", ".9..", "....", "...."}, 2, 2, false, false}, // an expense above
        {{"....", ".9..", "....", ".1.."}, 2, 2, false, false}, // a digit at the column's end
    };
    SeededRandom random;
    ZupelModel model(random);
    for (const Case& c : cases) {
        SetTable(model, c.table, c.column, c.row, c.rowBar);
        EXPECT_EQ(model.BarEmpty(), c.empty) << c.table[0] << "/" << c.table[1] << "/" << c.table[2] << "/"
                                             << c.table[3] << (c.rowBar ? " row" : " column");
    }
}

TEST(ZupelModelRules, AllCollectedSeesEveryCellOfTheTable)
{
    SeededRandom random;
    ZupelModel model(random);
    SetTable(model, {"$$$$", "$..$", "$$$$", "$$.$"}, 1, 1, true);
    EXPECT_TRUE(model.AllCollected());
    for (auto [a, b] : {std::pair{1, 1}, {4, 4}, {4, 1}, {1, 4}, {2, 3}}) {
        model.setCell(a, b, 1);
        EXPECT_FALSE(model.AllCollected()) << a << "," << b;
        model.setCell(a, b, ZupelModel::Expense);
    }
    model.setMode(5);
    model.setCell(5, 5, 1);
    EXPECT_FALSE(model.AllCollected()) << "the last cell of a larger table";
}

// Column by column, and down each column; one unit per call.
TEST(ZupelModelRules, ChargeUnitGoesColumnByColumn)
{
    SeededRandom random;
    ZupelModel model(random);
    SetTable(model, {"..1.", "2$..", "...3", "1..."}, 2, 2, true);
    std::vector<std::string> states;
    while (model.chargeUnit()) {
        const TableText table = TableOf(model);
        states.push_back(table[0] + "/" + table[1] + "/" + table[2] + "/" + table[3]);
    }
    const std::vector<std::string> expected{
        "..1./1$../...3/1...", "..1./.$../...3/1...", "..1./.$../...3/....", "..../.$../...3/....",
        "..../.$../...2/....", "..../.$../...1/....", "..../.$../..../....",
    };
    EXPECT_EQ(states, expected);
    EXPECT_TRUE(model.AllCollected());
    EXPECT_EQ(model.cell(2, 2), ZupelModel::Expense);
}
