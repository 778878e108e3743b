// The row allocator, the tables and the entry points of the 2-D FFT package.
#include "fields/complexFFT2D.h"

#include "base/vectorPath.h"
#include "fields/alignedArray.h"
#include "fields/complexFFT2DKernels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static_assert(sizeof(int) == 4 && sizeof(float) == 4, "work areas hold 4-byte elements");

// Table in w, for tables of size nw: m = 2 nw complex points; w[2k], w[2k + 1] = cos, sin of
// 2 pi k / m for k < m / 4. A transform of length L <= m reads every (m / L)-th entry.
// Bit-reversal table in ip[2 ..]: the h-bit reversal of x for x < 2^h, h = floor(log2(m) / 2).
// A column buffer that complexFFT2D allocates itself is made larger than the caller's minimum so
// that the kernels' wider groupings fit.

namespace {

using namespace complexFFT2DKernels;

[[noreturn]] void failWith(const char* text)
{
    std::fputs(text, stderr);
    std::exit(1);
}

Tables tablesOf(const int* ip, const float* w)
{
    const int m = 2 * ip[0];
    return Tables{w, m / 4, m, ip + 2, log2Exact(std::max(m, 1)) / 2};
}

// The kernel set of the active vector path.
struct KernelSet
{
    void (*transform2D)(int, int, int, float**, float*, int, const Tables&);
    void (*columns)(int, int, int, float**, float*, int, const Tables&);
    void (*transform1D)(int, int, float*, const Tables&);
};

const KernelSet& kernels()
{
    static const KernelSet portable{transform2DPortable, columnsPortable, transform1DPortable};
    static const KernelSet avx2{transform2DAvx2, columnsAvx2, transform1DAvx2};
    return *pickForVectorPath(&portable, &avx2);
}

} // namespace

int complexFFT2DIpSize(int n1, int n2)
{
    const int n = std::max(n1, n2 / 2);
    return 2 + static_cast<int>(std::floor(std::sqrt(n + 0.5)));
}

int complexFFT2DTableSize(int n1, int n2)
{
    return std::max(n1 / 2, n2 / 4);
}

int complexFFT2DColumnBufferSize(int n1, int n2)
{
    if (n2 > 4)
        return 8 * n1;
    if (n2 == 4)
        return 4 * n1;
    return 2 * n1;
}

void* allocFloatArray1D(int n)
{
    void* p = n >= 0 ? allocateAlignedBlock(sizeof(float) * size_t(n)) : nullptr;
    if (!p)
        failWith("Allocation Failure!\n");
    return p;
}

float** allocFloatArray2DOrNull(int n1, int n2)
{
    if (n1 < 0 || n2 < 0)
        return nullptr;
    auto rows = static_cast<float**>(std::malloc(sizeof(float*) * std::max<size_t>(n1, 1)));
    if (!rows)
        return nullptr;
    auto block = static_cast<float*>(allocateAlignedBlock(sizeof(float) * size_t(n1) * size_t(n2)));
    if (!block) {
        std::free(rows);
        return nullptr;
    }
    rows[0] = block;
    for (int r = 1; r < n1; ++r)
        rows[r] = block + size_t(r) * size_t(n2);
    return rows;
}

float** allocFloatArray2D(int n1, int n2)
{
    float** rows = allocFloatArray2DOrNull(n1, n2);
    if (!rows)
        failWith("Allocation Failure!\n");
    return rows;
}

void freeFloatArray2D(float** a)
{
    if (!a)
        return;
    std::free(a[0]);
    std::free(a);
}

void makeBitReversalTable(int nw, int* ip)
{
    const int h = log2Exact(std::max(2 * nw, 1)) / 2;
    for (int x = 0; x < (1 << h); ++x) {
        int r = 0;
        for (int bit = 0; bit < h; ++bit)
            r |= ((x >> bit) & 1) << (h - 1 - bit);
        ip[2 + x] = r;
    }
}

void makeTwiddleTable(int nw, int* ip, float* w)
{
    ip[0] = nw;
    ip[1] = 1;
    const int m = 2 * nw;
    const double step = m > 0 ? 2.0 * 3.14159265358979323846 / m : 0.0;
    for (int k = 0; k < m / 4; ++k) {
        w[2 * k] = static_cast<float>(std::cos(step * k));
        w[2 * k + 1] = static_cast<float>(std::sin(step * k));
    }
    makeBitReversalTable(nw, ip);
}

void complexFFT1D(int n, int isgn, float* a, int* ip, float* w)
{
    if (n > 4 * ip[0])
        makeTwiddleTable(n / 4, ip, w);
    kernels().transform1D(n / 2, isgn, a, tablesOf(ip, w));
}

void complexFFT2DColumns(int n1, int n2, int isgn, float** a, float* t, int* ip, float* w)
{
    kernels().columns(n1, n2, isgn, a, t, complexFFT2DColumnBufferSize(n1, n2), tablesOf(ip, w));
}

void complexFFT2D(int n1, int n2, int isgn, float** a, float* t, int* ip, float* w)
{
    const int n = std::max(2 * n1, n2);
    if (n > 4 * ip[0])
        makeTwiddleTable(n / 4, ip, w);

    // A buffer of our own is made large enough for the faster groupings.
    int bufferFloats = complexFFT2DColumnBufferSize(n1, n2);
    float* buffer = t;
    if (!t) {
        bufferFloats
            = std::max({bufferFloats, wideRowBufferSize(n1, n2), wideColumnBufferSize(n1, n2)});
        buffer = static_cast<float*>(allocateAlignedBlock(sizeof(float) * size_t(bufferFloats)));
        if (!buffer)
            failWith("fft2d memory allocation error\n");
    }
    kernels().transform2D(n1, n2, isgn, a, buffer, bufferFloats, tablesOf(ip, w));
    if (!t)
        releaseAlignedBlock(buffer);
}

void complexFFT2DOnce(int n1, int n2, int isgn, float** a)
{
    int* ip = static_cast<int*>(allocFloatArray1D(complexFFT2DIpSize(n1, n2)));
    float* w = static_cast<float*>(allocFloatArray1D(complexFFT2DTableSize(n1, n2)));
    ip[0] = 0;
    complexFFT2D(n1, n2, isgn, a, nullptr, ip, w);
    std::free(w);
    std::free(ip);
}
