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

TEST_F(HuxelKeys, DescriptionsNameTheBlockItsCharactersAndWhetherTheTablesAgree)
{
    StartPuzzle(3);
    SetBlock(Side::Left, U"ABCD");
    SetBlock(Side::Right, U"ACB§");
    const int leftFirst = huxel.KeyTargets().first;
    const int rightFirst = HuxelBlockTarget(3, 1, 1, Side::Right);
    EXPECT_EQ(huxel.DescribeKeyTarget(leftFirst, 0),
              QStringLiteral("Table 1, block row 1, column 1: A B / C D; the other table: A C / B §. "
                             "The tables still differ here."));
    EXPECT_EQ(huxel.DescribeKeyTarget(rightFirst, 1),
              QStringLiteral("Tabelle 2, Blockzeile 1, Spalte 1: A C / B §; die andere Tabelle: A B / C D. "
                             "Hier unterscheiden sich die Tabellen noch."));

    SetBlock(Side::Right, U"ABCD");
    EXPECT_TRUE(
        huxel.DescribeKeyTarget(leftFirst, 0).endsWith(QStringLiteral("Both tables agree here already.")));
    EXPECT_TRUE(huxel.DescribeKeyTarget(rightFirst, 1)
                    .endsWith(QStringLiteral("Hier stimmen beide Tabellen schon überein.")));

    const int lastBlock = HuxelBlockTarget(3, 2, 2, Side::Right);
    EXPECT_TRUE(
        huxel.DescribeKeyTarget(lastBlock, 0).startsWith(QStringLiteral("Table 2, block row 2, column 2:")));
    EXPECT_EQ(huxel.DescribeKeyTarget(0, 0),
              QStringLiteral(
                  "The F button: it opens the font choice for the characters, typeface, bold or italic."));
    EXPECT_EQ(
        huxel.DescribeKeyTarget(0, 1),
        QStringLiteral("Der Knopf mit dem F: Er öffnet die Schriftauswahl für die Zeichen, Schriftart, fett "
                       "oder kursiv."));
    for (int outside : {-1, lastBlock + 1, 1000})
        EXPECT_EQ(huxel.DescribeKeyTarget(outside, 0), QString()) << outside;
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
