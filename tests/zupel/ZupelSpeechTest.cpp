#include <QStringList>
#include <string>
#include <utility>
#include <vector>

#include "ZupelTestSupport.h"

namespace {

// Current cell B2 (a 3) with the bar in row 2: A2 empty, C2 "$", D2 a 2; 15 units in all.
const TableText Mixed{"1$2.", ".3$2", "$14.", "2..$"};
// Picking D2 from B2 turns the bar into column D, which holds nothing else: 10 units are left.
const TableText DeadEnd{"1$2.", ".3$2", "$1..", "2..."};

std::string Text(const QString& text)
{
    return text.toStdString();
}

std::vector<std::string> Texts(const std::vector<QString>& texts)
{
    std::vector<std::string> out;
    for (const QString& text : texts)
        out.push_back(text.toStdString());
    return out;
}

using ZupelSpeech = ZupelFixture;

// A line of the board as a listener takes it in: what it names itself, the values of its cells
// in order, and which of them is said to be the current one.
struct HeardLine {
    std::string head;
    std::vector<int> values;
    int current = -1;
};

constexpr int Unheard = -99;

HeardLine Hear(const QString& text)
{
    HeardLine heard;
    const qsizetype colon = text.indexOf(QStringLiteral(": "));
    if (colon < 0 || !text.endsWith(QLatin1Char('.')))
        return heard;
    heard.head = text.left(colon).toStdString();
    const QStringList items = text.mid(colon + 2).chopped(1).split(QStringLiteral(", "));
    for (int i = 0; i < items.size(); ++i) {
        QString item = items[i];
        if (item.startsWith(QStringLiteral("current "))) {
            heard.current = heard.current < 0 ? i : Unheard;
            item.remove(0, 8);
        }
        bool number = false;
        const int digit = item.toInt(&number);
        if (item == QStringLiteral("expense"))
            heard.values.push_back(ZupelModel::Expense);
        else if (item == QStringLiteral("empty"))
            heard.values.push_back(ZupelModel::Empty);
        else
            heard.values.push_back(number && digit >= 1 && digit <= 9 ? digit : Unheard);
    }
    return heard;
}

// Forwards to a fake shell and keeps, in one list, the pauses, the end reports and the
// announcements, whose words it keeps to say them later, as the shell does after a language change.
class OrderShell final : public ShellServices {
  public:
    void PlaySound(Sound sound) override { inner.PlaySound(sound); }
    void Delay(unsigned ms) override
    {
        order.push_back("Delay " + std::to_string(ms));
        inner.Delay(ms);
    }
    void PuzzleSolved() override
    {
        order.push_back("PuzzleSolved");
        inner.PuzzleSolved();
    }
    void PuzzleFailed() override
    {
        order.push_back("PuzzleFailed");
        inner.PuzzleFailed();
    }
    PlayState playState() const override { return inner.playState(); }
    void setPlayState(PlayState state) override { inner.setPlayState(state); }
    int elapsed() const override { return inner.elapsed(); }
    void setElapsed(int ticks) override { inner.setElapsed(ticks); }
    const QImage& background() const override { return inner.background(); }
    QImage& work() override { return inner.work(); }
    QImage& screen() override { return inner.screen(); }
    void screenChanged(const QRect& rect) override { inner.screenChanged(rect); }
    std::optional<ColorRef> chooseColor(ColorRef initial) override { return inner.chooseColor(initial); }
    std::optional<QFont> chooseFont(const QFont& initial) override { return inner.chooseFont(initial); }
    RandomSource& random() override { return inner.random(); }
    int language() const override { return inner.language(); }
    void Announce(SpokenText words) override
    {
        order.push_back("Announce");
        spoken.push_back(std::move(words));
    }

    FakeShell inner;
    std::vector<std::string> order;
    std::vector<SpokenText> spoken;
};

} // namespace

// ---- Cells under the cursor ----

