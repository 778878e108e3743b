// The transform kernels of the 2-D FFT package, built once for every x86-64 processor and once
// for AVX2 + FMA (complexFFT2DKernels_avx2.cpp); complexFFT2D.cpp picks one set at run time.
#pragma once

namespace complexFFT2DKernels {

// The table held in w and ip as the kernels read it.
struct Tables
{
    const float* w;
    int quarter; // entries of the quarter wave: m / 4
    int m;       // the longest length the table serves
    const int* rev;
    int revBits; // h
};

// Rows, then columns of the n1 x n2 float array a, in place, through buffer (bufferFloats floats,
// at least complexFFT2DColumnBufferSize; larger buffers allow wider groupings).
void transform2DPortable(int n1, int n2, int isgn, float** a, float* buffer, int bufferFloats,
                         const Tables& tab);
void transform2DAvx2(int n1, int n2, int isgn, float** a, float* buffer, int bufferFloats,
                     const Tables& tab);
// The column pass alone.
void columnsPortable(int n1, int n2, int isgn, float** a, float* buffer, int bufferFloats,
                     const Tables& tab);
void columnsAvx2(int n1, int n2, int isgn, float** a, float* buffer, int bufferFloats,
                 const Tables& tab);
// The values complex values at a (interleaved), in place, in natural order.
void transform1DPortable(int values, int isgn, float* a, const Tables& tab);
void transform1DAvx2(int values, int isgn, float* a, const Tables& tab);

// Helpers of both kernel sets and of the package; static, so that each file keeps the copy
// compiled with its own instruction set.

// The b with 2^b >= n, for n >= 1.
static inline int log2Exact(int n)
{
    int b = 0;
    while ((1 << b) < n)
        ++b;
    return b;
}

// Floats of buffers that let the row pass run four or eight rows at a time.
static inline int rowBufferSize(int n1, int n2)
{
    return n1 >= 4 ? 4 * n2 : 0;
}

static inline int wideRowBufferSize(int n1, int n2)
{
    return n1 >= 8 ? 8 * n2 : 0;
}

// Floats of the two buffers for columns eight at a time: one 64-byte line of every row per group.
static inline int wideColumnBufferSize(int n1, int n2)
{
    return n2 >= 16 ? 32 * n1 : 0;
}

} // namespace complexFFT2DKernels
