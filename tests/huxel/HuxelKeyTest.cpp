#include "HuxelKeySolver.h"
#include "HuxelTestSupport.h"

using namespace huxeltest;

namespace {

// The block a target stands for, read from its row and column: columns run across the left table
// and on into the right one.
struct Block {
    int col;
    int row;
    Side table;
};

Block BlockOfPlace(const KeyTarget& target, int n)
{
    const int blocks = n - 1;
    return {target.column % blocks + 1, target.row, target.column < blocks ? Side::Left : Side::Right};
}

// A key press as the shell makes it: the pointer to the target's point, then the press there.
void PressTarget(Huxel& huxel, int index, bool right)
{
    const KeyTarget target = huxel.KeyTargets().targets.at(index);
    huxel.MouseMove(target.at.x(), target.at.y());
    if (right)
        huxel.MouseDownRight(target.at.x(), target.at.y());
    else
        huxel.MouseDownLeft(target.at.x(), target.at.y());
}

} // namespace

class HuxelKeys : public HuxelFixture {
  protected:
    void SetBlock(Side table, std::u32string_view readingOrder)
    {
        huxel.model().setCell(table, 1, 1, readingOrder[0]);
        huxel.model().setCell(table, 2, 1, readingOrder[1]);
        huxel.model().setCell(table, 1, 2, readingOrder[2]);
        huxel.model().setCell(table, 2, 2, readingOrder[3]);
    }
};

// Every block of both tables is a target, laid out as the player sees the tables side by side;
// its point highlights that block, and a left or right press there turns it as the mouse does.
// (On a plain fake shell: the recording one keeps a screen picture of every frame.)
TEST(HuxelKeyTargets, EveryBlockIsATargetThatHighlightsAndTurnsIt)
{
    for (int n : {3, 6}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        FakeShell shell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
        Huxel huxel(shell);
        huxel.model().setTableSize(n);
        huxel.NewPuzzle();
        huxel.PaintPuzzle();
        const KeyTargetSet set = huxel.KeyTargets();
        const int blocks = n - 1;
        ASSERT_EQ(set.targets.size(), static_cast<size_t>(1 + 2 * blocks * blocks));
        EXPECT_EQ(set.targets[set.first].row, 1);
        EXPECT_EQ(set.targets[set.first].column, 0);
        for (size_t i = 1; i < set.targets.size(); ++i) {
            const KeyTarget& target = set.targets[i];
            const KeyTarget& before = set.targets[i - 1];
            if (i > 1 && target.row == before.row) {
                EXPECT_EQ(target.column, before.column + 1) << "target " << i;
                EXPECT_GT(target.at.x(), before.at.x()) << "target " << i;
                EXPECT_EQ(target.at.y(), before.at.y()) << "target " << i;
            } else {
                EXPECT_EQ(target.column, 0) << "target " << i;
                EXPECT_GT(target.at.y(), before.at.y()) << "target " << i;
            }
            const Block block = BlockOfPlace(target, n);
            SCOPED_TRACE(testing::Message() << "target " << i << ": block " << block.col << "," << block.row
                                            << (block.table == Side::Left ? " left" : " right"));
            for (bool right : {false, true}) {
                HuxelModel expected = huxel.model();
                expected.rotate(right ? Turn::Clockwise : Turn::CounterClockwise, block.col, block.row,
                                block.table);
                huxel.MouseMove(target.at.x(), target.at.y());
                EXPECT_EQ(huxel.HoverCol(), block.col);
                EXPECT_EQ(huxel.HoverRow(), block.row);
                EXPECT_EQ(huxel.HoverTable(), block.table);
                if (right)
                    huxel.MouseDownRight(target.at.x(), target.at.y());
                else
                    huxel.MouseDownLeft(target.at.x(), target.at.y());
                EXPECT_EQ(huxel.model().LeftTable(), expected.LeftTable());
                EXPECT_EQ(huxel.model().RightTable(), expected.RightTable());
            }
            EXPECT_TRUE(shell.fontRequests.empty());
        }
        EXPECT_EQ(set.targets.back().row, blocks);
        EXPECT_EQ(set.targets.back().column, 2 * blocks - 1);
        EXPECT_EQ(huxel.KeyTargets().targets.back().at, set.targets.back().at) << "moves keep the places";
    }
}

