// complexDataField2D: derived real fields, phase and modulus maps, cached ranges, sums and
// counts over the whole field.
#include "fields/complexDataField2D.h"

#include "fields/DataField2D.h"
#include "fields/phasorKernels.h"

#include <cmath>
#include <vector>

namespace {

// The modulus as the range pass takes it: hypot of the two parts in double, rounded to float.
float rangeModulus(const complexFloat& z)
{
    return static_cast<float>(std::hypot(static_cast<double>(z.re), static_cast<double>(z.im)));
}

void widen(float x, float& min, float& max)
{
    if (max < x)
        max = x;
    if (x < min)
        min = x;
}

bool differ(const complexFloat& a, const complexFloat& b)
{
    return a.re != b.re || a.im != b.im;
}

// A new real field of the sizes and pitch of source, centre 0, element value(z(i, j)).
template<typename ValueOf>
boost::shared_ptr<DataField2D> derivedField(const complexDataField2D& source, ValueOf value)
{
    boost::shared_ptr<DataField2D> result(new DataField2D(
        source.getSizeI(), source.getSizeJ(), 0.0, 0.0, source.getDx(), source.getDy(), 0.0f));
    for (int j = 0; j < source.getSizeJ(); ++j)
        for (int i = 0; i < source.getSizeI(); ++i)
            result->setValue(i, j, value(source.getValue(i, j)));
    return result;
}

} // namespace

boost::shared_ptr<DataField2D> complexDataField2D::getRealPart() const
{
    return derivedField(*this, [](const complexFloat& z) { return z.re; });
}

boost::shared_ptr<DataField2D> complexDataField2D::getImagPart() const
{
    return derivedField(*this, [](const complexFloat& z) { return z.im; });
}

boost::shared_ptr<DataField2D> complexDataField2D::getAmplitude() const
{
    return derivedField(*this, [](const complexFloat& z) { return abs(z); });
}

boost::shared_ptr<DataField2D> complexDataField2D::getPhase() const
{
    return derivedField(*this, [](const complexFloat& z) { return std::atan2(z.im, z.re); });
}

boost::shared_ptr<DataField2D> complexDataField2D::getIntensity() const
{
    return derivedField(*this, [](const complexFloat& z) { return z.re * z.re + z.im * z.im; });
}

void complexDataField2D::makePhaseOnly()
{
    makeUnitPhasors(elementData(), elementCount(), nullptr);
}

boost::shared_ptr<complexDataField2D> complexDataField2D::getPhaseOnly() const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*this));
    result->makePhaseOnly();
    return result;
}

void complexDataField2D::makeAbsolute()
{
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            setValue(i, j, {abs(getValue(i, j)), 0.0f});
}

boost::shared_ptr<complexDataField2D> complexDataField2D::getAbsolute() const
{
    boost::shared_ptr<complexDataField2D> result(new complexDataField2D(*this));
    result->makeAbsolute();
    return result;
}

boost::shared_ptr<DataField2D> complexDataField2D::splitAmplitude()
{
    boost::shared_ptr<DataField2D> amplitude(new DataField2D(sizeI, sizeJ, 0.0, 0.0, dx, dy, 0.0f));
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = getValue(i, j);
            const float m = abs(z);
            amplitude->setValue(i, j, m);
            setValue(i, j, m == 0.0f ? complexFloat{0.0f, 0.0f} : z * (1.0f / m));
        }
    return amplitude;
}

void complexDataField2D::computeStatistics()
{
    if (sizeI <= 0 || sizeJ <= 0) {
        maxRe = minRe = maxIm = minIm = maxAbs = minAbs = 0.0f;
        return;
    }
    const complexFloat first = getValue(0, 0);
    maxRe = minRe = first.re;
    maxIm = minIm = first.im;
    maxAbs = minAbs = rangeModulus(first);
    for (int i = 0; i < sizeI; ++i)
        for (int j = 0; j < sizeJ; ++j) {
            const complexFloat z = getValue(i, j);
            widen(z.re, minRe, maxRe);
            widen(z.im, minIm, maxIm);
            widen(rangeModulus(z), minAbs, maxAbs);
        }
}

