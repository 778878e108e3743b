// The 2-D FFT kernels for every x86-64 processor (SSE2).
#include "fields/complexFFT2DKernels.h"

#include "base/vectorPath.h"
#include "fields/complexFFT2DKernelTemplates.h"

void complexFFT2DKernels::transform2DPortable(int n1, int n2, int isgn, float** a, float* buffer,
                                              int bufferFloats, const Tables& tab)
{
    transform2D(n1, n2, isgn, a, buffer, bufferFloats, tab);
}

void complexFFT2DKernels::columnsPortable(int n1, int n2, int isgn, float** a, float* buffer,
                                          int bufferFloats, const Tables& tab)
{
    columnPass(n1, n2, isgn, a, buffer, bufferFloats, tab);
}

void complexFFT2DKernels::transform1DPortable(int values, int isgn, float* a, const Tables& tab)
{
    transform1D(values, isgn, a, tab);
}
