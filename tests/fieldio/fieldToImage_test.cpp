// Field to gray image: quantisation, integer fast path, orientation, centred complex display,
// two-level images, tiling and bit masks.
#include "fieldio/fieldToImage.h"

#include "fieldioTestSupport.h"
#include "fields/binaryArray2D.h"
#include "fields/complexDataField2D.h"

#include <cmath>
#include <limits>

namespace {

const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

struct QuantisationCase
{
    const char* name;
    std::vector<float> values; // a single row
    bool autoRange;
    float min;
    float max;
    int levels;
    std::vector<int> grays;
};

TEST(DataField2DToImage, QuantisesSingleRows)
{
    const QuantisationCase cases[] = {
        {"constant 5 takes the integer path", {5, 5, 5}, true, 0, 0, 256, {5, 5, 5}},
        {"constant 1.0 has a zero range", {1, 1, 1}, true, 0, 0, 256, {0, 0, 0}},
        {"constant -2 has a zero range", {-2, -2}, true, 0, 0, 256, {0, 0}},
        {"constant 2.5 has a zero range", {2.5f, 2.5f}, true, 0, 0, 256, {0, 0}},
        {"integers keep their value",
         {0, 1, 17, 128, 254, 255},
         true,
         0,
         0,
         256,
         {0, 1, 17, 128, 254, 255}},
        {"near-integers round down to the integer", {3.000005f, 7}, true, 0, 0, 256, {3, 7}},
        {"max 1.0 takes the quantised path",
         {0, 0.25f, 0.5f, 1},
         true,
         0,
         0,
         256,
         {0, 64, 128, 255}},
        {"two levels: 0 below min + 0.51 step, else 255",
         {0, 0.25f, 0.26f, 1},
         false,
         0,
         1,
         2,
         {0, 0, 255, 255}},
        {"three levels spread by 85", {0, 0.5f, 1}, false, 0, 1, 3, {0, 85, 170}},
        {"one level is black", {0, 0.5f, 1}, false, 0, 1, 1, {0, 0, 0}},
        {"outside the range clamps", {-5.5f, 300.5f}, false, 0, 100, 256, {0, 255}},
        {"outside the range clamps at three levels", {-5.5f, 300.5f}, false, 0, 100, 3, {0, 170}},
        {"NaN and infinities", {nan, 1, 2, inf, -inf}, false, 0, 2, 256, {0, 128, 255, 255, 0}},
        {"huge values clamp", {1e30f, -1e30f}, false, 0, 1, 256, {255, 0}},
        {"explicit zero range", {3, 4.5f}, false, 4, 4, 256, {0, 0}},
        {"zero levels", {0, 1}, false, 0, 1, 0, {0, 0}},
    };
    for (const QuantisationCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto field = makeField(int(c.values.size()), 1, c.values);
        const QImage image = c.autoRange ? dataField2DToImageAutoRange(field, c.levels)
                                         : dataField2DToImage(field, c.min, c.max, c.levels);
        expectPhaseImageFormat(image);
        EXPECT_EQ(pixelLines(image), std::vector<std::vector<int>>{c.grays});
    }
}

TEST(DataField2DToImage, RampMapsOntoItself)
{
    std::vector<float> ramp(256);
    for (int k = 0; k < 256; ++k)
        ramp[size_t(k)] = float(k);
    const QImage image = dataField2DToImageAutoRange(makeField(16, 16, ramp), 256);
    for (int k = 0; k < 256; ++k)
        ASSERT_EQ(image.pixelIndex(k % 16, 15 - k / 16), k);
}

TEST(DataField2DToImage, IntegerPathWritesLowBitsOfValuesOutsideTheRange)
{
    // Only integers, range 0..255: trunc(v + 0.0001) modulo 256, so -5 becomes -4.
    const QImage image = dataField2DToImage(makeField(3, 1, {-5, 300, 12}), 0, 255, 256);
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{252, 44, 12}}));
}

