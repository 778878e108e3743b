// complexDataField2D: the in-place 2-D FFT on the row storage through the program's own FFT.
#include "fields/complexDataField2D.h"

#include "fields/complexFFT2D.h"

void complexDataField2D::fft()
{
    if (!hasPowerOfTwoSizes("fft"))
        return;
    complexFFT2DOnce(sizeI, 2 * sizeJ, +1, rows);
    domainFlag = 1 - domainFlag;
}

void complexDataField2D::ifft()
{
    if (!hasPowerOfTwoSizes("ifft"))
        return;
    complexFFT2DOnce(sizeI, 2 * sizeJ, -1, rows);
    domainFlag = 1 - domainFlag;
}
