// Shared frame of the 2-D FFT benchmarks: the sizes, the test data, the timing loop and the
// timing of our own transform on each vector path.
#pragma once

#include "bench/benchSupport.h"
#include "fields/complexFFT2D.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

// n x n complex values as 2 n^2 interleaved floats in [-1, 1), the same for every program.
inline std::vector<float> fft2DBenchData(int n)
{
    std::mt19937 gen(12345);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    std::vector<float> data(2 * size_t(n) * size_t(n));
    for (float& v : data)
        v = dist(gen);
    return data;
}

// Times pair() (a forward and a backward transform of data); data is restored from original
// outside the timed region before every pair, so that the unscaled values stay finite.
template<typename Pair>
void timeTransformPairs(benchmark::State& state, float* data, const std::vector<float>& original,
                        Pair pair)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(data, original.data(), original.size() * sizeof(float));
        state.ResumeTiming();
        pair();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

// Our complexFFT2D with +1 then -1 on an n x n array on the given vector path; the tables are
// built once beforehand and the column buffer is allocated per call, as the complex fields do.
inline void benchComplexFFT2D(benchmark::State& state, vectorPath path)
{
    const scopedVectorPath scope(path);
    const int n = int(state.range(0));
    const std::vector<float> original = fft2DBenchData(n);
    float** a = allocFloatArray2D(n, 2 * n);
    int* ip = static_cast<int*>(allocFloatArray1D(complexFFT2DIpSize(n, 2 * n)));
    float* w = static_cast<float*>(allocFloatArray1D(complexFFT2DTableSize(n, 2 * n)));
    ip[0] = 0;
    std::memcpy(a[0], original.data(), original.size() * sizeof(float));
    complexFFT2D(n, 2 * n, 1, a, nullptr, ip, w);
    timeTransformPairs(state, a[0], original, [&] {
        complexFFT2D(n, 2 * n, 1, a, nullptr, ip, w);
        complexFFT2D(n, 2 * n, -1, a, nullptr, ip, w);
    });
    freeFloatArray2D(a);
    std::free(ip);
    std::free(w);
}

// Registers our transform (portable, and AVX2 + FMA where the processor has it) and the peer's
// for each size (256^2 .. 2048^2); run them with --benchmark_enable_random_interleaving=true.
inline void registerFFT2DBenchmarks(const char* peerName, void (*peer)(benchmark::State&))
{
    for (int n : {256, 512, 1024, 2048}) {
        for (vectorPath p : benchVectorPaths())
            benchmark::RegisterBenchmark((std::string("complexFFT2D/") + vectorPathName(p)).c_str(),
                                         benchComplexFFT2D, p)
                ->Arg(n)
                ->Apply(inMillisecondsWithMinimum);
        benchmark::RegisterBenchmark(peerName, peer)->Arg(n)->Apply(inMillisecondsWithMinimum);
    }
}

// Main function of a comparison program: ours and the peer, size by size.
inline int runFFT2DComparison(int argc, char** argv, const char* peerName,
                              void (*peer)(benchmark::State&))
{
    registerFFT2DBenchmarks(peerName, peer);
    return runRegisteredBenchmarks(argc, argv);
}
