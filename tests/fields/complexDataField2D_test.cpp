// Tests of the complex field's construction, assignment, element access, centred indices and
// geometric copies, on non-square fields.
#include "fields/complexDataField2D.h"

#include "base/phasedeckGlobals.h"
#include "complexFieldTestFields.h"
#include "fields/DataField2D.h"
#include "support/messageRecorder.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Element (i, j) of the 4 x 2 reference field: distinct in both parts and both indices.
complexFloat ref(int i, int j)
{
    return {float(10 * i + j), float(-i - 100 * j)};
}

complexDataField2D referenceField(int sizeI, int sizeJ)
{
    std::vector<complexFloat> values;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            values.push_back(ref(i, j));
    return complexFieldOf(sizeI, sizeJ, values, 2e-6, 3e-6, 1);
}

// Sets the default pitch for one test.
class DefaultPitch
{
public:
    DefaultPitch(double x, double y)
        : oldX(opticalParameters.defaultPixelSizeX)
        , oldY(opticalParameters.defaultPixelSizeY)
    {
        opticalParameters.defaultPixelSizeX = x;
        opticalParameters.defaultPixelSizeY = y;
    }
    ~DefaultPitch()
    {
        opticalParameters.defaultPixelSizeX = oldX;
        opticalParameters.defaultPixelSizeY = oldY;
    }

private:
    double oldX, oldY;
};

void expectShape(const complexDataField2D& field, int sizeI, int sizeJ, double dx, double dy,
                 int flag)
{
    EXPECT_EQ(field.getSizeI(), sizeI);
    EXPECT_EQ(field.getSizeJ(), sizeJ);
    EXPECT_EQ(field.getDx(), dx);
    EXPECT_EQ(field.getDy(), dy);
    EXPECT_EQ(field.getDomainFlag(), flag);
}

} // namespace

TEST(complexDataField2D, sizeConstructorsTakeTheDefaultPitch)
{
    DefaultPitch pitch(8e-6, 9e-6);
    complexDataField2D zeros(4, 2, 1);
    EXPECT_TRUE(zeros.isOk());
    expectShape(zeros, 4, 2, 8e-6, 9e-6, 1);
    expectComplexValues(zeros, std::vector<complexFloat>(8, {0.0f, 0.0f}));

    complexDataField2D filled(3, 2, complexFloat{1.5f, -2.0f});
    expectShape(filled, 3, 2, 8e-6, 9e-6, 0);
    expectComplexValues(filled, std::vector<complexFloat>(6, {1.5f, -2.0f}));
}

#if PHASEDECK_LAB
TEST(complexDataField2D, blockHoldsPairsWithIFastest)
{
    complexDataField2D field = referenceField(4, 2);
    const float* block = field.data();
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(block[2 * (4 * j + i)], ref(i, j).re);
            EXPECT_EQ(block[2 * (4 * j + i) + 1], ref(i, j).im);
        }
    field.setValueAt(5, 7.0f, -8.0f);
    expectComplexNear(field.getValue(1, 1), {7.0f, -8.0f}, 0.0);
}
#else
TEST(complexDataField2D, rowsHoldInterleavedPairsWithJFastest)
{
    const complexDataField2D field = referenceField(4, 2);
    float** rows = field.getRows();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 2; ++j) {
            EXPECT_EQ(rows[i][2 * j], ref(i, j).re);
            EXPECT_EQ(rows[i][2 * j + 1], ref(i, j).im);
        }
    // One block, rows 2 sizeJ floats apart.
    EXPECT_EQ(rows[1] - rows[0], 4);
    EXPECT_EQ(rows[3] - rows[0], 12);
}
#endif

