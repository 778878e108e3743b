// Time of the whole DOE design for a picture at grids of 256 and 512 (target amplitude, the
// three IFTA stages, the phase image and the simulated far field) on both vector paths, next to
// plain Gerchberg-Saxton with the same 62 transforms on FFTW 3 and vectorised loops, and the
// element-wise passes of the design by themselves.
#include "bench/benchSupport.h"
#include "bench/designPicture.h"
#include "bench/gerchbergSaxtonPeer.h"
#include "design/designKernels.h"
#include "design/doeFromBitmap.h"
#include "fieldio/fieldToImage.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "fields/phasorKernels.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void DoeDesign(benchmark::State& state, vectorPath path)
{
    const scopedVectorPath scope(path);
    const int n = int(state.range(0));
    const boost::shared_ptr<DataField2D> source = ringAndBarPicture(n);
    const int grid = doeGridSize(source->getSizeI(), source->getSizeJ());
    for (auto _ : state) {
        boost::shared_ptr<DataField2D> target = doeTargetAmplitude(*source, grid, true);
        QImage phase;
        boost::shared_ptr<complexDataField2D> doe
            = designDoeByIfta(target, doeDesignConstants, &phase);
        doe->fft();
        benchmark::DoNotOptimize(phase.constBits());
        benchmark::DoNotOptimize(doe->getValue(0, 0));
    }
    state.counters["grid"] = grid;
}

// The peer on the same picture's target amplitude (see gerchbergSaxtonPeer.h); its far-field
// deviation shows that it converges.
void GerchbergSaxtonFFTW3(benchmark::State& state)
{
    const int n = int(state.range(0));
    const boost::shared_ptr<DataField2D> source = ringAndBarPicture(n);
    const boost::shared_ptr<DataField2D> target = doeTargetAmplitude(*source, n, true);
    gerchbergSaxtonPeer peer(*target, 7);
    for (auto _ : state) {
        peer.run();
        benchmark::ClobberMemory();
    }
    state.counters["grid"] = n;
    state.counters["deviation"] = peer.farFieldDeviation();
}

// Random far-field values of moduli up to about n, as the design meets them.
std::vector<float> farFieldValues(int count)
{
    std::mt19937 gen(3);
    std::uniform_real_distribution<float> part(-300.0f, 300.0f);
    std::vector<float> z(2 * std::size_t(count));
    for (float& v : z)
        v = part(gen);
    return z;
}

// The element-wise passes of one design round at grid n, each on a fresh copy of the values.
void ElementPass(benchmark::State& state, vectorPath path, int pass)
{
    const scopedVectorPath scope(path);
    const int n = int(state.range(0));
    const std::size_t count = std::size_t(n) * std::size_t(n);
    const std::vector<float> original = farFieldValues(int(count));
    std::vector<float> z = original, modulus(count), signal(count, 0.5f), noise(count, 1.0f);
    std::vector<complexFloat> table(257);
    for (int k = 0; k <= 256; ++k)
        table[std::size_t(k)] = polarUnit(float(k * (6.283185307179586 / 256) - 3.141592653589793));
    const phaseQuantization q = makePhaseQuantization(0.5, 256, table.data());
    for (auto _ : state) {
        state.PauseTiming();
        z = original;
        state.ResumeTiming();
        switch (pass) {
        case 0:
            makeUnitPhasors(z.data(), count, nullptr);
            break;
        case 1:
            quantizePhases(z.data(), count, q);
            break;
        default: {
            const double d = moduliAndWeightedSum(z.data(), count, signal.data(), modulus.data());
            rescaleToWeightedModuli(z.data(), count, modulus.data(), signal.data(), noise.data(),
                                    float(d * 1e-9));
        }
        }
        benchmark::ClobberMemory();
    }
}

void registerAll()
{
    const std::vector<vectorPath> paths = benchVectorPaths();
    for (int n : {256, 512}) {
        for (vectorPath p : paths)
            benchmark::RegisterBenchmark((std::string("DoeDesign/") + vectorPathName(p)).c_str(),
                                         DoeDesign, p)
                ->Arg(n)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", minimumOf);
        benchmark::RegisterBenchmark("GerchbergSaxtonFFTW3", GerchbergSaxtonFFTW3)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond)
            ->ComputeStatistics("min", minimumOf);
    }
    const char* passes[] = {"makePhaseOnly", "quantizePhases", "amplitudeConstraint"};
    for (int pass = 0; pass < 3; ++pass)
        for (vectorPath p : paths)
            benchmark::RegisterBenchmark(
                (std::string("ElementPass/") + passes[pass] + "/" + vectorPathName(p)).c_str(),
                ElementPass, p, pass)
                ->Arg(512)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", minimumOf);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    return runRegisteredBenchmarks(argc, argv);
}