TEST_F(ZupelSpeech, ACellSaysItsContentThenItsPlaceAndTheCurrentOneWhichWayTheBarRuns)
{
    struct Case {
        bool rowBar;
        int index;
        int tongue;
        const char* text;
    };
    const Case cases[] = {
        {true, 0, 0, "empty, A2"},
        {true, 1, 0, "3, B2, current cell; row bar, left and right"},
        {true, 2, 0, "expense, C2"},
        {true, 3, -1, "2, D2"},
        {true, 0, 1, "leer, A2"},
        {true, 1, 1, "3, B2, aktuelle Zelle; Zeilenbalken, links und rechts"},
        {true, 2, 1, "Ausgabe, C2"},
        {false, 0, 0, "expense, B1"},
        {false, 1, 0, "3, B2, current cell; column bar, up and down"},
        {false, 1, 1, "3, B2, aktuelle Zelle; Spaltenbalken, hoch und runter"},
        {false, 3, 1, "leer, B4"},
    };
    for (const Case& c : cases) {
        SetUpTable(Mixed, 2, 2, c.rowBar);
        EXPECT_EQ(Text(zupel.DescribeKeyTarget(c.index, c.tongue)), c.text);
    }
    EXPECT_EQ(zupel.DescribeKeyTarget(-1, 0), QString());
    EXPECT_EQ(zupel.DescribeKeyTarget(4, 1), QString());

    TableText last(10, std::string(10, '.'));
    last[9][9] = '9';
    SetUpTable(last, 10, 10, false);
    EXPECT_EQ(Text(zupel.DescribeKeyTarget(9, 0)), "9, J10, current cell; column bar, up and down");
    EXPECT_EQ(Text(zupel.DescribeKeyTarget(0, 0)), "empty, J1");
}

// ---- The whole board in one line ----

TEST_F(ZupelSpeech, TheBoardLineGivesTheBarItsWayTheCurrentCellAndTheUnitsLeft)
{
    struct Case {
        TableText table;
        int column;
        int row;
        bool rowBar;
        int tongue;
        const char* text;
    };
    TableText one(10, std::string(10, '$'));
    one[2][9] = '1'; // J3
    const TableText none{"$...", "....", "....", "...."};
    const Case cases[] = {
        {Mixed, 2, 2, true, 0, "Bar: row 2, left and right; current cell B2. 15 units left."},
        {Mixed, 2, 2, true, 1,
         "Balken: Zeile 2, links und rechts; aktuelle Zelle B2. Noch 15 Einheiten übrig."},
        {one, 10, 3, false, 0, "Bar: column J, up and down; current cell J3. 1 unit left."},
        {one, 10, 3, false, 1, "Balken: Spalte J, hoch und runter; aktuelle Zelle J3. Noch 1 Einheit übrig."},
        {none, 3, 4, true, 0, "Bar: row 4, left and right; current cell C4. No units left."},
        {none, 3, 4, true, 1,
         "Balken: Zeile 4, links und rechts; aktuelle Zelle C4. Keine Einheit mehr übrig."},
    };
    for (const Case& c : cases) {
        SetUpTable(c.table, c.column, c.row, c.rowBar);
        EXPECT_EQ(Text(zupel.DescribeBoard(c.tongue)), c.text);
    }
}

// ---- Reading rows and columns ----

TEST_F(ZupelSpeech, ReviewStartsAtTheCurrentCellsRowAndColumn)
{
    SetUpTable(Mixed, 2, 2, true);
    ReviewGrid grid = zupel.ReviewLines();
    EXPECT_EQ((std::vector<int>{grid.rows, grid.columns, grid.startRow, grid.startColumn}),
              (std::vector<int>{4, 4, 1, 1}));
    SetUpTable(TableText(10, std::string(10, '1')), 3, 9, false);
    grid = zupel.ReviewLines();
    EXPECT_EQ((std::vector<int>{grid.rows, grid.columns, grid.startRow, grid.startColumn}),
              (std::vector<int>{10, 10, 8, 2}));
}

TEST_F(ZupelSpeech, ALineNamesItselfAndEveryCellInOrder)
{
    struct Case {
        bool rowBar;
        ReviewLine line;
        int tongue;
        const char* text;
    };
    const Case cases[] = {
        {true, {true, 1}, 0, "Row 2, bar: empty, current 3, expense, 2."},
        {true, {true, 1}, 1, "Zeile 2, Balken: leer, aktuell 3, Ausgabe, 2."},
        {true, {false, 1}, 0, "Column B: expense, current 3, 1, empty."},
        {false, {false, 1}, 1, "Spalte B, Balken: Ausgabe, aktuell 3, 1, leer."},
        {false, {true, 1}, 0, "Row 2: empty, current 3, expense, 2."},
        {true, {true, 3}, 0, "Row 4: 2, empty, empty, expense."},
        {true, {false, 0}, 1, "Spalte A: 1, leer, Ausgabe, 2."},
    };
    for (const Case& c : cases) {
        SetUpTable(Mixed, 2, 2, c.rowBar);
        EXPECT_EQ(Text(zupel.DescribeReviewLine(c.line, c.tongue)), c.text);
    }
    for (const ReviewLine outside : {ReviewLine{true, -1}, ReviewLine{true, 4}, ReviewLine{false, 4}})
        EXPECT_EQ(zupel.DescribeReviewLine(outside, 0), QString());
}