// A row of its own above the tables: a left press opens the font chooser, a right press does
// nothing, since the pointer there highlights no block.
TEST_F(HuxelKeys, FontButtonIsATargetAboveTheTables)
{
    StartPuzzle(4);
    const KeyTarget button = huxel.KeyTargets().targets.front();
    EXPECT_EQ(button.row, 0);
    EXPECT_EQ(button.column, 0);
    Hover(2, 2, Side::Right);
    recorder.clear();
    const HuxelModel::Table left = huxel.model().LeftTable();
    const HuxelModel::Table right = huxel.model().RightTable();

    PressTarget(huxel, 0, true);
    EXPECT_EQ(huxel.HoverCol(), 0);
    EXPECT_TRUE(shell.fontRequests.empty());
    PressTarget(huxel, 0, false);
    EXPECT_EQ(shell.fontRequests.size(), 1u);
    EXPECT_EQ(huxel.model().LeftTable(), left);
    EXPECT_EQ(huxel.model().RightTable(), right);
    EXPECT_EQ(shell.sounds, std::vector<int>{8}) << "only the highlight leaving the block";
}

// The characters first, then how many of them the other table has in the same cells, then the
// place; the font button says the font it would change.
TEST_F(HuxelKeys, DescriptionsSayTheCharactersThenHowManyAgreeThenThePlace)
{
    StartPuzzle(3);
    SetBlock(Side::Left, U"ABCD");
    SetBlock(Side::Right, U"ACB§");
    const int leftFirst = huxel.KeyTargets().first;
    const int rightFirst = HuxelBlockTarget(3, 1, 1, Side::Right);
    EXPECT_EQ(huxel.DescribeKeyTarget(leftFirst, 0),
              QStringLiteral("A B, C D; 1 of 4 agree; left, row 1, column 1"));
    EXPECT_EQ(huxel.DescribeKeyTarget(rightFirst, 1),
              QStringLiteral("A C, B §; 1 von 4 gleich; rechts, Zeile 1, Spalte 1"));
    SetBlock(Side::Right, U"ABCD");
    EXPECT_EQ(huxel.DescribeKeyTarget(leftFirst, 0),
              QStringLiteral("A B, C D; 4 of 4 agree; left, row 1, column 1"));
    EXPECT_TRUE(huxel.DescribeKeyTarget(HuxelBlockTarget(3, 2, 2, Side::Right), 0)
                    .endsWith(QStringLiteral(" agree; right, row 2, column 2")));

    EXPECT_EQ(huxel.DescribeKeyTarget(0, 0), QStringLiteral("Font Arial; F button"));
    shell.fontAnswer = QFont(QStringLiteral("Arial"), 9);
    shell.fontAnswer->setBold(true);
    shell.fontAnswer->setItalic(true);
    PressTarget(huxel, 0, false);
    EXPECT_EQ(huxel.DescribeKeyTarget(0, 1), QStringLiteral("Schrift Arial fett kursiv; F-Knopf"));
    EXPECT_EQ(huxel.DescribeKeyTarget(0, 0), QStringLiteral("Font Arial bold italic; F button"));
    const int lastBlock = HuxelBlockTarget(3, 2, 2, Side::Right);
    for (int outside : {-1, lastBlock + 1, 1000})
        EXPECT_EQ(huxel.DescribeKeyTarget(outside, 0), QString()) << outside;
}

// A block off the diagonal names its own row and column, not the other way round, and its own
// four characters, in either table. Left: A..P in reading order; right: Q..& likewise.
TEST_F(HuxelKeys, OffDiagonalBlocksAreDescribedWithTheirOwnRowColumnAndCharacters)
{
    StartPuzzle(4);
    for (Side table : {Side::Left, Side::Right}) {
        for (int col = 1; col <= 4; ++col) {
            for (int row = 1; row <= 4; ++row)
                huxel.model().setCell(
                    table, col, row,
                    HuxelModel::SymbolAlphabet[(table == Side::Right ? 16 : 0) + (row - 1) * 4 + col - 1]);
        }
    }
    struct Case {
        int col;
        int row;
        Side table;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        {2, 1, Side::Left, "B C, F G; 0 of 4 agree; left, row 1, column 2",
         "B C, F G; 0 von 4 gleich; links, Zeile 1, Spalte 2"},
        {1, 2, Side::Left, "E F, I J; 0 of 4 agree; left, row 2, column 1",
         "E F, I J; 0 von 4 gleich; links, Zeile 2, Spalte 1"},
        {2, 1, Side::Right, "R S, V W; 0 of 4 agree; right, row 1, column 2",
         "R S, V W; 0 von 4 gleich; rechts, Zeile 1, Spalte 2"},
        {1, 2, Side::Right, "U V, Y Z; 0 of 4 agree; right, row 2, column 1",
         "U V, Y Z; 0 von 4 gleich; rechts, Zeile 2, Spalte 1"},
    };
    for (const Case& c : cases) {
        const int target = HuxelBlockTarget(4, c.col, c.row, c.table);
        EXPECT_EQ(huxel.DescribeKeyTarget(target, 0), QString::fromUtf8(c.english));
        EXPECT_EQ(huxel.DescribeKeyTarget(target, 1), QString::fromUtf8(c.german));
    }
}

