#include <QRegularExpression>
#include <set>
#include <tuple>

#include "VexorKeySolver.h"
#include "VexorTestSupport.h"
#include "app/core/ColourName.h"
#include "app/core/Language.h"

namespace {

using Table = VexorModel::Table;

// Every account a cyclic order of the same bookings, so every shift changes every account.
Table CyclicTable(const std::vector<int>& bookings)
{
    const int n = static_cast<int>(bookings.size());
    Table table{};
    for (int a = 1; a <= n; ++a) {
        for (int k = 1; k <= n; ++k)
            table[a][k] = bookings[(a + k) % n];
    }
    return table;
}

// Position 2 of a solved board rotated by one: the accounts stand at 110, 90, 100, 100.
const Table Uneven = MakeTable({{10, 30, 30, 40}, {20, 20, 40, 10}, {30, 40, 10, 20}, {40, 10, 20, 30}});

std::vector<std::tuple<int, int, int, int>> Places(const KeyTargetSet& set)
{
    std::vector<std::tuple<int, int, int, int>> places;
    for (const KeyTarget& target : set.targets)
        places.emplace_back(target.at.x(), target.at.y(), target.row, target.column);
    return places;
}

// What the shell does for Space (left) or Shift+Space (right) with the cursor on target index.
void PressTarget(Vexor& vexor, int index, bool right)
{
    const QPoint at = vexor.KeyTargets().targets.at(index).at;
    vexor.MouseMove(at.x(), at.y());
    vexor.ShowKeyCursor(index);
    if (right)
        vexor.MouseDownRight(at.x(), at.y());
    else
        vexor.MouseDownLeft(at.x(), at.y());
}

} // namespace

class VexorKeys : public VexorFixture {
  protected:
    void SolveByKeys()
    {
        int presses = 0;
        while (shell.solvedCalls == 0 && presses < 30) {
            const std::optional<VexorKeyPress> press = NextVexorKeyPress(vexor.model());
            ASSERT_TRUE(press.has_value()) << "after " << presses << " presses";
            PressTarget(vexor, press->target, press->right);
            ++presses;
        }
        EXPECT_EQ(shell.solvedCalls, 1);
        EXPECT_TRUE(vexor.model().AllEqual());
        EXPECT_FALSE(NextVexorKeyPress(vexor.model()).has_value());
    }
};

// At the fewest and the most bookings: each arrow's point gets the mouse's own highlight, a left
// press shifts that row that way, a right press asks for that row's colour.
TEST_F(VexorKeys, ArrowTargetsActAsThePointerOnTheirArrow)
{
    const std::pair<int, std::vector<int>> levels[] = {
        {1, {10, 20, 30, 40}},
        {5, {5, 10, 15, 20, 10, 15, 12, 13}},
    };
    for (const auto& [level, bookings] : levels) {
        const Table start = CyclicTable(bookings);
        SetUpBoard(level, level, start);
        const int n = vexor.model().bookingCount();
        const KeyTargetSet set = vexor.KeyTargets();
        ASSERT_EQ(set.targets.size(), static_cast<size_t>(2 + 2 * n));
        EXPECT_EQ(std::pair(set.targets[set.first].row, set.targets[set.first].column), std::pair(n, 0))
            << "the left arrow of the bottom row";
        for (int k = 1; k <= n; ++k) {
            for (const bool right : {false, true}) {
                SCOPED_TRACE(testing::Message()
                             << "level " << level << " row " << k << (right ? " right" : " left"));
                const int index = 2 + 2 * (n - k) + (right ? 1 : 0);
                const KeyTarget& target = set.targets[index];
                EXPECT_EQ(std::pair(target.row, target.column), std::pair(n - k + 1, right ? 1 : 0));
                vexor.MouseMove(right ? 435 : 405, 302 - 27 * k + 3);
                const QImage hovered = shell.screenImage.copy(ArrowColumn);
                vexor.MouseMove(0, 0);

                vexor.MouseMove(target.at.x(), target.at.y());
                EXPECT_EQ(vexor.hoverRow(), k);
                EXPECT_EQ(vexor.hoverSide(), right ? Vexor::RightSide : Vexor::LeftSide);
                EXPECT_EQ(shell.screenImage.copy(ArrowColumn), hovered);

                VexorModel expected = vexor.model();
                expected.startMove(k, right ? VexorModel::Shift::Right : VexorModel::Shift::Left);
                vexor.MouseDownLeft(target.at.x(), target.at.y());
                EXPECT_EQ(vexor.model().bookings(), expected.bookings());
                ASSERT_TRUE(vexor.model().setBookings(start));

                shell.clearRecords();
                vexor.MouseDownRight(target.at.x(), target.at.y());
                EXPECT_EQ(shell.colorRequests, std::vector<ColorRef>{vexor.colours()[k]});
            }
        }
    }
}

