// Real field statistics, derivatives, smoothing, running sums and the binomial coefficient.
#include "fields/DataField2D.h"

#include "DataField2DTestFields.h"
#include "support/messageRecorder.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();

using Ptr = boost::shared_ptr<DataField2D>;

class DataField2DStatisticsTest : public testing::Test
{
protected:
    MessageRecorder boxes;
};

TEST_F(DataField2DStatisticsTest, ExtremaPass)
{
    struct Case
    {
        const char* name;
        std::vector<float> values;
        float max;
        float min;
        float minimalPositive;
        float maximalNegative;
    };
    const Case cases[] = {
        {"mixed signs", {3, -1, 0, 2, -4}, 3, -4, 2, -1},
        {"NaN later changes nothing", {1, nan, -2, 0.5f}, 1, -2, 0.5f, -2},
        {"negative zero is not negative", {-0.0f, 5, 7}, 7, -0.0f, 5, 1},
        {"only negatives", {-3, -0.25f}, -0.25f, -3, -1, -0.25f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataField2D field = makeField(int(c.values.size()), 1, c.values);
        EXPECT_EQ(field.getMax(), c.max);
        EXPECT_EQ(field.getMin(), c.min);
        float min = 0;
        float max = 0;
        field.getMinMax(min, max);
        EXPECT_EQ(min, c.min);
        EXPECT_EQ(max, c.max);
        boxes.clear();
        EXPECT_EQ(field.GetMinimalPositive(), c.minimalPositive);
        EXPECT_EQ(field.GetMaximalNegative(), c.maximalNegative);
        const std::size_t expectedBoxes = (c.minimalPositive < 0) + (c.maximalNegative > 0);
        EXPECT_EQ(boxes.messages().size(), expectedBoxes);
    }
}

TEST_F(DataField2DStatisticsTest, NaNFirstElementStaysMaximumAndMinimum)
{
    DataField2D field = makeField(3, 1, {nan, 1, -1});
    EXPECT_TRUE(std::isnan(field.getMax()));
    EXPECT_TRUE(std::isnan(field.getMin()));
    EXPECT_FALSE(field.isConstant());
    EXPECT_EQ(field.GetMinimalPositive(), 1.0f);
    EXPECT_EQ(field.GetMaximalNegative(), -1.0f);
}

TEST_F(DataField2DStatisticsTest, MissingPositiveOrNegativeShowsTheBox)
{
    DataField2D zeros = makeField(2, 1, {0, 0});
    EXPECT_EQ(zeros.GetMinimalPositive(), -1.0f);
    EXPECT_EQ(zeros.GetMaximalNegative(), 1.0f);
    ASSERT_EQ(boxes.messages().size(), 2u);
    EXPECT_EQ(boxes.messages()[0].caption, QStringLiteral("Error!"));
    EXPECT_EQ(boxes.messages()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(boxes.messages()[0].text,
              QStringLiteral("Error in DataField2D::GetMinimalPositive(): -1"));
    EXPECT_EQ(boxes.messages()[1].text,
              QStringLiteral("Error in DataField2D::GetMaximalNegative(): 1"));
}

TEST_F(DataField2DStatisticsTest, ExtremaAreRecomputedAtEveryCall)
{
    DataField2D field = makeField(3, 2, {0, 1, 2, 10, 11, 12});
    EXPECT_EQ(field.getMax(), 12.0f);
    field.setValue(0, 1, 50.0f);
    EXPECT_EQ(field.getMax(), 50.0f);
    DataField2D copy(field);
    copy.setValue(2, 0, -7.0f);
    EXPECT_EQ(copy.getMin(), -7.0f);
    EXPECT_EQ(field.getMin(), 0.0f);
}

TEST_F(DataField2DStatisticsTest, EmptyFieldStatisticsReadNothing)
{
    DataField2D empty(0, 4, 0, 0, 1, 1, 0.0f);
    EXPECT_EQ(empty.getMax(), 0.0f);
    EXPECT_EQ(empty.getMin(), 0.0f);
    EXPECT_EQ(empty.getSum(), 0.0);
    EXPECT_EQ(empty.getSumOfSquares(), 0.0);
    EXPECT_TRUE(empty.isConstant());
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(DataField2DStatisticsTest, SumsAndConstancy)
{
    DataField2D field = makeField(3, 2, {0, 1, 2, 10, 11, -12});
    EXPECT_EQ(field.getSum(), 12.0);
    EXPECT_EQ(field.getSumOfSquares(), 1 + 4 + 100 + 121 + 144);
    EXPECT_FALSE(field.isConstant());

    // 2^24 + 1 + 1: a float running sum would drop both ones.
    const DataField2D large = makeField(3, 1, {16777216.0f, 1, 1});
    EXPECT_EQ(large.getSum(), 16777218.0);

    DataField2D constant(4, 3, 0, 0, 1, 1, -2.5f);
    EXPECT_TRUE(constant.isConstant());
    constant.setValue(3, 2, -2.4f);
    EXPECT_FALSE(constant.isConstant());
}

// A field f(x) = x^2 along one direction (x = k h, other direction constant) of the given size.
DataField2D parabola(bool alongI, int length, int across, double h)
{
    const double otherPitch = 7.0; // a mixed-up pitch shows in the result
    DataField2D field(alongI ? length : across, alongI ? across : length, 0, 0,
                      alongI ? h : otherPitch, alongI ? otherPitch : h, 0.0f);
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i) {
            const double x = (alongI ? i : j) * h;
            field.setValue(i, j, float(x * x));
        }
    return field;
}

TEST_F(DataField2DStatisticsTest, DerivativeStencilsOnAParabola)
{
    struct Case
    {
        const char* name;
        bool alongI;
        int order;
        int points;
    };
    const Case cases[] = {
        {"first along i, 3 points", true, 1, 3},   {"first along i, 5 points", true, 1, 5},
        {"first along j, 3 points", false, 1, 3},  {"first along j, 5 points", false, 1, 5},
        {"second along i, 3 points", true, 2, 3},  {"second along i, 5 points", true, 2, 5},
        {"second along j, 3 points", false, 2, 3}, {"second along j, 5 points", false, 2, 5},
    };
    const double h = 0.5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataField2D field = parabola(c.alongI, 6, 2, h);
        Ptr result;
        if (c.order == 1)
            result = c.alongI ? field.derivativeX(c.points) : field.derivativeY(c.points);
        else
            result
                = c.alongI ? field.secondDerivativeX(c.points) : field.secondDerivativeY(c.points);
        expectGeometry(*result, field.getSizeI(), field.getSizeJ(), 0, 0, field.getDx(),
                       field.getDy());
        for (int j = 0; j < field.getSizeJ(); ++j)
            for (int i = 0; i < field.getSizeI(); ++i) {
                SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
                const double x = (c.alongI ? i : j) * h;
                EXPECT_NEAR(result->getValue(i, j), c.order == 1 ? 2 * x : 2.0, 1e-5);
            }
    }
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(DataField2DStatisticsTest, DerivativeOfTheListedRow)
{
    const DataField2D row = makeField(5, 1, {0, 1, 4, 9, 16});
    expectValues(*row.derivativeX(3), {0, 2, 4, 6, 8});
    expectValues(*row.derivativeX(5), {0, 2, 4, 6, 8}, 1e-6f);
    expectValues(*row.secondDerivativeX(3), {2, 2, 2, 2, 2});
    expectValues(*row.secondDerivativeX(5), {2, 2, 2, 2, 2}, 1e-6f);
    for (int points : {0, 2, 4, 7}) {
        SCOPED_TRACE(points);
        expectValues(*row.derivativeX(points), {0, 0, 0, 0, 0});
        expectValues(*row.derivativeY(points), {0, 0, 0, 0, 0});
        expectValues(*row.secondDerivativeX(points), {0, 0, 0, 0, 0});
        expectValues(*row.laplacian(points), {0, 0, 0, 0, 0});
    }
}

TEST_F(DataField2DStatisticsTest, DerivativeAlongShortJShowsTheBoxForMissingNeighbours)
{
    // One column of 1, 3 along j: (4 * 3 - 0 - 3 * 1) / 2 and (3 * 3 - 4 * 1 + 0) / 2.
    const DataField2D column = makeField(1, 2, {1, 3});
    expectValues(*column.derivativeY(3), {4.5f, 2.5f});
    ASSERT_EQ(boxes.messages().size(), 2u);
    EXPECT_EQ(boxes.messages()[0].text,
              QStringLiteral("SizeI=1 -- Illegal access to field value in DataField2D at [0,2] !"));
    EXPECT_EQ(
        boxes.messages()[1].text,
        QStringLiteral("SizeI=1 -- Illegal access to field value in DataField2D at [0,-1] !"));
}

TEST_F(DataField2DStatisticsTest, StencilsOnShortFieldsStayInRange)
{
    // Along i the missing neighbours read as 0.0 without a box: 1, 3 gives the same as along j.
    const DataField2D pair = makeField(2, 1, {1, 3});
    expectValues(*pair.derivativeX(3), {4.5f, 2.5f});
    for (int length = 0; length <= 4; ++length) {
        SCOPED_TRACE(testing::Message() << "length " << length);
        const DataField2D alongI = parabola(true, length, 2, 1.0);
        const DataField2D alongJ = parabola(false, length, 2, 1.0);
        for (int points : {3, 5}) {
            for (const Ptr& result : {alongI.derivativeX(points), alongI.secondDerivativeX(points),
                                      alongJ.secondDerivativeY(points), alongI.laplacian(points),
                                      alongJ.laplacian(points), alongJ.derivativeY(points)}) {
                EXPECT_EQ(result->getSizeI() * result->getSizeJ(), 2 * length);
                for (float v : valuesOf(*result))
                    EXPECT_TRUE(std::isfinite(v));
            }
        }
    }
}

TEST_F(DataField2DStatisticsTest, LaplacianAddsBothSecondDerivatives)
{
    // x^2 + 3 y^2 on 6 x 5 with different pitches: 2 + 6 everywhere.
    DataField2D field(6, 5, 1.0, 2.0, 1.0, 0.5, 0.0f);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 6; ++i) {
            const double x = i * 1.0, y = j * 0.5;
            field.setValue(i, j, float(x * x + 3 * y * y));
        }
    for (int points : {3, 5}) {
        SCOPED_TRACE(points);
        const Ptr result = field.laplacian(points);
        expectGeometry(*result, 6, 5, 1.0, 2.0, 1.0, 0.5);
        expectValues(*result, std::vector<float>(30, 8.0f), 1e-4f);
    }
}

TEST_F(DataField2DStatisticsTest, SmoothingSpreadsASpikeOverTheInsideNeighbours)
{
    // 4 x 3 with a spike of 12 at (1, 1), weight 0.5: every element that has the spike among
    // its n neighbours becomes 0.5 * 12 / (1 + 0.5 n); the spike itself 12 / (1 + 4).
    DataField2D field(4, 3, 1.0, 2.0, 0.5, 0.25, 0.0f);
    field.setValue(1, 1, 12.0f);
    const Ptr smoothed = field.smooth(0.5);
    expectGeometry(*smoothed, 4, 3, 1.0, 2.0, 0.5, 0.25);
    const float corner = 6.0f / 2.5f, edge = 6.0f / 3.5f, inside = 6.0f / 5.0f;
    expectValues(*smoothed,
                 {corner, edge, edge, 0, edge, 12.0f / 5.0f, inside, 0, corner, edge, edge, 0},
                 1e-6f);
}

TEST_F(DataField2DStatisticsTest, SmoothingSpecialCases)
{
    const DataField2D field = makeField(3, 2, {0, 1, 2, 10, 11, -12});
    expectValues(*field.smooth(0.0), valuesOf(field));
    expectValues(*DataField2D(3, 3, 0, 0, 1, 1, 0.0f).smooth(2.0), std::vector<float>(9, 0.0f));
    expectValues(*DataField2D(2, 2, 0, 0, 1, 1, 4.0f).smooth(0.7), {4, 4, 4, 4}, 1e-6f);
    // Fields narrower than 2 average over the neighbours they have.
    expectValues(*makeField(1, 3, {0, 3, 0}).smooth(1.0), {1.5f, 1, 1.5f}, 1e-6f);
    expectValues(*makeField(1, 1, {5}).smooth(1.0), {5});
}

TEST_F(DataField2DStatisticsTest, RunningSumsAlongI)
{
    expectValues(*makeField(3, 1, {1, 2, 3}).cumulativeSumI(), {1, 3, 6});
    expectValues(*makeField(3, 2, {1, 2, 3, 10, 20, 30}).cumulativeSumI(), {1, 3, 6, 10, 30, 60});

    expectValues(*makeField(4, 1, {1, 1, 1, 1}).centredMomentSumI(), {-3, -1, 0, 1});
    expectValues(*makeField(5, 2, {1, 2, 3, 4, 5, 1, 1, 1, 1, 1}).centredMomentSumI(),
                 {-4, -2, 0, 4, 14, -3, -1, 0, 1, 3});
    const Ptr moments = makeField(1, 1, {7}, 0.5, 0.25, 1.0, 2.0).centredMomentSumI();
    expectGeometry(*moments, 1, 1, 1.0, 2.0, 0.5, 0.25);
    expectValues(*moments, {0});
}

TEST_F(DataField2DStatisticsTest, Binomial)
{
    struct Case
    {
        int a;
        int b;
        int expected;
        std::size_t boxes;
    };
    const Case cases[] = {
        {5, 2, 10, 0},
        {4, 4, 1, 0},
        {4, 0, 1, 0},
        {10, 3, 120, 0},
        // the product before the division passes the int range
        {30, 15, 155117520, 0},
        {2, 3, 0, 3},
        {0, 2, 0, 2},
        {3, -1, 0, 1},
        {-2, -5, 0, 1},
        {-3, -3, 1, 0},
        // computed in 64 bits: the largest results that fit, and the first that do not
        {34, 17, 0, 1},
        {33, 16, 1166803110, 0},
        {40, 20, 0, 1},
        {2147483647, 1, 2147483647, 0},
        {2147483647, 2147483646, 2147483647, 0},
        {2147483647, 2, 0, 1},
        // a below b: one box per level, no recursion however deep
        {0, 200000, 0, 200000},
        {-2, 3, -4, 3},
        {-1, 200000, 1, 200000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "binomial(" << c.a << ", " << c.b << ")");
        boxes.clear();
        EXPECT_EQ(DataField2D::binomial(c.a, c.b), c.expected);
        EXPECT_EQ(boxes.messages().size(), c.boxes);
    }
    boxes.clear();
    DataField2D::binomial(2, 3);
    ASSERT_EQ(boxes.messages().size(), 3u);
    EXPECT_EQ(boxes.messages()[0].caption, QStringLiteral("Error!"));
    EXPECT_EQ(boxes.messages()[0].text,
              QStringLiteral("Error in DataField2D::binomial(int a, int b):\na=2b=3"));
    EXPECT_EQ(boxes.messages()[2].text,
              QStringLiteral("Error in DataField2D::binomial(int a, int b):\na=0b=1"));
}

} // namespace
