#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "puzzles/vexor/Vexor.h"
#include "support/FakeShell.h"

// A table from rows of bookings: account a gets row a - 1, position k its entry k - 1.
inline VexorModel::Table MakeTable(std::initializer_list<std::vector<int>> accounts)
{
    VexorModel::Table table{};
    int a = 1;
    for (const std::vector<int>& row : accounts) {
        for (size_t k = 0; k < row.size(); ++k)
            table[a][static_cast<int>(k) + 1] = row[k];
        ++a;
    }
    return table;
}

// A seeded source that keeps every draw with its range, for checks against the draw order.
class RecordingRandom final : public RandomSource {
  public:
    explicit RecordingRandom(unsigned seed) : inner_(seed) {}
    int Random(int n) override
    {
        const int draw = inner_.Random(n);
        draws.emplace_back(n, draw);
        return draw;
    }
    void Reseed() override { inner_.Reseed(); }

    std::vector<std::pair<int, int>> draws; // (range, value)

  private:
    SeededRandom inner_;
};

// Forwards everything to a FakeShell and runs onDelay at every Delay, so a test can look at
// the board while a move waits between its frames.
class DelaySpyShell final : public ShellServices {
  public:
    void PlaySound(Sound sound) override { fake.PlaySound(sound); }
    void Delay(unsigned ms) override
    {
        fake.Delay(ms);
        if (onDelay)
            onDelay();
    }
    void PuzzleSolved() override { fake.PuzzleSolved(); }
    void PuzzleFailed() override { fake.PuzzleFailed(); }
    PlayState playState() const override { return fake.playState(); }
    void setPlayState(PlayState state) override { fake.setPlayState(state); }
    int elapsed() const override { return fake.elapsed(); }
    void setElapsed(int ticks) override { fake.setElapsed(ticks); }
    const QImage& background() const override { return fake.background(); }
    QImage& work() override { return fake.work(); }
    QImage& screen() override { return fake.screen(); }
    void screenChanged(const QRect& rect) override { fake.screenChanged(rect); }
    std::optional<ColorRef> chooseColor(ColorRef initial) override { return fake.chooseColor(initial); }
    std::optional<QFont> chooseFont(const QFont& initial) override { return fake.chooseFont(initial); }
    RandomSource& random() override { return fake.random(); }

    FakeShell fake;
    std::function<void()> onDelay;
};

inline const QRect BarArea(27, 27, 363, 278);
inline const QRect ArrowColumn(401, 76, 38, 229);
inline const QRect WholeArea(0, 0, 500, 333);

constexpr ColorRef Black = colorRef(0, 0, 0);

// A VEXOR module on a fake shell whose background varies from pixel to pixel (and holds no
// black), so a misplaced restore or a stray black shape shows.
class VexorFixture : public testing::Test {
  protected:
    VexorFixture()
    {
        for (int y = 0; y < shell.backgroundImage.height(); ++y) {
            for (int x = 0; x < shell.backgroundImage.width(); ++x)
                shell.backgroundImage.setPixel(x, y, qRgb(x % 256, y % 256, 77));
        }
    }

    // A board by hand at the given levels, fresh and fully painted, with the records cleared.
    void SetUpBoard(int barLevel, int bookingLevel, const VexorModel::Table& table)
    {
        VexorModel& model = vexor.model();
        model.setBarLevel(barLevel);
        model.setBookingLevel(bookingLevel);
        ASSERT_TRUE(model.setBookings(table)) << "the hand-made board breaks an invariant";
        shell.state = PlayState::Fresh;
        vexor.PaintPuzzle();
        shell.clearRecords();
    }

    // Every account totals 100 in equal bookings of 100 / n.
    static VexorModel::Table SolvedTable(int accounts, int bookings)
    {
        VexorModel::Table table{};
        for (int a = 1; a <= accounts; ++a) {
            for (int k = 1; k <= bookings; ++k)
                table[a][k] = 100 / bookings;
            table[a][bookings] += 100 - bookings * (100 / bookings);
        }
        return table;
    }

    bool IsBackground(int x, int y) const { return shell.pixel(x, y) == shell.backgroundPixel(x, y); }

    FakeShell shell;
    Vexor vexor{shell};
};
