// Tests of the complex field's derived real fields, phase and modulus maps, ranges, sums,
// neighbour change counts and distinct-value test.
#include "fields/complexDataField2D.h"

#include "complexFieldTestFields.h"
#include "fields/DataField2D.h"

#include <limits>

namespace {

constexpr double pi = 3.141592653589793;
const float notANumber = std::numeric_limits<float>::quiet_NaN();

// 3 x 2 with negative reals, pure imaginary values and a zero.
complexDataField2D mixedField()
{
    return complexFieldOf(3, 2, {{-1, 0}, {0, -1}, {3, 4}, {0, 0}, {-2, -2}, {0.5f, 1}}, 2e-6, 3e-6,
                          1);
}

void expectRealField(const DataField2D& field, const std::vector<float>& expected, double tol)
{
    ASSERT_EQ(field.getSizeI(), 3);
    ASSERT_EQ(field.getSizeJ(), 2);
    EXPECT_EQ(field.getX0(), 0.0);
    EXPECT_EQ(field.getY0(), 0.0);
    EXPECT_EQ(field.getDx(), 2e-6);
    EXPECT_EQ(field.getDy(), 3e-6);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(field.getValue(i, j), expected[std::size_t(3 * j + i)], tol)
                << i << "," << j;
}

struct Ranges
{
    float minRe, maxRe, minIm, maxIm, minAbs, maxAbs;
};

Ranges rangesOf(complexDataField2D& field)
{
    Ranges r{};
    field.getStatistics(r.minRe, r.maxRe, r.minIm, r.maxIm, r.minAbs, r.maxAbs);
    return r;
}

} // namespace

TEST(complexDataField2DStatistics, derivedRealFields)
{
    const complexDataField2D field = mixedField();
    const float sq8 = float(std::sqrt(8.0));
    expectRealField(*field.getRealPart(), {-1, 0, 3, 0, -2, 0.5f}, 0.0);
    expectRealField(*field.getImagPart(), {0, -1, 4, 0, -2, 1}, 0.0);
    expectRealField(*field.getAmplitude(), {1, 1, 5, 0, sq8, float(std::sqrt(1.25))}, 1e-6);
    expectRealField(*field.getIntensity(), {1, 1, 25, 0, 8, 1.25f}, 1e-6);
    // The phase of a negative real is +pi; of a negative imaginary value -pi / 2.
    expectRealField(*field.getPhase(),
                    {float(pi), float(-pi / 2), float(std::atan2(4.0, 3.0)), 0.0f,
                     float(-3 * pi / 4), float(std::atan2(1.0, 0.5))},
                    1e-6);
    expectComplexValues(field, complexValuesOf(mixedField()));
}

TEST(complexDataField2DStatistics, phaseAndModulusMaps)
{
    const std::vector<complexFloat> values{{0, 0}, {2, 0}, {0, -3}, {-3, 4}, {-0.5f, 0}, {1, 1}};
    const float h = float(1.0 / std::sqrt(2.0));
    const std::vector<complexFloat> phases{{0, 0}, {1, 0}, {0, -1}, {-0.6f, 0.8f}, {-1, 0}, {h, h}};
    const std::vector<complexFloat> moduli{{0, 0}, {2, 0}, {3, 0}, {5, 0}, {0.5f, 0}, {1 / h, 0}};

    complexDataField2D field = complexFieldOf(3, 2, values, 2e-6, 3e-6, 1);
    const boost::shared_ptr<complexDataField2D> phaseOnly = field.getPhaseOnly();
    const boost::shared_ptr<complexDataField2D> absolute = field.getAbsolute();
    expectComplexValues(field, values);
    expectComplexValues(*phaseOnly, phases, 1e-6);
    expectComplexValues(*absolute, moduli, 1e-6);
    for (const complexDataField2D* copy : {phaseOnly.get(), absolute.get()}) {
        EXPECT_EQ(copy->getDx(), 2e-6);
        EXPECT_EQ(copy->getDy(), 3e-6);
        EXPECT_EQ(copy->getDomainFlag(), 1);
    }

    complexDataField2D inPlace(field);
    inPlace.makePhaseOnly();
    expectComplexValues(inPlace, phases, 1e-6);
    inPlace = field;
    inPlace.makeAbsolute();
    expectComplexValues(inPlace, moduli, 1e-6);

    const boost::shared_ptr<DataField2D> amplitude = field.splitAmplitude();
    expectRealField(*amplitude, {0, 2, 3, 5, 0.5f, 1 / h}, 1e-6);
    expectComplexValues(field, phases, 1e-6);
    EXPECT_EQ(field.getDomainFlag(), 1);
}