// What a listener hears of every row and every column agrees with the table, at every level,
// after a few picks have left empty cells and moved the bar.
TEST_F(ZupelSpeech, EveryCellIsHeardAsTheTableHoldsIt)
{
    for (int k = ZupelModel::MinMode; k <= ZupelModel::MaxMode; ++k) {
        for (const unsigned seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << "K " << k << ", seed " << seed);
            shell.seededRandom.seed(seed);
            zupel.model().setMode(k);
            zupel.NewPuzzle();
            for (int picks = 0; picks < 4; ++picks) {
                for (int i = 1; i <= k; ++i) {
                    const ZupelModel& m = zupel.model();
                    const int a = m.rowBar() ? i : m.currentColumn();
                    const int b = m.rowBar() ? m.currentRow() : i;
                    if (m.canPick(a, b) && m.cell(a, b) > 0) {
                        zupel.model().pick(a, b);
                        break;
                    }
                }
            }
            const ZupelModel& m = zupel.model();
            for (const bool isRow : {true, false}) {
                for (int n = 1; n <= k; ++n) {
                    const HeardLine heard = Hear(zupel.DescribeReviewLine({isRow, n - 1}, 0));
                    std::string head =
                        isRow ? "Row " + std::to_string(n) : std::string("Column ") + char('A' + n - 1);
                    if (isRow == m.rowBar() && n == (isRow ? m.currentRow() : m.currentColumn()))
                        head += ", bar";
                    EXPECT_EQ(heard.head, head);
                    std::vector<int> values;
                    for (int i = 1; i <= k; ++i)
                        values.push_back(isRow ? m.cell(i, n) : m.cell(n, i));
                    EXPECT_EQ(heard.values, values) << head;
                    const bool holdsCurrent = n == (isRow ? m.currentRow() : m.currentColumn());
                    EXPECT_EQ(heard.current,
                              holdsCurrent ? (isRow ? m.currentColumn() : m.currentRow()) - 1 : -1)
                        << head;
                }
            }
        }
    }
}

// ---- What a press says ----

TEST_F(ZupelSpeech, APickSaysTheCellWhatItHoldsNowAndTheNewBarsWay)
{
    struct Case {
        bool rowBar;
        int a;
        int b;
        int tongue;
        const char* text;
    };
    const Case cases[] = {
        {true, 4, 2, 0, "D2: 1 left, column."},
        {true, 4, 2, 1, "D2: noch 1, Spalte."},
        {true, 3, 2, 0, "C2: expense, 17 steps added, column."},
        {true, 3, 2, 1, "C2: Ausgabe, 17 Schritte mehr, Spalte."},
        {false, 2, 3, 0, "B3: empty, row."},
        {false, 2, 3, 1, "B3: leer, Zeile."},
    };
    for (const Case& c : cases) {
        SetUpTable(Mixed, 2, 2, c.rowBar);
        shell.tongue = c.tongue;
        zupel.PickCell(c.a, c.b);
        EXPECT_EQ(Texts(shell.announcements), std::vector<std::string>{c.text});
    }
}

