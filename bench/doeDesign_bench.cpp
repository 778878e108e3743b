// Time of the whole DOE design for a picture at grids of 256 and 512 (target amplitude, the
// three IFTA stages, the phase image and the simulated far field) on both vector paths, next to
// plain Gerchberg-Saxton with the same 62 transforms on FFTW 3 and vectorised loops, and the
// steps outside the rounds and the element-wise passes of the design by themselves.
#include "bench/benchSupport.h"
#include "bench/designPicture.h"
#include "bench/gerchbergSaxtonPeer.h"
#include "design/designKernels.h"
#include "design/designOperations.h"
#include "design/doeFromBitmap.h"
#include "design/iftaEngine2D.h"
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

// The steps of the design outside its rounds at grid n, each alone: 0 the target amplitude,
// 1 the random start (drawn, transformed back, made phase only), 2 the mask and the engine with
// its storage-order operands (a first stage of no rounds makes them), 3 the phase image from the
// levels of a quantisation round, 4 the same image by the general conversion.
void DesignStep(benchmark::State& state, int step)
{
    const int n = int(state.range(0));
    const boost::shared_ptr<DataField2D> source = ringAndBarPicture(n);
    const boost::shared_ptr<DataField2D> target = doeTargetAmplitude(*source, n, true);
    const boost::shared_ptr<DataField2D> mask = target->binarize(doeDesignConstants.maskThreshold);
    boost::shared_ptr<complexDataField2D> doe = randomPhaseField(target);
    doe->ifft();
    doe->makePhaseOnly();
    iftaEngine2D engine(target, mask, 1.0f, 2);
    engine.iterateQuantizationStage(doe, 1, 256);
    for (auto _ : state) {
        switch (step) {
        case 0:
            benchmark::DoNotOptimize(doeTargetAmplitude(*source, n, true)->getValue(0, 0));
            break;
        case 1: {
            boost::shared_ptr<complexDataField2D> start = randomPhaseField(target);
            start->ifft();
            start->makePhaseOnly();
            benchmark::DoNotOptimize(start->getValue(0, 0));
            break;
        }
        case 2: {
            iftaEngine2D set(target, target->binarize(doeDesignConstants.maskThreshold), 1.0f, 2);
            set.iterateFirstStage(doe, 0);
            benchmark::DoNotOptimize(set.getTargetPower());
            break;
        }
        case 3:
            benchmark::DoNotOptimize(
                doePhaseImage(doe, 256, engine.lastQuantizationLevels()).constBits());
            break;
        default:
            benchmark::DoNotOptimize(complexDataField2DToImage(doe, displayPhase, 256).constBits());
        }
        benchmark::ClobberMemory();
    }
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
                ->Apply(inMillisecondsWithMinimum);
        benchmark::RegisterBenchmark("GerchbergSaxtonFFTW3", GerchbergSaxtonFFTW3)
            ->Arg(n)
            ->Apply(inMillisecondsWithMinimum);
    }
    const char* steps[]
        = {"target", "randomStart", "engineSetUp", "phaseImageFromLevels", "phaseImageConverted"};
    for (int step = 0; step < 5; ++step)
        benchmark::RegisterBenchmark((std::string("DesignStep/") + steps[step]).c_str(), DesignStep,
                                     step)
            ->Arg(512)
            ->Apply(inMillisecondsWithMinimum);
    const char* passes[] = {"makePhaseOnly", "quantizePhases", "amplitudeConstraint"};
    for (int pass = 0; pass < 3; ++pass)
        for (vectorPath p : paths)
            benchmark::RegisterBenchmark(
                (std::string("ElementPass/") + passes[pass] + "/" + vectorPathName(p)).c_str(),
                ElementPass, p, pass)
                ->Arg(512)
                ->Apply(inMillisecondsWithMinimum);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    return runRegisteredBenchmarks(argc, argv);
}
