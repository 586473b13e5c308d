// Costs of ZUPEL's generation, full board redraw and blink.
#include <benchmark/benchmark.h>

#include "bench/support/GuiBenchmarkMain.h"
#include "puzzles/zupel/Zupel.h"
#include "tests/support/FakeShell.h"

namespace {

void BM_GeneratePuzzle(benchmark::State& state)
{
    SeededRandom random(12345);
    ZupelModel model(random);
    model.setMode(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        model.NewPuzzle();
        benchmark::DoNotOptimize(model.cells().data());
    }
}
BENCHMARK(BM_GeneratePuzzle)->Arg(4)->Arg(10)->Unit(benchmark::kMicrosecond);

// Redrawn after every pick and every unit of the count-down.
void BM_DrawBoard(benchmark::State& state)
{
    FakeShell shell;
    Zupel zupel(shell);
    zupel.model().setMode(static_cast<int>(state.range(0)));
    zupel.NewPuzzle();
    zupel.PaintPuzzle();
    for (auto _ : state) {
        zupel.DrawBoard();
        benchmark::DoNotOptimize(shell.screenImage.constBits());
        shell.changedRects.clear();
    }
}
BENCHMARK(BM_DrawBoard)->Arg(4)->Arg(10)->Unit(benchmark::kMicrosecond);

// Every 200 ms while ZUPEL is shown; the longest bar is a row at K = 10.
void BM_BlinkTick(benchmark::State& state)
{
    FakeShell shell;
    Zupel zupel(shell);
    zupel.model().setMode(10);
    zupel.NewPuzzle();
    zupel.model().setCurrent(5, 5, true);
    zupel.PaintPuzzle();
    for (auto _ : state) {
        zupel.TimerTick();
        benchmark::DoNotOptimize(shell.screenImage.constBits());
        shell.changedRects.clear();
    }
}
BENCHMARK(BM_BlinkTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
