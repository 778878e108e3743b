// Real field storage, copies, element access, index conventions and geometric copies.
#include "fields/DataField2D.h"

#include "DataField2DTestFields.h"
#include "base/phasedeckGlobals.h"
#include "support/messageRecorder.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Sets a recognisable default pixel pitch for fields that do not inherit one.
class DataField2DTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved = opticalParameters;
        opticalParameters.defaultPixelSizeX = 7e-6;
        opticalParameters.defaultPixelSizeY = 9e-6;
    }
    void TearDown() override { opticalParameters = saved; }

    OpticalParameters saved{};
    MessageRecorder boxes;
};

// 3 x 2 with element (i, j) = 10 j + i, so a transposed index shows.
DataField2D threeByTwo()
{
    return makeField(3, 2, {0, 1, 2, 10, 11, 12}, 0.5, 0.25, 1.0, -2.0);
}

TEST_F(DataField2DTest, FillConstructorSetsEveryElementAndTheGeometry)
{
    DataField2D field(3, 2, 1.0, -2.0, 0.5, 0.25, 1.5f);
    EXPECT_TRUE(field.isOk());
    expectGeometry(field, 3, 2, 1.0, -2.0, 0.5, 0.25);
    expectValues(field, std::vector<float>(6, 1.5f));

    DataField2D zeroFilled(2, 2, 0, 0, 1, 1, 0); // a literal 0 fill is a value, not an array
    expectValues(zeroFilled, {0, 0, 0, 0});
}

TEST_F(DataField2DTest, ElementIJLiesAtSizeITimesJPlusI)
{
    float* array = new float[6]{0, 1, 2, 3, 4, 5};
    DataField2D field(3, 2, 0.0, 0.0, 1.0, 1.0, array);
    EXPECT_TRUE(field.isOk());
    EXPECT_EQ(field.getValue(1, 0), 1.0f);
    EXPECT_EQ(field.getValue(0, 1), 3.0f);
    EXPECT_EQ(field.getValue(2, 1), 5.0f); // the last element of the array
    field.setValue(2, 0.5f);               // one-index form: element (2, 0)
    EXPECT_EQ(field.getValue(2, 0), 0.5f);
    field.addValue(1, 1, 10.0f);
    EXPECT_EQ(field.getValue(1, 1), 14.0f);
}

