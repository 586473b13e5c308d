#include <QTemporaryDir>
#include <functional>

#include "ZupelTestSupport.h"
#include "app/settings/SettingsStore.h"

namespace {

const QRect WholeArea(0, 0, 500, 333);

// Passes everything on to a fake shell and lets a test look at the module at every pause and
// every sound, in the middle of a move.
class PeekingShell final : public ShellServices {
  public:
    explicit PeekingShell(FakeShell& inner) : inner_(inner) {}

    void PlaySound(Sound sound) override
    {
        inner_.PlaySound(sound);
        if (onSound)
            onSound(sound);
    }
    void Delay(unsigned ms) override
    {
        inner_.Delay(ms);
        if (onDelay)
            onDelay(ms);
    }
    void PuzzleSolved() override { inner_.PuzzleSolved(); }
    void PuzzleFailed() override { inner_.PuzzleFailed(); }
    PlayState playState() const override { return inner_.playState(); }
    void setPlayState(PlayState state) override { inner_.setPlayState(state); }
    int elapsed() const override { return inner_.elapsed(); }
    void setElapsed(int ticks) override { inner_.setElapsed(ticks); }
    const QImage& background() const override { return inner_.background(); }
    QImage& work() override { return inner_.work(); }
    QImage& screen() override { return inner_.screen(); }
    void screenChanged(const QRect& rect) override { inner_.screenChanged(rect); }
    std::optional<ColorRef> chooseColor(ColorRef initial) override { return inner_.chooseColor(initial); }
    std::optional<QFont> chooseFont(const QFont& initial) override { return inner_.chooseFont(initial); }
    RandomSource& random() override { return inner_.random(); }

    std::function<void(Sound)> onSound;
    std::function<void(unsigned)> onDelay;

  private:
    FakeShell& inner_;
};

} // namespace

using ZupelMove = ZupelFixture;

// Current cell B2 (a 3), bar in row 2. Every refusal leaves everything alone: no sound, no clock,
// no redraw, no play state change.
TEST_F(ZupelMove, RefusedPicksChangeNothing)
{
    const TableText table{"1$2.", ".3$2", "$14.", "2..$"};
    struct Case {
        const char* what;
        int a;
        int b;
        PlayState state;
    };
    const Case cases[] = {
        {"current cell", 2, 2, PlayState::Fresh},
        {"empty cell", 1, 2, PlayState::Fresh},
        {"outside the bar", 2, 1, PlayState::Fresh},
        {"row header", 0, 2, PlayState::Fresh},
        {"column header", 2, 0, PlayState::Fresh},
        {"corner", 0, 0, PlayState::Fresh},
        {"beyond the table", 5, 2, PlayState::Fresh},
        {"far outside", -3, 2, PlayState::Fresh},
        {"a digit while solved", 4, 2, PlayState::Solved},
        {"an expense while solved", 3, 2, PlayState::Solved},
        {"outside the bar in progress", 3, 3, PlayState::InProgress},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUpTable(table, 2, 2, true, c.state);
        shell.elapsedTicks = 40;

        zupel.PickCell(c.a, c.b);

        EXPECT_EQ(TableOf(zupel.model()), table);
        EXPECT_EQ(zupel.model().currentColumn(), 2);
        EXPECT_EQ(zupel.model().currentRow(), 2);
        EXPECT_TRUE(zupel.model().rowBar());
        EXPECT_TRUE(shell.calls.empty());
        EXPECT_TRUE(shell.changedRects.empty());
        EXPECT_EQ(shell.state, c.state);
        EXPECT_EQ(shell.elapsedTicks, 40);
    }
}

