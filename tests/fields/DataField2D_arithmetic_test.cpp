// Real field arithmetic: element functions, combiners in every form, the size guard, whole-field
// maps, functions of two fields and threshold masks.
#include "fields/DataField2D.h"

#include "DataField2DTestFields.h"
#include "support/messageRecorder.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

using Ptr = boost::shared_ptr<DataField2D>;

// 3 x 2 operands; b holds a zero, a negative zero and a NaN-free rest.
DataField2D leftOperand()
{
    return makeField(3, 2, {1, -2, 3, 4.5f, 0, -6}, 0.5, 0.25, 1.0, -2.0);
}

DataField2D rightOperand()
{
    return makeField(3, 2, {2, 0, -0.0f, -1.5f, 4, 8}, 3.0, 5.0, 7.0, 9.0);
}

TEST(DataField2DElementFunctionTest, ZeroAndNaNRules)
{
    struct Case
    {
        const char* name;
        realElementFunction f;
        float a;
        float b;
        float expected;
    };
    const Case cases[] = {
        {"add", elementAdd, 1.5f, -4, -2.5f},
        {"subtract", elementSubtract, 1.5f, -4, 5.5f},
        {"multiply", elementMultiply, 1.5f, -4, -6},
        {"divide", elementDivide, 3, -4, -0.75f},
        {"divide by zero", elementDivide, 3, 0, 0},
        {"divide by negative zero", elementDivide, 3, -0.0f, 0},
        {"divide NaN by zero", elementDivide, nan, 0, 0},
        {"divide by NaN", elementDivide, 3, nan, nan},
        {"divide by infinity", elementDivide, 3, inf, 0},
        {"reversed", elementDivideReversed, -4, 2, -0.5f},
        {"reversed by zero", elementDivideReversed, 0, 2, 0},
        {"reversed by negative zero", elementDivideReversed, -0.0f, nan, 0},
        {"reversed by NaN", elementDivideReversed, nan, 2, nan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const float r = c.f(c.a, c.b);
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(r)) << r;
        else
            EXPECT_EQ(r, c.expected);
    }
}

// Each row runs one operation between two fields in all its forms (by value, shared pointer,
// compound with a field and with a shared pointer) against the element-wise reference.
struct TwoFieldOperation
{
    const char* name;
    std::function<float(float, float)> reference;
    std::function<DataField2D(const DataField2D&, const DataField2D&)> byValue;
    std::function<Ptr(Ptr, Ptr)> byPointer; // empty where no such form exists
    std::function<void(DataField2D&, const DataField2D&)> compound;
    std::function<void(DataField2D&, Ptr)> compoundPointer;
};

const TwoFieldOperation twoFieldOperations[] = {
    {"+", [](float a, float b) { return a + b; },
     [](const DataField2D& a, const DataField2D& b) { return a + b; },
     [](Ptr a, Ptr b) { return a + b; }, [](DataField2D& a, const DataField2D& b) { a += b; },
     [](DataField2D& a, Ptr b) { a += b; }},
    {"-", [](float a, float b) { return a - b; },
     [](const DataField2D& a, const DataField2D& b) { return a - b; },
     [](Ptr a, Ptr b) { return a - b; }, [](DataField2D& a, const DataField2D& b) { a -= b; },
     [](DataField2D& a, Ptr b) { a -= b; }},
    {"*", [](float a, float b) { return a * b; },
     [](const DataField2D& a, const DataField2D& b) { return a * b; },
     [](Ptr a, Ptr b) { return a * b; }, [](DataField2D& a, const DataField2D& b) { a *= b; },
     [](DataField2D& a, Ptr b) { a *= b; }},
    {"/", [](float a, float b) { return b == 0 ? 0.0f : a / b; },
     [](const DataField2D& a, const DataField2D& b) { return a / b; }, nullptr,
     [](DataField2D& a, const DataField2D& b) { a /= b; }, [](DataField2D& a, Ptr b) { a /= b; }},
    {"hypot", [](float a, float b) { return std::hypot(a, b); },
     [](const DataField2D& a, const DataField2D& b) { return hypot(a, b); }, nullptr, nullptr,
     nullptr},
    {"atan2", [](float a, float b) { return std::atan2(b, a); },
     [](const DataField2D& a, const DataField2D& b) { return atan2(a, b); }, nullptr, nullptr,
     nullptr},
    {"squaredMagnitude", [](float a, float b) { return a * a + b * b; },
     [](const DataField2D& a, const DataField2D& b) { return squaredMagnitude(a, b); }, nullptr,
     nullptr, nullptr},
};

