// Image to field: gray kinds and weights, the colour-scale decoding, gray arrays and bytes,
// real and complex fields, and gray images as Qt 6 loads them.
#include "fieldio/imageToField.h"

#include "base/phasedeckGlobals.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/imageNormalizer.h"
#include "fieldioTestSupport.h"
#include "fields/complexDataField2D.h"

#include <QTemporaryDir>
#include <cmath>

namespace {

TEST(GrayValueByKind, ColourScaleDecoding)
{
    struct Case
    {
        int r, g, b, value;
    };
    const Case cases[]
        = {{0, 0, 100, 121},    {0, 100, 0, 694},      {0, 254, 0, 1344},    {100, 254, 0, 1864},
           {255, 100, 0, 3496}, {255, 255, 255, 4112}, {128, 128, 128, 0},   {0, 0, 0, 0},
           {0, 0, 255, 309},    {255, 254, 0, 2672},   {250, 250, 251, 4048}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.r << ", " << c.g << ", " << c.b << ")");
        EXPECT_EQ(grayValueByKind(8, c.r, c.g, c.b, 1, 0, 0), c.value);
    }
}

TEST(GrayValueByKind, ChannelsAndWeights)
{
    struct Case
    {
        const char* name;
        int kind;
        std::uint8_t w1, w2, w3;
        int value; // of the colour (200, 100, 50)
    };
    const Case cases[] = {
        {"kind 1 red", 1, 1, 1, 1, 200},
        {"kind 4 red", 4, 1, 1, 1, 200},
        {"kind 5 green", 5, 1, 1, 1, 100},
        {"kind 6 blue", 6, 1, 1, 1, 50},
        {"weights 1, 0, 0 give red", 3, 1, 0, 0, 200},
        {"weights 0, 1, 0 give green", 3, 0, 1, 0, 100},
        {"equal weights average, truncated", 3, 1, 1, 1, 116},
        {"kinds 2 and 7 give 0", 2, 1, 1, 1, 0},
        {"kind 7", 7, 1, 1, 1, 0},
        {"unknown kind", 42, 1, 1, 1, 0},
        {"zero weights, kind 1", 1, 0, 0, 0, 0},
        {"zero weights, kind 3", 3, 0, 0, 0, 0},
        {"zero weights, kind 8", 8, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(grayValueByKind(c.kind, 200, 100, 50, c.w1, c.w2, c.w3), c.value);
    }
}

TEST(GrayValueByKind, WeightsElevenSixteenFiveAreTheToolkitGray)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51)
                ASSERT_EQ(grayValueByKind(3, r, g, b, 11, 16, 5), qGray(r, g, b))
                    << r << ", " << g << ", " << b;
}

TEST(ImageToGrayArray, StartsAtTheBottomLine)
{
    const QImage image = colourImageOf({{qRgb(1, 0, 0), qRgb(2, 0, 0), qRgb(3, 0, 0)},
                                        {qRgb(4, 0, 0), qRgb(5, 0, 0), qRgb(6, 9, 9)}});
    EXPECT_EQ(imageToGrayArray(image, 1, 1, 0, 0), (std::vector<std::int16_t>{4, 5, 6, 1, 2, 3}));
    EXPECT_EQ(imageToGrayArray(image, 5, 1, 0, 0), (std::vector<std::int16_t>{0, 0, 9, 0, 0, 0}));
}

class ImageToDataField2DTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved = opticalParameters;
        opticalParameters.defaultPixelSizeX = 8e-6;
        opticalParameters.defaultPixelSizeY = 8e-6;
    }
    void TearDown() override { opticalParameters = saved; }

    static std::vector<float> values(const DataField2D& field)
    {
        std::vector<float> out;
        for (int j = 0; j < field.getSizeJ(); ++j)
            for (int i = 0; i < field.getSizeI(); ++i)
                out.push_back(field.getValue(i, j));
        return out;
    }

    OpticalParameters saved;
};

