// Binary linear, 45-degree and transition-point gratings, and the sinusoidal and blazed gratings.
#include "patterns/patternGenerators.h"

#include "phaseImageChecks.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

using Rows = std::vector<std::vector<int>>;

// A row of n copies of value.
std::vector<int> repeated(int n, int value)
{
    return std::vector<int>(static_cast<std::size_t>(n), value);
}

std::vector<int> concat(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<int> complement(std::vector<int> row)
{
    for (int& v : row)
        v = 128 - v;
    return row;
}

TEST(BinaryLinearGrating, CellsOfThreePeriods)
{
    struct Case
    {
        const char* what;
        bool horizontal, vertical;
        int gH, lH, gV, lV;
        int width, height;
        // expected(x, y) for the cell
        std::function<int(int, int)> expected;
    };
    const Case cases[] = {
        {"default: horizontal only, rows 128, 128, 0, 0 from the bottom", true, false, 2, 2, 3, 3,
         18, 12, [](int, int y) { return y % 4 < 2 ? 128 : 0; }},
        {"both: exclusive-or of line and groove", true, true, 2, 2, 3, 3, 18, 12,
         [](int x, int y) { return (x % 6 < 3) == (y % 4 < 2) ? 128 : 0; }},
        {"neither: uniform 128", false, false, 2, 2, 3, 3, 18, 12, [](int, int) { return 128; }},
        {"vertical only, line 1 groove 4", false, true, 7, 7, 4, 1, 15, 42,
         [](int x, int) { return x % 5 < 1 ? 128 : 0; }},
        {"horizontal, groove 1 line 3", true, false, 1, 3, 2, 2, 12, 12,
         [](int, int y) { return y % 4 < 3 ? 128 : 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage cell
            = binaryLinearGratingCell(c.horizontal, c.gH, c.lH, c.vertical, c.gV, c.lV);
        expectPhaseImage(cell, c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(phasePixel(cell, x, y), c.expected(x, y)) << x << ", " << y;
    }
    const QImage both = binaryLinearGratingCell(true, 2, 2, true, 3, 3);
    EXPECT_EQ(phasePixel(both, 0, 0), 128);
    EXPECT_EQ(phasePixel(both, 3, 0), 0);
}

TEST(BinaryLinear45degGrating, StripesAndCellSize)
{
    const QImage rising = binaryLinear45degGratingCell(W, H, 2, 45);
    expectPhaseImage(rising, 4, 4);
    EXPECT_EQ(
        phaseRows(rising),
        (Rows{{64, 64, 128, 128}, {128, 64, 64, 128}, {128, 128, 64, 64}, {64, 128, 128, 64}}));
    const QImage falling = binaryLinear45degGratingCell(W, H, 2, -45);
    EXPECT_EQ(
        phaseRows(falling),
        (Rows{{64, 64, 128, 128}, {64, 128, 128, 64}, {128, 128, 64, 64}, {128, 64, 64, 128}}));
    // Angle 0 counts as -45.
    EXPECT_EQ(binaryLinear45degGratingCell(W, H, 2, 0), falling);

    struct Case
    {
        int stripe, width, height;
    };
    const Case sizes[] = {{1, 2, 2},         {3, 6, 6},         {500, 1000, 1000},
                          {540, 1080, 1080}, {541, 1082, 1080}, {1000, 1920, 1080}};
    for (const Case& c : sizes) {
        SCOPED_TRACE(c.stripe);
        const QImage cell = binaryLinear45degGratingCell(W, H, c.stripe, 45);
        EXPECT_EQ(cell.width(), c.width);
        EXPECT_EQ(cell.height(), c.height);
        EXPECT_EQ(countPixels(cell, 64) + countPixels(cell, 128), c.width * c.height);
    }
}

TEST(TransitionPointGrating, Cells)
{
    const std::vector<int> defaultBottom
        = concat({{128, 0}, repeated(7, 128), {0, 128}, repeated(7, 0)});
    struct Case
    {
        const char* what;
        std::vector<int> tX, tY;
        Rows rows; // from the bottom
    };
    const Case cases[] = {
        {"initial values: separable 18 x 2",
         {1, 2, 9, 10, 11, 18},
         {1, 2},
         {defaultBottom, complement(defaultBottom)}},
        {"y only: three rows 128, five rows 0",
         {},
         {3, 8},
         {repeated(8, 128), repeated(8, 128), repeated(8, 128), repeated(8, 0), repeated(8, 0),
          repeated(8, 0), repeated(8, 0), repeated(8, 0)}},
        {"x only: columns 0..3 at 128",
         {4, 8},
         {},
         Rows(8, concat({repeated(4, 128), repeated(4, 0)}))},
        {"four points on x, two on y",
         {1, 3, 4, 6},
         {2, 3},
         {{128, 0, 0, 128, 0, 0}, {128, 0, 0, 128, 0, 0}, {0, 128, 128, 0, 128, 128}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage cell = transitionPointGratingCell(c.tX, c.tY);
        expectPhaseImage(cell, static_cast<int>(c.rows.front().size()),
                         static_cast<int>(c.rows.size()));
        EXPECT_EQ(phaseRows(cell), c.rows);
    }
    EXPECT_TRUE(transitionPointGratingCell({}, {}).isNull());
}

TEST(ContinuousGratings, AxisParallelCells)
{
    const QImage sine = sinusoidalGrating(W, H, 100, 0);
    expectPhaseImage(sine, 100, 100);
    const std::vector<int> bottom = phaseRow(sine, 0);
    EXPECT_EQ(bottom[0], 127);
    EXPECT_EQ(bottom[25], 255);
    EXPECT_EQ(bottom[50], 127);
    EXPECT_EQ(bottom[75], 0);
    EXPECT_EQ(phaseRow(sine, 99), bottom);

    const QImage blaze = blazedGrating(W, H, 100, 0);
    expectPhaseImage(blaze, 100, 100);
    const std::vector<int> ramp = phaseRow(blaze, 0);
    EXPECT_EQ(ramp[0], 0);
    EXPECT_EQ(ramp[1], 2);
    EXPECT_EQ(ramp[50], 128);
    EXPECT_EQ(ramp[99], 253);
    EXPECT_EQ(phaseRow(blaze, 63), ramp);

    // 180 repeats 0; 90 and 270 turn the profile into the rows.
    EXPECT_EQ(sinusoidalGrating(W, H, 100, 180), sine);
    EXPECT_EQ(blazedGrating(W, H, 100, 180), blaze);
    for (int angle : {90, 270}) {
        SCOPED_TRACE(angle);
        const QImage sineRows = sinusoidalGrating(W, H, 100, angle);
        const QImage blazeRows = blazedGrating(W, H, 100, angle);
        expectPhaseImage(sineRows, 100, 100);
        EXPECT_EQ(phaseColumn(sineRows, 0), bottom);
        EXPECT_EQ(phaseColumn(sineRows, 80), bottom);
        EXPECT_EQ(phaseColumn(blazeRows, 40), ramp);
    }

    // Odd period, and the smallest one.
    EXPECT_EQ(phaseRow(blazedGrating(W, H, 3, 0), 0), (std::vector<int>{0, 85, 170}));
    EXPECT_EQ(phaseRow(sinusoidalGrating(W, H, 4, 0), 0), (std::vector<int>{127, 255, 127, 0}));
    const QImage oneSine = sinusoidalGrating(W, H, 1, 90);
    expectPhaseImage(oneSine, 1, 1);
    EXPECT_EQ(oneSine.pixelIndex(0, 0), 127);
    EXPECT_EQ(blazedGrating(W, H, 1, 0).pixelIndex(0, 0), 0);
}

TEST(ContinuousGratings, OtherAnglesFillTheScreenFromTheBottomLeft)
{
    for (int angle : {1, 45, 89, 91, 359}) {
        SCOPED_TRACE(angle);
        expectPhaseImage(sinusoidalGrating(W, H, 100, angle), W, H);
        expectPhaseImage(blazedGrating(W, H, 100, angle), W, H);
    }
    const QImage blaze = blazedGrating(W, H, 100, 45);
    // t = x cos a - y sin a; negative t wraps: floor(-7.07 / 100 * 256) = -19 -> 237.
    EXPECT_EQ(phasePixel(blaze, 0, 0), 0);
    EXPECT_EQ(phasePixel(blaze, 0, 10), 237);
    EXPECT_EQ(phasePixel(blaze, 10, 0), 18);
    EXPECT_EQ(phasePixel(blaze, 10, 10), 0);
    EXPECT_EQ(phasePixel(blaze, 100, 0), 181);
    EXPECT_EQ(phasePixel(blaze, 0, 25), 210);

    const QImage sine = sinusoidalGrating(W, H, 100, 45);
    EXPECT_EQ(phasePixel(sine, 0, 0), 127);
    EXPECT_EQ(phasePixel(sine, 10, 10), 127);
    EXPECT_EQ(phasePixel(sine, 25, 0), 241);
    EXPECT_EQ(phasePixel(sine, 0, 25), 13);
    EXPECT_EQ(phasePixel(sine, 100, 0), 4);

    // At 1 degree the pattern is nearly vertical stripes but not a cell.
    const QImage nearlyStraight = blazedGrating(W, H, 100, 1);
    EXPECT_EQ(phasePixel(nearlyStraight, 50, 0), 127);
    EXPECT_NE(phaseRow(nearlyStraight, 0), phaseRow(nearlyStraight, H - 1));
}

TEST(ContinuousGratings, FullScreenFormsEqualTheDirectRuleAtEveryPixel)
{
    const double pi = 3.141592653589793;
    for (int angle : {1, 30, 45, 135, 200, 359}) {
        for (int period : {1, 7, 100, 1000}) {
            SCOPED_TRACE(testing::Message() << "angle " << angle << ", period " << period);
            const double a = angle * pi * (1.0 / 180);
            const double c = std::cos(a);
            const double s = std::sin(a);
            const QImage sine = sinusoidalGrating(W, H, period, angle);
            const QImage blaze = blazedGrating(W, H, period, angle);
            int sineDifferences = 0;
            int blazeDifferences = 0;
            for (int y = 0; y < H; ++y) {
                for (int x = 0; x < W; ++x) {
                    const double t = x * c - y * s;
                    const int sineValue = static_cast<int>(
                        std::floor((std::sin(((t * pi) * 2) / period) + 1) * 127.5));
                    const long long blazeValue
                        = static_cast<long long>(std::floor((t / period) * 256)) & 0xFF;
                    sineDifferences += phasePixel(sine, x, y) != sineValue;
                    blazeDifferences += phasePixel(blaze, x, y) != blazeValue;
                }
            }
            EXPECT_EQ(sineDifferences, 0);
            EXPECT_EQ(blazeDifferences, 0);
        }
    }
}

} // namespace
