// The single-precision complex value: divisions, modulus, phasors, exponential, conjugate.
#include "fields/complexFloat.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();

void expectComplex(const complexFloat& actual, float re, float im, float tol = 1e-6f)
{
    EXPECT_NEAR(actual.re, re, tol) << "real part";
    EXPECT_NEAR(actual.im, im, tol) << "imaginary part";
}

struct DivisionCase
{
    const char* name;
    complexFloat a;
    complexFloat b;
    float re;
    float im;
};

const DivisionCase divisionCases[] = {
    {"zero divisor", {1, 2}, {0, 0}, 0, 0},
    {"negative zero divisor", {1, 0}, {0, -0.0f}, 0, 0},
    {"both zeros negative", {3, -4}, {-0.0f, -0.0f}, 0, 0},
    {"first branch |im| < |re|", {1, 2}, {2, 1}, 0.8f, 0.6f},
    {"first branch real divisor", {6, -3}, {-3, 0}, -2, 1},
    {"tie takes the second branch", {2, 0}, {1, 1}, 1, -1},
    {"second branch |im| > |re|", {1, 2}, {1, 2}, 1, 0},
    {"second branch imaginary divisor", {4, 2}, {0, 2}, 1, -2},
    {"zero dividend", {0, 0}, {3, 4}, 0, 0},
};

TEST(ComplexFloatTest, DivisionByComplex)
{
    for (const DivisionCase& c : divisionCases) {
        SCOPED_TRACE(c.name);
        expectComplex(c.a / c.b, c.re, c.im);

        complexFloat inPlace = c.a;
        const complexFloat returned = (inPlace /= c.b);
        expectComplex(inPlace, c.re, c.im);
        expectComplex(returned, c.re, c.im);
    }
}

TEST(ComplexFloatTest, DivisionByZeroGivesExactZeroWithoutNaN)
{
    const complexFloat q = complexFloat{1e30f, -nan} / complexFloat{-0.0f, 0.0f};
    EXPECT_EQ(q.re, 0.0f);
    EXPECT_EQ(q.im, 0.0f);
}

TEST(ComplexFloatTest, DivisionWithNaNDivisorGivesNaN)
{
    // NaN parts fail the branch test and take the second branch, never the zero rule.
    const complexFloat q = complexFloat{1, 1} / complexFloat{nan, 1};
    EXPECT_TRUE(std::isnan(q.re));
    EXPECT_TRUE(std::isnan(q.im));
}

TEST(ComplexFloatTest, InPlaceDivisionUsesTheOldRealPartForTheImaginaryPart)
{
    // (3 + 5i) / (1 + 2i) = 2.6 - 0.2i and (3 + 5i) / (2 + i) = 2.2 + 1.4i, one per branch; an
    // imaginary part computed from the already stored real part gives -0.04 and 1.56.
    complexFloat a{3, 5};
    a /= complexFloat{1, 2};
    expectComplex(a, 2.6f, -0.2f);
    complexFloat b{3, 5};
    b /= complexFloat{2, 1};
    expectComplex(b, 2.2f, 1.4f);
}

TEST(ComplexFloatTest, RealDividedByComplex)
{
    struct Case
    {
        const char* name;
        float s;
        complexFloat b;
        float re;
        float im;
    };
    const Case cases[] = {
        {"zero divisor", 5, {0, 0}, 0, 0},
        {"negative zero divisor", 5, {-0.0f, 0}, 0, 0},
        {"first branch", 10, {2, 0}, 5, 0},
        {"first branch complex", 5, {2, 1}, 2, -1},
        {"tie", 2, {1, 1}, 1, -1},
        {"second branch", 1, {0, 2}, 0, -0.5f},
        {"second branch complex", 5, {1, -2}, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectComplex(c.s / c.b, c.re, c.im);
    }
}

TEST(ComplexFloatTest, RealFactorScalesBothParts)
{
    expectComplex(complexFloat{1, -2} * 3.0f, 3, -6, 0);
    expectComplex(-0.5f * complexFloat{4, 8}, -2, -4, 0);
}

TEST(ComplexFloatTest, Modulus)
{
    struct Case
    {
        complexFloat z;
        float modulus;
    };
    const Case cases[] = {
        {{3, 4}, 5}, {{-3, -4}, 5}, {{4, 3}, 5}, {{0, -2}, 2}, {{-7, 0}, 7}, {{0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.z.re << ", " << c.z.im << ")");
        EXPECT_FLOAT_EQ(abs(c.z), c.modulus);
    }
}

TEST(ComplexFloatTest, ModulusOfLargePartsDoesNotOverflow)
{
    for (const complexFloat z : {complexFloat{1e30f, 1e30f}, complexFloat{-1e30f, 1e30f}}) {
        const float m = abs(z);
        EXPECT_TRUE(std::isfinite(m));
        EXPECT_NEAR(m, 1.41421356e30f, 1e24f);
    }
    EXPECT_NEAR(abs(complexFloat{3e38f, 1e38f}), 3.1622777e38f, 1e32f);
}

TEST(ComplexFloatTest, NormalizeReturnsTheOldModulus)
{
    complexFloat z{3, 4};
    EXPECT_FLOAT_EQ(normalize(z), 5.0f);
    expectComplex(z, 0.6f, 0.8f);

    complexFloat zero{0, -0.0f};
    EXPECT_EQ(normalize(zero), 0.0f);
    EXPECT_EQ(zero.re, 0.0f);
    EXPECT_EQ(zero.im, 0.0f);
}

TEST(ComplexFloatTest, UnitPhasor)
{
    struct Case
    {
        complexFloat z;
        float re;
        float im;
    };
    const Case cases[] = {
        {{0, -3}, 0, -1}, {{0, 5}, 0, 1},       {{-2, 0}, -1, 0},       {{2, 0}, 1, 0},
        {{0, 0}, 0, 0},   {{3, 4}, 0.6f, 0.8f}, {{-3, 4}, -0.6f, 0.8f}, {{-4, -3}, -0.8f, -0.6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.z.re << ", " << c.z.im << ")");
        expectComplex(unitPhasor(c.z), c.re, c.im);
    }
}

TEST(ComplexFloatTest, PolarUnitExponentialAndConjugate)
{
    const float pi = 3.14159265f;
    expectComplex(polarUnit(0), 1, 0, 0);
    expectComplex(polarUnit(pi / 2), 0, 1);
    expectComplex(polarUnit(-pi / 6), 0.8660254f, -0.5f);

    expectComplex(exp(complexFloat{0, 0}), 1, 0, 0);
    expectComplex(exp(complexFloat{std::log(2.0f), pi}), -2, 0, 1e-6f);
    expectComplex(exp(complexFloat{1, pi / 2}), 0, 2.7182818f, 1e-6f);

    expectComplex(conj(complexFloat{1, -2}), 1, 2, 0);
    expectComplex(imaginaryUnit, 0, 1, 0);
}

} // namespace
