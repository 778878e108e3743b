// The choice between the portable and the AVX2 + FMA versions of the hot loops, made once per
// process from the processor's features.
#pragma once

// 1 where the build compiles the AVX2 + FMA versions (files named *_avx2.cpp, built with
// -mavx2 -mfma -ffp-contract=off; elsewhere they forward to the portable versions). Those files
// use intrinsics, raw pointers and helpers of their own only: a standard-library template
// instantiated there could be picked by the linker for the portable code as well.
#if defined(__x86_64__) || defined(__i386__)
#define PHASEDECK_AVX2_KERNELS 1
#else
#define PHASEDECK_AVX2_KERNELS 0
#endif

enum class vectorPath { portable, avx2Fma };

// True when the processor and the operating system run AVX2 and FMA instructions.
bool processorHasAvx2Fma();

// The path every hot loop takes: avx2Fma on a processor that has it, else portable; decided at
// the first call. Both paths give the same results (the 2-D FFT: the same accuracy).
vectorPath activeVectorPath();

// Makes every hot loop take the given path, for tests and benchmarks that compare the two;
// returns false and changes nothing when avx2Fma is asked for on a processor without it.
bool setActiveVectorPath(vectorPath path);

// "portable" or "avx2Fma", for names of test cases and benchmarks.
const char* vectorPathName(vectorPath path);

// Sets the vector path for its lifetime and restores the previous one; active() is false when
// the processor lacks the path (the previous one stays).
class scopedVectorPath
{
public:
    explicit scopedVectorPath(vectorPath path)
        : previous(activeVectorPath())
        , isActive(setActiveVectorPath(path))
    {}
    ~scopedVectorPath() { setActiveVectorPath(previous); }
    scopedVectorPath(const scopedVectorPath&) = delete;
    scopedVectorPath& operator=(const scopedVectorPath&) = delete;

    bool active() const { return isActive; }

private:
    vectorPath previous;
    bool isActive;
};

// The implementation of the active path.
template<typename Function>
Function pickForVectorPath(Function portable, Function avx2Fma)
{
#if PHASEDECK_AVX2_KERNELS
    return activeVectorPath() == vectorPath::avx2Fma ? avx2Fma : portable;
#else
    (void)avx2Fma;
    return portable;
#endif
}