std::vector<float> referenceValues(const DataField2D& a, const DataField2D& b,
                                   const std::function<float(float, float)>& f)
{
    std::vector<float> expected;
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i)
            expected.push_back(f(a.getValue(i, j), b.getValue(i, j)));
    return expected;
}

class DataField2DArithmeticTest : public testing::Test
{
protected:
    MessageRecorder boxes;
};

TEST_F(DataField2DArithmeticTest, TwoFieldFormsMatchTheElementRuleAndKeepTheLeftGeometry)
{
    const DataField2D a = leftOperand();
    const DataField2D b = rightOperand();
    for (const TwoFieldOperation& op : twoFieldOperations) {
        SCOPED_TRACE(op.name);
        const std::vector<float> expected = referenceValues(a, b, op.reference);

        const DataField2D value = op.byValue(a, b);
        expectGeometry(value, 3, 2, 1.0, -2.0, 0.5, 0.25);
        expectValues(value, expected, 1e-6f);
        if (op.byPointer) {
            const Ptr pa = makeShared(a);
            const Ptr result = op.byPointer(pa, makeShared(b));
            expectGeometry(*result, 3, 2, 1.0, -2.0, 0.5, 0.25);
            expectValues(*result, expected);
            expectValues(*pa, valuesOf(a)); // the operand stays unchanged
        }
        if (op.compound) {
            DataField2D inPlace = a;
            op.compound(inPlace, b);
            expectGeometry(inPlace, 3, 2, 1.0, -2.0, 0.5, 0.25);
            expectValues(inPlace, expected);
        }
        if (op.compoundPointer) {
            DataField2D inPlace = a;
            op.compoundPointer(inPlace, makeShared(b));
            expectValues(inPlace, expected);
        }
    }
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(DataField2DArithmeticTest, LargerRightOperandIsReadAtItsOwnIndex)
{
    const DataField2D a = makeField(2, 2, {1, 2, 3, 4});
    const DataField2D b = makeField(3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90});
    expectValues(a + b, {11, 22, 43, 54});
    expectValues(*(makeShared(a) * makeShared(b)), {10, 40, 120, 200});
    DataField2D inPlace = a;
    inPlace -= b;
    expectValues(inPlace, {-9, -18, -37, -46});
    EXPECT_FLOAT_EQ(scalarProduct(a, b), 10 + 40 + 120 + 200);
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(DataField2DArithmeticTest, SmallerRightOperandShowsTheBoxAndLeavesTheLeftUnchanged)
{
    const DataField2D a = leftOperand();
    const std::vector<float> before = valuesOf(a);
    const DataField2D narrow = makeField(2, 2, {1, 1, 1, 1}); // short along i
    const DataField2D low = makeField(3, 1, {1, 1, 1});       // short along j
    for (const DataField2D* b : {&narrow, &low}) {
        SCOPED_TRACE(testing::Message()
                     << "right operand " << b->getSizeI() << " x " << b->getSizeJ());
        for (const TwoFieldOperation& op : twoFieldOperations) {
            SCOPED_TRACE(op.name);
            boxes.clear();
            const DataField2D value = op.byValue(a, *b);
            expectGeometry(value, 3, 2, 1.0, -2.0, 0.5, 0.25);
            expectValues(value, before);
            std::size_t expectedBoxes = 1;
            if (op.byPointer) {
                expectValues(*op.byPointer(makeShared(a), makeShared(*b)), before);
                ++expectedBoxes;
            }
            if (op.compound) {
                DataField2D inPlace = a;
                op.compound(inPlace, *b);
                expectValues(inPlace, before);
                ++expectedBoxes;
            }
            if (op.compoundPointer) {
                DataField2D inPlace = a;
                op.compoundPointer(inPlace, makeShared(*b));
                expectValues(inPlace, before);
                ++expectedBoxes;
            }
            ASSERT_EQ(boxes.messages().size(), expectedBoxes);
            for (const RecordedMessage& m : boxes.messages()) {
                EXPECT_EQ(m.caption, QStringLiteral("Error!"));
                EXPECT_EQ(m.icon, MessageIcon::Critical);
            }
        }
        boxes.clear();
        EXPECT_EQ(scalarProduct(a, *b), 0.0f);
        EXPECT_EQ(scalarProduct(makeShared(a), makeShared(*b)), 0.0f);
        EXPECT_EQ(boxes.messages().size(), 2u);
    }
    EXPECT_TRUE(boxes.messages()[0].text.startsWith(
        QStringLiteral("Error in DataField2D::scalarProduct(): ")));
}

TEST_F(DataField2DArithmeticTest, ScalarForms)
{
    const DataField2D a = makeField(3, 1, {4, 0, -1}, 0.5, 0.25, 1.0, -2.0);
    struct Case
    {
        const char* name;
        std::function<DataField2D(const DataField2D&)> byValue;
        std::function<Ptr(Ptr)> byPointer;
        std::function<void(DataField2D&)> compound;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"a + 1.5",
         [](const DataField2D& f) { return f + 1.5f; },
         [](Ptr f) { return f + 1.5f; },
         [](DataField2D& f) { f += 1.5f; },
         {5.5f, 1.5f, 0.5f}},
        {"1.5 + a",
         [](const DataField2D& f) { return 1.5f + f; },
         [](Ptr f) { return 1.5f + f; },
         nullptr,
         {5.5f, 1.5f, 0.5f}},
        {"a - 1.5",
         [](const DataField2D& f) { return f - 1.5f; },
         [](Ptr f) { return f - 1.5f; },
         [](DataField2D& f) { f -= 1.5f; },
         {2.5f, -1.5f, -2.5f}},
        {"1.5 - a",
         [](const DataField2D& f) { return 1.5f - f; },
         [](Ptr f) { return 1.5f - f; },
         nullptr,
         {-2.5f, 1.5f, 2.5f}},
        {"-a",
         [](const DataField2D& f) { return -f; },
         [](Ptr f) { return -f; },
         nullptr,
         {-4, -0.0f, 1}},
        {"a * -2",
         [](const DataField2D& f) { return f * -2.0f; },
         [](Ptr f) { return f * -2.0f; },
         [](DataField2D& f) { f *= -2.0f; },
         {-8, -0.0f, 2}},
        {"-2 * a",
         [](const DataField2D& f) { return -2.0f * f; },
         [](Ptr f) { return -2.0f * f; },
         nullptr,
         {-8, -0.0f, 2}},
        {"a / 2",
         [](const DataField2D& f) { return f / 2.0f; },
         nullptr,
         [](DataField2D& f) { f /= 2.0f; },
         {2, 0, -0.5f}},
        {"a / 0",
         [](const DataField2D& f) { return f / 0.0f; },
         nullptr,
         [](DataField2D& f) { f /= 0.0f; },
         {0, 0, 0}},
        {"2 / a", [](const DataField2D& f) { return 2.0f / f; }, nullptr, nullptr, {0.5f, 0, -2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataField2D value = c.byValue(a);
        expectGeometry(value, 3, 1, 1.0, -2.0, 0.5, 0.25);
        expectValues(value, c.expected);
        if (c.byPointer) {
            const Ptr pa = makeShared(a);
            const Ptr result = c.byPointer(pa);
            expectGeometry(*result, 3, 1, 1.0, -2.0, 0.5, 0.25);
            expectValues(*result, c.expected);
            expectValues(*pa, {4, 0, -1});
        }
        if (c.compound) {
            DataField2D inPlace = a;
            c.compound(inPlace);
            expectGeometry(inPlace, 3, 1, 1.0, -2.0, 0.5, 0.25);
            expectValues(inPlace, c.expected);
        }
    }
}

TEST_F(DataField2DArithmeticTest, DivisionByZeroElementsGivesZeroAlsoForZeroAndNaNDividends)
{
    const DataField2D dividend = makeField(2, 2, {0, nan, 6, nan});
    const DataField2D divisor = makeField(2, 2, {0, -0.0f, 3, 2});
    expectValues(dividend / divisor, {0, 0, 2, nan});
    DataField2D inPlace = dividend;
    inPlace /= divisor;
    expectValues(inPlace, {0, 0, 2, nan});
    DataField2D byPointer = dividend;
    byPointer /= makeShared(divisor);
    expectValues(byPointer, {0, 0, 2, nan});

    DataField2D withNaN = makeField(3, 1, {nan, -inf, 5});
    withNaN /= 0.0f;
    expectValues(withNaN, {0, 0, 0});
}

TEST_F(DataField2DArithmeticTest, CompoundOperatorWithItself)
{
    DataField2D field = makeField(3, 1, {1, -2, 0});
    field *= field;
    expectValues(field, {1, 4, 0});
    field /= field;
    expectValues(field, {1, 1, 0});
}

TEST_F(DataField2DArithmeticTest, PowersAndSquareRoots)
{
    const DataField2D a = makeField(3, 1, {4, -2, 0.25f}, 0.5, 0.25, 1.0, -2.0);

    DataField2D cubed = a;
    cubed.applyPow(3);
    expectValues(cubed, {64, -8, 0.015625f});
    DataField2D inverse = a;
    inverse.applyPow(-1);
    expectValues(inverse, {0.25f, -0.5f, 4});
    const Ptr squared = a.power(2);
    expectGeometry(*squared, 3, 1, 1.0, -2.0, 0.5, 0.25);
    expectValues(*squared, {16, 4, 0.0625f});

    DataField2D root = a;
    root.applySqrt();
    expectValues(root, {2, nan, 0.5f});
    const Ptr rootCopy = a.squareRoot();
    expectGeometry(*rootCopy, 3, 1, 1.0, -2.0, 0.5, 0.25);
    expectValues(*rootCopy, {2, nan, 0.5f});
    const DataField2D rootValue = sqrt(a);
    expectGeometry(rootValue, 3, 1, 1.0, -2.0, 0.5, 0.25);
    expectValues(rootValue, {2, nan, 0.5f});
    const Ptr pa = makeShared(a);
    const Ptr rootPointer = sqrt(pa);
    expectGeometry(*rootPointer, 3, 1, 1.0, -2.0, 0.5, 0.25);
    expectValues(*rootPointer, {2, nan, 0.5f});
    expectValues(*pa, {4, -2, 0.25f});
}

TEST_F(DataField2DArithmeticTest, DivideByMax)
{
    struct Case
    {
        const char* name;
        std::vector<float> values;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"positive maximum", {-2, 4}, {-0.5f, 1}},
        {"negative maximum", {-2, -1}, {-2, -1}},
        {"zero maximum", {0, 0}, {0, 0}},
        {"NaN first element", {nan, 2}, {nan, 2}},
        {"NaN later is skipped", {2, nan}, {1, nan}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataField2D field = makeField(int(c.values.size()), 1, c.values);
        field.divideByMax();
        expectValues(field, c.expected);
    }
}

TEST_F(DataField2DArithmeticTest, NormalizeToUnitRange)
{
    struct Case
    {
        const char* name;
        std::vector<float> values;
        std::vector<float> expected;
    };
    const Case cases[] = {
        {"range", {2, 4, 6}, {0, 0.5f, 1}},
        {"negative range", {-1, -3, 1}, {0.5f, 0, 1}},
        {"constant inside", {0.5f, 0.5f}, {0.5f, 0.5f}},
        {"constant negative", {-3, -3}, {0, 0}},
        {"constant above one", {7, 7}, {1, 1}},
        {"constant one", {1, 1}, {1, 1}},
        {"constant zero", {0, 0}, {0, 0}},
        {"NaN first element", {nan, 1}, {nan, nan}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DataField2D field = makeField(int(c.values.size()), 1, c.values);
        field.normalizeToUnitRange();
        expectValues(field, c.expected);
    }
    DataField2D empty(0, 0, 0, 0, 1, 1, 0.0f);
    empty.normalizeToUnitRange();
    EXPECT_EQ(empty.getSizeI(), 0);
}

TEST_F(DataField2DArithmeticTest, TwoFieldFunctionsOnEdgeValues)
{
    const DataField2D re = makeField(3, 1, {-1, 0, 1e30f});
    const DataField2D im = makeField(3, 1, {0, 1, 1e30f});
    const DataField2D phase = atan2(re, im);
    EXPECT_FLOAT_EQ(phase.getValue(0, 0), 3.14159265f);
    EXPECT_FLOAT_EQ(phase.getValue(1, 0), 1.57079633f);
    const DataField2D modulus = hypot(re, im);
    EXPECT_TRUE(std::isfinite(modulus.getValue(2, 0)));
    EXPECT_FLOAT_EQ(modulus.getValue(2, 0), 1.41421356e30f);
    EXPECT_FLOAT_EQ(modulus.getValue(0, 0), 1.0f);
}

TEST_F(DataField2DArithmeticTest, ScalarProductAccumulatesInDouble)
{
    // 2^24 + 1 + 1: a float running sum would drop both ones.
    const DataField2D a = makeField(3, 1, {16777216.0f, 1, 1});
    const DataField2D ones = makeField(3, 1, {1, 1, 1});
    EXPECT_EQ(scalarProduct(a, ones), 16777218.0f);
    EXPECT_EQ(scalarProduct(makeShared(a), makeShared(ones)), 16777218.0f);
    EXPECT_FLOAT_EQ(scalarProduct(leftOperand(), rightOperand()), 2 + 0 - 0 - 6.75f + 0 - 48);
}

TEST_F(DataField2DArithmeticTest, BinarizeAndCountWithNaN)
{
    struct Case
    {
        const char* name;
        std::vector<float> values;
        float threshold;
        std::vector<float> mask;
        int above;
    };
    const Case cases[] = {
        {"threshold row", {0.2f, 0.5f, 0.7f, nan}, 0.5f, {0, 1, 1, 1}, 1},
        {"infinities", {-inf, inf, 0, -0.0f}, 0, {0, 1, 1, 1}, 1},
        {"all NaN", {nan, nan}, -inf, {1, 1}, 0},
        {"NaN threshold", {1, 2}, nan, {0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataField2D field
            = makeField(int(c.values.size()), 1, c.values, 0.5, 0.25, 1.0, -2.0);
        const Ptr mask = field.binarize(c.threshold);
        expectGeometry(*mask, int(c.values.size()), 1, 0.0, 0.0, 0.5, 0.25);
        expectValues(*mask, c.mask);
        EXPECT_EQ(field.countValuesAbove(c.threshold), c.above);
    }
    const DataField2D grid = makeField(3, 2, {0, 1, 2, 10, 11, 12});
    EXPECT_EQ(grid.countValuesAbove(10), 2);
    expectValues(*grid.binarize(11), {0, 0, 0, 0, 1, 1});
}

} // namespace
