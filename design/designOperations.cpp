// Design operations without random numbers or phase snapping: row sums, coefficients, the
// diffraction efficiency, the lens field and the envelope pre-compensation.
#include "design/designOperations.h"

#include "base/phasedeckGlobals.h"
#include "design/fieldSizeCheck.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "fields/specialFunctions.h"

#include <cmath>

namespace {

constexpr double pi = 3.141592653589793;

// A zero sizeI x 1 profile with the default pitch.
boost::shared_ptr<DataField2D> newProfile(int sizeI)
{
    return boost::shared_ptr<DataField2D>(
        new DataField2D(sizeI, 1, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                        opticalParameters.defaultPixelSizeY, 0.0f));
}

} // namespace

boost::shared_ptr<DataField2D> runningSum(boost::shared_ptr<DataField2D> f)
{
    boost::shared_ptr<DataField2D> result = newProfile(f->getSizeI());
    if (f->getSizeJ() < 1)
        return result;
    double sum = 0.0;
    for (int i = 0; i < f->getSizeI(); ++i) {
        sum += f->getValue(i, 0);
        result->setValue(i, float(sum));
    }
    return result;
}

boost::shared_ptr<DataField2D> differences(boost::shared_ptr<DataField2D> f)
{
    boost::shared_ptr<DataField2D> result = newProfile(f->getSizeI());
    if (f->getSizeJ() < 1 || f->getSizeI() < 1)
        return result;
    result->setValue(0, f->getValue(0, 0));
    for (int i = 1; i < f->getSizeI(); ++i)
        result->setValue(i, f->getValue(i, 0) - f->getValue(i - 1, 0));
    return result;
}

complexFloat fourierCoefficient(boost::shared_ptr<complexDataField2D> f, double fx, double fy)
{
    complexFloat sum = {0.0f, 0.0f};
    for (int j = 0; j < f->getSizeJ(); ++j)
        for (int i = 0; i < f->getSizeI(); ++i) {
            const float phase = float(fx * f->getX(i) + fy * f->getY(j));
            const complexFloat term = elementMultiply(f->getValue(i, j), polarUnit(phase));
            sum.re += term.re;
            sum.im += term.im;
        }
    return sum;
}

complexFloat overlapCoefficient(complexDataField2D& a, complexDataField2D& b)
{
    if (!operandCovers(a, b, "overlapCoefficient"))
        return {0.0f, 0.0f};
    double re = 0.0;
    double im = 0.0;
    double norm = 0.0;
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i) {
            const complexFloat za = a.getValue(i, j);
            const complexFloat zb = b.getValue(i, j);
            // conj(za) * zb
            re += double(za.re) * zb.re + double(za.im) * zb.im;
            im += double(za.re) * zb.im - double(za.im) * zb.re;
            norm += double(za.re) * za.re + double(za.im) * za.im;
        }
    if (norm == 0.0)
        return {0.0f, 0.0f};
    return {float(re / norm), float(im / norm)};
}

double overlapCoefficient(DataField2D& a, DataField2D& b)
{
    if (!operandCovers(a, b, "overlapCoefficient"))
        return 0.0;
    double product = 0.0;
    double norm = 0.0;
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i) {
            const double va = a.getValue(i, j);
            product += va * b.getValue(i, j);
            norm += va * va;
        }
    return norm == 0.0 ? 0.0 : product / norm;
}

double amplitudeScale(signalOrderList& list)
{
    return list.amplitudeScale();
}

double diffractionEfficiency(boost::shared_ptr<complexDataField2D> field, signalOrderList& orders,
                             bool resample)
{
    if (resample)
        orders.sampleField(field);
    const double totalPower = pixelCount(*field) * field->getTotalIntensity();
    if (totalPower == 0.0)
        return 0.0;
    orders.computeSignalIntensity();
    return orders.getSumIntensity() / totalPower;
}

double pixelCount(complexDataField2D& f)
{
    return double(f.getSizeI()) * f.getSizeJ();
}

boost::shared_ptr<complexDataField2D> lensField(int nI, int nJ, double dx, double dy,
                                                double wavelength, double focalLengthX,
                                                double focalLengthY)
{
    boost::shared_ptr<complexDataField2D> lens(new complexDataField2D(nI, nJ, 0));
    lens->setPixelSize(dx, dy);
    if (!(wavelength > 0.0) || focalLengthX * focalLengthY == 0.0)
        return lens;
    const double cx = pi * dx * dx / (wavelength * focalLengthX);
    const double cy = pi * dy * dy / (wavelength * focalLengthY);
    // Centred indices -(n / 2) .. n - 1 - n / 2 reach every element, odd sizes included.
    for (int j = -(nJ / 2); j < nJ - nJ / 2; ++j)
        for (int i = -(nI / 2); i < nI - nI / 2; ++i) {
            const float phase = float(cx * double(i) * i + cy * double(j) * j);
            lens->setValue(i < 0 ? i + nI : i, j < 0 ? j + nJ : j, polarUnit(phase));
        }
    return lens;
}

sincEnvelopeCompensation::sincEnvelopeCompensation(int sizeI, int sizeJ, int periodX, int periodY,
                                                   double exponent)
    : exponent(exponent)
{
    const double px = periodX != 0 ? periodX : sizeI;
    const double py = periodY != 0 ? periodY : sizeJ;
    alongI.resize(std::size_t(sizeI > 0 ? sizeI : 0));
    alongJ.resize(std::size_t(sizeJ > 0 ? sizeJ : 0));
    for (int i = 0; i < sizeI; ++i)
        alongI[std::size_t(i)] = sinc((i - sizeI / 2) / px);
    for (int j = 0; j < sizeJ; ++j)
        alongJ[std::size_t(j)] = sinc((j - sizeJ / 2) / py);
    reference = sizeI > 0 && sizeJ > 0 ? power(alongI[0] * alongJ[0]) : 0.0;
}

double sincEnvelopeCompensation::power(double envelope) const
{
    // pow(x, 1) is x exactly.
    return exponent == 1.0 ? envelope : std::pow(envelope, exponent);
}

void precompensateSincEnvelope(boost::shared_ptr<DataField2D> target, int periodX, int periodY,
                               double exponent)
{
    const int sizeI = target->getSizeI();
    const int sizeJ = target->getSizeJ();
    const sincEnvelopeCompensation compensation(sizeI, sizeJ, periodX, periodY, exponent);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            target->setValue(i, j, compensation.apply(target->getValue(i, j), i, j));
}

void precompensateSincEnvelopeSquared(boost::shared_ptr<DataField2D> target, int periodX,
                                      int periodY, double exponent)
{
    precompensateSincEnvelope(target, periodX, periodY, 2.0 * exponent);
}