TEST(complexDataField2DStatistics, rangesOfAConstantField)
{
    complexDataField2D field(4, 2, complexFloat{3.0f, 4.0f});
    float min = 0, max = 0;
    field.getRangeAbs(min, max);
    EXPECT_FLOAT_EQ(min, 5.0f);
    EXPECT_FLOAT_EQ(max, 5.0f);
    field.getRangeIntensity(min, max);
    EXPECT_FLOAT_EQ(min, 25.0f);
    EXPECT_FLOAT_EQ(max, 25.0f);
    field.getRangeRe(min, max);
    EXPECT_EQ(min, 3.0f);
    EXPECT_EQ(max, 3.0f);
    field.getRangeIm(min, max);
    EXPECT_EQ(min, 4.0f);
    EXPECT_EQ(max, 4.0f);
    EXPECT_DOUBLE_EQ(field.getTotalIntensity(), 25.0 * 8);
    expectComplexNear(field.getSum(), {24.0f, 32.0f}, 0.0);
}

TEST(complexDataField2DStatistics, rangesFollowEveryChange)
{
    complexDataField2D field = mixedField();
    const Ranges r = rangesOf(field);
    EXPECT_EQ(r.minRe, -2.0f);
    EXPECT_EQ(r.maxRe, 3.0f);
    EXPECT_EQ(r.minIm, -2.0f);
    EXPECT_EQ(r.maxIm, 4.0f);
    EXPECT_EQ(r.minAbs, 0.0f);
    EXPECT_EQ(r.maxAbs, 5.0f);
    EXPECT_EQ(field.getMinRe(), -2.0f);
    EXPECT_EQ(field.getMaxRe(), 3.0f);
    EXPECT_EQ(field.getMinIm(), -2.0f);
    EXPECT_EQ(field.getMaxIm(), 4.0f);
    EXPECT_EQ(field.getMinAbs(), 0.0f);
    EXPECT_EQ(field.getMaxAbs(), 5.0f);
    EXPECT_EQ(field.getMinIntensity(), 0.0f);
    EXPECT_FLOAT_EQ(field.getMaxIntensity(), 25.0f);

    // Every getter recomputes: a change after a first call shows at the next one.
    field.setValue(2, 1, {-7.0f, 9.0f});
    EXPECT_EQ(field.getMinRe(), -7.0f);
    EXPECT_EQ(field.getMaxIm(), 9.0f);
    EXPECT_FLOAT_EQ(field.getMaxAbs(), float(std::hypot(7.0, 9.0)));
}

TEST(complexDataField2DStatistics, nanElementsLeaveTheRangesOfTheOthers)
{
    complexDataField2D field = mixedField();
    field.setValue(1, 1, {notANumber, 100.0f});
    field.setValue(
        2, 0,
        {notANumber, notANumber}); // was (3, 4), the largest real part, imaginary part, modulus
    const Ranges r = rangesOf(field);
    EXPECT_EQ(r.minRe, -1.0f);
    EXPECT_EQ(r.maxRe, 0.5f);
    EXPECT_EQ(r.minIm, -1.0f);
    EXPECT_EQ(r.maxIm, 100.0f);
    EXPECT_EQ(r.minAbs, 0.0f);
    EXPECT_FLOAT_EQ(r.maxAbs, 1.118034f);

    // A NaN at (0, 0) is where the pass starts; it stays.
    field.setValue(0, 0, {notANumber, 0.0f});
    float min = 0, max = 0;
    field.getRangeRe(min, max);
    EXPECT_TRUE(std::isnan(min));
    EXPECT_TRUE(std::isnan(max));
}

