// complexDataField2D: the size check of the own FFT, transformed copies and the intensity
// threshold mask.
#include "fields/complexDataField2D.h"

#include "base/messages.h"

namespace {

bool isPowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

bool complexDataField2D::hasPowerOfTwoSizes(const char* method) const
{
    if (isPowerOfTwo(sizeI) && isPowerOfTwo(sizeJ))
        return true;
    numericErrorBox(QStringLiteral("Error in complexDataField2D::%1(): field size %2 x %3 is not a "
                                   "power of two")
                        .arg(QLatin1String(method))
                        .arg(sizeI)
                        .arg(sizeJ));
    return false;
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