TEST_F(DataField2DTest, ConstructionThatCannotAllocateGivesAnEmptyField)
{
    struct Case
    {
        const char* name;
        int sizeI;
        int sizeJ;
    };
    const Case cases[] = {
        {"negative size", -3, 2},
        {"element count beyond int", 100000, 100000},
        {"both sizes at the limit", INT_MAX, INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataField2D field(c.sizeI, c.sizeJ, 0, 0, 1, 1, 2.0f);
        EXPECT_FALSE(field.isOk());
        EXPECT_EQ(field.getSizeI(), 0);
        EXPECT_EQ(field.getSizeJ(), 0);
        EXPECT_EQ(field.getMax(), 0.0f);
        EXPECT_EQ(field.getValuePeriodic(1, 1), 0.0f);
    }
    DataField2D adoptedNull(3, 2, 0, 0, 1, 1, static_cast<float*>(nullptr));
    EXPECT_FALSE(adoptedNull.isOk());
    EXPECT_EQ(adoptedNull.getSizeI(), 0);
    EXPECT_EQ(adoptedNull.getSizeJ(), 0);
}

TEST_F(DataField2DTest, CopiesCarrySizesValuesCentreAndPitchInOwnStorage)
{
    const DataField2D original = threeByTwo();
    DataField2D copy(original);
    expectGeometry(copy, 3, 2, 1.0, -2.0, 0.5, 0.25);
    expectValues(copy, valuesOf(original));
    copy.setValue(0, 0, 99.0f);
    EXPECT_EQ(original.getValue(0, 0), 0.0f);

    DataField2D assigned(1, 1, 0, 0, 1, 1, 3.0f);
    assigned = original;
    expectGeometry(assigned, 3, 2, 1.0, -2.0, 0.5, 0.25);
    expectValues(assigned, valuesOf(original));
    EXPECT_EQ(assigned.getMax(), 12.0f); // extrema recomputed from the copied values
}

TEST_F(DataField2DTest, SelfAssignmentKeepsTheField)
{
    DataField2D field = threeByTwo();
    DataField2D& alias = field;
    field = alias;
    expectGeometry(field, 3, 2, 1.0, -2.0, 0.5, 0.25);
    expectValues(field, {0, 1, 2, 10, 11, 12});
}

TEST_F(DataField2DTest, ClearEmptiesTheFieldAndKeepsOk)
{
    DataField2D field = threeByTwo();
    field.clear();
    EXPECT_EQ(field.getSizeI(), 0);
    EXPECT_EQ(field.getSizeJ(), 0);
    EXPECT_TRUE(field.isOk());
    EXPECT_EQ(field.getSum(), 0.0);
}

TEST_F(DataField2DTest, CheckedAccessOutsideShowsTheBoxAndGivesZero)
{
    const DataField2D field = threeByTwo();
    struct Case
    {
        int i;
        int j;
        const char* text;
    };
    const Case cases[] = {
        {-1, 0, "SizeI=3 -- Illegal access to field value in DataField2D at [-1,0] !"},
        {0, 2, "SizeI=3 -- Illegal access to field value in DataField2D at [0,2] !"},
        {3, 0, "SizeI=3 -- Illegal access to field value in DataField2D at [3,0] !"},
        {2, -1, "SizeI=3 -- Illegal access to field value in DataField2D at [2,-1] !"},
        // inside the array (index 3 * 0 + 5) but outside the field
        {5, 0, "SizeI=3 -- Illegal access to field value in DataField2D at [5,0] !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        boxes.clear();
        EXPECT_EQ(field.getValueChecked(c.i, c.j), 0.0f);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.messages()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(boxes.messages()[0].caption, QStringLiteral("Error!"));
        EXPECT_EQ(boxes.messages()[0].text, QString::fromLatin1(c.text));
    }
    boxes.clear();
    EXPECT_EQ(field.getValueChecked(2, 1), 12.0f);
    EXPECT_EQ(field.getValueChecked(0, 1), 10.0f);
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(DataField2DTest, PeriodicAccessWrapsBothIndices)
{
    struct Case
    {
        int sizeI;
        int i;
        int j;
        int wrappedI;
        int wrappedJ;
    };
    // Fields of sizeI x 2 with element (i, j) = 10 j + i.
    const Case cases[] = {
        {4, -1, 0, 3, 0},
        {4, 4, 2, 0, 0},
        {4, -9, 0, 3, 0},
        {4, 2, -1, 2, 1},
        {4, 7, 5, 3, 1},
        {5, -1, 0, 4, 0},
        {5, 5, 2, 0, 0},
        {5, -11, 0, 4, 0},
        {5, -1000001, 0, 4, 0},
        {5, 1000003, 3, 3, 1},
        {4, INT_MIN, INT_MAX, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "sizeI " << c.sizeI << " at (" << c.i << ", " << c.j << ")");
        DataField2D field(c.sizeI, 2, 0, 0, 1, 1, 0.0f);
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < c.sizeI; ++i)
                field.setValue(i, j, float(10 * j + i));
        EXPECT_EQ(field.getValuePeriodic(c.i, c.j), float(10 * c.wrappedJ + c.wrappedI));

        field.setValuePeriodic(c.i, c.j, -1.0f);
        EXPECT_EQ(field.getValue(c.wrappedI, c.wrappedJ), -1.0f);
        field.setValuePeriodic(c.i, -2.0f);
        EXPECT_EQ(field.getValue(c.wrappedI, 0), -2.0f);
    }
}

TEST_F(DataField2DTest, PeriodicAccessOnAnEmptyFieldReadsNothing)
{
    DataField2D empty(0, 3, 0, 0, 1, 1, 0.0f);
    EXPECT_TRUE(empty.isOk());
    EXPECT_EQ(empty.getValuePeriodic(-1, 2), 0.0f);
    empty.setValuePeriodic(1, 1, 5.0f);
    empty.setValuePeriodic(1, 5.0f);
    EXPECT_EQ(empty.getSizeI(), 0);
}

TEST_F(DataField2DTest, PhysicalCoordinatesUseIntegerHalves)
{
    DataField2D field(5, 4, 1.0, -1.0, 2.0, 0.5, 0.0f);
    EXPECT_DOUBLE_EQ(field.getX(0), -3.0);
    EXPECT_DOUBLE_EQ(field.getX(2.5), 2.0);
    EXPECT_DOUBLE_EQ(field.getY(0), -2.0); // (0 - 4 / 2) * 0.5 - 1
    EXPECT_DOUBLE_EQ(field.getY(3), -0.5);
    field.setPixelSize(3.0, 4.0);
    field.setDy(6.0);
    EXPECT_EQ(field.getDx(), 3.0);
    EXPECT_EQ(field.getDy(), 6.0);
    field.setDx(1.0);
    EXPECT_EQ(field.getDx(), 1.0);
}

TEST_F(DataField2DTest, CenteredIndexOnEvenAndOddSizes)
{
    struct Case
    {
        int size;
        int index;
        int centred;
    };
    const Case cases[] = {
        {4, 0, 0}, {4, 1, 1},  {4, 2, -2}, {4, 3, -1}, {5, 0, 0},
        {5, 2, 2}, {5, 3, -2}, {5, 4, -1}, {1, 0, 0},  {2, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " index " << c.index);
        // The other direction has a different size so that a mixed-up size shows.
        const DataField2D alongI(c.size, c.size + 3, 0, 0, 1, 1, 0.0f);
        const DataField2D alongJ(c.size + 3, c.size, 0, 0, 1, 1, 0.0f);
        EXPECT_EQ(alongI.centeredIndexI(c.index), c.centred);
        EXPECT_EQ(alongJ.centeredIndexJ(c.index), c.centred);
    }
}

TEST_F(DataField2DTest, CenteredRangeOnEvenAndOddSizes)
{
    struct Case
    {
        int size;
        int index;
        bool inside;
    };
    const Case cases[] = {
        {4, -2, true}, {4, 1, true}, {4, 2, false}, {4, -3, false},
        {5, -2, true}, {5, 2, true}, {5, 3, false}, {5, -3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " index " << c.index);
        const DataField2D alongI(c.size, 1, 0, 0, 1, 1, 0.0f);
        const DataField2D alongJ(1, c.size, 0, 0, 1, 1, 0.0f);
        EXPECT_EQ(alongI.isInCenteredRange(c.index, 0), c.inside);
        EXPECT_EQ(alongJ.isInCenteredRange(0, c.index), c.inside);
    }
}

TEST_F(DataField2DTest, CyclicShiftMovesTheContentWithWrapAround)
{
    struct Case
    {
        const char* name;
        int sizeI;
        int sizeJ;
        std::vector<float> values;
        int di;
        int dj;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"one to the right", 3, 1, {10, 20, 30}, 1, 0, {30, 10, 20}},
        {"one to the left", 3, 1, {10, 20, 30}, -1, 0, {20, 30, 10}},
        {"more than the size", 3, 1, {10, 20, 30}, 7, 0, {30, 10, 20}},
        {"along j", 3, 2, {0, 1, 2, 10, 11, 12}, 0, 1, {10, 11, 12, 0, 1, 2}},
        {"both directions", 3, 2, {0, 1, 2, 10, 11, 12}, 2, -1, {11, 12, 10, 1, 2, 0}},
        {"no shift", 3, 2, {0, 1, 2, 10, 11, 12}, 0, 0, {0, 1, 2, 10, 11, 12}},
        // extreme shifts are reduced modulo the size before any arithmetic
        {"INT_MIN + 1 is -1 modulo 3", 3, 1, {10, 20, 30}, INT_MIN + 1, 0, {20, 30, 10}},
        {"INT_MIN is +1 modulo 3", 3, 1, {10, 20, 30}, INT_MIN, 0, {30, 10, 20}},
        {"INT_MAX is +1 modulo 3", 3, 1, {10, 20, 30}, INT_MAX, 0, {30, 10, 20}},
        {"extreme along j", 1, 3, {10, 20, 30}, 0, INT_MIN + 1, {20, 30, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataField2D field = makeField(c.sizeI, c.sizeJ, c.values, 0.5, 0.25, 1.0, 2.0);
        const boost::shared_ptr<DataField2D> shifted = field.cyclicShift(c.di, c.dj);
        expectGeometry(*shifted, c.sizeI, c.sizeJ, 0.0, 0.0, 7e-6, 9e-6);
        expectValues(*shifted, c.expected);
        expectValues(field, c.values);
    }
}

TEST_F(DataField2DTest, ResizeCenteredPadsOrCropsAndKeepsThePitch)
{
    struct Case
    {
        const char* name;
        int sizeI;
        int sizeJ;
        std::vector<float> values;
        int nI;
        int nJ;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"pad even", 2, 1, {5, 6}, 4, 1, {0, 5, 6, 0}},
        {"crop odd", 3, 1, {1, 2, 3}, 1, 1, {2}},
        {"pad odd to even", 3, 1, {1, 2, 3}, 4, 1, {0, 1, 2, 3}},
        {"pad non-square",
         3,
         2,
         {0, 1, 2, 10, 11, 12},
         5,
         3,
         {0, 0, 1, 2, 0, 0, 10, 11, 12, 0, 0, 0, 0, 0, 0}},
        {"crop along j, pad along i", 3, 2, {0, 1, 2, 10, 11, 12}, 4, 1, {0, 10, 11, 12}},
        {"same size", 3, 2, {0, 1, 2, 10, 11, 12}, 3, 2, {0, 1, 2, 10, 11, 12}},
        {"empty result", 3, 2, {0, 1, 2, 10, 11, 12}, 0, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataField2D field = makeField(c.sizeI, c.sizeJ, c.values, 0.5, 0.25, 1.0, 2.0);
        const boost::shared_ptr<DataField2D> resized = field.resizeCentered(c.nI, c.nJ);
        expectGeometry(*resized, c.nI, c.nJ, 0.0, 0.0, 0.5, 0.25);
        expectValues(*resized, c.expected);
    }
}

TEST_F(DataField2DTest, CropCenteredTakesTheMiddleWithTheDefaultPitch)
{
    std::vector<float> values;
    for (int k = 0; k < 16; ++k)
        values.push_back(float(k)); // element (i, j) = 4 j + i
    const DataField2D square = makeField(4, 4, values, 0.5, 0.25, 1.0, 2.0);
    const boost::shared_ptr<DataField2D> middle = square.cropCentered(2, 2);
    expectGeometry(*middle, 2, 2, 0.0, 0.0, 7e-6, 9e-6);
    expectValues(*middle, {5, 6, 9, 10});

    const boost::shared_ptr<DataField2D> fromThreeByTwo = threeByTwo().cropCentered(1, 2);
    expectValues(*fromThreeByTwo, {1, 11});
}

TEST_F(DataField2DTest, CropBeyondTheFieldGivesZerosOutside)
{
    const DataField2D row = makeField(4, 1, {1, 2, 3, 4});
    expectValues(*row.cropCentered(6, 1), {0, 1, 2, 3, 4, 0});
    expectValues(*row.cropCentered(4, 3), {0, 0, 0, 0, 1, 2, 3, 4, 0, 0, 0, 0});

    const DataField2D empty(0, 0, 0, 0, 1, 1, 0.0f);
    expectValues(*empty.cropCentered(2, 1), {0, 0});
    expectValues(*empty.cyclicShift(1, 1), {});
    EXPECT_TRUE(boxes.messages().empty());
}

} // namespace
