// Tests of the transition-point grating model: the two representations and their setters, and
// the order powers against the Fourier series of the binary profile.
#include "design/binLinGrating.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

constexpr double pi = 3.141592653589793;

// |c_m|^2 of the profile that is exp(i phase) on segments 1, 3, 5, ... and 1 elsewhere, from the
// fractions x_1 .. x_(n-1) of the interior points.
double referencePower(const std::vector<double>& points, double phase, int m)
{
    std::vector<double> x = {0.0};
    x.insert(x.end(), points.begin(), points.end());
    x.push_back(1.0);
    const std::complex<double> lifted = std::polar(1.0, phase);
    std::complex<double> c = 0.0;
    for (std::size_t k = 1; k < x.size(); ++k) {
        const std::complex<double> level = k % 2 == 1 ? lifted : 1.0;
        if (m == 0)
            c += level * (x[k] - x[k - 1]);
        else
            c += level
                 * (std::polar(1.0, -2 * pi * m * x[k - 1]) - std::polar(1.0, -2 * pi * m * x[k]))
                 / std::complex<double>(0.0, 2 * pi * m);
    }
    return std::norm(c);
}

// A grating of n segments with the given interior pixel positions and period.
binLinGrating pixelGrating(int n, const std::vector<int>& points, int period)
{
    binLinGrating g(n);
    EXPECT_TRUE(g.setWidth(n, period - (n - 1)));
    for (int k = n - 1; k >= 1; --k)
        EXPECT_TRUE(g.setTransitionPoint(k, points[k - 1]));
    g.updateWidths();
    return g;
}

std::vector<int> pointsOf(const binLinGrating& g, int n)
{
    std::vector<int> result;
    for (int k = 1; k < n; ++k)
        result.push_back(g.getTransitionPoint(k));
    return result;
}

std::vector<int> widthsOf(const binLinGrating& g, int n)
{
    std::vector<int> result;
    for (int k = 1; k <= n; ++k)
        result.push_back(g.getWidth(k));
    return result;
}

using ints = std::vector<int>;

} // namespace

TEST(binLinGrating, newGratingHasUnitSegmentsAndCheckedIndices)
{
    binLinGrating g(4);
    EXPECT_EQ(widthsOf(g, 4), (ints{1, 1, 1, 1}));
    EXPECT_EQ(pointsOf(g, 4), (ints{1, 2, 3}));
    EXPECT_EQ(g.getTransitionPoint(0), 0);
    EXPECT_EQ(g.getTransitionPoint(4), 4);
    EXPECT_EQ(g.getTransitionPoint(-1), -1);
    EXPECT_EQ(g.getTransitionPoint(5), -1);
    EXPECT_EQ(g.getWidth(0), -1);
    EXPECT_EQ(g.getWidth(5), -1);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(0), 0.0);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(2), 0.5);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(4), 1.0);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(-1), -1.0);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(5), -1.0);
    EXPECT_DOUBLE_EQ(g.getNormalizedWidth(1), 0.25);
    EXPECT_DOUBLE_EQ(g.getNormalizedWidth(0), -1.0);
    EXPECT_DOUBLE_EQ(g.getMinNormalizedWidth(), 0.25);
    // Phase depth pi and fill factor 0.5: no zero order.
    EXPECT_DOUBLE_EQ(g.getOrderPower(0), 0.0);
    // Pixel mode: shifting works.
    EXPECT_TRUE(g.shiftTransitionPoint(2, 0));
}

