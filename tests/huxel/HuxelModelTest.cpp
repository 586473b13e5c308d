#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "puzzles/huxel/HuxelModel.h"
#include "support/FakeShell.h"

namespace {

using Side = HuxelModel::Side;

// The used cells of a table, column by column.
std::u32string UsedCells(const HuxelModel& model, Side table)
{
    std::u32string cells;
    for (int col = 1; col <= model.TableSize(); ++col) {
        for (int row = 1; row <= model.TableSize(); ++row)
            cells.push_back(model.cell(table, col, row));
    }
    return cells;
}

std::u32string Sorted(std::u32string text)
{
    std::sort(text.begin(), text.end());
    return text;
}

void ExpectShuffledInvariants(const HuxelModel& model)
{
    const int n = model.TableSize();
    const std::u32string left = Sorted(UsedCells(model, Side::Left));
    const std::u32string right = Sorted(UsedCells(model, Side::Right));
    EXPECT_FALSE(model.TablesEqual());
    EXPECT_EQ(left, right) << "both tables hold the same set";
    EXPECT_EQ(std::adjacent_find(left.begin(), left.end()), left.end()) << "n^2 distinct characters";
    EXPECT_EQ(left.size(), static_cast<size_t>(n * n));
    for (char32_t c : left)
        EXPECT_NE(HuxelModel::SymbolAlphabet.find(c), std::u32string_view::npos) << static_cast<int>(c);
}

} // namespace

TEST(HuxelModelShuffle, InvariantsHoldForManySeedsAtEverySize)
{
    SeededRandom random;
    HuxelModel model(random);
    for (int n = HuxelModel::MinSize; n <= HuxelModel::MaxSize; ++n) {
        model.setTableSize(n);
        for (unsigned seed = 1; seed <= 300; ++seed) {
            random.seed(seed * 7919u + static_cast<unsigned>(n));
            model.ShuffleTables();
            SCOPED_TRACE(testing::Message() << "n " << n << " seed " << seed);
            ExpectShuffledInvariants(model);
            if (testing::Test::HasFailure())
                return;
        }
    }
}

TEST(HuxelModelShuffle, AlphabetHoldsThirtySixDistinctCharactersWithTheSectionSign)
{
    const std::u32string sorted = Sorted(std::u32string(HuxelModel::SymbolAlphabet));
    EXPECT_EQ(sorted.size(), 36u);
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    EXPECT_NE(HuxelModel::SymbolAlphabet.find(U'\u00A7'), std::u32string_view::npos);
}

// n = 4, where the block draws have range 3 and d, t have range 2. The exchanges swap symbols
// 1 and 36, then 2 and 3; the first rotation turns block [3][1] of the right table
// counter-clockwise (drawn the other way round it would turn a block of the left table); the
// other 1600 come in pairs that undo each other.
TEST(HuxelModelShuffle, ScriptedDrawsFollowTheGenerationOrder)
{
    ScriptedRandom random;
    HuxelModel model(random);
    model.setTableSize(4);
    model.setCell(Side::Right, 5, 1, U'§');
    std::vector<int> expectedRanges;
    auto draw = [&](int range, int value) {
        random.script.push_back(value);
        expectedRanges.push_back(range);
    };
    draw(36, 0);
    draw(36, 35);
    draw(36, 1);
    draw(36, 2);
    for (int i = 2; i < 1001; ++i) {
        draw(36, 5);
        draw(36, 5);
    }
    draw(2, 0); // d: counter-clockwise
    draw(2, 1); // t: right table
    draw(3, 0); // row 1
    draw(3, 2); // column 3
    for (int i = 0; i < 800; ++i) {
        for (int d : {0, 1}) {
            draw(2, d);
            draw(2, 1);
            draw(3, 1);
            draw(3, 0);
        }
    }

    model.ShuffleTables();

    EXPECT_EQ(random.ranges, expectedRanges);
    EXPECT_TRUE(random.outOfRange.empty());
    // s = "+CBDEFGHIJKLMNOPQRSTUVWXYZ#*§$%&?!@A", filled column by column.
    const std::u32string columns[] = {U"+CBD", U"EFGH", U"IJKL", U"MNOP"};
    for (int col = 1; col <= 4; ++col) {
        for (int row = 1; row <= 4; ++row)
            EXPECT_EQ(model.cell(Side::Left, col, row), columns[col - 1][row - 1]) << col << "," << row;
    }
    // Block [3][1] counter-clockwise, TL TR BR BL: I M N J becomes M N J I.
    EXPECT_EQ(model.cell(Side::Right, 3, 1), U'M');
    EXPECT_EQ(model.cell(Side::Right, 4, 1), U'N');
    EXPECT_EQ(model.cell(Side::Right, 4, 2), U'J');
    EXPECT_EQ(model.cell(Side::Right, 3, 2), U'I');
    EXPECT_EQ(model.cell(Side::Right, 1, 1), U'+');
    EXPECT_EQ(model.cell(Side::Right, 2, 4), U'H');
    // The whole grid was copied, unused cells included.
    EXPECT_EQ(model.cell(Side::Left, 5, 1), U'§');
}

