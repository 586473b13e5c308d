// Cost of a full repaint of the drawing area with PLIVA on screen.
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/GameMain.h"
#include "app/MainForm.h"
#include "app/core/DataDir.h"
#include "app/core/RandomSource.h"
#include "app/settings/SettingsStore.h"
#include "bench/support/GuiBenchmarkMain.h"
#include "tests/support/ShellFakes.h"

namespace {
void BM_FullRepaintOfDrawingArea(benchmark::State& state)
{
    QTemporaryDir config;
    SettingsStore settings(config.path() + QStringLiteral("/V1.ini"));
    ClockRandom random;
    SilentDialogs dialogs;
    TMainForm form(gameParts(findDataDir(QCoreApplication::applicationDirPath()), settings, random, dialogs));
    if (!form.startedOk()) {
        state.SkipWithError("no background pictures beside the benchmark");
        return;
    }
    form.show();
    for (auto _ : state) {
        form.boxPaint();
        form.drawingArea()->repaint();
    }
}
BENCHMARK(BM_FullRepaintOfDrawingArea)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    return runGuiBenchmarks(argc, argv);
}
