// Sampling a real field at fractional positions: nearest element and raised-cosine blend, at
// the last column and row and outside the field.
#include "fields/DataField2D.h"

#include "DataField2DTestFields.h"
#include "support/messageRecorder.h"

#include <climits>
#include <cmath>
#include <limits>
#include <gtest/gtest.h>

namespace {

// 3 x 2 with element (i, j) = 10 j + i.
DataField2D threeByTwo()
{
    return makeField(3, 2, {0, 1, 2, 10, 11, 12}, 0.0, 0.0, 1.0, 1.0);
}

double raisedCosine(double t)
{
    return (1.0 + std::cos(3.141592653589793 * t)) / 2.0;
}

TEST(DataField2DSampling, NearestElementRoundsAt051)
{
    MessageRecorder boxes;
    const DataField2D field = threeByTwo();
    struct Case
    {
        double x, y;
        float value;
    };
    const Case cases[] = {
        {0.0, 0.0, 0.0f},  {0.5, 0.0, 0.0f},  {0.51, 0.0, 1.0f}, {1.4, 0.7, 11.0f},
        {2.0, 1.0, 12.0f}, {-0.4, 0.2, 0.0f}, {2.5, 1.5, 12.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(field.sampleAt(c.x, c.y, 0), c.value);
        EXPECT_EQ(field.sampleAt(c.x, c.y, 7), c.value);
    }
    EXPECT_TRUE(boxes.messages().empty());
}

TEST(DataField2DSampling, NearestElementOutsideShowsTheBoxAndGivesZero)
{
    MessageRecorder boxes;
    const DataField2D field = threeByTwo();
    EXPECT_EQ(field.sampleAt(2.6, 0.0, 0), 0.0f);
    EXPECT_EQ(field.sampleAt(0.0, -1.6, 0), 0.0f);
    ASSERT_EQ(boxes.messages().size(), 2u);
    EXPECT_EQ(boxes.messages()[0].caption, QStringLiteral("Error!"));
    EXPECT_EQ(boxes.messages()[0].text,
              QStringLiteral("SizeI=3 -- Illegal access to field value in DataField2D at [3,0] !"));
}

TEST(DataField2DSampling, RaisedCosineBlend)
{
    MessageRecorder boxes;
    const DataField2D field = threeByTwo();
    struct Case
    {
        const char* name;
        double x, y;
        double value;
    };
    const double a = raisedCosine(0.25); // weight of the lower neighbour at 0.25
    const double b = raisedCosine(0.75);
    const Case cases[] = {
        {"on an element", 1.0, 0.0, 1.0},
        {"half way along i", 0.5, 0.0, 0.5},
        {"inside", 0.25, 0.25, 0 * a * a + 10 * a * b + 1 * b * a + 11 * b * b},
        {"last column blends along j", 2.0, 0.25, 2 * a + 12 * b},
        {"last row blends along i", 1.25, 1.0, 11 * a + 12 * b},
        {"last element", 2.0, 1.0, 12.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(field.sampleAt(c.x, c.y, 1), c.value, 1e-5);
    }
    EXPECT_TRUE(boxes.messages().empty());
    // Left of the field on the last row column -1 is read: the box, and it counts 0.
    EXPECT_NEAR(field.sampleAt(-1.25, 1.0, 1), 10.0 * raisedCosine(1.25), 1e-5);
    EXPECT_EQ(boxes.messages().size(), 1u);
}

// NaN and positions beyond the int range lie outside the field in every mode: one box naming
// an index that no field has, and 0, never a conversion of an unrepresentable value.
TEST(DataField2DSampling, NaNAndPositionsBeyondTheIntRangeLieOutside)
{
    MessageRecorder boxes;
    const DataField2D field = threeByTwo();
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* name;
        double x, y;
        const char* shownIndexes;
    };
    const Case cases[] = {
        {"NaN along i", nan, 0.0, "[-2147483648,0]"},
        {"NaN along j", 1.0, nan, "[1,-2147483648]"},
        {"+inf", inf, 0.0, "[2147483647,0]"},
        {"-inf", 0.0, -inf, "[0,-2147483648]"},
        {"far above", 1e300, 1.0, "[2147483647,1]"},
        {"far below", -1e300, 1.0, "[-2147483648,1]"},
        {"rounding passes INT_MAX", 2147483647.9, 1.0, "[2147483647,1]"},
    };
    for (int mode : {0, 1, 7}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode);
            boxes.clear();
            EXPECT_EQ(field.sampleAt(c.x, c.y, mode), 0.0f);
            ASSERT_EQ(boxes.messages().size(), 1u);
            EXPECT_EQ(boxes.messages()[0].text,
                      QStringLiteral("SizeI=3 -- Illegal access to field value in DataField2D at ")
                          + QLatin1String(c.shownIndexes) + QStringLiteral(" !"));
        }
    }
}

TEST(DataField2DSampling, TruncatedIndexSaturatesOutsideTheIntRange)
{
    struct Case
    {
        double position;
        bool fits;
        int index;
    };
    const Case cases[] = {
        {2.9, true, 2},
        {-2.9, true, -2},
        {2147483647.5, true, INT_MAX},
        {-2147483648.5, true, INT_MIN},
        {2147483648.0, false, INT_MAX},
        {-2147483649.0, false, INT_MIN},
        {std::nan(""), false, INT_MIN},
        {std::numeric_limits<double>::infinity(), false, INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.position);
        EXPECT_EQ(isIndexPosition(c.position), c.fits);
        EXPECT_EQ(truncatedIndex(c.position), c.index);
    }
}

} // namespace