TEST(DataField2DToImage, RowsRunUpFromTheBottomLine)
{
    // 3 x 2: element (i, j) at column i, line 1 - j.
    const QImage image = dataField2DToImageAutoRange(makeField(3, 2, {1, 2, 3, 4, 5, 6}), 256);
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{4, 5, 6}, {1, 2, 3}}));
    const QImage tall = dataField2DToImageAutoRange(makeField(1, 3, {7, 8, 9}), 256);
    EXPECT_EQ(pixelLines(tall), (std::vector<std::vector<int>>{{9}, {8}, {7}}));
}

TEST(DataField2DToImage, EmptyFieldGivesNullImage)
{
    const boost::shared_ptr<DataField2D> empty(new DataField2D(0, 0, 0, 0, 1, 1, 0.0f));
    EXPECT_TRUE(dataField2DToImageAutoRange(empty, 256).isNull());
}

// A complex field of nI x nJ holding values in element order (i fastest).
boost::shared_ptr<complexDataField2D> makeComplexField(int nI, int nJ,
                                                       const std::vector<complexFloat>& values)
{
    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(nI, nJ, 0));
    for (int j = 0; j < nJ; ++j)
        for (int i = 0; i < nI; ++i)
            field->setValue(i, j, values.at(size_t(j) * size_t(nI) + size_t(i)));
    return field;
}

// Real parts 10 i + j + 1, so that a gray over the range 0..256 names its element.
boost::shared_ptr<complexDataField2D> numberedField(int nI, int nJ)
{
    std::vector<complexFloat> values;
    for (int j = 0; j < nJ; ++j)
        for (int i = 0; i < nI; ++i)
            values.push_back({float(10 * i + j + 1), 0.0f});
    return makeComplexField(nI, nJ, values);
}

TEST(ComplexDataField2DToImage, CentresElementZero)
{
    struct Case
    {
        int nI, nJ;
        std::vector<std::vector<int>> lines; // top line first
    };
    const Case cases[] = {
        // Column x shows i = (x - W/2) mod W, line H - 1 - r shows j = (r - H/2) mod H.
        {3, 3, {{22, 2, 12}, {21, 1, 11}, {23, 3, 13}}},
        {4, 2, {{21, 31, 1, 11}, {22, 32, 2, 12}}},
        {1, 1, {{1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nI << " x " << c.nJ);
        const QImage image = complexDataField2DToGrayImage(numberedField(c.nI, c.nJ),
                                                           displayRealPart, 0, 256, 256);
        expectPhaseImageFormat(image);
        EXPECT_EQ(pixelLines(image), c.lines);
    }
}

TEST(ComplexDataField2DToImage, ImpulseShowsAtTheCentre)
{
    std::vector<complexFloat> values(64, complexFloat{0.0f, 0.0f});
    values[0] = {1.0f, 0.0f};
    const QImage image
        = complexDataField2DToImage(makeComplexField(8, 8, values), displayAmplitude, 256);
    expectPhaseImageFormat(image);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(image.pixelIndex(x, y), (x == 4 && y == 3) ? 255 : 0)
                << "column " << x << ", line " << y;
}

TEST(ComplexDataField2DToImage, ValuesByDisplayMode)
{
    struct Case
    {
        int mode;
        int gray;
    };
    // (3, 4) over 0..256 shows its value; the phase atan2(4, 3) = 0.9273 over -pi..pi.
    const Case cases[] = {{displayRealPart, 3},   {displayImaginaryPart, 4}, {displayAmplitude, 5},
                          {displayIntensity, 25}, {displayPhase, 166},       {0, 0}};
    const auto field = makeComplexField(1, 1, {{3.0f, 4.0f}});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        const bool phase = c.mode == displayPhase;
        const QImage image = complexDataField2DToGrayImage(
            field, c.mode, phase ? -3.14159265f : 0.0f, phase ? 3.14159265f : 256.0f, 256);
        EXPECT_EQ(image.pixelIndex(0, 0), c.gray);
    }
}

TEST(ComplexDataField2DToImage, PhaseOfPiShowsAsMinusPi)
{
    // Elements 0..3 at columns 2, 3, 0, 1: phases pi, -pi, 0 and pi / 2.
    const auto field = makeComplexField(4, 1, {{-1, 0}, {-1, -0.0f}, {1, 0}, {0, 1}});
    const QImage image = complexDataField2DToImage(field, displayPhase, 256);
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{128, 192, 0, 0}}));
}