// The storage-order block of the element-wise passes, in either edition's layout: every element
// once at its elementIndex, writes through the block seen by getValue; no block without elements.
TEST(complexDataField2D, storageOrderBlockPlacesEveryElementAtItsIndex)
{
    for (const auto& sizes : {std::pair<int, int>{4, 2}, {3, 5}, {1, 7}}) {
        SCOPED_TRACE(testing::Message() << sizes.first << " x " << sizes.second);
        complexDataField2D field = referenceField(sizes.first, sizes.second);
        ASSERT_EQ(field.elementCount(), std::size_t(sizes.first) * std::size_t(sizes.second));
        float* block = field.elementData();
        ASSERT_NE(block, nullptr);
        std::vector<int> seen(field.elementCount(), 0);
        for (int j = 0; j < sizes.second; ++j)
            for (int i = 0; i < sizes.first; ++i) {
                const std::size_t k = field.elementIndex(i, j);
                ASSERT_LT(k, field.elementCount());
                ++seen[k];
                EXPECT_EQ(block[2 * k], ref(i, j).re);
                EXPECT_EQ(block[2 * k + 1], ref(i, j).im);
                block[2 * k] = float(100 * i + j);
                block[2 * k + 1] = -1.0f;
            }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), std::ptrdiff_t(seen.size()));
        for (int j = 0; j < sizes.second; ++j)
            for (int i = 0; i < sizes.first; ++i)
                expectComplexNear(field.getValue(i, j), {float(100 * i + j), -1.0f}, 0.0);
    }
    const complexDataField2D empty(0, 3, 0);
    EXPECT_EQ(empty.elementData(), nullptr);
    EXPECT_EQ(empty.elementCount(), 0u);
}

TEST(complexDataField2D, copiesOwnTheirValues)
{
    const complexDataField2D source = referenceField(4, 2);

    complexDataField2D copy(source);
    expectShape(copy, 4, 2, 2e-6, 3e-6, 1);
    expectComplexValues(copy, complexValuesOf(source));
    copy.setValue(1, 1, {7.0f, 7.0f});
    expectComplexNear(source.getValue(1, 1), ref(1, 1), 0.0);

    const complexDataField2D shape(source, true);
    expectShape(shape, 4, 2, 2e-6, 3e-6, 1);
    expectComplexValues(shape, std::vector<complexFloat>(8, {0.0f, 0.0f}));

    complexDataField2D assigned(1, 1, 0);
    assigned = source;
    expectShape(assigned, 4, 2, 2e-6, 3e-6, 1);
    expectComplexValues(assigned, complexValuesOf(source));
    assigned.setValue(0, 0, {5.0f, 5.0f});
    expectComplexNear(source.getValue(0, 0), ref(0, 0), 0.0);

    // Assigning a smaller field replaces the storage.
    assigned = complexDataField2D(3, 1, complexFloat{2.0f, 0.0f});
    expectShape(assigned, 3, 1, opticalParameters.defaultPixelSizeX,
                opticalParameters.defaultPixelSizeY, 0);
    expectComplexValues(assigned, std::vector<complexFloat>(3, {2.0f, 0.0f}));
}

TEST(complexDataField2D, selfAssignmentKeepsTheField)
{
    complexDataField2D field = referenceField(4, 2);
    const std::vector<complexFloat> before = complexValuesOf(field);
    complexDataField2D& alias = field;
    field = alias;
    expectShape(field, 4, 2, 2e-6, 3e-6, 1);
    expectComplexValues(field, before);
}

TEST(complexDataField2D, madeFromARealFieldElementByElement)
{
    // The real field runs i fastest, the complex rows j fastest: the pair (i, j) must be kept.
    DataField2D real(3, 2, 5.0, -7.0, 4e-6, 5e-6, 0.0f);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            real.setValue(i, j, float(i + 10 * j));

    const complexDataField2D constructed(real);
    complexDataField2D assigned = referenceField(4, 2);
    assigned = real;
    for (const complexDataField2D* field :
         {&constructed, static_cast<const complexDataField2D*>(&assigned)}) {
        expectShape(*field, 3, 2, 4e-6, 5e-6, 0);
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 3; ++i) {
                SCOPED_TRACE(::testing::Message() << i << "," << j);
                expectComplexNear(field->getValue(i, j), {float(i + 10 * j), 0.0f}, 0.0);
            }
    }
}