TEST_F(ImageToDataField2DTest, ModesScaleTheGrays)
{
    // Red channel 0, 51, 255 on the bottom line and 102 above it.
    const QImage image = colourImageOf({{qRgb(102, 7, 7), qRgb(102, 7, 7), qRgb(102, 7, 7)},
                                        {qRgb(0, 1, 2), qRgb(51, 3, 4), qRgb(255, 5, 6)}});
    struct Case
    {
        int mode;
        std::vector<float> values;
    };
    const Case cases[] = {
        {0, {0, 51, 255, 102, 102, 102}},
        {1, {0, 0.2f, 1, 0.4f, 0.4f, 0.4f}},
        {3, {0, 0.2f, 1, 0.4f, 0.4f, 0.4f}},
        {2, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        const auto field = imageToDataField2D(image, c.mode, 3, 1, 0, 0);
        ASSERT_EQ(field->getSizeI(), 3);
        ASSERT_EQ(field->getSizeJ(), 2);
        EXPECT_EQ(field->getDx(), 1.0);
        EXPECT_EQ(field->getDy(), 1.0);
        EXPECT_EQ(field->getX0(), 0.0);
        const std::vector<float> got = values(*field);
        for (size_t k = 0; k < got.size(); ++k)
            EXPECT_NEAR(got[k], c.values[k], 1e-6f) << "element " << k;
    }
}

TEST_F(ImageToDataField2DTest, UnitRangeOfUniformImage)
{
    for (int gray : {0, 1, 77, 255}) {
        SCOPED_TRACE(gray);
        const QImage image = phaseImageOf({{gray, gray}, {gray, gray}});
        const auto field = imageToDataField2D(image, 3, 3, 1, 0, 0);
        EXPECT_EQ(values(*field), std::vector<float>(4, gray == 0 ? 0.0f : 1.0f));
    }
}

TEST_F(ImageToDataField2DTest, WeightedGrayOfPaletteImage)
{
    QImage image(2, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgb(255, 0, 0), qRgb(10, 200, 30)});
    image.setPixel(0, 0, 1);
    image.setPixel(1, 0, 0);
    const auto field = imageToDataField2D(image, 0, 3, 11, 16, 5);
    EXPECT_EQ(values(*field), (std::vector<float>{float(qGray(10, 200, 30)), 87}));
}