TEST(binLinGrating, onePointGratingFollowsTheFourierSeries)
{
    // Half period at phase pi: 4 / pi^2 in orders +-1, nothing in the even orders.
    binLinGrating half = pixelGrating(2, {5}, 10);
    EXPECT_NEAR(half.getOrderPower(1), 4 / (pi * pi), 1e-15);
    EXPECT_NEAR(half.getOrderPower(-1), 4 / (pi * pi), 1e-15);
    EXPECT_NEAR(half.getOrderPower(3), 4 / (9 * pi * pi), 1e-15);
    EXPECT_NEAR(half.getOrderPower(2), 0.0, 1e-15);
    EXPECT_NEAR(half.getOrderPower(0), 0.0, 1e-15);

    // Duty cycle f and phase depth phi: P(m) = 4 sin^2(phi / 2) sin^2(pi m f) / (pi m)^2.
    for (int p : {1, 3, 7}) {
        for (double phase : {pi, pi / 2, 0.3}) {
            SCOPED_TRACE(testing::Message() << "point " << p << " of 10, phase " << phase);
            binLinGrating g = pixelGrating(2, {p}, 10);
            g.setPhaseDepth(phase);
            const double f = p / 10.0;
            const double s = std::pow(std::sin(phase / 2), 2);
            EXPECT_NEAR(g.getOrderPower(0), 1 - 4 * f * (1 - f) * s, 1e-14);
            for (int m = 1; m <= 5; ++m)
                EXPECT_NEAR(g.getOrderPower(m),
                            4 * s * std::pow(std::sin(pi * m * f), 2) / std::pow(pi * m, 2), 1e-14);
        }
    }
}

