// The fast arctangent's error bound and the guarded floors that keep patterns exact.
#include "patterns/fastPhaseMath.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace fastPhaseMath;

TEST(FastPhaseMath, ArcTangentWithinBoundOverAllDirections)
{
    double worst = 0.0;
    for (int y = -300; y <= 300; ++y) {
        for (int x = -300; x <= 300; ++x) {
            const double fast = arcTangent2(y, x);
            const double exact = std::atan2(double(y), double(x));
            worst = std::max(worst, std::fabs(fast - exact));
        }
    }
    // Ratios near the anchors' midpoints and far from the grid.
    for (double z = 0.0; z <= 1.0; z += 1.0 / 4096.0) {
        worst = std::max(worst, std::fabs(arcTangent2(z, 1.0) - std::atan(z)));
        worst = std::max(worst, std::fabs(arcTangent2(1.0, z) - std::atan2(1.0, z)));
    }
    EXPECT_LT(worst, 1e-12);
}

TEST(FastPhaseMath, ArcTangentAxesAndSigns)
{
    struct Case
    {
        double y, x, expected;
    };
    const Case cases[] = {
        {0, 0, 0.0},           {0, 5, 0.0},         {0, -5, pi},
        {5, 0, pi / 2},        {-5, 0, -pi / 2},    {1, 1, pi / 4},
        {-1, -1, -3 * pi / 4}, {1, -1, 3 * pi / 4}, {-1, 1, -pi / 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y << ", " << c.x);
        EXPECT_NEAR(arcTangent2(c.y, c.x), c.expected, 1e-15);
    }
}

TEST(FastPhaseMath, FloorsAndGuards)
{
    struct Case
    {
        double v;
        long long floor;
    };
    const Case floors[] = {{0.0, 0},      {0.5, 0},       {-0.5, -1},    {-1.0, -1},
                           {-1e-300, -1}, {255.999, 255}, {-256.0, -256}};
    for (const Case& c : floors)
        EXPECT_EQ(floorToInt(c.v), c.floor) << c.v;

    int exactCalls = 0;
    auto exact = [&exactCalls] {
        ++exactCalls;
        return 7.0;
    };
    // Far from an integer the fast value decides; inside the band the exact value does.
    EXPECT_EQ(guardedFloor(3.5, 1e-6, exact), 3);
    EXPECT_EQ(exactCalls, 0);
    EXPECT_EQ(guardedFloor(3.0000001, 1e-6, exact), 7);
    EXPECT_EQ(guardedFloor(2.9999999, 1e-6, exact), 7);
    EXPECT_EQ(guardedFloor(-4.0, 1e-6, exact), 7);
    EXPECT_EQ(exactCalls, 3);

    // A run keeps its floor while the values stay inside the band-free part of one interval.
    RunFloor run;
    exactCalls = 0;
    const double values[] = {3.2, 3.9, 3.5, 4.1, 2.7, 2.0000000001};
    const long long expected[] = {3, 3, 3, 4, 2, 7};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(run(values[k], 1e-6, exact), expected[k]) << values[k];
    EXPECT_EQ(exactCalls, 1);
}

} // namespace
