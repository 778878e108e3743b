// Tests of sinc, the gamma family and the generalised error function against known values.
#include "fields/specialFunctions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {
constexpr double pi = 3.141592653589793;
}

TEST(specialFunctions, sincValues)
{
    EXPECT_EQ(sinc(0.0), 1.0);
    EXPECT_EQ(sinc(-0.0), 1.0);
    for (double x : {1.0, 2.0, -1.0, 3.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(sinc(x), 0.0, 1e-15);
    }
    EXPECT_NEAR(sinc(0.5), 2.0 / pi, 1e-15);
    EXPECT_NEAR(sinc(-0.5), 2.0 / pi, 1e-15);
    EXPECT_NEAR(sinc(1.5), -2.0 / (3.0 * pi), 1e-15);
    EXPECT_NEAR(sinc(1e-9), 1.0, 1e-15);
}

TEST(specialFunctions, gammaAgainstFactorials)
{
    struct Case
    {
        double x, gamma;
    };
    const Case cases[] = {{1.0, 1.0},
                          {2.0, 1.0},
                          {3.0, 2.0},
                          {5.0, 24.0},
                          {10.0, 362880.0},
                          {0.5, std::sqrt(pi)},
                          {1.5, 0.5 * std::sqrt(pi)},
                          {0.25, 3.625609908221908}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_NEAR(lnGamma(c.x), std::log(c.gamma), 1e-9);
        EXPECT_NEAR(gammaFunction(c.x) / c.gamma, 1.0, 1e-9);
    }
}

TEST(specialFunctions, incompleteGammaAgainstClosedForms)
{
    // P(1, x) = 1 - e^-x and P(1/2, x) = erf(sqrt x), on both sides of the switch at x = a + 1.
    for (double x : {0.1, 0.5, 1.0, 1.9, 2.0, 2.1, 5.0, 10.0, 30.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(gammaP(1.0, x), 1.0 - std::exp(-x), 1e-6);
        EXPECT_NEAR(gammaQ(1.0, x), std::exp(-x), 1e-6);
        EXPECT_NEAR(gammaP(0.5, x), std::erf(std::sqrt(x)), 1e-6);
        EXPECT_NEAR(gammaP(0.5, x) + gammaQ(0.5, x), 1.0, 1e-15);
        EXPECT_EQ(incompleteGamma(3.0, x), gammaP(3.0, x));
    }
    // P(3, x) = 1 - e^-x (1 + x + x^2 / 2)
    for (double x : {0.7, 3.9, 4.0, 8.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(gammaP(3.0, x), 1.0 - std::exp(-x) * (1.0 + x + 0.5 * x * x), 1e-6);
    }
    for (double a : {0.5, 1.0, 3.0}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(gammaP(a, 0.0), 0.0);
        EXPECT_EQ(gammaQ(a, 0.0), 1.0);
    }
}

TEST(specialFunctions, gammaPSwitchesToContinuedFractionAtAPlusOne)
{
    for (double a : {0.5, 2.0, 7.0}) {
        SCOPED_TRACE(a);
        double series = 0.0, fraction = 0.0, lnA = 0.0;
        const double below = std::nextafter(a + 1.0, 0.0);
        gammaSeries(&series, a, below, &lnA);
        EXPECT_NEAR(lnA, lnGamma(a), 0.0);
        EXPECT_EQ(gammaP(a, below), series);
        EXPECT_EQ(gammaQ(a, below), 1.0 - series);

        gammaContinuedFraction(&fraction, a, a + 1.0, &lnA);
        EXPECT_NEAR(lnA, lnGamma(a), 0.0);
        EXPECT_EQ(gammaP(a, a + 1.0), 1.0 - fraction);
        EXPECT_EQ(gammaQ(a, a + 1.0), fraction);
    }
    double result = -1.0, lnA = 0.0;
    gammaSeries(&result, 2.0, -1.0, &lnA);
    EXPECT_EQ(result, 0.0);
    EXPECT_NEAR(lnA, 0.0, 1e-9);
}

TEST(specialFunctions, seriesWithoutConvergenceStillGivesAResult)
{
    // For a = 1e7 just below x = a the series needs far more than 1000 terms.
    const double a = 1e7;
    const double x = a - 10.0;
    const double p = gammaP(a, x);
    const double q = gammaQ(a, x);
    EXPECT_TRUE(std::isfinite(p));
    EXPECT_GT(p, 0.0);
    EXPECT_LE(p, 1.0);
    EXPECT_EQ(q, 1.0 - p);
    double series = -1.0, lnA = 0.0;
    gammaSeries(&series, a, x, &lnA);
    EXPECT_EQ(series, p);
}

TEST(specialFunctions, inverseIncompleteGamma)
{
    EXPECT_EQ(inverseIncompleteGamma(2.0, 0.0, 1.0), 0.0);
    struct Case
    {
        double a, x, x0;
    };
    const Case cases[] = {{1.0, 2.0, 1.0}, {3.0, 2.5, 2.0}, {0.5, 0.8, 0.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "a " << c.a << " x " << c.x);
        const double p = gammaP(c.a, c.x);
        const double x = inverseIncompleteGamma(c.a, p, c.x0);
        EXPECT_NEAR(gammaP(c.a, x), p, p * 3e-7);
        EXPECT_NEAR(x, c.x, 1e-5);
    }
}

TEST(specialFunctions, generalizedErfOfOrderTwoIsErf)
{
    for (double x : {0.01, 0.1, 0.5, 1.0, 1.5, 2.0, 3.0, -0.5, -2.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(generalizedErf(2.0, x), std::erf(x), 1e-7);
    }
    // Near 0 the function is x / Gamma(1 + 1/p), not x.
    for (double x : {1e-6, -3e-6, 9e-6}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(generalizedErf(2.0, x) / std::erf(x), 1.0, 1e-8);
    }
    // Order 3: the integral of exp(-t^3) is t up to t^4 / 4; Gamma(4/3) = 0.8929795115692492.
    EXPECT_NEAR(generalizedErf(3.0, 2e-6) / (2e-6 / 0.8929795115692492), 1.0, 1e-8);
    EXPECT_EQ(generalizedErf(2.0, 0.0), 0.0);
}

TEST(specialFunctions, generalizedErfShapes)
{
    // Order 1 is 1 - e^-|x| with the sign of x.
    for (double x : {0.3, 1.0, 4.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(generalizedErf(1.0, x), 1.0 - std::exp(-x), 1e-6);
    }
    for (double p : {1.0, 2.0, 3.5, 8.0}) {
        for (double x : {0.3, 1.7, 5e-6}) {
            SCOPED_TRACE(::testing::Message() << "p " << p << " x " << x);
            EXPECT_EQ(generalizedErf(p, -x), -generalizedErf(p, x));
        }
    }
    // Above order 49 the step limit.
    EXPECT_EQ(generalizedErf(50.0, 0.5), 0.5);
    EXPECT_EQ(generalizedErf(50.0, -0.5), -0.5);
    EXPECT_EQ(generalizedErf(50.0, -3.0), -1.0);
    EXPECT_EQ(generalizedErf(50.0, 3.0), 1.0);
    EXPECT_EQ(generalizedErf(50.0, 1.0), 1.0);
}

TEST(specialFunctions, inverseGeneralizedErf)
{
    struct Case
    {
        double p, x, x0;
    };
    const Case cases[] = {
        {2.0, 0.5, 1.0},  {2.0, -0.5, -1.0},
        {2.0, 1.2, 0.5},  {2.5, -0.7, -1.0}, // a negative iterate raised to a non-integer power
        {3.0, -0.6, 0.4},                    // the iterates cross 0 with an odd order
        {1.0, 0.9, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "p " << c.p << " x " << c.x);
        const double y = generalizedErf(c.p, c.x);
        const double x = inverseGeneralizedErf(c.p, y, c.x0);
        EXPECT_NEAR(generalizedErf(c.p, x), y, 3e-7);
        EXPECT_NEAR(x, c.x, 1e-6);
    }
    EXPECT_NEAR(inverseGeneralizedErf(2.0, std::erf(0.5), 1.0), 0.5, 1e-6);
    EXPECT_EQ(inverseGeneralizedErf(2.0, 0.0, 1.0), 0.0);
    EXPECT_EQ(inverseGeneralizedErf(50.0, 1.2, 0.0), 1.0);
    EXPECT_EQ(inverseGeneralizedErf(50.0, 1.0, 0.0), 1.0);
    EXPECT_EQ(inverseGeneralizedErf(50.0, 0.3, 0.0), 0.3);
}