TEST(complexDataField2DStatistics, emptyFieldsHaveZeroRangesAndSums)
{
    for (complexDataField2D field :
         {complexDataField2D(0, 0, 0), complexDataField2D(0, 3, 0), complexDataField2D(2, 0, 0)}) {
        SCOPED_TRACE(::testing::Message() << field.getSizeI() << " x " << field.getSizeJ());
        const Ranges r = rangesOf(field);
        EXPECT_EQ(r.minRe, 0.0f);
        EXPECT_EQ(r.maxRe, 0.0f);
        EXPECT_EQ(r.minAbs, 0.0f);
        EXPECT_EQ(r.maxAbs, 0.0f);
        EXPECT_EQ(field.getMaxIntensity(), 0.0f);
        EXPECT_EQ(field.getTotalIntensity(), 0.0);
        expectComplexNear(field.getSum(), {0.0f, 0.0f}, 0.0);
        int countI = -1, countJ = -1;
        field.countValueChanges(countI, countJ);
        EXPECT_EQ(countI, 0);
        EXPECT_EQ(countJ, 0);
        EXPECT_TRUE(field.hasAtMostNValues(0));
    }
}

TEST(complexDataField2DStatistics, sumsInDoublePrecision)
{
    // 2^24 + 1 is not a float: a float accumulator would lose the small parts.
    complexDataField2D field(4, 2, complexFloat{1.0f, -1.0f});
    field.setValue(0, 0, {16777216.0f, 0.0f});
    expectComplexNear(field.getSum(), {16777224.0f, -7.0f}, 0.0);
    EXPECT_EQ(field.getTotalIntensity(), 16777216.0 * 16777216.0 + 7 * 2);
}

TEST(complexDataField2DStatistics, valueChangesCountCyclicNeighbours)
{
    const complexFloat a{1, 0};
    const complexFloat b{1, 2};
    struct Case
    {
        const char* name;
        int sizeI, sizeJ;
        std::vector<complexFloat> values; // i fastest
        int countI, countJ;
    };
    const Case cases[] = {
        {"a a b b along i", 4, 1, {a, a, b, b}, 2, 0},
        {"one element", 1, 1, {a}, 0, 0},
        {"a b along j", 1, 2, {a, b}, 0, 2},
        {"3 x 2", 3, 2, {a, b, b, a, a, a}, 2, 4},
        {"imaginary parts differ", 2, 1, {{1, 0}, {1, -0.0f}}, 0, 0},
        {"NaN differs from itself", 1, 1, {{notANumber, 0}}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        complexDataField2D field = complexFieldOf(c.sizeI, c.sizeJ, c.values, 0.5, 2.0);
        int countI = -1, countJ = -1;
        field.countValueChanges(countI, countJ);
        EXPECT_EQ(countI, c.countI);
        EXPECT_EQ(countJ, c.countJ);
        EXPECT_DOUBLE_EQ(field.getValueChangeLength(), 0.5 * c.countI + 2.0 * c.countJ);
    }
}

TEST(complexDataField2DStatistics, hasAtMostNValues)
{
    const complexFloat one{1, 0};
    const complexFloat minusOne{-1, 0};
    struct Case
    {
        const char* name;
        std::vector<complexFloat> values; // a 3 x 2 field
        int n;
        bool expected;
    };
    const Case cases[] = {
        {"two values, n 2", {one, minusOne, one, one, minusOne, minusOne}, 2, true},
        {"three values, n 2", {one, minusOne, {0, 1}, one, one, one}, 2, false},
        {"three values, n 3", {one, minusOne, {0, 1}, one, one, one}, 3, true},
        {"closer than 1e-6", {one, {1.0000005f, 0}, {1, 4e-7f}, one, one, one}, 1, true},
        {"apart by the sum of both parts",
         {one, {1.0000006f, 6e-7f}, one, one, one, one},
         1,
         false},
        {"NaN matches nothing", {{notANumber, 0}, {notANumber, 0}, one, one, one, one}, 2, false},
        {"n 0", {one, one, one, one, one, one}, 0, false},
        {"six values, n 256", {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}, 256, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(complexFieldOf(3, 2, c.values).hasAtMostNValues(c.n), c.expected);
    }

    // More than 255 distinct values are still counted: 300 values against 299 and 300.
    complexDataField2D ramp(300, 1, 0);
    for (int i = 0; i < 300; ++i)
        ramp.setValue(i, {float(i), 0.0f});
    EXPECT_FALSE(ramp.hasAtMostNValues(299));
    EXPECT_TRUE(ramp.hasAtMostNValues(300));
    EXPECT_FALSE(ramp.hasAtMostNValues(44)); // 300 mod 256 in an 8-bit count
}