TEST_F(ZupelMove, AcceptedPicksSoundRedrawAndStartTheClock)
{
    const TableText table{"1$2.", ".3$2", "$14.", "2..$"};
    struct Case {
        const char* what;
        int a;
        int b;
        PlayState before;
        PlayState after;
        std::vector<std::string> calls;
        int elapsed;
        TableText table;
    };
    const Case cases[] = {
        {"expense",
         3,
         2,
         PlayState::Fresh,
         PlayState::InProgress,
         {"setElapsed 57", "PlaySound 3"},
         57,
         table},
        {"digit",
         4,
         2,
         PlayState::Fresh,
         PlayState::InProgress,
         {"PlaySound 4"},
         40,
         {"1$2.", ".3$1", "$14.", "2..$"}},
        {"digit in progress",
         4,
         2,
         PlayState::InProgress,
         PlayState::InProgress,
         {"PlaySound 4"},
         40,
         {"1$2.", ".3$1", "$14.", "2..$"}},
        // Unreachable in play (a failed table has nothing left to pick), but the rule holds:
        // a move never leaves the failed state.
        {"expense after a failure",
         3,
         2,
         PlayState::Failed,
         PlayState::Failed,
         {"setElapsed 57", "PlaySound 3"},
         57,
         table},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUpTable(table, 2, 2, true, c.before);
        shell.elapsedTicks = 40;

        zupel.PickCell(c.a, c.b);

        EXPECT_EQ(shell.calls, c.calls);
        EXPECT_EQ(shell.elapsedTicks, c.elapsed);
        EXPECT_EQ(shell.state, c.after);
        EXPECT_EQ(TableOf(zupel.model()), c.table);
        EXPECT_EQ(zupel.model().currentColumn(), c.a);
        EXPECT_EQ(zupel.model().currentRow(), c.b);
        EXPECT_FALSE(zupel.model().rowBar());
        EXPECT_EQ(shell.changedRects, std::vector<QRect>{zupel.boardRect()});
    }
}

// An expense stays and costs again each time it is picked.
TEST_F(ZupelMove, ExpensesStayAndCostEveryTime)
{
    SetUpTable({"$1$$", "$1$$", "$$$$", "$$$$"}, 1, 1, true);
    for (auto [a, b] : {std::pair{3, 1}, {3, 2}, {1, 2}, {1, 1}, {3, 1}})
        zupel.PickCell(a, b);
    EXPECT_EQ(shell.elapsedTicks, 5 * 17);
    EXPECT_EQ(shell.sounds, (std::vector<int>{3, 3, 3, 3, 3}));
    EXPECT_EQ(TableOf(zupel.model()), (TableText{"$1$$", "$1$$", "$$$$", "$$$$"}));
    EXPECT_EQ(shell.solvedCalls + shell.failedCalls, 0);
}

TEST_F(ZupelMove, LastDigitSolvesWithTheBonusAfterAPause)
{
    SetUpTable({"$1$$", "$$$$", "$$$$", "$$$$"}, 1, 1, true);
    shell.elapsedTicks = 50;

    zupel.PickCell(2, 1);

    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"PlaySound 4", "setElapsed 31", "Delay 350", "PuzzleSolved"}));
    EXPECT_EQ(shell.state, PlayState::Solved);
    EXPECT_EQ(shell.changedRects, std::vector<QRect>{zupel.boardRect()}) << "drawn before the pause";

    // Solved: nothing more is taken, although the new bar holds expenses.
    shell.clearRecords();
    zupel.PickCell(2, 3);
    zupel.MouseDownLeft(zupel.boardX() + 2 * 35 + 10, zupel.boardY() + 3 * 25 + 10);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(zupel.model().currentRow(), 1);
}

// The last digit taken with an empty bar left behind is a solve, not a dead end.
TEST_F(ZupelMove, SolvedBeforeTheEmptyBarCounts)
{
    SetUpTable({"$1..", "....", "....", "...."}, 1, 1, true);
    zupel.PickCell(2, 1);
    EXPECT_TRUE(zupel.model().BarEmpty());
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{"PlaySound 4", "setElapsed -19", "Delay 350", "PuzzleSolved"}));
    EXPECT_EQ(shell.failedCalls, 0);
}