// Cells compared in the same place of both tables, up to the last row and column.
TEST_F(HuxelKeys, BoardLineCountsTheCellsThatStillDiffer)
{
    StartPuzzle(4);
    CopyRightToLeft();
    EXPECT_EQ(huxel.DescribeBoard(0), QStringLiteral("All 16 cells agree."));
    EXPECT_EQ(huxel.DescribeBoard(1), QStringLiteral("Alle 16 Zellen stimmen überein."));
    const char32_t corner = huxel.model().cell(Side::Left, 4, 4);
    huxel.model().setCell(Side::Left, 4, 4, huxel.model().cell(Side::Left, 3, 4));
    huxel.model().setCell(Side::Left, 3, 4, corner);
    EXPECT_EQ(huxel.DescribeBoard(0), QStringLiteral("2 of 16 cells still differ."));
    EXPECT_EQ(huxel.DescribeBoard(1), QStringLiteral("2 von 16 Zellen unterscheiden sich noch."));
    huxel.model().RotateClockwise(1, 1, Side::Right);
    EXPECT_EQ(huxel.DescribeBoard(0), QStringLiteral("6 of 16 cells still differ."));
}

// Row k and column k of both tables, left first; reading starts where a press would turn.
TEST_F(HuxelKeys, ReviewLinesReadRowsAndColumnsOfBothTables)
{
    StartPuzzle(3);
    for (Side table : {Side::Left, Side::Right}) {
        for (int col = 1; col <= 3; ++col) {
            for (int row = 1; row <= 3; ++row)
                huxel.model().setCell(
                    table, col, row,
                    HuxelModel::SymbolAlphabet[(table == Side::Right ? 26 : 0) + (row - 1) * 3 + col - 1]);
        }
    }
    const ReviewGrid none = huxel.ReviewLines();
    EXPECT_EQ(none.rows, 3);
    EXPECT_EQ(none.columns, 3);
    EXPECT_EQ(none.startRow, 0);
    EXPECT_EQ(none.startColumn, 0);
    Hover(2, 1, Side::Right);
    EXPECT_EQ(huxel.ReviewLines().startRow, 0);
    EXPECT_EQ(huxel.ReviewLines().startColumn, 1);
    Hover(1, 2, Side::Left);
    EXPECT_EQ(huxel.ReviewLines().startRow, 1);
    EXPECT_EQ(huxel.ReviewLines().startColumn, 0);

    EXPECT_EQ(huxel.DescribeReviewLine({true, 1}, 0), QStringLiteral("row 2: left D E F; right $ % &"));
    EXPECT_EQ(huxel.DescribeReviewLine({false, 2}, 1), QStringLiteral("Spalte 3: links C F I; rechts § & @"));
    EXPECT_EQ(huxel.DescribeReviewLine({true, 0}, 1), QStringLiteral("Zeile 1: links A B C; rechts # * §"));
    for (ReviewLine outside : {ReviewLine{true, -1}, ReviewLine{true, 3}, ReviewLine{false, 3}})
        EXPECT_EQ(huxel.DescribeReviewLine(outside, 0), QString());
}