TEST(binLinGrating, orderPowersMatchTheProfileAndSumToOne)
{
    struct Case
    {
        const char* name;
        int n;
        ints points;
        int period;
        double phase;
    };
    const Case cases[] = {
        {"one point", 2, {3}, 10, pi},
        {"three points", 4, {2, 7, 11}, 16, pi},
        {"five points, shallow", 6, {1, 4, 5, 9, 17}, 20, 1.2},
        // Odd segment counts: the last interior point pairs with the end of the period.
        {"two points", 3, {2, 5}, 8, pi},
        {"four points", 5, {1, 3, 6, 10}, 13, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        binLinGrating g = pixelGrating(c.n, c.points, c.period);
        g.setPhaseDepth(c.phase);
        std::vector<double> fractions;
        for (int p : c.points)
            fractions.push_back(double(p) / c.period);
        double total = g.getOrderPower(0);
        EXPECT_NEAR(total, referencePower(fractions, c.phase, 0), 1e-14);
        for (int m = 1; m <= 100000; ++m) {
            const double power = g.getOrderPower(m);
            if (m <= 12) {
                EXPECT_NEAR(power, referencePower(fractions, c.phase, m), 1e-14) << "order " << m;
                EXPECT_DOUBLE_EQ(g.getOrderPower(-m), power);
            }
            total += 2 * power;
        }
        // Parseval; the tail beyond order M is below 8 / (pi^2 M) per transition.
        EXPECT_NEAR(total, 1.0, 4e-5);
    }
}

TEST(binLinGrating, singleSegmentIsAPlainPhase)
{
    for (int n : {1, 0, -3}) {
        SCOPED_TRACE(n);
        binLinGrating g(n);
        EXPECT_EQ(g.getTransitionPoint(1), 1);
        EXPECT_EQ(g.getWidth(1), 1);
        EXPECT_DOUBLE_EQ(g.getOrderPower(0), 1.0);
        EXPECT_NEAR(g.getOrderPower(1), 0.0, 1e-30);
    }
}

TEST(binLinGrating, setTransitionPointKeepsPointsBetweenNeighbours)
{
    struct Case
    {
        int k, p;
        bool accepted;
    };
    // Points 2, 4, 6 in a period of 8.
    const Case cases[] = {
        {0, 0, true},  {0, 1, false}, {4, 8, true}, {4, 7, false}, {-1, 0, false},
        {5, 8, false}, {1, 0, false}, {1, 2, true}, {1, 3, true},  {1, 4, false},
        {2, 2, false}, {2, 6, false}, {2, 5, true}, {3, 7, true},  {3, 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "point " << c.k << " to " << c.p);
        binLinGrating g = pixelGrating(4, {2, 4, 6}, 8);
        EXPECT_EQ(g.setTransitionPoint(c.k, c.p), c.accepted);
        ints expected = {2, 4, 6};
        if (c.accepted && c.k >= 1 && c.k <= 3)
            expected[c.k - 1] = c.p;
        EXPECT_EQ(pointsOf(g, 4), expected);
        // The widths wait for updateWidths.
        EXPECT_EQ(widthsOf(g, 4), (ints{2, 2, 2, 2}));
        EXPECT_EQ(g.getTransitionPoint(4), 8);
    }
}

TEST(binLinGrating, setWidthMovesTheFollowingPoints)
{
    binLinGrating g(4);
    EXPECT_FALSE(g.setWidth(2, 0));
    EXPECT_FALSE(g.setWidth(0, 2));
    EXPECT_FALSE(g.setWidth(5, 2));
    EXPECT_EQ(widthsOf(g, 4), (ints{1, 1, 1, 1}));
    EXPECT_TRUE(g.setWidth(1, 3));
    EXPECT_EQ(g.getTransitionPoint(4), 6);
    EXPECT_EQ(pointsOf(g, 4), (ints{3, 4, 5}));
    EXPECT_EQ(widthsOf(g, 4), (ints{3, 1, 1, 1}));
}

TEST(binLinGrating, setPeriodRequantisesOrLeavesTheGratingUnchanged)
{
    binLinGrating g(4);
    EXPECT_FALSE(g.setPeriod(4));
    EXPECT_EQ(g.getTransitionPoint(4), 4);
    EXPECT_TRUE(g.setPeriod(8));
    EXPECT_EQ(pointsOf(g, 4), (ints{2, 4, 6}));
    EXPECT_EQ(widthsOf(g, 4), (ints{2, 2, 2, 2}));
    EXPECT_EQ(g.getTransitionPoint(4), 8);

    struct Case
    {
        const char* name;
        int n;
        ints points;
        int period;
        int newPeriod;
    };
    const Case refused[] = {
        {"inner segment collapses", 4, {4, 5, 15}, 20, 5},
        {"first segment collapses", 2, {1}, 20, 3},
        {"last segment collapses", 2, {19}, 20, 3},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        binLinGrating h = pixelGrating(c.n, c.points, c.period);
        const ints widths = widthsOf(h, c.n);
        EXPECT_FALSE(h.setPeriod(c.newPeriod));
        EXPECT_EQ(pointsOf(h, c.n), c.points);
        EXPECT_EQ(widthsOf(h, c.n), widths);
        EXPECT_EQ(h.getTransitionPoint(c.n), c.period);
    }

    // Rounding half up: 0.25 * 10 = 2.5 -> 3.
    binLinGrating r = pixelGrating(2, {1}, 4);
    EXPECT_TRUE(r.setPeriod(10));
    EXPECT_EQ(r.getTransitionPoint(1), 3);
    EXPECT_EQ(widthsOf(r, 2), (ints{3, 7}));
}

TEST(binLinGrating, shiftTransitionPoint)
{
    struct Case
    {
        int k, d;
        bool accepted;
        ints points;
    };
    // From points 2, 4, 6 in a period of 8.
    const Case cases[] = {
        {4, 1, true, {1, 3, 5}},   {4, 2, false, {2, 4, 6}},  {4, -1, true, {3, 5, 7}},
        {4, -2, false, {2, 4, 6}}, {2, 1, true, {2, 5, 6}},   {2, 2, false, {2, 4, 6}},
        {1, -1, true, {1, 4, 6}},  {1, -2, false, {2, 4, 6}}, {3, 1, true, {2, 4, 7}},
        {3, 2, false, {2, 4, 6}},  {0, 1, false, {2, 4, 6}},  {5, 1, false, {2, 4, 6}},
        {2, 0, true, {2, 4, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "point " << c.k << " by " << c.d);
        binLinGrating g = pixelGrating(4, {2, 4, 6}, 8);
        EXPECT_EQ(g.shiftTransitionPoint(c.k, c.d), c.accepted);
        EXPECT_EQ(pointsOf(g, 4), c.points);
        EXPECT_EQ(g.getTransitionPoint(4), 8);
        ints widths;
        int previous = 0;
        for (int p : c.points) {
            widths.push_back(p - previous);
            previous = p;
        }
        widths.push_back(8 - previous);
        EXPECT_EQ(widthsOf(g, 4), widths);
    }
}

TEST(binLinGrating, normalisedModeKeepsTheOtherFractions)
{
    binLinGrating g(4);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(g.setNormalizedTransitionPoint(3, 0.5));
    EXPECT_FALSE(g.setNormalizedTransitionPoint(3, 1.0));
    EXPECT_FALSE(g.setNormalizedTransitionPoint(3, nan));
    EXPECT_FALSE(g.setNormalizedTransitionPoint(5, 0.9));
    EXPECT_TRUE(g.setNormalizedTransitionPoint(0, 0.0));
    EXPECT_FALSE(g.setNormalizedTransitionPoint(0, 0.1));
    EXPECT_TRUE(g.setNormalizedTransitionPoint(4, 1.0));
    EXPECT_TRUE(g.shiftTransitionPoint(2, 0)) << "still in pixel mode";

    ASSERT_TRUE(g.setNormalizedTransitionPoint(3, 0.9));
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(1), 0.25);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(2), 0.5);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(3), 0.9);
    EXPECT_NEAR(g.getOrderPower(1), referencePower({0.25, 0.5, 0.9}, pi, 1), 1e-15);
    EXPECT_NEAR(g.getOrderPower(0), referencePower({0.25, 0.5, 0.9}, pi, 0), 1e-15);
    EXPECT_FALSE(g.shiftTransitionPoint(2, 0));
    // The pixels stay; the normalised widths follow on request.
    EXPECT_EQ(pointsOf(g, 4), (ints{1, 2, 3}));
    EXPECT_DOUBLE_EQ(g.getNormalizedWidth(3), 0.25);
    g.updateNormalizedWidthsFromTransitionPoints();
    EXPECT_DOUBLE_EQ(g.getNormalizedWidth(3), 0.9 - 0.5);
    EXPECT_DOUBLE_EQ(g.getNormalizedWidth(4), 1.0 - 0.9);
    EXPECT_DOUBLE_EQ(g.getMinNormalizedWidth(), 1.0 - 0.9);

    // A copy carries the fractions; the pixels follow them on setPeriod, the mode stays.
    binLinGrating copy(g);
    EXPECT_DOUBLE_EQ(copy.getOrderPower(1), g.getOrderPower(1));
    EXPECT_DOUBLE_EQ(copy.getNormalizedTransitionPoint(1), 0.25);
    ASSERT_TRUE(copy.setPeriod(20));
    EXPECT_EQ(pointsOf(copy, 4), (ints{5, 10, 18}));
    EXPECT_EQ(widthsOf(copy, 4), (ints{5, 5, 8, 2}));
    EXPECT_FALSE(copy.shiftTransitionPoint(1, 0));
    EXPECT_EQ(pointsOf(g, 4), (ints{1, 2, 3}));

    binLinGrating assigned(2);
    assigned = copy;
    EXPECT_DOUBLE_EQ(assigned.getNormalizedTransitionPoint(3), 0.9);
    EXPECT_EQ(assigned.getTransitionPoint(4), 20);
}

TEST(binLinGrating, fractionsFromWidthsAndBack)
{
    binLinGrating g = pixelGrating(4, {1, 4, 6}, 8);
    g.updateNormalizedWidths();
    g.updateNormalizedTransitionPointsFromWidths();
    ASSERT_TRUE(g.setNormalizedTransitionPoint(2, 0.5));
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(1), 0.125);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(3), 0.75);
    g.updateNormalizedWidthsFromTransitionPoints();
    g.updateNormalizedTransitionPointsFromWidths();
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(2), 0.5);
    EXPECT_DOUBLE_EQ(g.getNormalizedTransitionPoint(3), 0.75);

    // Pixel derivations.
    binLinGrating h(3);
    ASSERT_TRUE(h.setWidth(2, 4));
    h.updatePeriod();
    EXPECT_EQ(h.getTransitionPoint(3), 6);
    EXPECT_EQ(pointsOf(h, 3), (ints{1, 5}));
}
