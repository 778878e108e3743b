// The element-wise phasor kernels: unit phasors and moduli against the exact complexFloat
// functions on both vector paths, special values, the factor, and bit-identical paths.
#include "fields/phasorKernels.h"

#include "fields/complexDataField2D.h"
#include "fields/complexFloat.h"
#include "support/vectorPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

// Random values of moduli from 1e-3 to 1e5 with some special values among them; n values.
std::vector<float> mixedValues(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> part(-1.0f, 1.0f);
    std::uniform_real_distribution<float> exponent(-3.0f, 5.0f);
    std::vector<float> z(2 * n);
    for (std::size_t k = 0; k < n; ++k) {
        const float scale = std::pow(10.0f, exponent(gen));
        z[2 * k] = part(gen) * scale;
        z[2 * k + 1] = part(gen) * scale;
    }
    const float special[][2] = {{0.0f, 0.0f}, {-0.0f, 0.0f}, {1e-30f, -2e-30f}, {3e20f, 1e20f},
                                {nan, 1.0f},  {inf, 1.0f},   {1e-40f, 0.0f},    {0.0f, -5.0f}};
    for (std::size_t s = 0; s < 8 && 13 * s + 5 < n; ++s) {
        z[2 * (13 * s + 5)] = special[s][0];
        z[2 * (13 * s + 5) + 1] = special[s][1];
    }
    return z;
}

class phasorKernels : public vectorPathTest
{
};

INSTANTIATE_TEST_SUITE_P(paths, phasorKernels, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);

} // namespace

TEST_P(phasorKernels, unitPhasorsAgreeWithTheExactFunction)
{
    const std::size_t n = 1003; // not a multiple of the vector width
    const std::vector<float> input = mixedValues(n, 5);
    std::vector<float> factor(n);
    for (std::size_t k = 0; k < n; ++k)
        factor[k] = 0.25f * float(k % 7);
    for (bool withFactor : {false, true}) {
        SCOPED_TRACE(withFactor ? "with factor" : "without factor");
        std::vector<float> z = input;
        makeUnitPhasors(z.data(), n, withFactor ? factor.data() : nullptr);
        for (std::size_t k = 0; k < n; ++k) {
            SCOPED_TRACE(testing::Message() << "value " << k << " (" << input[2 * k] << ", "
                                            << input[2 * k + 1] << ")");
            const complexFloat exact = unitPhasor({input[2 * k], input[2 * k + 1]});
            const float f = withFactor ? factor[k] : 1.0f;
            if (std::isnan(exact.re)) {
                EXPECT_TRUE(std::isnan(z[2 * k]));
                continue;
            }
            // 2e-7 for the unit phasor, scaled by the factor, and the rounding of the product.
            const double tolerance = withFactor ? 3.2e-7 * f : 2e-7;
            EXPECT_NEAR(z[2 * k], double(exact.re) * f, tolerance);
            EXPECT_NEAR(z[2 * k + 1], double(exact.im) * f, tolerance);
        }
    }
}

TEST_P(phasorKernels, zeroStaysZeroAndAxesStayExact)
{
    struct Case
    {
        float re, im, expectedRe, expectedIm;
    };
    const Case cases[]
        = {{0.0f, 0.0f, 0.0f, 0.0f},   {2.0f, 0.0f, 1.0f, 0.0f}, {0.0f, -3.0f, 0.0f, -1.0f},
           {-7.5f, 0.0f, -1.0f, 0.0f}, {3.0f, 4.0f, 0.6f, 0.8f}, {1e-42f, 0.0f, 1.0f, 0.0f}};
    std::vector<float> z;
    for (const Case& c : cases) {
        z.push_back(c.re);
        z.push_back(c.im);
    }
    // Padded to more than one vector, so that both the vector loop and the tail see the cases.
    for (int copy = 0; copy < 3; ++copy)
        z.insert(z.end(), z.begin(), z.begin() + 2 * std::size(cases));
    makeUnitPhasors(z.data(), z.size() / 2, nullptr);
    for (std::size_t k = 0; k < z.size() / 2; ++k) {
        const Case& c = cases[k % std::size(cases)];
        SCOPED_TRACE(testing::Message() << "(" << c.re << ", " << c.im << ")");
        EXPECT_FLOAT_EQ(z[2 * k], c.expectedRe);
        EXPECT_FLOAT_EQ(z[2 * k + 1], c.expectedIm);
    }
}

TEST_P(phasorKernels, makePhaseOnlyUsesTheKernelOnTheWholeField)
{
    complexDataField2D field(5, 7, 0);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 7; ++j)
            field.setValue(i, j, {float(i - 2) * 3.0f, float(j) - 3.5f});
    field.setValue(2, 3, {0.0f, 0.0f});
    complexDataField2D expected(field);
    field.makePhaseOnly();
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 7; ++j) {
            const complexFloat u = unitPhasor(expected.getValue(i, j));
            EXPECT_NEAR(field.getValue(i, j).re, u.re, 2e-7) << i << ", " << j;
            EXPECT_NEAR(field.getValue(i, j).im, u.im, 2e-7) << i << ", " << j;
        }
    EXPECT_EQ(field.getValue(2, 3).re, 0.0f);
    EXPECT_EQ(field.getValue(2, 3).im, 0.0f);
}

TEST(phasorKernelPaths, bothPathsGiveBitIdenticalResults)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    for (std::size_t n : {std::size_t(1), std::size_t(8), std::size_t(4099)}) {
        SCOPED_TRACE(n);
        const std::vector<float> input = mixedValues(n, unsigned(n));
        std::vector<float> factor(n, 1.5f);
        for (const float* f : std::vector<const float*>{nullptr, factor.data()}) {
            std::vector<float> portable = input, avx2 = input;
            makeUnitPhasorsPortable(portable.data(), n, f);
            makeUnitPhasorsAvx2(avx2.data(), n, f);
            EXPECT_EQ(std::memcmp(portable.data(), avx2.data(), portable.size() * sizeof(float)),
                      0);
        }
    }
}

TEST(phasorKernelElements, modulusIsWithinOneUnitOfTheExactModulus)
{
    const std::vector<float> z = mixedValues(2000, 9);
    for (std::size_t k = 0; k < 2000; ++k) {
        const float exact = abs(complexFloat{z[2 * k], z[2 * k + 1]});
        const float fast = modulusOfElement(z[2 * k], z[2 * k + 1]);
        if (std::isnan(exact)) {
            EXPECT_TRUE(std::isnan(fast));
            continue;
        }
        if (std::isinf(exact)) {
            EXPECT_EQ(fast, exact);
            continue;
        }
        EXPECT_LE(std::fabs(fast - exact), std::fabs(exact) * 1.2e-7f) << "value " << k;
    }
}
