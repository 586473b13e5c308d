// Costs of PLIVA's generation and drawing.
#include <benchmark/benchmark.h>

#include "puzzles/pliva/Pliva.h"
#include "tests/support/FakeShell.h"

namespace {

void BM_GeneratePuzzle(benchmark::State& state)
{
    SeededRandom random(12345);
    PlivaModel model(random);
    model.setMode(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        model.NewPuzzle();
        benchmark::DoNotOptimize(model.values().data());
    }
}
BENCHMARK(BM_GeneratePuzzle)->Arg(4)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

void BM_PaintPuzzle(benchmark::State& state)
{
    FakeShell shell;
    Pliva pliva(shell);
    pliva.model().setMode(static_cast<int>(state.range(0)));
    pliva.NewPuzzle();
    for (auto _ : state) {
        pliva.PaintPuzzle();
        benchmark::DoNotOptimize(shell.screenImage.constBits());
        shell.changedRects.clear();
    }
}
BENCHMARK(BM_PaintPuzzle)->Arg(4)->Arg(12)->Unit(benchmark::kMicrosecond);

// Every iteration moves the pointer to the other column, so each one redraws the arrow row.
void BM_HoverRedraw(benchmark::State& state)
{
    FakeShell shell;
    Pliva pliva(shell);
    pliva.model().setMode(12);
    pliva.NewPuzzle();
    pliva.PaintPuzzle();
    bool left = false;
    for (auto _ : state) {
        left = !left;
        pliva.MouseMove(left ? 46 : 391, 295);
        shell.changedRects.clear();
        shell.sounds.clear();
    }
}
BENCHMARK(BM_HoverRedraw)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