// Every block's partner is the same block of the other table, and back; the font button has none.
TEST(HuxelPartner, IsTheSameBlockOfTheOtherTable)
{
    for (int n : {3, 5}) {
        SCOPED_TRACE(testing::Message() << "n " << n);
        FakeShell shell;
        Huxel huxel(shell);
        huxel.model().setTableSize(n);
        huxel.NewPuzzle();
        const std::vector<KeyTarget> targets = huxel.KeyTargets().targets;
        for (int i = 1; i < static_cast<int>(targets.size()); ++i) {
            const std::optional<int> partner = huxel.PartnerTarget(i);
            ASSERT_TRUE(partner) << "target " << i;
            ASSERT_GT(*partner, 0);
            ASSERT_LT(*partner, static_cast<int>(targets.size()));
            const Block here = BlockOfPlace(targets[i], n);
            const Block there = BlockOfPlace(targets[*partner], n);
            EXPECT_EQ(there.col, here.col) << "target " << i;
            EXPECT_EQ(there.row, here.row) << "target " << i;
            EXPECT_NE(there.table, here.table) << "target " << i;
            EXPECT_EQ(huxel.PartnerTarget(*partner), i);
        }
        for (int none : {0, -1, static_cast<int>(targets.size())})
            EXPECT_EQ(huxel.PartnerTarget(none), std::nullopt) << none;
    }
}

// A turn says the block's characters as they now stand and how many cells of the tables agree,
// worded again later in either language with the values of that turn; a press without a block
// says why nothing turned. The solving turn speaks before the end is reported, so the shell's
// word on the end is the last.
TEST_F(HuxelKeys, ATurnAnnouncesTheTurnedBlockAndHowManyCellsAgree)
{
    StartPuzzle(3);
    CopyRightToLeft();
    SetBlock(Side::Left, U"ABCD");
    SetBlock(Side::Right, U"ABCD");
    shell.state = PlayState::InProgress;
    Hover(1, 1, Side::Left);
    huxel.MouseDownRight(0, 0);
    ASSERT_EQ(recorder.spoken.size(), 1u);
    EXPECT_EQ(recorder.spoken[0](0), QStringLiteral("C A, D B; 5 of 9 cells agree"));
    EXPECT_EQ(recorder.spoken[0](1), QStringLiteral("C A, D B; 5 von 9 Zellen gleich"));
    EXPECT_EQ(shell.announcements.back(), recorder.spoken[0](0)) << "in the shell's language";

    huxel.MouseDownLeft(200, 200);
    ASSERT_EQ(recorder.spoken.size(), 2u);
    EXPECT_EQ(recorder.spoken[1](0), QStringLiteral("A B, C D; 9 of 9 cells agree"));
    EXPECT_EQ(recorder.spoken[0](1), QStringLiteral("C A, D B; 5 von 9 Zellen gleich"))
        << "values of its turn";
    EXPECT_EQ(shell.solvedCalls, 1);
    EXPECT_EQ(recorder.spokenAtSolved, 2u);

    Hover(0, 0, Side::Left);
    huxel.MouseDownRight(0, 0);
    ASSERT_EQ(recorder.spoken.size(), 3u);
    EXPECT_EQ(recorder.spoken[2](0), QStringLiteral("No block here to turn."));
    EXPECT_EQ(recorder.spoken[2](1), QStringLiteral("Hier ist kein Block zum Drehen."));
}

// The solver's presses, made through the targets, solve a deal of one and of three turns.
TEST(HuxelKeySolver, PressesSolveAScriptedDeal)
{
    const std::vector<HuxelTurn> threeTurns{{1, 1, Side::Left, Turn::Clockwise},
                                            {2, 2, Side::Right, Turn::CounterClockwise},
                                            {2, 1, Side::Left, Turn::Clockwise}};
    for (const std::vector<HuxelTurn>& turns : {std::vector<HuxelTurn>{}, threeTurns}) {
        SCOPED_TRACE(testing::Message() << turns.size() << " scripted turns");
        ScriptedRandom random;
        if (!turns.empty())
            random.script = HuxelScrambleScript(3, turns);
        FakeShell shell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
        shell.randomSource = &random;
        Huxel huxel(shell);
        huxel.model().setTableSize(3);
        huxel.NewPuzzle();
        huxel.PaintPuzzle();
        EXPECT_TRUE(random.outOfRange.empty());
        EXPECT_TRUE(random.script.empty());
        ASSERT_FALSE(huxel.model().TablesEqual());

        const std::optional<std::vector<HuxelKeyPress>> presses = SolveHuxelByKeys(huxel.model());
        ASSERT_TRUE(presses);
        EXPECT_EQ(presses->size(), turns.empty() ? 1u : 3u);
        if (turns.empty()) {
            EXPECT_EQ(presses->front(), (HuxelKeyPress{huxel.KeyTargets().first, true}));
        }
        for (const HuxelKeyPress& press : *presses)
            PressTarget(huxel, press.target, press.right);
        EXPECT_TRUE(huxel.model().TablesEqual());
        EXPECT_EQ(shell.solvedCalls, 1);
    }
}
