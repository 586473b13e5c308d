#include <benchmark/benchmark.h>

#include <QImage>

#include "app/core/Canvas.h"

namespace {

// A curve as the profit graph draws it: 12 points across the 375-pixel graph, 3-pixel pen.
void BM_WidePolyline12Points(benchmark::State& state)
{
    QImage picture(500, 333, QImage::Format_RGB32);
    picture.fill(Qt::white);
    Canvas canvas(picture);
    canvas.setPen(0x0000FF, 3);
    std::vector<QPoint> curve;
    for (int k = 0; k < 12; ++k)
        curve.emplace_back(46 + k * 31, 150 + ((k * 37) % 90) - 45);
    for (auto _ : state) {
        canvas.polyline(curve);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_WidePolyline12Points);

// The full-picture copy of a repaint: background to work picture.
void BM_CopyWholeDrawingArea(benchmark::State& state)
{
    QImage background(500, 333, QImage::Format_RGB32);
    background.fill(Qt::darkCyan);
    QImage work(500, 333, QImage::Format_RGB32);
    Canvas canvas(work);
    for (auto _ : state) {
        canvas.copyFrom(background, QRect(0, 0, 500, 333));
        benchmark::DoNotOptimize(work.constBits());
    }
}
BENCHMARK(BM_CopyWholeDrawingArea);

} // namespace

BENCHMARK_MAIN();