TEST_F(VexorKeys, SwitchTargetsFormTheTopRowAndToggleOnlyWithTheLeftPress)
{
    SetUpBoard(5, 5, SolvedTable(8, 8));
    const KeyTargetSet set = vexor.KeyTargets();
    EXPECT_EQ(std::pair(set.targets[0].row, set.targets[0].column), std::pair(0, 0));
    EXPECT_EQ(std::pair(set.targets[1].row, set.targets[1].column), std::pair(0, 1));

    PressTarget(vexor, 0, true);
    PressTarget(vexor, 1, true);
    EXPECT_EQ(std::pair(vexor.lin(), vexor.fit()), std::pair(true, false));
    PressTarget(vexor, 0, false);
    EXPECT_EQ(std::pair(vexor.lin(), vexor.fit()), std::pair(false, false));
    PressTarget(vexor, 1, false);
    EXPECT_EQ(std::pair(vexor.lin(), vexor.fit()), std::pair(false, true));
    EXPECT_TRUE(shell.colorRequests.empty());
    EXPECT_EQ(vexor.model().bookings(), SolvedTable(8, 8));
}

// The cursor stays where it was after a move and after a change of the number of accounts.
TEST_F(VexorKeys, TargetsDependOnTheNumberOfBookingsOnly)
{
    SetUpBoard(1, 2, SolvedTable(4, 5));
    const auto before = Places(vexor.KeyTargets());
    PressTarget(vexor, 4, false);
    EXPECT_EQ(Places(vexor.KeyTargets()), before);
    vexor.OptionClick(true);
    EXPECT_EQ(Places(vexor.KeyTargets()), before);
    vexor.OptionZClick(true);
    EXPECT_NE(Places(vexor.KeyTargets()), before);
}

TEST_F(VexorKeys, ArrowsTellTheRowsBookingsThenRowColourAndSide)
{
    SetUpBoard(1, 1, Uneven);
    EXPECT_EQ(vexor.DescribeKeyTarget(6, 0),
              QStringLiteral("30, 20, 40, 10. Row 2 of 4, light yellow, left."));
    EXPECT_EQ(vexor.DescribeKeyTarget(9, 1),
              QStringLiteral("10, 20, 30, 40. Reihe 1 von 4, hellrot, rechts."));

    shell.colorAnswer = colorRef(0xE0, 0x10, 0x20);
    PressTarget(vexor, 3, true);
    EXPECT_TRUE(vexor.DescribeKeyTarget(2, 1).endsWith(QStringLiteral("Reihe 4 von 4, rot, links.")));
    for (int index : {-1, 10, 1000})
        EXPECT_TRUE(vexor.DescribeKeyTarget(index, 0).isEmpty()) << index;
}

// Rows are bookings, not accounts: on boards where the two counts differ every arrow names its
// own row out of the number of rows, after one booking per account.
TEST_F(VexorKeys, ArrowsCountRowsNotAccounts)
{
    const std::pair<int, int> levels[] = {{1, 5}, {5, 1}, {2, 4}, {4, 2}};
    const QRegularExpression english(
        QStringLiteral("^((\\d+, )*\\d+)\\. Row (\\d+) of (\\d+), .+, (left|right)\\.$"));
    const QRegularExpression german(
        QStringLiteral("^((\\d+, )*\\d+)\\. Reihe (\\d+) von (\\d+), .+, (links|rechts)\\.$"));
    for (const auto& [barLevel, bookingLevel] : levels) {
        const int accounts = barLevel + 3;
        const int rows = bookingLevel + 3;
        SetUpBoard(barLevel, bookingLevel, SolvedTable(accounts, rows));
        for (int k = 1; k <= rows; ++k) {
            for (const bool right : {false, true}) {
                const int index = VexorArrowTarget(vexor.model(), k, right);
                SCOPED_TRACE(testing::Message() << accounts << " accounts, row " << k << " of " << rows
                                                << (right ? " right" : " left"));
                for (const auto& [tongue, pattern] : {std::pair(0, &english), std::pair(1, &german)}) {
                    const QString text = vexor.DescribeKeyTarget(index, tongue);
                    const QRegularExpressionMatch match = pattern->match(text);
                    ASSERT_TRUE(match.hasMatch()) << text.toStdString();
                    EXPECT_EQ(match.captured(1).split(QStringLiteral(", ")).size(), accounts)
                        << text.toStdString();
                    EXPECT_EQ(match.captured(3).toInt(), k) << text.toStdString();
                    EXPECT_EQ(match.captured(4).toInt(), rows) << text.toStdString();
                    EXPECT_EQ(match.captured(5),
                              right ? pick(tongue, "rechts", "right") : pick(tongue, "links", "left"));
                }
            }
        }
    }
}

TEST_F(VexorKeys, SwitchesTellTheirStateFirst)
{
    SetUpBoard(1, 1, Uneven);
    EXPECT_EQ(vexor.DescribeKeyTarget(0, 0), QStringLiteral("Shown, plate at 100."));
    EXPECT_EQ(vexor.DescribeKeyTarget(1, 1), QString::fromUtf8("Aus, Balken in voller Größe."));
    PressTarget(vexor, 0, false);
    EXPECT_EQ(vexor.DescribeKeyTarget(0, 1), QStringLiteral("Ausgeblendet, Platte bei 100."));
    EXPECT_EQ(vexor.DescribeKeyTarget(0, 0), QStringLiteral("Hidden, plate at 100."));
    PressTarget(vexor, 1, false);
    EXPECT_EQ(vexor.DescribeKeyTarget(1, 1), QString::fromUtf8("An, Balken in voller Größe."));
    EXPECT_EQ(vexor.DescribeKeyTarget(1, 0), QStringLiteral("On, bars at full size."));
}

