// Small complex fields written and read as value lists in (i fastest) element order, and
// element-wise comparisons with a tolerance.
#pragma once

#include "fields/complexDataField2D.h"

#include <boost/shared_ptr.hpp>
#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <random>
#include <vector>

// Sign of the exponent of complexDataField2D::fft in this edition; ifft takes the other one. The
// internal edition transforms with FFTW's forward sign.
constexpr int fftSign = PHASEDECK_LAB ? -1 : +1;

// The start of the field's storage; null for a field without elements.
inline const void* storageOf(const complexDataField2D& field)
{
#if PHASEDECK_LAB
    return field.data();
#else
    return field.getRows();
#endif
}

// k brought into 0 .. size - 1 (-1 is the last element).
inline int wrappedIndex(int k, int size)
{
    return ((k % size) + size) % size;
}

inline std::string describe(const complexFloat& z)
{
    std::ostringstream os;
    os.precision(9);
    os << "(" << z.re << ", " << z.im << ")";
    return os.str();
}

// values[sizeI * j + i] goes to element (i, j).
inline complexDataField2D complexFieldOf(int sizeI, int sizeJ,
                                         const std::vector<complexFloat>& values, double dx = 1.0,
                                         double dy = 1.0, int flag = 0)
{
    complexDataField2D field(sizeI, sizeJ, flag);
    field.setPixelSize(dx, dy);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field.setValue(i, j, values.at(std::size_t(sizeI * j + i)));
    return field;
}

inline boost::shared_ptr<complexDataField2D> sharedCopy(const complexDataField2D& field)
{
    return boost::shared_ptr<complexDataField2D>(new complexDataField2D(field));
}

inline std::vector<complexFloat> complexValuesOf(const complexDataField2D& field)
{
    std::vector<complexFloat> values;
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i)
            values.push_back(field.getValue(i, j));
    return values;
}

// Uniform parts in [-1, 1), reproducible from the seed.
inline complexDataField2D randomComplexField(int sizeI, int sizeJ, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> part(-1.0f, 1.0f);
    complexDataField2D field(sizeI, sizeJ, 0);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const float re = part(generator);
            const float im = part(generator);
            field.setValue(i, j, {re, im});
        }
    return field;
}

// Both parts within tol; NaN matches NaN only.
inline void expectComplexNear(const complexFloat& actual, const complexFloat& expected, double tol)
{
    auto near = [tol](float a, float e) {
        if (std::isnan(e))
            return std::isnan(a);
        return std::fabs(double(a) - double(e)) <= tol;
    };
    EXPECT_TRUE(near(actual.re, expected.re) && near(actual.im, expected.im))
        << "actual " << describe(actual) << ", expected " << describe(expected);
}

inline void expectComplexValues(const complexDataField2D& field,
                                const std::vector<complexFloat>& expected, double tol = 0.0)
{
    const std::vector<complexFloat> actual = complexValuesOf(field);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < actual.size(); ++k) {
        SCOPED_TRACE(::testing::Message()
                     << "element (" << k % field.getSizeI() << ", " << k / field.getSizeI() << ")");
        expectComplexNear(actual[k], expected[k], tol);
    }
}

// Largest |a - b| over all elements, relative to the largest |b|; sizes must agree.
inline double relativeError(const complexDataField2D& a, const complexDataField2D& b)
{
    double maxDiff = 0.0;
    double maxRef = 0.0;
    for (int j = 0; j < b.getSizeJ(); ++j)
        for (int i = 0; i < b.getSizeI(); ++i) {
            const complexFloat x = a.getValue(i, j);
            const complexFloat y = b.getValue(i, j);
            maxDiff = std::fmax(maxDiff, std::hypot(double(x.re) - y.re, double(x.im) - y.im));
            maxRef = std::fmax(maxRef, std::hypot(double(y.re), double(y.im)));
        }
    return maxRef > 0.0 ? maxDiff / maxRef : maxDiff;
}