TEST(ComplexDataField2DToImage, FewLevelsGiveTwoLevelImageAtMidRange)
{
    // Real parts -1, 0, 1, NaN at columns 2, 3, 0, 1; threshold (min + max) / 2 = 0.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto field = makeComplexField(4, 1, {{-1, 0}, {0, 0}, {1, 0}, {nan, 0}});
    for (int levels : {1, 2}) {
        SCOPED_TRACE(levels);
        const QImage image = complexDataField2DToImage(field, displayRealPart, levels);
        expectTwoLevelImageFormat(image);
        EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{1, 0, 0, 1}}));
    }
    const QImage folded = complexDataField2DToTwoLevelImage(
        makeComplexField(2, 1, {{-1, 0}, {1, 0}}), displayPhase, 3.0f);
    EXPECT_EQ(pixelLines(folded), (std::vector<std::vector<int>>{{0, 0}}));
}

TEST(ComplexDataField2DToImage, ConstantFieldIsBlack)
{
    const auto field = makeComplexField(2, 2, std::vector<complexFloat>(4, {3.0f, 4.0f}));
    for (int mode = 1; mode <= 5; ++mode) {
        SCOPED_TRACE(mode);
        if (mode == displayPhase)
            continue; // fixed range
        EXPECT_EQ(pixelLines(complexDataField2DToImage(field, mode, 256)),
                  (std::vector<std::vector<int>>{{0, 0}, {0, 0}}));
    }
}

TEST(TileComplexDataField2DImage, RepeatsTheTileFromTheTopLeft)
{
    // The 3 x 2 tile (centred) is {{21, 1, 11}, {22, 2, 12}}: cut off at the right and bottom.
    const QImage image
        = tileComplexDataField2DImage(numberedField(3, 2), displayRealPart, 0, 256, 7, 3, 256);
    expectPhaseImageFormat(image);
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{21, 1, 11, 21, 1, 11, 21},
                                                                {22, 2, 12, 22, 2, 12, 22},
                                                                {21, 1, 11, 21, 1, 11, 21}}));
    const QImage smaller
        = tileComplexDataField2DImage(numberedField(3, 2), displayRealPart, 0, 256, 2, 1, 256);
    EXPECT_EQ(pixelLines(smaller), (std::vector<std::vector<int>>{{21, 1}}));
    EXPECT_TRUE(tileComplexDataField2DImage(numberedField(3, 2), displayRealPart, 0, 256, 0, 4, 256)
                    .isNull());
}

TEST(TileComplexDataField2DImage, ReplicatedImageTakesTheModeRange)
{
    // Amplitudes 0 and 2 over their own range: 0 and 255, tiled to 3 x 1.
    const QImage image = replicatedComplexDataField2DToImage(
        makeComplexField(2, 1, {{0, 0}, {0, 2}}), displayAmplitude, 3, 1, 256);
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{255, 0, 255}}));
}

TEST(BinaryArray2DToImage, SetCellsAreWhiteFromTheBottom)
{
    // 10 x 2 cells, so that a line spans two bytes.
    auto mask = boost::shared_ptr<binaryArray2D>(new binaryArray2D(10, 2, false));
    mask->setBit(0, 0, true);
    mask->setBit(9, 0, true);
    mask->setBit(3, 1, true);
    const QImage image = binaryArray2DToImage(mask);
    expectTwoLevelImageFormat(image);
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{0, 0, 0, 1, 0, 0, 0, 0, 0, 0},
                                                                {1, 0, 0, 0, 0, 0, 0, 0, 0, 1}}));
}

} // namespace