float complexDataField2D::getMaxRe()
{
    computeStatistics();
    return maxRe;
}

float complexDataField2D::getMinRe()
{
    computeStatistics();
    return minRe;
}

float complexDataField2D::getMaxIm()
{
    computeStatistics();
    return maxIm;
}

float complexDataField2D::getMinIm()
{
    computeStatistics();
    return minIm;
}

float complexDataField2D::getMaxAbs()
{
    computeStatistics();
    return maxAbs;
}

float complexDataField2D::getMinAbs()
{
    computeStatistics();
    return minAbs;
}

float complexDataField2D::getMaxIntensity()
{
    computeStatistics();
    return maxAbs * maxAbs;
}

float complexDataField2D::getMinIntensity()
{
    computeStatistics();
    return minAbs * minAbs;
}

void complexDataField2D::getRangeRe(float& min, float& max)
{
    computeStatistics();
    min = minRe;
    max = maxRe;
}

void complexDataField2D::getRangeIm(float& min, float& max)
{
    computeStatistics();
    min = minIm;
    max = maxIm;
}

void complexDataField2D::getRangeAbs(float& min, float& max)
{
    computeStatistics();
    min = minAbs;
    max = maxAbs;
}

void complexDataField2D::getRangeIntensity(float& min, float& max)
{
    computeStatistics();
    min = minAbs * minAbs;
    max = maxAbs * maxAbs;
}

void complexDataField2D::getStatistics(float& minRe_, float& maxRe_, float& minIm_, float& maxIm_,
                                       float& minAbs_, float& maxAbs_)
{
    computeStatistics();
    minRe_ = minRe;
    maxRe_ = maxRe;
    minIm_ = minIm;
    maxIm_ = maxIm;
    minAbs_ = minAbs;
    maxAbs_ = maxAbs;
}

double complexDataField2D::getTotalIntensity() const
{
    double sum = 0.0;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = getValue(i, j);
            sum += static_cast<double>(z.re) * z.re + static_cast<double>(z.im) * z.im;
        }
    return sum;
}

complexFloat complexDataField2D::getSum() const
{
    double re = 0.0;
    double im = 0.0;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = getValue(i, j);
            re += z.re;
            im += z.im;
        }
    return {static_cast<float>(re), static_cast<float>(im)};
}

void complexDataField2D::countValueChanges(int& countI, int& countJ) const
{
    countI = 0;
    countJ = 0;
    if (sizeI <= 0 || sizeJ <= 0)
        return;
    for (int j = 0; j < sizeJ; ++j) {
        if (differ(getValue(0, j), getValue(sizeI - 1, j)))
            ++countI;
        for (int i = 0; i + 1 < sizeI; ++i)
            if (differ(getValue(i, j), getValue(i + 1, j)))
                ++countI;
    }
    for (int i = 0; i < sizeI; ++i) {
        if (differ(getValue(i, 0), getValue(i, sizeJ - 1)))
            ++countJ;
        for (int j = 0; j + 1 < sizeJ; ++j)
            if (differ(getValue(i, j), getValue(i, j + 1)))
                ++countJ;
    }
}

double complexDataField2D::getValueChangeLength() const
{
    int countI = 0;
    int countJ = 0;
    countValueChanges(countI, countJ);
    return countI * dx + countJ * dy;
}

bool complexDataField2D::hasAtMostNValues(int n) const
{
    std::vector<complexFloat> known;
    int count = 0;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = getValue(i, j);
            bool matched = false;
            for (const complexFloat& v : known)
                if (std::fabs(static_cast<double>(z.re) - v.re)
                        + std::fabs(static_cast<double>(z.im) - v.im)
                    < 1e-6) {
                    matched = true;
                    break;
                }
            if (matched)
                continue;
            if (count >= n)
                return false;
            known.push_back(z);
            ++count;
        }
    return true;
}