TEST(complexDataField2D, emptyAndNegativeSizes)
{
    complexDataField2D negative(-3, 2, 0);
    EXPECT_FALSE(negative.isOk());
    EXPECT_EQ(negative.getSizeI(), 0);
    EXPECT_EQ(negative.getSizeJ(), 0);

    complexDataField2D empty(0, 3, 0);
    EXPECT_TRUE(empty.isOk());
    EXPECT_EQ(storageOf(empty), nullptr);
    expectComplexNear(empty.getValuePeriodic(-1, 5), {0.0f, 0.0f}, 0.0);
    complexDataField2D copy(empty);
    copy = negative;
    EXPECT_EQ(copy.getSizeI(), 0);
}

TEST(complexDataField2D, sizesBeyondTheIndexRangeGiveAnEmptyField)
{
    // More than INT_MAX / 2 elements: 2 sizeI sizeJ floats would overflow an int. Nothing is
    // allocated for them.
    struct Case
    {
        int sizeI, sizeJ;
    };
    const Case cases[] = {{1 << 15, 1 << 15}, {INT_MAX, 2},  {2, INT_MAX / 2 + 1}, {46341, 46341},
                          {INT_MAX, INT_MAX}, {-1, INT_MAX}, {1, 1 << 30},         {65536, 65536}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sizeI << " x " << c.sizeJ);
        complexDataField2D field(c.sizeI, c.sizeJ, 1);
        EXPECT_FALSE(field.isOk());
        EXPECT_EQ(field.getSizeI(), 0);
        EXPECT_EQ(field.getSizeJ(), 0);
        EXPECT_EQ(storageOf(field), nullptr);
        EXPECT_EQ(field.getDomainFlag(), 1);
        EXPECT_EQ(field.getMaxAbs(), 0.0f);
        EXPECT_EQ(field.getTotalIntensity(), 0.0);

        complexDataField2D filled(c.sizeI, c.sizeJ, complexFloat{1.0f, 0.0f});
        EXPECT_FALSE(filled.isOk());
        EXPECT_EQ(filled.getSizeI(), 0);
        EXPECT_EQ(field.cyclicShift(1, 1)->getSizeI(), 0);
        EXPECT_EQ(field.resizeCentered(2, 2)->getSizeI(), 2);
    }
    // Copying or assigning an empty field gives an empty field with storage of its own.
    complexDataField2D refused(1 << 16, 1 << 15, 0);
    complexDataField2D copy(refused);
    EXPECT_EQ(copy.getSizeI(), 0);
    EXPECT_EQ(storageOf(copy), nullptr);
    complexDataField2D assigned = referenceField(4, 2);
    assigned = refused;
    EXPECT_EQ(assigned.getSizeI(), 0);
    EXPECT_EQ(assigned.getSizeJ(), 0);
    EXPECT_EQ(storageOf(assigned), nullptr);
}

#if !PHASEDECK_LAB
// Storage the system refuses leaves an empty field instead of ending the process (the address
// space of a child process is limited; AddressSanitizer's reservations need it unlimited).
TEST(complexDataField2DDeathTest, refusedRowStorageLeavesAnEmptyField)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer cannot run under a limited address space";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            long pages = 0;
            if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(statm, "%ld", &pages) != 1)
                    pages = 0;
                std::fclose(statm);
            }
            // What the process holds and 256 MB more; the field asks for 2 GB.
            limit.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(256) << 20);
            setrlimit(RLIMIT_AS, &limit);
            complexDataField2D field(1 << 14, 1 << 14, 0);
            complexDataField2D small(3, 2, 0);
            std::exit(!field.isOk() && field.getSizeI() == 0 && field.getSizeJ() == 0
                              && storageOf(field) == nullptr && small.isOk()
                          ? 0
                          : 1);
        },
        testing::ExitedWithCode(0), "");
#endif
}
#endif

