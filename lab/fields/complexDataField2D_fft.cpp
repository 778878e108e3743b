// complexDataField2D: the in-place FFTW 2 transforms through the plan cache, and the program's
// own FFT on a row copy of the block.
#include "fields/complexDataField2D.h"

#include "base/messages.h"
#include "fields/complexFFT2D.h"
#include "lab/fields/fftwPlanCache.h"

#include <QString>

namespace {

// FFTW's forward (exp(-...)) or backward (exp(+...)) transform of the whole block, in place.
void transformWithFFTW(complexDataField2D& field, fftw_direction direction, const char* method)
{
    const int sizeI = field.getSizeI();
    const int sizeJ = field.getSizeJ();
    if (sizeI > 0 && sizeJ > 0) {
        if (!theFftwPlanCache.hasPlans(sizeI, sizeJ))
            theFftwPlanCache.createPlans(sizeI, sizeJ);
        const fftwnd_plan plan = direction == FFTW_FORWARD ? theFftwPlanCache.getForwardPlan()
                                                           : theFftwPlanCache.getBackwardPlan();
        if (!plan) {
            numericErrorBox(QStringLiteral("Error in complexDataField2D::%1(): no FFTW plan for "
                                           "%2 x %3")
                                .arg(QLatin1String(method))
                                .arg(sizeI)
                                .arg(sizeJ));
            return;
        }
        fftwnd_one(plan, reinterpret_cast<fftw_complex*>(field.data()), nullptr);
    }
    field.setDomainFlag(1 - field.getDomainFlag());
}

// complexFFT2D over sizeI rows holding elements (i, 0) .. (i, sizeJ - 1); the sizes are checked.
void transformRowCopy(complexDataField2D& field, int isgn)
{
    const int sizeI = field.getSizeI();
    const int sizeJ = field.getSizeJ();
    float** a = allocFloatArray2D(sizeI, 2 * sizeJ);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = field.getValue(i, j);
            a[i][2 * j] = z.re;
            a[i][2 * j + 1] = z.im;
        }
    complexFFT2DOnce(sizeI, 2 * sizeJ, isgn, a);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field.setValue(i, j, {a[i][2 * j], a[i][2 * j + 1]});
    freeFloatArray2D(a);
    field.setDomainFlag(1 - field.getDomainFlag());
}

} // namespace

void complexDataField2D::fft()
{
    transformWithFFTW(*this, FFTW_FORWARD, "fft");
}

void complexDataField2D::ifft()
{
    transformWithFFTW(*this, FFTW_BACKWARD, "ifft");
}

void complexDataField2D::prepareMeasuredPlans() const
{
    theFftwPlanCache.createMeasuredPlans(sizeI, sizeJ);
}

void complexDataField2D::fftViaComplexFFT2D()
{
    if (hasPowerOfTwoSizes("fftViaComplexFFT2D"))
        transformRowCopy(*this, +1);
}

void complexDataField2D::ifftViaComplexFFT2D()
{
    if (hasPowerOfTwoSizes("ifftViaComplexFFT2D"))
        transformRowCopy(*this, -1);
}