TEST(HuxelModelRotation, MovesTheFourCharactersAroundTheBlock)
{
    SeededRandom random;
    HuxelModel model(random);
    model.setTableSize(3);
    // Before any shuffle the tables hold the alphabet in order: [2][2] H, [3][2] N, [3][3] O, [2][3] I.
    model.RotateClockwise(2, 2, Side::Right);
    EXPECT_EQ(model.cell(Side::Right, 2, 2), U'I'); // from BL
    EXPECT_EQ(model.cell(Side::Right, 3, 2), U'H'); // from TL
    EXPECT_EQ(model.cell(Side::Right, 3, 3), U'N'); // from TR
    EXPECT_EQ(model.cell(Side::Right, 2, 3), U'O'); // from BR
    EXPECT_EQ(model.cell(Side::Left, 2, 2), U'H') << "the other table stays";

    model.RotateCounterClockwise(1, 1, Side::Left);
    EXPECT_EQ(model.cell(Side::Left, 1, 1), U'G'); // from TR
    EXPECT_EQ(model.cell(Side::Left, 2, 1), U'H'); // from BR
    EXPECT_EQ(model.cell(Side::Left, 2, 2), U'B'); // from BL
    EXPECT_EQ(model.cell(Side::Left, 1, 2), U'A'); // from TL
}

TEST(HuxelModelRotation, EachTurnUndoesTheOtherAndFourTurnsAreNone)
{
    SeededRandom random(99);
    HuxelModel model(random);
    for (int n = HuxelModel::MinSize; n <= HuxelModel::MaxSize; ++n) {
        model.setTableSize(n);
        model.ShuffleTables();
        const HuxelModel::Table left = model.LeftTable();
        const HuxelModel::Table right = model.RightTable();
        for (int col = 1; col < n; ++col) {
            for (int row = 1; row < n; ++row) {
                for (Side side : {Side::Left, Side::Right}) {
                    model.RotateClockwise(col, row, side);
                    EXPECT_NE(side == Side::Left ? model.LeftTable() : model.RightTable(),
                              side == Side::Left ? left : right);
                    model.RotateCounterClockwise(col, row, side);
                    EXPECT_EQ(model.LeftTable(), left);
                    EXPECT_EQ(model.RightTable(), right);
                    for (int i = 0; i < 4; ++i)
                        model.RotateCounterClockwise(col, row, side);
                    EXPECT_EQ(model.LeftTable(), left);
                }
            }
        }
    }
}

// Blocks must lie wholly inside the used n x n part.
TEST(HuxelModelRotation, IgnoresBlocksOutsideTheTable)
{
    SeededRandom random;
    HuxelModel model(random);
    model.setTableSize(4);
    model.ShuffleTables();
    const HuxelModel::Table left = model.LeftTable();
    for (auto [col, row] : {std::pair{0, 1}, {1, 0}, {4, 1}, {1, 4}, {6, 6}, {-1, -1}, {7, 2}}) {
        model.RotateClockwise(col, row, Side::Left);
        model.RotateCounterClockwise(col, row, Side::Left);
        model.RotateClockwise(col, row, Side::Left);
    }
    EXPECT_EQ(model.LeftTable(), left);
}

TEST(HuxelModelEquality, ComparesUsedCellsOnly)
{
    SeededRandom random;
    HuxelModel model(random);
    model.setTableSize(3);
    ASSERT_TRUE(model.TablesEqual()) << "both tables start with the alphabet in order";

    // Differences in column 4..6 or row 4..6 are never shown and never count.
    for (auto [col, row] : {std::pair{4, 1}, {1, 4}, {6, 6}, {4, 4}})
        ASSERT_TRUE(model.setCell(Side::Left, col, row, U'§'));
    EXPECT_TRUE(model.TablesEqual());

    for (auto [col, row] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
        const char32_t kept = model.cell(Side::Right, col, row);
        model.setCell(Side::Right, col, row, U'§');
        EXPECT_FALSE(model.TablesEqual()) << col << "," << row;
        model.setCell(Side::Right, col, row, kept);
    }
    EXPECT_TRUE(model.TablesEqual());
}

TEST(HuxelModelState, SettersKeepTheirInvariants)
{
    SeededRandom random;
    HuxelModel model(random);
    const std::pair<int, int> sizes[] = {
        {0, 3}, {2, 3}, {3, 3}, {5, 5}, {6, 6}, {9, 6}, {-2147483647 - 1, 3}};
    for (const auto& [requested, expected] : sizes) {
        model.setTableSize(requested);
        EXPECT_EQ(model.TableSize(), expected) << requested;
    }

    EXPECT_FALSE(model.setCell(Side::Left, 0, 1, U'A'));
    EXPECT_FALSE(model.setCell(Side::Left, 1, 7, U'A'));
    EXPECT_FALSE(model.setCell(Side::Left, 1, 1, U'a')) << "not in the alphabet";
    EXPECT_FALSE(model.setCell(Side::Left, 1, 1, 0));
    EXPECT_EQ(model.cell(Side::Left, 1, 1), U'A');
    EXPECT_EQ(model.cell(Side::Left, 7, 1), 0u);
    EXPECT_TRUE(model.setCell(Side::Left, 6, 6, U'@'));
    EXPECT_EQ(model.cell(Side::Left, 6, 6), U'@');
}
