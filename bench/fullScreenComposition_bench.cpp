// Composition of the 1920 x 1080 full-screen bitmap: the tiling path and the per-pixel path with
// lens and prism phases, as run on every slider step.
#include "views/fullScreenComposition.h"

#include <QGuiApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>

namespace {

QImage cell(int w, int h)
{
    QImage image(w, h, QImage::Format_Indexed8);
    QVector<QRgb> ramp(256);
    for (int i = 0; i < 256; ++i)
        ramp[i] = qRgb(i, i, i);
    image.setColorTable(ramp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x] = static_cast<unsigned char>(x * 7 + y * 13);
    return image;
}

// Arguments: cell width and height.
void tiledPath(benchmark::State& state)
{
    const QImage work = cell(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CompositionParameters p;
    p.shiftX = 3;
    p.shiftY = -5;
    for (auto _ : state)
        benchmark::DoNotOptimize(composeFullScreen(work, PatternLevels(), p));
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}
BENCHMARK(tiledPath)
    ->Args({1920, 1080})
    ->Args({100, 100})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

void perPixelLensAndPrism(benchmark::State& state)
{
    const QImage work = cell(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CompositionParameters p;
    p.lensValue = 7;
    p.prismXValue = -3;
    p.prismYValue = 2;
    p.shiftX = 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(composeFullScreen(work, PatternLevels(), p));
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}
BENCHMARK(perPixelLensAndPrism)
    ->Args({1920, 1080})
    ->Args({100, 100})
    ->Unit(benchmark::kMillisecond);

// One slider step of the window: the per-pixel composition and its pixmap for painting.
void perPixelStepWithPixmap(benchmark::State& state)
{
    const QImage work = cell(100, 100);
    CompositionParameters p;
    p.lensValue = 7;
    p.prismXValue = -3;
    for (auto _ : state)
        benchmark::DoNotOptimize(QPixmap::fromImage(composeFullScreen(work, PatternLevels(), p)));
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}
BENCHMARK(perPixelStepWithPixmap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