TEST(complexDataField2D, parametersAndCoordinates)
{
    complexDataField2D field = referenceField(4, 2);
    field.setPixelSize(2.0, 0.5);
    EXPECT_DOUBLE_EQ(field.getX(3), 6.0);
    EXPECT_DOUBLE_EQ(field.getY(1), 0.5);
    field.setDx(3.0);
    field.setDy(4.0);
    EXPECT_DOUBLE_EQ(field.getX(-1), -3.0);
    EXPECT_DOUBLE_EQ(field.getY(2), 8.0);

    boost::shared_ptr<complexDataField2D> other(new complexDataField2D(3, 2, 0));
    field.copyParametersTo(other);
    expectShape(*other, 3, 2, 3.0, 4.0, 1);
    expectComplexValues(*other, std::vector<complexFloat>(6, {0.0f, 0.0f}));

    other->setPixelSize(9.0, 8.0);
    other->setDomainFlag(0);
    field.copyParametersFrom(other);
    expectShape(field, 4, 2, 9.0, 8.0, 0);
    expectComplexValues(field, complexValuesOf(referenceField(4, 2)));
}

TEST(complexDataField2D, centredIndices)
{
    struct Case
    {
        int size;
        std::vector<int> centred;
    };
    const Case cases[]
        = {{1, {0}}, {2, {0, -1}}, {3, {0, 1, -1}}, {4, {0, 1, -2, -1}}, {5, {0, 1, 2, -2, -1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const complexDataField2D alongI(c.size, 2, 0);
        const complexDataField2D alongJ(3, c.size, 0);
        for (int k = 0; k < c.size; ++k) {
            EXPECT_EQ(alongI.centeredIndexI(k), c.centred[std::size_t(k)]) << k;
            EXPECT_EQ(alongJ.centeredIndexJ(k), c.centred[std::size_t(k)]) << k;
        }
    }

    struct RangeCase
    {
        int sizeI, sizeJ, i, j;
        bool inside;
    };
    const RangeCase ranges[]
        = {{3, 2, -1, -1, true}, {3, 2, 2, 0, false}, {3, 2, 1, 0, true},  {3, 2, 0, 1, false},
           {3, 2, -2, 0, false}, {4, 2, -2, 0, true}, {4, 2, 2, 0, false}, {5, 2, 2, 0, true},
           {5, 2, -2, -1, true}, {5, 2, -3, 0, false}};
    for (const RangeCase& c : ranges) {
        SCOPED_TRACE(::testing::Message()
                     << c.sizeI << " x " << c.sizeJ << " at " << c.i << "," << c.j);
        EXPECT_EQ(complexDataField2D(c.sizeI, c.sizeJ, 0).isInCenteredRange(c.i, c.j), c.inside);
    }
}

TEST(complexDataField2D, periodicAccessWrapsBothIndices)
{
    struct Case
    {
        int i, j, wrappedI, wrappedJ;
    };
    // 4 x 2 field.
    const Case cases[] = {
        {-1, 2, 3, 0},      {9, -6, 1, 0},
        {0, 0, 0, 0},       {3, 1, 3, 1},
        {4, 2, 0, 0},       {-4, -2, 0, 0},
        {-5, -1, 3, 1},     {402, 7, 2, 1},
        {INT_MIN, 0, 0, 0}, {INT_MAX, INT_MAX, 3, 1},
    };
    const complexDataField2D field = referenceField(4, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.i << "," << c.j);
        expectComplexNear(field.getValuePeriodic(c.i, c.j), ref(c.wrappedI, c.wrappedJ), 0.0);
    }
    const complexDataField2D odd = referenceField(3, 2);
    expectComplexNear(odd.getValuePeriodic(-1, 2), ref(2, 0), 0.0);
    expectComplexNear(odd.getValuePeriodic(7, -6), ref(1, 0), 0.0);
}

TEST(complexDataField2D, checkedAccessReportsIndicesOutside)
{
    MessageRecorder recorder;
    const complexDataField2D field = referenceField(4, 2);
    expectComplexNear(field.getValueChecked(3, 1), ref(3, 1), 0.0);
    expectComplexNear(field.getValueChecked(0, 0), ref(0, 0), 0.0);
    EXPECT_TRUE(recorder.messages().empty());

    struct Case
    {
        int i, j;
        const char* text;
    };
    const Case cases[] = {
        {4, 0, "SizeI=4 -- Illegal access to field value in DataField2D at [4,0] !"},
        {-1, 0, "SizeI=4 -- Illegal access to field value in DataField2D at [-1,0] !"},
        {0, 2, "SizeI=4 -- Illegal access to field value in DataField2D at [0,2] !"},
        {2, -1, "SizeI=4 -- Illegal access to field value in DataField2D at [2,-1] !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        recorder.clear();
        expectComplexNear(field.getValueChecked(c.i, c.j), {0.0f, 0.0f}, 0.0);
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("Error!"));
        EXPECT_EQ(recorder.messages()[0].text, QString::fromLatin1(c.text));
    }
}

TEST(complexDataField2D, resizeCenteredCropsAndPads)
{
    std::vector<complexFloat> values;
    for (int k = 0; k < 16; ++k)
        values.push_back({float(k), float(-k)});
    const complexDataField2D square = complexFieldOf(4, 4, values, 2.0, 3.0, 1);

    const boost::shared_ptr<complexDataField2D> padded = square.resizeCentered(6, 6);
    expectShape(*padded, 6, 6, 2.0, 3.0, 1);
    for (int j = 0; j < 6; ++j)
        for (int i = 0; i < 6; ++i) {
            SCOPED_TRACE(::testing::Message() << i << "," << j);
            const bool inside = i >= 1 && i <= 4 && j >= 1 && j <= 4;
            expectComplexNear(padded->getValue(i, j),
                              inside ? square.getValue(i - 1, j - 1) : complexFloat{0.0f, 0.0f},
                              0.0);
        }

    const boost::shared_ptr<complexDataField2D> cropped = square.resizeCentered(2, 2);
    expectShape(*cropped, 2, 2, 2.0, 3.0, 1);
    expectComplexValues(*cropped, {square.getValue(1, 1), square.getValue(2, 1),
                                   square.getValue(1, 2), square.getValue(2, 2)});

    // Odd and non-square: old (sizeI / 2, sizeJ / 2) lands on new (nI / 2, nJ / 2).
    const complexDataField2D field = referenceField(3, 2);
    const boost::shared_ptr<complexDataField2D> wide = field.resizeCentered(4, 5);
    expectComplexNear(wide->getValue(2, 2), ref(1, 1), 0.0);
    expectComplexNear(wide->getValue(1, 1), ref(0, 0), 0.0);
    expectComplexNear(wide->getValue(3, 2), ref(2, 1), 0.0);
    expectComplexNear(wide->getValue(0, 1), {0.0f, 0.0f}, 0.0);
    expectComplexNear(wide->getValue(2, 3), {0.0f, 0.0f}, 0.0);
    const boost::shared_ptr<complexDataField2D> narrow = field.resizeCentered(1, 1);
    expectComplexValues(*narrow, {ref(1, 1)});
    EXPECT_EQ(field.resizeCentered(0, 3)->getSizeI(), 0);
}

TEST(complexDataField2D, cyclicShiftMovesContentWithWrapAround)
{
    const complexDataField2D field = referenceField(4, 2);
    struct Case
    {
        int di, dj;
    };
    const Case cases[] = {{1, 0}, {0, 1},    {-1, 0}, {-4, 0},      {3, -1},
                          {9, 5}, {-13, -2}, {0, 0},  {INT_MIN, 1}, {INT_MAX, INT_MIN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.di << "," << c.dj);
        const boost::shared_ptr<complexDataField2D> shifted = field.cyclicShift(c.di, c.dj);
        expectShape(*shifted, 4, 2, 2e-6, 3e-6, 1);
        const long long si = ((c.di % 4) + 4) % 4;
        const long long sj = ((c.dj % 2) + 2) % 2;
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 4; ++i)
                expectComplexNear(shifted->getValue(int((i + si) % 4), int((j + sj) % 2)),
                                  ref(i, j), 0.0);
    }
    // Row sizeI - 1 moves to row 0.
    const boost::shared_ptr<complexDataField2D> down = field.cyclicShift(1, 0);
    expectComplexNear(down->getValue(0, 1), ref(3, 1), 0.0);
    EXPECT_EQ(complexDataField2D(0, 2, 0).cyclicShift(1, 1)->getSizeJ(), 2);
}
