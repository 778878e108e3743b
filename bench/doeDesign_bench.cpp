// Time of the whole DOE design for a picture at grids of 256 and 512: target amplitude, the
// three IFTA stages, the phase image and the simulated far field.
#include "design/doeFromBitmap.h"

#include "fieldio/fieldToImage.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <benchmark/benchmark.h>

namespace {

// A picture of about 0.8 n x 0.8 n (the largest that still gives grid n) with a ring and a bar.
boost::shared_ptr<DataField2D> picture(int n)
{
    const int side = n * 8 / 10;
    boost::shared_ptr<DataField2D> field(new DataField2D(side, side, 0, 0, 1, 1, 0.0f));
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i) {
            const int di = i - side / 2, dj = j - side / 2;
            const int r2 = di * di + dj * dj;
            const bool ring = r2 > side * side / 16 && r2 < side * side / 9;
            const bool bar = i > side * 3 / 4 && j > side / 8 && j < side / 2;
            field->setValue(i, j, ring || bar ? 255.0f : 0.0f);
        }
    return field;
}

void DoeDesign(benchmark::State& state)
{
    const int n = int(state.range(0));
    const boost::shared_ptr<DataField2D> source = picture(n);
    const int grid = doeGridSize(source->getSizeI(), source->getSizeJ());
    for (auto _ : state) {
        boost::shared_ptr<DataField2D> target = doeTargetAmplitude(*source, grid, true);
        boost::shared_ptr<complexDataField2D> doe = designDoeByIfta(target);
        QImage phase = complexDataField2DToImage(doe, displayPhase, 256);
        doe->fft();
        benchmark::DoNotOptimize(phase.constBits());
        benchmark::DoNotOptimize(doe->getValue(0, 0));
    }
    state.counters["grid"] = grid;
}

} // namespace

BENCHMARK(DoeDesign)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