// The pick of B1 leaves column B empty with seven units elsewhere. They are charged in column
// order (A2, A2, A4, C1, D3, D3, D3), each after a pause and redrawn before the next one, and the
// puzzle fails once, 350 ms after the last.
TEST(ZupelCountDown, ChargesEveryUnitInColumnOrderThenFailsOnce)
{
    FakeShell fake;
    PeekingShell shell(fake);
    Zupel zupel(shell);
    SetTable(zupel.model(), {"$11.", "2...", "...3", "1..."}, 1, 1, true);
    fake.state = PlayState::Fresh;
    fake.elapsedTicks = 10;
    zupel.PaintPuzzle();
    fake.clearRecords();

    std::vector<std::string> charged;
    TableText before;
    shell.onSound = [&](Sound sound) {
        const TableText now = TableOf(zupel.model());
        if (sound == Sound::ZupelCountUp) {
            for (int b = 0; b < 4; ++b) {
                for (int a = 0; a < 4; ++a) {
                    if (now[b][a] != before[b][a])
                        charged.push_back(std::string(1, static_cast<char>('A' + a)) + std::to_string(b + 1));
                }
            }
        }
        before = now;
    };
    std::vector<size_t> redrawsAtPauses;
    shell.onDelay = [&](unsigned) { redrawsAtPauses.push_back(fake.changedRects.size()); };

    zupel.PickCell(2, 1);

    EXPECT_EQ(charged, (std::vector<std::string>{"A2", "A2", "A4", "C1", "D3", "D3", "D3"}));
    std::vector<std::string> expectedCalls{"PlaySound 4"};
    for (int unit = 1; unit <= 7; ++unit) {
        expectedCalls.push_back("Delay 250");
        expectedCalls.push_back("setElapsed " + std::to_string(10 + 33 * unit));
        expectedCalls.push_back("PlaySound 5");
    }
    expectedCalls.push_back("Delay 350");
    expectedCalls.push_back("PuzzleFailed");
    EXPECT_EQ(fake.calls, expectedCalls);
    EXPECT_EQ(fake.failedCalls, 1);
    EXPECT_EQ(fake.solvedCalls, 0);
    EXPECT_EQ(redrawsAtPauses, (std::vector<size_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(TableOf(zupel.model()), (TableText{"$...", "....", "....", "...."}));

    // A failed table takes no pick anywhere.
    fake.clearRecords();
    for (int a = -1; a <= 5; ++a) {
        for (int b = -1; b <= 5; ++b)
            zupel.PickCell(a, b);
    }
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(fake.state, PlayState::Failed);
}

// ---- Presses ----

using ZupelInput = ZupelFixture;

// K = 4: the board starts at (133, 104); the corner spans x 133..167, y 104..128, the outer frame
// runs on x = 132 and 308, y = 103 and 229. The bar runs down column A from A3, so a press that
// reaches A1, A2 or A4 picks that cell and any other press picks nothing.
TEST_F(ZupelInput, PressesMapToCellsWithGridLinesInside)
{
    struct Case {
        int x;
        int y;
        int pickedRow; // 0: nothing picked
    };
    const Case cases[] = {
        {168, 129, 1}, {202, 153, 1}, {202, 129, 1}, {168, 153, 1}, // A1's corners
        {168, 154, 2}, {202, 178, 2}, {185, 228, 4},                // A2, A4 down to the frame
        {167, 140, 0},                                              // row header
        {180, 128, 0},                                              // column header
        {167, 128, 0}, {133, 104, 0},                               // corner
        {132, 140, 0}, {180, 103, 0}, {132, 103, 0}, {180, 229, 0}, // frame
        {0, 0, 0},     {100, 140, 0}, {180, 60, 0},  {-5, 140, 0},
        {180, -30, 0}, {400, 140, 0}, {203, 140, 0}, // B1, outside the bar
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "press at " << c.x << "," << c.y);
        SetUpTable({"1111", "1111", "1111", "111$"}, 1, 3, false);
        zupel.MouseDownLeft(c.x, c.y);
        EXPECT_EQ(zupel.model().currentColumn(), 1);
        EXPECT_EQ(zupel.model().currentRow(), c.pickedRow == 0 ? 3 : c.pickedRow);
        EXPECT_EQ(shell.sounds, c.pickedRow == 0 ? std::vector<int>{} : std::vector<int>{4});
    }
}

TEST_F(ZupelInput, PressesOnTheFrameEdgesOfTheLastCellsPickNothing)
{
    // Bar in row 4 and column D available: D4 is the last cell, its grid lines belong to it,
    // the black frame beyond does not.
    for (int k = ZupelModel::MinMode; k <= ZupelModel::MaxMode; ++k) {
        SCOPED_TRACE(testing::Message() << "K " << k);
        TableText table(k, std::string(k, '1'));
        SetUpTable(table, 1, k, true);
        const QRect frame = zupel.boardRect();
        zupel.MouseDownLeft(frame.right(), frame.bottom() - 5);
        zupel.MouseDownLeft(frame.right() - 3, frame.bottom());
        EXPECT_TRUE(shell.calls.empty());
        zupel.MouseDownLeft(frame.right() - 1, frame.bottom() - 1);
        EXPECT_EQ(zupel.model().currentColumn(), k);
        EXPECT_EQ(zupel.model().currentRow(), k);
    }
}

// ---- Level ----

using ZupelOptions = ZupelFixture;

TEST_F(ZupelOptions, ChangesLevelWithinBoundsOnly)
{
    struct Case {
        int mode;
        bool up;
        int expectedMode;
    };
    const Case cases[] = {{10, true, 10}, {4, false, 4}, {4, true, 5},
                          {10, false, 9}, {7, true, 8},  {7, false, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "K " << c.mode << (c.up ? " up" : " down"));
        TableText table(c.mode, std::string(c.mode, '1'));
        SetUpTable(table, 2, 2, true, PlayState::InProgress);

        zupel.OptionClick(c.up);

        EXPECT_EQ(zupel.model().mode(), c.expectedMode);
        EXPECT_EQ(zupel.ScoreLevel(), c.expectedMode);
        if (c.expectedMode == c.mode) {
            EXPECT_EQ(TableOf(zupel.model()), table);
            EXPECT_EQ(shell.state, PlayState::InProgress);
            EXPECT_TRUE(shell.changedRects.empty());
        } else {
            EXPECT_EQ(DigitSum(zupel.model()), c.expectedMode * c.expectedMode);
            EXPECT_EQ(shell.state, PlayState::Fresh);
            ASSERT_FALSE(shell.changedRects.empty());
            EXPECT_EQ(shell.changedRects.back(), WholeArea);
        }
        EXPECT_TRUE(shell.calls.empty());
    }
}

TEST_F(ZupelOptions, NewPuzzleMakesAFreshTableWithoutDrawing)
{
    SetUpTable({"$...", "....", "....", "...."}, 1, 1, true, PlayState::Failed);
    zupel.NewPuzzle();
    EXPECT_EQ(shell.state, PlayState::Fresh);
    EXPECT_EQ(DigitSum(zupel.model()), 16);
    EXPECT_TRUE(shell.changedRects.empty());
    EXPECT_TRUE(shell.calls.empty());
}

// ---- Settings ----

class ZupelSettings : public ZupelFixture {
  protected:
    SettingsStore MakeStore() { return SettingsStore(directory.filePath(QStringLiteral("V1.ini"))); }
    QTemporaryDir directory;
};

TEST_F(ZupelSettings, ModeIsClampedAndGarbageReadsAsTheDefault)
{
    SettingsStore store = MakeStore();
    zupel.model().setMode(7);
    zupel.LoadSettings(store);
    EXPECT_EQ(zupel.model().mode(), 4) << "missing";

    const std::pair<const char*, int> cases[] = {
        {"9", 9},   {"10", 10}, {"11", 10},         {"3", 4},  {"-2147483648", 4}, {"2147483647", 10},
        {"abc", 4}, {"", 4},    {"99999999999", 4}, {"6x", 4}, {"0x7", 4},
    };
    for (const auto& [text, expected] : cases) {
        zupel.model().setMode(7);
        store.WriteString(QStringLiteral("zupel"), QStringLiteral("mode"), QString::fromLatin1(text));
        zupel.LoadSettings(store);
        EXPECT_EQ(zupel.model().mode(), expected) << '"' << text << '"';
    }
}

TEST_F(ZupelSettings, SaveWritesTheMode)
{
    SettingsStore store = MakeStore();
    zupel.SaveSettings(store);
    EXPECT_EQ(store.ReadString(QStringLiteral("zupel"), QStringLiteral("mode"), {}), QStringLiteral("4"));

    zupel.model().setMode(9);
    zupel.OptionClick(true);
    zupel.SaveSettings(store);
    Zupel reloaded(shell);
    reloaded.LoadSettings(store);
    EXPECT_EQ(reloaded.model().mode(), 10);
}
