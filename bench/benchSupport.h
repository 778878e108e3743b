// Shared frame of the benchmark programs: the vector paths to time, and the main loop over the
// registered benchmarks.
#pragma once

#include "base/vectorPath.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

// The portable path, and AVX2 + FMA where the processor has it.
inline std::vector<vectorPath> benchVectorPaths()
{
    std::vector<vectorPath> paths = {vectorPath::portable};
    if (processorHasAvx2Fma())
        paths.push_back(vectorPath::avx2Fma);
    return paths;
}

// The fastest repetition, an aggregate beside the median.
inline double minimumOf(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

// How every case reports: in milliseconds, with the minimum beside the median
// (->Apply(inMillisecondsWithMinimum)).
inline void inMillisecondsWithMinimum(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->ComputeStatistics("min", minimumOf);
}

// Runs the registered benchmarks with the options of the command line.
inline int runRegisteredBenchmarks(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
