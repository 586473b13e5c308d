#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

// Runs the benchmarks inside a Qt application, headless unless a platform is asked for: windows
// and text need one.
inline int runGuiBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
