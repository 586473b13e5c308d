// Costs of HUXEL's generation and drawing.
#include <benchmark/benchmark.h>

#include "bench/support/GuiBenchmarkMain.h"
#include "puzzles/huxel/Huxel.h"
#include "tests/support/FakeShell.h"

namespace {

constexpr int PictureHeight = 533;

void BM_ShuffleTables(benchmark::State& state)
{
    SeededRandom random(12345);
    HuxelModel model(random);
    model.setTableSize(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        model.ShuffleTables();
        benchmark::DoNotOptimize(model.LeftTable().data());
    }
}
BENCHMARK(BM_ShuffleTables)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);

void BM_RedrawTables(benchmark::State& state)
{
    FakeShell shell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
    Huxel huxel(shell);
    huxel.model().setTableSize(static_cast<int>(state.range(0)));
    huxel.NewPuzzle();
    for (auto _ : state) {
        huxel.RedrawTables();
        benchmark::DoNotOptimize(shell.screenImage.constBits());
        shell.changedRects.clear();
    }
}
BENCHMARK(BM_RedrawTables)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);

// Every iteration moves the pointer to a block of the other table: the old block is drawn plain,
// the new one highlighted, and both table squares go to the screen.
void BM_HoverChange(benchmark::State& state)
{
    FakeShell shell(qRgb(0xFF, 0xFF, 0xFF), PictureHeight);
    Huxel huxel(shell);
    huxel.model().setTableSize(6);
    huxel.NewPuzzle();
    huxel.RedrawTables();
    bool left = false;
    for (auto _ : state) {
        left = !left;
        huxel.MouseMove(left ? 100 : 400, 200);
        shell.changedRects.clear();
        shell.sounds.clear();
        shell.calls.clear();
    }
}
BENCHMARK(BM_HoverChange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
