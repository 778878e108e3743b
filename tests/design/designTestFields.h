// Small real and complex fields for the design tests, value lists in element order (i fastest),
// and phase/modulus helpers.
#pragma once

#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <boost/shared_ptr.hpp>
#include <cmath>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace designTest {

constexpr double pi = 3.141592653589793;

using RealField = boost::shared_ptr<DataField2D>;
using ComplexField = boost::shared_ptr<complexDataField2D>;

// values[sizeI * j + i] goes to element (i, j); an empty list gives a field of fill.
inline RealField realField(int sizeI, int sizeJ, const std::vector<float>& values = {},
                           float fill = 0.0f, double dx = 1.0, double dy = 1.0)
{
    RealField field(new DataField2D(sizeI, sizeJ, 0.0, 0.0, dx, dy, fill));
    for (std::size_t k = 0; k < values.size(); ++k)
        field->setValue(int(k) % sizeI, int(k) / sizeI, values[k]);
    return field;
}

inline ComplexField complexField(int sizeI, int sizeJ, const std::vector<complexFloat>& values,
                                 double dx = 1.0, double dy = 1.0)
{
    ComplexField field(new complexDataField2D(sizeI, sizeJ, 0));
    field->setPixelSize(dx, dy);
    for (std::size_t k = 0; k < values.size(); ++k)
        field->setValue(int(k) % sizeI, int(k) / sizeI, values[k]);
    return field;
}

// Parts uniform in [-1, 1), reproducible from the seed.
inline ComplexField randomComplexField(int sizeI, int sizeJ, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> part(-1.0f, 1.0f);
    ComplexField field(new complexDataField2D(sizeI, sizeJ, 0));
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const float re = part(generator);
            field->setValue(i, j, {re, part(generator)});
        }
    return field;
}

// 24 x 20 zeros with a bar of 200 at (15..21, 15) and a spot of 255 at (4, 5): a picture off
// the centre for DOE design from bitmaps.
inline RealField barAndSpotPicture()
{
    RealField field = realField(24, 20);
    for (int i = 15; i <= 21; ++i)
        field->setValue(i, 15, 200.0f);
    field->setValue(4, 5, 255.0f);
    return field;
}

inline ComplexField copyOf(const ComplexField& field)
{
    return ComplexField(new complexDataField2D(*field));
}

inline double phaseOf(const complexFloat& z)
{
    return std::atan2(double(z.im), double(z.re));
}

inline double modulusOf(const complexFloat& z)
{
    return std::hypot(double(z.re), double(z.im));
}

inline complexFloat phasor(double modulus, double phase)
{
    return {float(modulus * std::cos(phase)), float(modulus * std::sin(phase))};
}

// Difference of two phases folded into [0, pi].
inline double phaseDistance(double a, double b)
{
    const double d = std::fabs(std::remainder(a - b, 2.0 * pi));
    return d;
}

// sizeI x sizeJ zeros with a block of orders [i0, i1) x [j0, j1) of amplitude 0.5 + 0.1 (i + j)
// and a hole at (holeI, holeJ), in transform order: an IFTA target of varying amplitudes.
inline RealField blockOfOrders(int sizeI, int sizeJ, int i0, int i1, int j0, int j1, int holeI,
                               int holeJ)
{
    RealField target = realField(sizeI, sizeJ);
    for (int j = j0; j < j1; ++j)
        for (int i = i0; i < i1; ++i)
            target->setValue(i, j, 0.5f + 0.1f * float(i + j));
    target->setValue(holeI, holeJ, 0.0f);
    return target;
}

// A phase-only DOE-plane start of random phases.
inline ComplexField phaseOnlyStart(int sizeI, int sizeJ, unsigned seed)
{
    ComplexField f = randomComplexField(sizeI, sizeJ, seed);
    f->makePhaseOnly();
    return f;
}

// Far-field power inside the mask over the whole far-field power of a DOE-plane field (the
// field's own transform).
inline double signalShare(const ComplexField& doe, const RealField& mask)
{
    ComplexField far = doe->fftCopy();
    double inside = 0.0, total = 0.0;
    for (int j = 0; j < far->getSizeJ(); ++j)
        for (int i = 0; i < far->getSizeI(); ++i) {
            const double p = std::pow(modulusOf(far->getValue(i, j)), 2);
            total += p;
            if (mask->getValue(i, j) > 0.5f)
                inside += p;
        }
    return inside / total;
}

// Relative deviation of the far-field modulus from the best-scaled target inside the mask.
inline double signalError(const ComplexField& doe, const RealField& target, const RealField& mask)
{
    ComplexField far = doe->fftCopy();
    double fit = 0.0, power = 0.0;
    for (int j = 0; j < far->getSizeJ(); ++j)
        for (int i = 0; i < far->getSizeI(); ++i) {
            const double t = target->getValue(i, j) * mask->getValue(i, j);
            fit += t * modulusOf(far->getValue(i, j));
            power += t * t;
        }
    const double s = fit / power;
    double error = 0.0;
    for (int j = 0; j < far->getSizeJ(); ++j)
        for (int i = 0; i < far->getSizeI(); ++i)
            if (mask->getValue(i, j) > 0.5f)
                error += std::pow(modulusOf(far->getValue(i, j)) - s * target->getValue(i, j), 2);
    return std::sqrt(error / (s * s * power));
}

inline void expectUnitModulus(const ComplexField& f, double tol)
{
    for (int j = 0; j < f->getSizeJ(); ++j)
        for (int i = 0; i < f->getSizeI(); ++i)
            ASSERT_NEAR(modulusOf(f->getValue(i, j)), 1.0, tol) << "(" << i << ", " << j << ")";
}

// How many different phases (1e-6 apart) a field holds.
inline int distinctPhases(const ComplexField& f)
{
    std::vector<double> phases;
    for (int j = 0; j < f->getSizeJ(); ++j)
        for (int i = 0; i < f->getSizeI(); ++i) {
            const double p = phaseOf(f->getValue(i, j));
            bool seen = false;
            for (double q : phases)
                seen = seen || phaseDistance(p, q) < 1e-6;
            if (!seen)
                phases.push_back(p);
        }
    return int(phases.size());
}

inline void expectComplexNear(const complexFloat& actual, const complexFloat& expected, double tol)
{
    EXPECT_NEAR(actual.re, expected.re, tol);
    EXPECT_NEAR(actual.im, expected.im, tol);
}

inline void expectFieldsNear(const complexDataField2D& actual, const complexDataField2D& expected,
                             double tol)
{
    ASSERT_EQ(actual.getSizeI(), expected.getSizeI());
    ASSERT_EQ(actual.getSizeJ(), expected.getSizeJ());
    for (int j = 0; j < actual.getSizeJ(); ++j)
        for (int i = 0; i < actual.getSizeI(); ++i) {
            SCOPED_TRACE(testing::Message() << "element (" << i << ", " << j << ")");
            expectComplexNear(actual.getValue(i, j), expected.getValue(i, j), tol);
        }
}

// Runs body until the clock's second did not change during it (at most a few tries), so that
// the random draws inside it all come from one seed.
inline void withinOneSecond(const std::function<void()>& body)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        body();
        if (std::time(nullptr) == before)
            return;
    }
    FAIL() << "the clock kept crossing second boundaries";
}

} // namespace designTest
