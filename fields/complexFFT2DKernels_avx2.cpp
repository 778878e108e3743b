// The 2-D FFT kernels for processors with AVX2 + FMA, chosen at run time: the templates of the
// portable kernels compiled for that instruction set.
#include "fields/complexFFT2DKernels.h"

#include "fields/complexFFT2DKernelTemplates.h"

void complexFFT2DKernels::transform2DAvx2(int n1, int n2, int isgn, float** a, float* buffer,
                                          int bufferFloats, const Tables& tab)
{
    transform2D(n1, n2, isgn, a, buffer, bufferFloats, tab);
}

void complexFFT2DKernels::columnsAvx2(int n1, int n2, int isgn, float** a, float* buffer,
                                      int bufferFloats, const Tables& tab)
{
    columnPass(n1, n2, isgn, a, buffer, bufferFloats, tab);
}

void complexFFT2DKernels::transform1DAvx2(int values, int isgn, float* a, const Tables& tab)
{
    transform1D(values, isgn, a, tab);
}