TEST_F(ImageToDataField2DTest, GrayscaleImageReadsItsTrueGrays)
{
    // Qt 6 keeps a gray PNG as Grayscale8, with no colour table.
    QImage gray(3, 2, QImage::Format_Grayscale8);
    const int grays[2][3] = {{10, 200, 255}, {0, 128, 64}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            gray.scanLine(y)[x] = uchar(grays[y][x]);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("gray.png");
    ASSERT_TRUE(gray.save(name, "PNG"));
    const QImage loaded(name);
    ASSERT_EQ(loaded.format(), QImage::Format_Grayscale8);

    const std::vector<float> expected = {0, 128, 64, 10, 200, 255};
    const QImage images[] = {loaded, normalizeImage(loaded)};
    for (const QImage& image : images) {
        SCOPED_TRACE(image.format());
        EXPECT_EQ(values(*imageToDataField2D(image, 0, 3, 1, 0, 0)), expected);
        EXPECT_EQ(values(*imageToDataField2D(image, 0, 3, 11, 16, 5)), expected);
        EXPECT_EQ(imageToGrayBytes(image), (std::vector<std::uint8_t>{0, 128, 64, 10, 200, 255}));
    }
}

struct ComplexCase
{
    const char* name;
    int representation;
    int mode;
    std::int16_t levels;
    int gray;
    float re, im;
};

TEST(ImageToComplexDataField2D, ValuesByRepresentationAndMode)
{
    const float c1 = std::cos(1.0f);
    const float s1 = std::sin(1.0f);
    const ComplexCase cases[] = {
        {"gray as real part", 0, 0, 0, 51, 51, 0},
        {"gray over 255", 0, 1, 0, 51, 0.2f, 0},
        {"other real modes stay zero", 0, 3, 0, 51, 0, 0},
        {"gray as radians", 4, 0, 0, 1, c1, s1},
        {"gray 128 is phase 0", 4, 2, 0, 128, 1, 0},
        {"gray 192 is phase pi / 2", 4, 2, 0, 192, 0, 1},
        {"gray 64 in 4 levels is -pi / 2", 4, 4, 4, 64, 0, -1},
        {"gray 0 in 4 levels is -pi", 4, 4, 4, 0, -1, 0},
        {"other phase modes stay zero", 4, 1, 0, 51, 0, 0},
    };
    for (const ComplexCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto field = imageToComplexDataField2D(phaseImageOf({{c.gray}}), c.representation,
                                                     c.mode, c.levels, 3, 1, 0, 0);
        ASSERT_EQ(field->getSizeI(), 1);
        EXPECT_EQ(field->getDomainFlag(), 0);
        EXPECT_EQ(field->getDx(), 1.0);
        EXPECT_EQ(field->getDy(), 1.0);
        EXPECT_NEAR(field->getValue(0, 0).re, c.re, 1e-6f);
        EXPECT_NEAR(field->getValue(0, 0).im, c.im, 1e-6f);
    }
}

TEST(ImageToComplexDataField2D, LevelsZeroStepsThroughTheDistinctGrays)
{
    // 2 x 1: column 0 (gray 10) goes to element 1, column 1 (gray 200) to element 0.
    const auto field = imageToComplexDataField2D(phaseImageOf({{10, 200}}), 4, 4, 0, 3, 1, 0, 0);
    EXPECT_NEAR(field->getValue(1, 0).re, -1.0f, 1e-6f); // -pi
    EXPECT_NEAR(field->getValue(1, 0).im, 0.0f, 1e-6f);
    EXPECT_NEAR(field->getValue(0, 0).re, 1.0f, 1e-6f); // 0
    EXPECT_NEAR(field->getValue(0, 0).im, 0.0f, 1e-6f);
}

TEST(ImageToComplexDataField2D, UndoesTheCentredDisplayOfEvenSizes)
{
    const QImage image = phaseImageOf({{1, 2, 3, 4}, {5, 6, 7, 8}});
    const auto field = imageToComplexDataField2D(image, 0, 0, 0, 3, 1, 0, 0);
    EXPECT_EQ(field->getValue(0, 0).re, 3.0f); // image point (2, 1) counted from the bottom
    const QImage shown = complexDataField2DToGrayImage(field, displayRealPart, 0, 256, 256);
    EXPECT_EQ(pixelLines(shown), pixelLines(image));
}

TEST(ImageToGrayBytes, OrderByDepth)
{
    QImage indexed(2, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 1, 1), qRgb(20, 2, 2), qRgb(30, 3, 3), qRgb(40, 4, 4)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    indexed.setPixel(0, 1, 2);
    indexed.setPixel(1, 1, 3);
    const QImage colour
        = colourImageOf({{qRgb(10, 0, 0), qRgb(20, 0, 0)}, {qRgb(30, 0, 0), qRgb(40, 0, 0)}});
    // 9 x 2 so that a line spans two bytes; bit set at (8, 0) and (0, 1).
    QImage mono(9, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(7, 0, 0), qRgb(250, 0, 0)});
    mono.fill(0);
    mono.setPixel(8, 0, 1);
    mono.setPixel(0, 1, 1);
    const QImage monoLsb = mono.convertToFormat(QImage::Format_MonoLSB);
    const std::vector<std::uint8_t> monoBytes
        = {7, 7, 7, 7, 7, 7, 7, 7, 250, 250, 7, 7, 7, 7, 7, 7, 7, 7};
    struct Case
    {
        const char* name;
        QImage image;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"8 bits from the bottom line", indexed, {30, 40, 10, 20}},
        {"32 bits from the bottom line", colour, {30, 40, 10, 20}},
        {"1 bit, MSB first, from the top line", mono, monoBytes},
        {"1 bit, LSB first, from the top line", monoLsb, monoBytes},
        {"empty", QImage(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(imageToGrayBytes(c.image), c.bytes);
    }
}

} // namespace
