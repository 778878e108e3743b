// complexDataField2D: the in-place 2-D FFT on the row storage, transformed copies and the
// intensity threshold mask.
#include "fields/complexDataField2D.h"

#include "base/messages.h"
#include "fields/complexFFT2D.h"

#include <cmath>
#include <cstdlib>

namespace {

bool isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

void complexDataField2D::transform(int isgn, const char* method)
{
    if (!isPowerOfTwo(sizeI) || !isPowerOfTwo(sizeJ)) {
        numericErrorBox(QStringLiteral("Error in complexDataField2D::%1(): field size %2 x %3 is "
                                       "not a power of two")
                            .arg(QLatin1String(method))
                            .arg(sizeI)
                            .arg(sizeJ));
        return;
    }
    // Fresh tables on every call: ip[0] = 0 makes the package build them.
    const int m = sizeI > sizeJ ? sizeI : sizeJ;
    int* ip = static_cast<int*>(allocFloatArray1D(2 + static_cast<int>(std::sqrt(m + 0.5))));
    ip[0] = 0;
    const int wSize = (sizeI > 2 * sizeJ ? sizeI : 2 * sizeJ) * 3 / 2;
    float* w = static_cast<float*>(allocFloatArray1D(wSize));
    complexFFT2D(sizeI, 2 * sizeJ, isgn, rows, nullptr, ip, w);
    std::free(w);
    std::free(ip);
    domainFlag = 1 - domainFlag;
}

void complexDataField2D::fft()
{
    transform(+1, "fft");
}

void complexDataField2D::ifft()
{
    transform(-1, "ifft");
}

boost::shared_ptr<complexDataField2D> complexDataField2D::fftCopy() const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*this));
    result->fft();
    return result;
}

boost::shared_ptr<complexDataField2D> complexDataField2D::ifftCopy() const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*this));
    result->ifft();
    return result;
}

complexDataField2D fft(const complexDataField2D& a)
{
    complexDataField2D result(a);
    result.fft();
    return result;
}

complexDataField2D ifft(const complexDataField2D& a)
{
    complexDataField2D result(a);
    result.ifft();
    return result;
}

boost::shared_ptr<complexDataField2D> fft(boost::shared_ptr<complexDataField2D> a)
{
    return a->fftCopy();
}

boost::shared_ptr<complexDataField2D> ifft(boost::shared_ptr<complexDataField2D> a)
{
    return a->ifftCopy();
}

boost::shared_ptr<complexDataField2D> complexDataField2D::binarizeIntensity(float t) const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(sizeI, sizeJ, 0));
    copyParametersTo(result);
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j) {
            const complexFloat z = getValue(i, j);
            const double intensity
                = static_cast<double>(z.re) * z.re + static_cast<double>(z.im) * z.im;
            result->setValue(i, j, {intensity < t ? 0.0f : 1.0f, 0.0f});
        }
    return result;
}