// Keys reach every cell of the bar; a pick there that does nothing says why. Elsewhere, and on a
// solved table, nothing is said.
TEST_F(ZupelSpeech, APickThatDoesNothingSaysWhyWhereKeysReach)
{
    struct Case {
        int a;
        int b;
        int tongue;
        PlayState state;
        const char* text; // nullptr: nothing said
    };
    const Case cases[] = {
        {2, 2, 0, PlayState::Fresh, "Current cell: pick another cell of the bar."},
        {2, 2, 1, PlayState::InProgress, "Aktuelle Zelle: wähle eine andere Zelle im Balken."},
        {1, 2, 0, PlayState::InProgress, "Empty: nothing to pick."},
        {1, 2, 1, PlayState::Failed, "Leer: hier gibt es nichts zu holen."},
        {4, 1, 0, PlayState::InProgress, nullptr}, // empty, outside the bar
        {0, 2, 0, PlayState::InProgress, nullptr}, // the row header
        {5, 2, 0, PlayState::InProgress, nullptr}, // beyond the table
        {2, 2, 0, PlayState::Solved, nullptr},
        {1, 2, 0, PlayState::Solved, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "," << c.b);
        SetUpTable(Mixed, 2, 2, true, c.state);
        shell.tongue = c.tongue;
        zupel.PickCell(c.a, c.b);
        EXPECT_EQ(Texts(shell.announcements),
                  c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{});
        EXPECT_EQ(shell.state, c.state) << "nothing happened";
    }
}

// ---- The end of a table ----

// The last pick says itself and the end before the report; the count-down of a dead end says
// the empty bar and what it charged before it starts, since nothing is heard while it runs. The
// words stay right when they are said again later, in either language.
TEST(ZupelEndSpeech, TheEndIsAnnouncedOnceBeforeTheWaitAndTheReport)
{
    struct Case {
        TableText table;
        int column;
        int row;
        int a;
        int b;
        std::vector<std::string> order;
        const char* english;
        const char* german;
    };
    const std::vector<std::string> countDown = [] {
        std::vector<std::string> order{"Announce"};
        for (int unit = 0; unit < 10; ++unit)
            order.push_back("Delay 250");
        order.insert(order.end(), {"Delay 350", "PuzzleFailed"});
        return order;
    }();
    const Case cases[] = {
        {DeadEnd, 2, 2, 4, 2, countDown,
         "D2: 1 left. The bar, column D, is empty: 10 units charged, 330 steps added.",
         "D2: noch 1. Der Balken, Spalte D, ist leer: 10 Einheiten berechnet, 330 Schritte mehr."},
        {{"2$..", "....", "....", "...."},
         2,
         1,
         1,
         1,
         {"Announce", "Delay 250", "Delay 350", "PuzzleFailed"},
         "A1: 1 left. The bar, column A, is empty: 1 unit charged, 33 steps added.",
         "A1: noch 1. Der Balken, Spalte A, ist leer: 1 Einheit berechnet, 33 Schritte mehr."},
        {{"1$..", "....", "....", "...."},
         2,
         1,
         1,
         1,
         {"Announce", "Delay 350", "PuzzleSolved"},
         "A1: empty. All collected, 19 steps off.",
         "A1: leer. Alles eingesammelt, 19 Schritte weniger."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.english);
        OrderShell shell;
        Zupel zupel(shell);
        SetTable(zupel.model(), c.table, c.column, c.row, true);
        shell.inner.state = PlayState::InProgress;
        zupel.PaintPuzzle();
        zupel.PickCell(c.a, c.b);
        EXPECT_EQ(shell.order, c.order);
        ASSERT_EQ(shell.spoken.size(), 1u);
        EXPECT_EQ(Text(shell.spoken[0](0)), c.english);
        EXPECT_EQ(Text(shell.spoken[0](1)), c.german);
    }
}

// The words of an ordinary pick, too, are the pick's and not the table's as it goes on.
TEST(ZupelEndSpeech, APicksWordsKeepTheirValuesWhenSaidAgainLater)
{
    OrderShell order;
    Zupel other(order);
    SetTable(other.model(), Mixed, 2, 2, true);
    order.inner.state = PlayState::InProgress;
    // Round through the expenses and back to D2, which then runs empty.
    const std::vector<std::pair<int, int>> picks{{4, 2}, {4, 4}, {1, 4}, {1, 3}, {3, 3}, {3, 2}, {4, 2}};
    for (const auto& [a, b] : picks)
        other.PickCell(a, b);
    ASSERT_EQ(order.spoken.size(), picks.size());
    EXPECT_EQ(Text(order.spoken.back()(0)), "D2: empty, column.");
    EXPECT_EQ(Text(order.spoken[0](0)), "D2: 1 left, column.");
    EXPECT_EQ(Text(order.spoken[0](1)), "D2: noch 1, Spalte.");
}
