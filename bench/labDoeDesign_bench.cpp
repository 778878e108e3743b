// Time of the internal edition's whole DOE design for a picture at a 512 x 512 tile with 10, 10
// and 10 rounds: target amplitude, the three IFTA stages on FFTW, the DOE window's copy and the
// far field.
#include "lab/design/doeFromBitmap.h"

#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <benchmark/benchmark.h>

namespace {

// A picture of about 0.8 n x 0.8 n with a ring and a bar, as the release benchmark draws it.
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

void LabDoeDesign(benchmark::State& state)
{
    const int n = int(state.range(0));
    const boost::shared_ptr<DataField2D> source = picture(n);
    iftaParameters parameters; // 10, 10, 10 rounds, 64 levels, no shift
    parameters.tileSize = n;
    for (auto _ : state) {
        boost::shared_ptr<DataField2D> target
            = iftaTargetAmplitude(*source, n, true, parameters.shiftX, parameters.shiftY);
        boost::shared_ptr<complexDataField2D> doe = designDoeByIfta(target, parameters);
        complexDataField2D shown(*doe);
        doe->fft();
        benchmark::DoNotOptimize(shown.getValue(0, 0));
        benchmark::DoNotOptimize(doe->getValue(0, 0));
    }
    state.counters["tile"] = n;
}

} // namespace

BENCHMARK(LabDoeDesign)->Arg(512)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
