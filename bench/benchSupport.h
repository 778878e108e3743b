// Shared frame of the benchmark programs: a scope that sets the vector path, and the main loop
// over the registered benchmarks.
#pragma once

#include "base/vectorPath.h"

#include <benchmark/benchmark.h>

#include <vector>

// A vector path with its name in benchmark names.
struct benchPath
{
    const char* name;
    vectorPath path;
};

// The portable path, and AVX2 + FMA where the processor has it.
inline std::vector<benchPath> benchVectorPaths()
{
    std::vector<benchPath> paths = {{"portable", vectorPath::portable}};
    if (processorHasAvx2Fma())
        paths.push_back({"avx2Fma", vectorPath::avx2Fma});
    return paths;
}

// Sets the vector path for one benchmark and restores the previous one.
class benchVectorPath
{
public:
    explicit benchVectorPath(vectorPath path)
        : previous(activeVectorPath())
    {
        setActiveVectorPath(path);
    }
    ~benchVectorPath() { setActiveVectorPath(previous); }
    benchVectorPath(const benchVectorPath&) = delete;
    benchVectorPath& operator=(const benchVectorPath&) = delete;

private:
    vectorPath previous;
};

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
