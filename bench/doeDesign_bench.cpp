// Time of the whole DOE design for a picture at grids of 256 and 512 (target amplitude, the
// three IFTA stages, the phase image and the simulated far field) on both vector paths, next to
// a plain Gerchberg-Saxton loop with the same 62 transforms on FFTW 3, and the element-wise
// passes of the design by themselves.
#include "bench/benchSupport.h"
#include "bench/designPicture.h"
#include "design/designKernels.h"
#include "design/doeFromBitmap.h"
#include "fieldio/fieldToImage.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "fields/phasorKernels.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
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
        boost::shared_ptr<complexDataField2D> doe = designDoeByIfta(target);
        QImage phase = complexDataField2DToImage(doe, displayPhase, 256);
        doe->fft();
        benchmark::DoNotOptimize(phase.constBits());
        benchmark::DoNotOptimize(doe->getValue(0, 0));
    }
    state.counters["grid"] = grid;
}

// z := T z / |z| (0 where z is 0) over n values: the constraint of plain Gerchberg-Saxton.
void imposeModulus(fftwf_complex* z, const float* modulus, int n)
{
    for (int k = 0; k < n; ++k) {
        const float re = z[k][0], im = z[k][1];
        const float m = std::sqrt(re * re + im * im);
        const float f = m > 0.0f ? modulus[k] / m : 0.0f;
        z[k][0] = re * f;
        z[k][1] = im * f;
    }
}

// The peer: the same picture's target amplitude, a random start transformed back, 30 rounds of
// plain Gerchberg-Saxton (far-field modulus T, DOE-plane modulus 1) and the far field: 62
// single-precision transforms with measured FFTW 3 plans, one thread.
void GerchbergSaxtonFFTW3(benchmark::State& state)
{
    const int n = int(state.range(0));
    const int count = n * n;
    const boost::shared_ptr<DataField2D> source = ringAndBarPicture(n);
    const boost::shared_ptr<DataField2D> target = doeTargetAmplitude(*source, n, true);
    std::vector<float> amplitude(static_cast<std::size_t>(count));
    std::vector<float> ones(static_cast<std::size_t>(count), 1.0f);
    std::vector<float> startPhase(static_cast<std::size_t>(count));
    std::mt19937 gen(7);
    std::uniform_real_distribution<float> phase(0.0f, 6.2831853f);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            amplitude[std::size_t(n * i + j)] = target->getValue(i, j);
            startPhase[std::size_t(n * i + j)] = phase(gen);
        }
    auto* z = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * count));
    const fftwf_plan forward = fftwf_plan_dft_2d(n, n, z, z, FFTW_BACKWARD, FFTW_MEASURE);
    const fftwf_plan backward = fftwf_plan_dft_2d(n, n, z, z, FFTW_FORWARD, FFTW_MEASURE);
    for (auto _ : state) {
        for (int k = 0; k < count; ++k) {
            z[k][0] = amplitude[std::size_t(k)] * std::cos(startPhase[std::size_t(k)]);
            z[k][1] = amplitude[std::size_t(k)] * std::sin(startPhase[std::size_t(k)]);
        }
        fftwf_execute(backward);
        imposeModulus(z, ones.data(), count);
        for (int round = 0; round < 30; ++round) {
            fftwf_execute(forward);
            imposeModulus(z, amplitude.data(), count);
            fftwf_execute(backward);
            imposeModulus(z, ones.data(), count);
        }
        fftwf_execute(forward);
        benchmark::DoNotOptimize(z[0][0]);
        benchmark::ClobberMemory();
    }
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
    fftwf_free(z);
    state.counters["grid"] = n;
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
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("GerchbergSaxtonFFTW3", GerchbergSaxtonFFTW3)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond);
    }
    const char* passes[] = {"makePhaseOnly", "quantizePhases", "amplitudeConstraint"};
    for (int pass = 0; pass < 3; ++pass)
        for (vectorPath p : paths)
            benchmark::RegisterBenchmark(
                (std::string("ElementPass/") + passes[pass] + "/" + vectorPathName(p)).c_str(),
                ElementPass, p, pass)
                ->Arg(512)
                ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    registerAll();
    return runRegisteredBenchmarks(argc, argv);
}
