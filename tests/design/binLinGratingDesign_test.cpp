// Tests of the beam-splitter figures of a transition-point grating and of the weighted merit.
#include "design/binLinGratingDesign.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double pi = 3.141592653589793;

// Half period at phase pi: P(0) = 0, P(+-1) = 4 / pi^2, P(2) = 0, P(3) = 4 / (9 pi^2).
binLinGrating halfPeriodGrating()
{
    binLinGrating g(2);
    EXPECT_TRUE(g.setPeriod(10));
    return g;
}

const double p1 = 4 / (pi * pi);
const double p3 = 4 / (9 * pi * pi);

} // namespace

TEST(binLinGratingDesign, figuresOfTheHalfPeriodGrating)
{
    binLinGratingDesign d(halfPeriodGrating(), 1, 3);
    EXPECT_NEAR(d.getSignalPower(), 2 * p1, 1e-15);
    EXPECT_NEAR(d.getTotalPower(), 2 * p1, 1e-15);
    EXPECT_NEAR(d.getUniformityError(), 0.0, 1e-15);
    EXPECT_NEAR(d.getSignalMinMaxRatio(), 1.0, 1e-15);
    EXPECT_NEAR(d.getMaxNoisePower(), p3, 1e-15);
    EXPECT_NEAR(d.getSignalToNoiseRatio(), 9.0, 1e-12);
    EXPECT_NEAR(d.getRelativeZeroOrderPower(), 0.0, 1e-15);
    // The empty zero order joins the search: it becomes the minimum.
    EXPECT_NEAR(d.getUniformityErrorWithZeroOrder(), 1.0, 1e-15);
    EXPECT_NEAR(d.getSignalMinMaxRatioWithZeroOrder(), 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(d.getMinNormalizedWidth(), 0.5);
}

TEST(binLinGratingDesign, figuresOverSeveralSignalOrders)
{
    // A three-point grating; the figures follow from its order powers.
    binLinGrating g(4);
    ASSERT_TRUE(g.setPeriod(40));
    ASSERT_TRUE(g.setTransitionPoint(1, 7));
    ASSERT_TRUE(g.setTransitionPoint(3, 26));
    g.updateWidths();
    binLinGrating powers(g);
    const double p[] = {powers.getOrderPower(0), powers.getOrderPower(1), powers.getOrderPower(2),
                        powers.getOrderPower(3), powers.getOrderPower(4), powers.getOrderPower(5)};

    binLinGratingDesign d(g, 2, 5);
    EXPECT_NEAR(d.getSignalPower(), 2 * (p[1] + p[2]), 1e-15);
    EXPECT_NEAR(d.getTotalPower(), p[0] + 2 * (p[1] + p[2]), 1e-15);
    const double lo = std::min(p[1], p[2]);
    const double hi = std::max(p[1], p[2]);
    EXPECT_NEAR(d.getUniformityError(), (hi - lo) / (hi + lo), 1e-14);
    EXPECT_NEAR(d.getSignalMinMaxRatio(), lo / hi, 1e-14);
    const double noise = std::max({p[3], p[4], p[5]});
    EXPECT_NEAR(d.getMaxNoisePower(), noise, 1e-15);
    EXPECT_NEAR(d.getSignalToNoiseRatio(), lo / noise, 1e-12);
    EXPECT_NEAR(d.getRelativeZeroOrderPower(), p[0] / ((p[1] + p[2]) / 2), 1e-14);
    const double lo0 = std::min(lo, p[0]);
    const double hi0 = std::max(hi, p[0]);
    EXPECT_NEAR(d.getUniformityErrorWithZeroOrder(), (hi0 - lo0) / (hi0 + lo0), 1e-14);
    EXPECT_NEAR(d.getMinNormalizedWidth(), 6.0 / 40, 1e-15);
}

TEST(binLinGratingDesign, emptyOrderRangesKeepTheStartingValues)
{
    binLinGratingDesign none(halfPeriodGrating(), 0, 0);
    EXPECT_DOUBLE_EQ(none.getSignalPower(), 0.0);
    EXPECT_DOUBLE_EQ(none.getMaxNoisePower(), 0.0);
    // Minimum 1.0 and maximum 0.0 stay: (0 - 1) / (0 + 1).
    EXPECT_DOUBLE_EQ(none.getUniformityError(), -1.0);

    binLinGratingDesign noNoise(halfPeriodGrating(), 3, 2);
    EXPECT_DOUBLE_EQ(noNoise.getMaxNoisePower(), 0.0);
    EXPECT_NEAR(noNoise.getSignalPower(), 2 * (p1 + p3), 1e-15);
}

TEST(binLinGratingDesign, meritWeighsEachTerm)
{
    // Half period, one signal order, noise up to 3: U = 8 / pi^2, w = 0.5, R = 1, Q = 9,
    // B = 4 / (9 pi^2), Z = 0.
    std::array<double, 16> base{};
    base[0] = 1e9; // unused
    base[1] = 0.5;
    base[2] = 1.0;
    base[3] = 2.0;
    base[4] = 1.0;
    base[6] = 3.0;
    base[8] = 0.5;
    base[10] = 2.0;
    base[12] = 2.0;
    base[14] = 1.0;
    struct Term
    {
        const char* name;
        int weight;
        double value;
    };
    const Term terms[] = {
        {"zero order", 15, std::exp(-0.25)},
        {"noise", 11, std::pow(1.0 - p3, 2.0)},
        {"signal to noise", 9, 3.0},
        {"uniformity", 7, 1.0},
        {"feature width", 13, 1.0 - std::exp(-2.0)},
        {"signal power", 5, 2 * p1},
    };
    binLinGratingDesign d(halfPeriodGrating(), 1, 3);
    std::array<double, 16> all = base;
    double sum = 0.0;
    for (const Term& t : terms) {
        SCOPED_TRACE(t.name);
        std::array<double, 16> c = base;
        c[t.weight] = 2.0;
        EXPECT_NEAR(d.getMerit(c), 2.0 * t.value, 1e-12);
        all[t.weight] = 1.0;
        sum += t.value;
    }
    EXPECT_NEAR(d.getMerit(all), sum, 1e-12);
}