TEST_F(VexorKeys, BoardLineReadsTheAccountTotalsAndTheGoal)
{
    SetUpBoard(1, 1, Uneven);
    EXPECT_EQ(vexor.DescribeBoard(0), QStringLiteral("Accounts 110, 90, 100, 100; goal 100."));
    EXPECT_EQ(vexor.DescribeBoard(1), QStringLiteral("Konten 110, 90, 100, 100; Ziel 100."));
}

// After a shift a player hears the accounts it changed with their new totals; when it changed
// them all, the totals in order.
TEST_F(VexorKeys, MoveAnnouncesTheChangedAccountsAndTheirTotals)
{
    // Row 4 is 25 in every account; the third account's first booking equals the second's.
    const Table partly = MakeTable({{10, 30, 35, 25}, {25, 25, 25, 25}, {25, 35, 25, 25}, {40, 10, 15, 25}});
    SetUpBoard(1, 1, partly);
    const auto arrow = [this](int k, bool right) { return VexorArrowTarget(vexor.model(), k, right); };
    PressTarget(vexor, arrow(1, true), false);
    shell.tongue = 1;
    PressTarget(vexor, arrow(1, false), false);
    PressTarget(vexor, arrow(4, true), false);
    shell.tongue = 0;
    PressTarget(vexor, arrow(4, false), false);
    EXPECT_EQ(shell.announcements, (std::vector<QString>{
                                       QStringLiteral("Accounts 1 to 130, 2 to 85, 4 to 75."),
                                       QStringLiteral("Konten 1 auf 100, 2 auf 100, 4 auf 90."),
                                       QString::fromUtf8("Kein Konto ändert sich."),
                                       QStringLiteral("No account changes."),
                                   }));

    SetUpBoard(1, 1, Uneven);
    PressTarget(vexor, arrow(2, false), false);
    shell.tongue = 1;
    PressTarget(vexor, arrow(2, true), false);
    EXPECT_EQ(shell.announcements, (std::vector<QString>{
                                       QStringLiteral("Accounts 100, 110, 70, 120."),
                                       QStringLiteral("Konten 110, 90, 100, 100."),
                                   }));
    EXPECT_EQ(vexor.model().bookings(), Uneven);
}

// Colours may be anything the player chose; each is named after the nearest of a small palette.
TEST(VexorColourNames, StartColoursAreTellApartAndChosenOnesGetTheNearestName)
{
    for (int tongue : {0, 1}) {
        std::set<QString> names;
        for (int k = 1; k <= VexorModel::MaxPositions; ++k)
            names.insert(colourName(Vexor::DefaultColours[k], tongue));
        EXPECT_EQ(names.size(), 8u) << "tongue " << tongue;
    }
    const std::tuple<ColorRef, const char*, const char*> cases[] = {
        {Vexor::DefaultColours[6], "light blue", "hellblau"},
        {colorRef(0xF0, 0x10, 0x10), "red", "rot"},
        {colorRef(0x10, 0x10, 0x10), "black", "schwarz"},
        {colorRef(0xFF, 0xA5, 0x00), "orange", "orange"},
        {colorRef(0xF8, 0xF8, 0xF8), "white", "weiß"},
        // Pale and mid shades that a plain RGB distance files under grey.
        {colorRef(0x80, 0x80, 0xFF), "blue", "blau"},
        {colorRef(0xFF, 0xC0, 0xC0), "pink", "rosa"},
        {colorRef(0x60, 0xC0, 0x60), "green", "grün"},
        {0x8000000Du, "dark blue", "dunkelblau"}, // the desktop's highlight colour, #0A246A
    };
    for (const auto& [colour, english, german] : cases) {
        EXPECT_EQ(colourName(colour, 0), QString::fromUtf8(english)) << std::hex << colour;
        EXPECT_EQ(colourName(colour, 1), QString::fromUtf8(german)) << std::hex << colour;
    }
}

// The key solver the shell tests use: presses chosen from the model alone make the accounts equal,
// on a hand-made board and on generated ones at the smallest levels.
TEST_F(VexorKeys, SolverSolvesByKeyPresses)
{
    VexorModel twisted(shell.random());
    ASSERT_TRUE(twisted.setBookings(CyclicTable({10, 20, 30, 40})));
    twisted.ShiftLeft(2);
    twisted.ShiftRight(3);
    twisted.ShiftRight(3);
    twisted.ShiftLeft(4);
    SetUpBoard(1, 1, twisted.bookings());
    SolveByKeys();

    for (unsigned seed : {1u, 2u}) {
        shell.seededRandom.seed(seed);
        vexor.NewPuzzle();
        vexor.PaintPuzzle();
        shell.clearRecords();
        SolveByKeys();
    }
}
