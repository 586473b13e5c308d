// The rhythm of a VEXOR move as the player sees it: the main window with its real Delay, the
// moment each animation frame reaches the drawing area, and how far the frame spacing strays from
// 50 ms. Counters: mean spacing and the largest deviation from 50 ms over all moves.
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <vector>

#include "app/GameMain.h"
#include "app/GamePuzzles.h"
#include "app/MainForm.h"
#include "app/core/DataDir.h"
#include "app/core/RandomSource.h"
#include "app/settings/SettingsStore.h"
#include "app/widgets/DrawingArea.h"
#include "bench/support/GuiBenchmarkMain.h"
#include "puzzles/vexor/Vexor.h"
#include "tests/support/ShellFakes.h"

namespace {
using Clock = std::chrono::steady_clock;

void BM_VexorMoveFrameSpacing(benchmark::State& state)
{
    QTemporaryDir config;
    SettingsStore settings(config.path() + QStringLiteral("/V1.ini"));
    settings.WriteInteger(QStringLiteral("common"), QStringLiteral("mode"), PuzzleVexor);
    ClockRandom random;
    SilentDialogs dialogs;
    TMainForm form(gameParts(findDataDir(QCoreApplication::applicationDirPath()), settings, random, dialogs));
    if (!form.startedOk()) {
        state.SkipWithError("no background pictures beside the benchmark");
        return;
    }
    form.show();
    // Until the window is exposed, a repaint draws nothing.
    const auto exposing = Clock::now() + std::chrono::milliseconds(200);
    while (Clock::now() < exposing)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    auto& vexor = dynamic_cast<Vexor&>(form.module(PuzzleVexor));
    std::vector<Clock::time_point> paints;
    QObject::connect(static_cast<DrawingArea*>(form.drawingArea()), &DrawingArea::painted,
                     [&paints] { paints.push_back(Clock::now()); });

    double spacingSum = 0;
    int spacings = 0;
    double worst = 0;
    for (auto _ : state) {
        paints.clear();
        const auto start = Clock::now();
        vexor.Move(1, VexorModel::Shift::Left);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // The six frames are painted by their Delay(50); a solving move adds one more pause.
        for (std::size_t i = 1; i < std::min<std::size_t>(paints.size(), 6); ++i) {
            const double ms = std::chrono::duration<double, std::milli>(paints[i] - paints[i - 1]).count();
            spacingSum += ms;
            ++spacings;
            worst = std::max(worst, std::abs(ms - 50.0));
        }
    }
    state.counters["mean_spacing_ms"] = spacings ? spacingSum / spacings : 0;
    state.counters["worst_deviation_ms"] = worst;
}
BENCHMARK(BM_VexorMoveFrameSpacing)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
