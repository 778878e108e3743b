// Composition of the 1920 x 1080 full-screen bitmap: the tiling path and the per-pixel path with
// lens and prism phases on both vector paths, as run on every slider step, and the whole step
// with its painting into a 32-bit surface such as the window's backing store, next to painting
// through a 32-bit image and the former conversion to a new pixmap.
#include "bench/benchSupport.h"
#include "bench/compositionCell.h"
#include "views/fullScreenComposition.h"
#include "views/inPlacePainting.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

CompositionParameters lensAndPrism()
{
    CompositionParameters p;
    p.lensValue = 7;
    p.prismXValue = -3;
    p.prismYValue = 2;
    p.shiftX = 3;
    return p;
}

// Arguments: cell width and height.
void tiledPath(benchmark::State& state)
{
    const QImage work
        = compositionCell(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CompositionParameters p;
    p.shiftX = 3;
    p.shiftY = -5;
    for (auto _ : state)
        benchmark::DoNotOptimize(composeFullScreen(work, PatternLevels(), p));
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}

// Arguments: cell width and height.
void perPixelLensAndPrism(benchmark::State& state, vectorPath path)
{
    const scopedVectorPath scope(path);
    const QImage work
        = compositionCell(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const CompositionParameters p = lensAndPrism();
    for (auto _ : state)
        benchmark::DoNotOptimize(composeFullScreen(work, PatternLevels(), p));
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}

// One slider step as the window runs it: the per-pixel composition into the bitmap of the step
// before; with painted, also painted as the window's paint event does, straight through the
// palette into a 32-bit surface of the full-screen size (the window's backing store).
void perPixelStep(benchmark::State& state, vectorPath path, bool painted)
{
    const scopedVectorPath scope(path);
    const QImage work = compositionCell(100, 100);
    const CompositionParameters p = lensAndPrism();
    QImage bitmap;
    QImage surface(p.fullWidth, p.fullHeight, QImage::Format_RGB32);
    const QRect all(0, 0, p.fullWidth, p.fullHeight);
    for (auto _ : state) {
        composeFullScreenInto(work, PatternLevels(), p, bitmap);
        if (painted) {
            QPainter painter(&surface);
            if (!drawIndexedInPlace(painter, bitmap, all, QPoint(0, 0), all))
                state.SkipWithError("the surface cannot be painted in place");
        }
        benchmark::DoNotOptimize(surface.constBits());
        benchmark::DoNotOptimize(bitmap.constBits());
    }
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}

// The step as painted where the surface cannot be written in place (and with the SLM output
// connected): the bitmap expanded into a reused 32-bit image, which is drawn.
void perPixelStepThroughImage(benchmark::State& state, vectorPath path)
{
    const scopedVectorPath scope(path);
    const QImage work = compositionCell(100, 100);
    const CompositionParameters p = lensAndPrism();
    QImage bitmap, shown;
    QImage surface(p.fullWidth, p.fullHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        composeFullScreenInto(work, PatternLevels(), p, bitmap);
        expandToColours(bitmap, shown);
        QPainter painter(&surface);
        painter.drawImage(QPoint(0, 0), shown);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}

// The former step: the composition converted to a pixmap (what the window used to paint), with
// and without painting that pixmap into the surface.
void perPixelStepWithPixmap(benchmark::State& state, bool painted)
{
    const QImage work = compositionCell(100, 100);
    const CompositionParameters p = lensAndPrism();
    QImage surface(p.fullWidth, p.fullHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        const QPixmap pixmap = QPixmap::fromImage(composeFullScreen(work, PatternLevels(), p));
        if (painted) {
            QPainter painter(&surface);
            painter.drawPixmap(QPoint(0, 0), pixmap);
        }
        benchmark::DoNotOptimize(surface.constBits());
        benchmark::DoNotOptimize(pixmap.cacheKey());
    }
    state.SetItemsProcessed(state.iterations() * p.fullWidth * p.fullHeight);
}

void registerAll()
{
    const std::vector<vectorPath> paths = benchVectorPaths();
    benchmark::RegisterBenchmark("tiledPath", tiledPath)
        ->Args({1920, 1080})
        ->Args({100, 100})
        ->Args({2, 1})
        ->Apply(inMillisecondsWithMinimum);
    for (vectorPath path : paths) {
        benchmark::RegisterBenchmark(
            (std::string("perPixelLensAndPrism/") + vectorPathName(path)).c_str(),
            perPixelLensAndPrism, path)
            ->Args({1920, 1080})
            ->Args({100, 100})
            ->Apply(inMillisecondsWithMinimum);
        benchmark::RegisterBenchmark((std::string("perPixelStep/") + vectorPathName(path)).c_str(),
                                     perPixelStep, path, false)
            ->Apply(inMillisecondsWithMinimum);
        benchmark::RegisterBenchmark(
            (std::string("perPixelStepPainted/") + vectorPathName(path)).c_str(), perPixelStep,
            path, true)
            ->Apply(inMillisecondsWithMinimum);
        benchmark::RegisterBenchmark(
            (std::string("perPixelStepThroughImage/") + vectorPathName(path)).c_str(),
            perPixelStepThroughImage, path)
            ->Apply(inMillisecondsWithMinimum);
    }
    benchmark::RegisterBenchmark("perPixelStepWithPixmap", perPixelStepWithPixmap, false)
        ->Apply(inMillisecondsWithMinimum);
    benchmark::RegisterBenchmark("perPixelStepWithPixmapPainted", perPixelStepWithPixmap, true)
        ->Apply(inMillisecondsWithMinimum);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    registerAll();
    return runRegisteredBenchmarks(argc, argv);
}
