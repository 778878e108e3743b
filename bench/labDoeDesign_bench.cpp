// Time of the internal edition's whole DOE design for a picture at a 512 x 512 tile with 10, 10
// and 10 rounds: target amplitude, the three IFTA stages on FFTW, the DOE window's copy and the
// far field.
#include "lab/design/doeFromBitmap.h"

#include "bench/benchSupport.h"
#include "bench/designPicture.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <benchmark/benchmark.h>

namespace {

void LabDoeDesign(benchmark::State& state)
{
    const int n = int(state.range(0));
    const boost::shared_ptr<DataField2D> source = ringAndBarPicture(n);
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

BENCHMARK(LabDoeDesign)->Arg(512)->Apply(inMillisecondsWithMinimum);

int main(int argc, char** argv)
{
    return runRegisteredBenchmarks(argc, argv);
}
