// Costs of VEXOR's generation and drawing.
#include <benchmark/benchmark.h>

#include "puzzles/vexor/Vexor.h"
#include "tests/support/FakeShell.h"

namespace {

void BM_Generate(benchmark::State& state)
{
    SeededRandom random(12345);
    VexorModel model(random);
    model.setBarLevel(static_cast<int>(state.range(0)) / 10);
    model.setBookingLevel(static_cast<int>(state.range(0)) % 10);
    for (auto _ : state) {
        model.Generate();
        benchmark::DoNotOptimize(model.bookings().data());
    }
}
BENCHMARK(BM_Generate)->Arg(11)->Arg(55)->Unit(benchmark::kMicrosecond);

// One animation frame: the bar area of 8 accounts of 8 bookings, with the plate.
void BM_AnimationFrame(benchmark::State& state)
{
    FakeShell shell;
    Vexor vexor(shell);
    vexor.model().setBarLevel(5);
    vexor.model().setBookingLevel(5);
    vexor.NewPuzzle();
    vexor.PaintPuzzle();
    for (auto _ : state) {
        vexor.DrawBars();
        benchmark::DoNotOptimize(shell.screenImage.constBits());
        shell.changedRects.clear();
    }
}
BENCHMARK(BM_AnimationFrame)->Unit(benchmark::kMicrosecond);

// Every iteration moves the pointer to the other arrow of the top row, so each one redraws the
// arrow column of eight rows.
void BM_HoverRedraw(benchmark::State& state)
{
    FakeShell shell;
    Vexor vexor(shell);
    vexor.model().setBookingLevel(5);
    vexor.NewPuzzle();
    vexor.PaintPuzzle();
    bool left = false;
    for (auto _ : state) {
        left = !left;
        vexor.MouseMove(left ? 410 : 430, 100);
        shell.changedRects.clear();
        shell.sounds.clear();
    }
}
BENCHMARK(BM_HoverRedraw)->Unit(benchmark::kMicrosecond);

void BM_PaintPuzzle(benchmark::State& state)
{
    FakeShell shell;
    Vexor vexor(shell);
    vexor.model().setBarLevel(5);
    vexor.model().setBookingLevel(5);
    vexor.NewPuzzle();
    for (auto _ : state) {
        vexor.PaintPuzzle();
        benchmark::DoNotOptimize(shell.screenImage.constBits());
        shell.changedRects.clear();
    }
}
BENCHMARK(BM_PaintPuzzle)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
