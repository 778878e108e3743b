// Tests of the DOE design for a picture: grid sizes, the target amplitude, the picture of a
// zoomed window, and whole designs (an off-centre L, a black picture, repeated seeds).
#include "design/doeFromBitmap.h"

#include "design/designOperations.h"
#include "designTestFields.h"
#include "fieldio/fieldToImage.h"
#include "support/vectorPaths.h"

#include <QColor>
#include <cstring>

// The internal edition has its own design (tests/lab/doeFromBitmap_test.cpp).
#if !PHASEDECK_LAB

using namespace designTest;

TEST(doeFromBitmap, gridSizeIsThePaddedPowerOfTwo)
{
    struct Case
    {
        int width, height, expected;
    };
    const Case cases[] = {{300, 200, 512}, {213, 213, 256}, {214, 214, 512}, {251, 125, 512},
                          {200, 100, 256}, {100, 300, 512}, {400, 400, 512}, {26, 20, 32},
                          {27, 3, 64},     {1, 1, 2},       {0, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(doeGridSize(c.width, c.height), c.expected);
    }
    struct Power
    {
        double x;
        int expected;
    };
    const Power powers[] = {{-3, 1}, {0.5, 1}, {1, 1}, {1.01, 2}, {256, 256}, {256.8, 512}};
    for (const Power& p : powers) {
        SCOPED_TRACE(p.x);
        EXPECT_EQ(smallestPowerOfTwoAtLeast(p.x), p.expected);
    }
}

TEST(doeFromBitmap, pictureOfAZoomedWindowIsTheWeightedGray)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(64, 128, 32)); // top left: (704 + 2048 + 160) / 32 = 91
    image.setPixel(1, 0, qRgb(255, 255, 255));
    image.setPixel(0, 1, qRgb(0, 0, 0));
    image.setPixel(1, 1, qRgb(32, 0, 0)); // 352 / 32 = 11
    RealField picture = doePictureFromImage(image);
    ASSERT_EQ(picture->getSizeI(), 2);
    ASSERT_EQ(picture->getSizeJ(), 2);
    EXPECT_EQ(picture->getDx(), 1.0);
    // Image line height - 1 - j is row j.
    EXPECT_FLOAT_EQ(picture->getValue(0, 1), 91);
    EXPECT_FLOAT_EQ(picture->getValue(1, 1), 255);
    EXPECT_FLOAT_EQ(picture->getValue(0, 0), 0);
    EXPECT_FLOAT_EQ(picture->getValue(1, 0), 11);
}

TEST(doeFromBitmap, targetIsPaddedCompensatedAndCentredOnTheFirstElement)
{
    // 3 x 2 picture into 8 x 8: its element (1, 1) sits at the grid centre (4, 4), which the
    // shift moves to (0, 0). Envelope factors (2 / pi)^2 / s: centre 0.4052847; one step along i
    // 0.4158918; one step diagonally 0.4267767.
    const RealField picture = realField(3, 2, {4, 9, 16, 25, 36, 49}, 0.0f, 2e-6, 3e-6);
    struct Case
    {
        const char* name;
        bool intensity;
    };
    const Case cases[] = {{"intensity", true}, {"amplitude", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RealField target = doeTargetAmplitude(*picture, 8, c.intensity);
        ASSERT_EQ(target->getSizeI(), 8);
        ASSERT_EQ(target->getSizeJ(), 8);
        auto amplitude = [&](float v) { return c.intensity ? std::sqrt(v) : v; };
        struct Element
        {
            int i, j;
            float picture;
            double factor;
        };
        const Element elements[]
            = {{0, 0, 36, 0.4052847}, {1, 0, 49, 0.4158918}, {7, 0, 25, 0.4158918},
               {7, 7, 4, 0.4267767},  {0, 7, 9, 0.4158918},  {1, 7, 16, 0.4267767}};
        double expectedSum = 0.0;
        for (const Element& e : elements) {
            SCOPED_TRACE(testing::Message() << "(" << e.i << ", " << e.j << ")");
            const double expected = amplitude(e.picture) * e.factor;
            EXPECT_NEAR(target->getValue(e.i, e.j), expected, 2e-6 * expected);
            expectedSum += expected;
        }
        EXPECT_NEAR(target->getSum(), expectedSum, 1e-4); // the rest is zero padding
    }
    EXPECT_EQ(picture->getValue(0, 0), 4.0f);
}

// The one pass gives what resizing, the square root, the pre-compensation and the shift give
// one after the other, bit for bit: pictures smaller and larger than the grid, odd and even
// sides, zeros, negative values (NaN under the square root) and a pitch of their own.
TEST(doeFromBitmap, targetIsThePaddedRootCompensatedAndShiftedPictureBitForBit)
{
    struct Case
    {
        int sizeI, sizeJ, grid;
    };
    const Case cases[] = {{3, 2, 8},   {24, 24, 32}, {25, 13, 32}, {40, 9, 32},
                          {9, 40, 16}, {5, 5, 1},    {1, 1, 2},    {64, 64, 64}};
    for (const Case& c : cases)
        for (bool intensity : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.sizeI << " x " << c.sizeJ << " into " << c.grid
                                            << (intensity ? ", intensity" : ", amplitude"));
            std::vector<float> values(std::size_t(c.sizeI * c.sizeJ));
            for (std::size_t k = 0; k < values.size(); ++k)
                values[k] = k % 4 == 1 ? 0.0f : (k % 9 == 4 ? -3.0f : float(k % 17) * 13.5f);
            const RealField picture = realField(c.sizeI, c.sizeJ, values, 0.0f, 2e-6, 3e-6);
            RealField expected = picture->resizeCentered(c.grid, c.grid);
            if (intensity)
                expected->applySqrt();
            precompensateSincEnvelope(expected, c.grid, c.grid, 1.0);
            expected = expected->cyclicShift(-(c.grid / 2), -(c.grid / 2));

            const RealField target = doeTargetAmplitude(*picture, c.grid, intensity);
            ASSERT_EQ(target->getSizeI(), c.grid);
            ASSERT_EQ(target->getSizeJ(), c.grid);
            EXPECT_EQ(target->getDx(), expected->getDx());
            EXPECT_EQ(target->getDy(), expected->getDy());
            EXPECT_EQ(target->getX0(), expected->getX0());
            EXPECT_EQ(target->getY0(), expected->getY0());
            EXPECT_EQ(std::memcmp(target->elementData(), expected->elementData(),
                                  sizeof(float) * std::size_t(c.grid * c.grid)),
                      0);
        }
}

// The image from the levels of the last round is the converter's image of the DOE, on both vector
// paths.
class doeFromBitmapPaths : public vectorPathTest
{
};

INSTANTIATE_TEST_SUITE_P(paths, doeFromBitmapPaths, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);

TEST_P(doeFromBitmapPaths, phaseImageOfTheDesignIsTheConvertersImage)
{
    for (int side : {24, 40}) {
        SCOPED_TRACE(side);
        RealField picture = realField(side, side - 5);
        for (int i = side / 3; i < side - 2; ++i)
            picture->setValue(i, side / 2, 200.0f);
        picture->setValue(2, 3, 90.0f);
        const RealField target = doeTargetAmplitude(*picture, doeGridSize(side, side - 5), true);
        QImage phase;
        const ComplexField doe = designDoeByIfta(target, doeDesignConstants, &phase);
        const QImage expected = complexDataField2DToImage(doe, displayPhase, 256);
        ASSERT_FALSE(phase.isNull());
        EXPECT_EQ(phase.format(), expected.format());
        EXPECT_EQ(phase.colorTable(), expected.colorTable());
        EXPECT_TRUE(phase == expected);
    }
}

// Elements on a level use the level's gray, the others (-1) their own: the image is the
// converter's whatever the mix; without levels, or with fewer than three, it is the converter.
TEST(doeFromBitmap, phaseImageFromLevelsMatchesTheConverterForAnyMix)
{
    for (int levels : {256, 8, 3, 2}) {
        SCOPED_TRACE(levels);
        const int sizeI = 6, sizeJ = 5;
        ComplexField doe = randomComplexField(sizeI, sizeJ, 9);
        std::vector<int> levelOf(doe->elementCount(), -1);
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i) {
                const int k = (7 * i + 3 * j) % (levels + 1);
                if ((i + j) % 3 == 0)
                    continue; // keeps its own phase
                doe->setValue(i, j, quantizationLevelPhasor(k, levels));
                levelOf[doe->elementIndex(i, j)] = k;
            }
        // +-pi: both ends of the levels, and the fold of the display.
        doe->setValue(0, 1, quantizationLevelPhasor(0, levels));
        levelOf[doe->elementIndex(0, 1)] = 0;
        doe->setValue(1, 1, quantizationLevelPhasor(levels, levels));
        levelOf[doe->elementIndex(1, 1)] = levels;
        const QImage expected = complexDataField2DToImage(doe, displayPhase, levels);
        EXPECT_TRUE(doePhaseImage(doe, levels, levelOf.data()) == expected);
        EXPECT_TRUE(doePhaseImage(doe, levels, nullptr) == expected);
    }
}

namespace {

// Far-field intensity share of the displayed pixels selected by `bright` (a mask image of the
// displayed picture, optionally mirrored about the display centre), the zero order excluded.
struct FarFieldShares
{
    double inside;
    double mirroredX;
    double mirroredY;
    double rotated;
};

FarFieldShares farFieldShares(const ComplexField& farField, const QImage& picture)
{
    const int n = farField->getSizeI();
    float maximum = 0.0f;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (i != 0 || j != 0) {
                const complexFloat z = farField->getValue(i, j);
                maximum = std::max(maximum, z.re * z.re + z.im * z.im);
            }
    // The far-field window's view: centred display, intensity over [0, maximum].
    const QImage shown
        = complexDataField2DToGrayImage(farField, displayIntensity, 0.0f, maximum, 256);
    const int zeroX = n / 2, zeroY = n - 1 - n / 2;
    double total = 0.0, inside = 0.0, mirroredX = 0.0, mirroredY = 0.0, rotated = 0.0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            if (x == zeroX && y == zeroY)
                continue;
            const double g = qGray(shown.pixel(x, y));
            total += g;
            // Mirroring about the centre (n / 2, n - 1 - n / 2): x -> n - x, y -> n - 2 - y.
            const int mx = (n - x) % n, my = (2 * n - 2 - y) % n;
            inside += qGray(picture.pixel(x, y)) > 0 ? g : 0.0;
            mirroredX += qGray(picture.pixel(mx, y)) > 0 ? g : 0.0;
            mirroredY += qGray(picture.pixel(x, my)) > 0 ? g : 0.0;
            rotated += qGray(picture.pixel(mx, my)) > 0 ? g : 0.0;
        }
    return {inside / total, mirroredX / total, mirroredY / total, rotated / total};
}

bool allFinite(const complexDataField2D& field)
{
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i)
            if (!std::isfinite(field.getValue(i, j).re) || !std::isfinite(field.getValue(i, j).im))
                return false;
    return true;
}

void expectQuantizedDoe(const complexDataField2D& doe, int levels)
{
    EXPECT_TRUE(doe.hasAtMostNValues(levels));
    const double step = 2.0 * pi / levels;
    for (int j = 0; j < doe.getSizeJ(); ++j)
        for (int i = 0; i < doe.getSizeI(); ++i) {
            const complexFloat z = doe.getValue(i, j);
            ASSERT_NEAR(modulusOf(z), 1.0, 1e-6) << "(" << i << ", " << j << ")";
            const double k = (phaseOf(z) + pi) / step;
            ASSERT_NEAR(k, std::round(k), 1e-4) << "(" << i << ", " << j << ")";
        }
}

} // namespace

TEST(doeFromBitmap, offCentreLAppearsUprightInTheFarField)
{
    // A 24 x 24 picture (grid 32) with an L in its upper right quadrant as displayed: rows with
    // larger j are higher on the screen.
    RealField picture = realField(24, 24);
    for (int i = 15; i <= 21; ++i)
        for (int j = 14; j <= 15; ++j)
            picture->setValue(i, j, 255.0f); // foot
    for (int i = 15; i <= 16; ++i)
        for (int j = 14; j <= 21; ++j)
            picture->setValue(i, j, 255.0f); // stem
    const int n = doeGridSize(24, 24);
    ASSERT_EQ(n, 32);

    RealField target = doeTargetAmplitude(*picture, n, true);
    ComplexField doe = designDoeByIfta(target);
    ASSERT_EQ(doe->getSizeI(), n);
    ASSERT_EQ(doe->getSizeJ(), n);
    expectQuantizedDoe(*doe, 256);

    ComplexField farField = doe->fftCopy();
    ASSERT_TRUE(allFinite(*farField));
    const QImage shownPicture
        = dataField2DToImage(picture->resizeCentered(n, n), 0.0f, 255.0f, 256);
    const FarFieldShares shares = farFieldShares(farField, shownPicture);
    RecordProperty("signalShare", std::to_string(shares.inside));
    EXPECT_GT(shares.inside, 0.5);
    // The L is asymmetric: a mirrored or rotated far field would miss it.
    EXPECT_LT(shares.mirroredX, 0.25);
    EXPECT_LT(shares.mirroredY, 0.25);
    EXPECT_LT(shares.rotated, 0.25);
}

TEST(doeFromBitmap, blackPictureCompletesWithoutNaN)
{
    RealField picture = realField(20, 20);
    const int n = doeGridSize(20, 20);
    RealField target = doeTargetAmplitude(*picture, n, true);
    EXPECT_EQ(target->getSum(), 0.0);
    ComplexField doe = designDoeByIfta(target);
    ASSERT_TRUE(allFinite(*doe));
    expectQuantizedDoe(*doe, 256);
    ComplexField farField = doe->fftCopy();
    EXPECT_TRUE(allFinite(*farField));
    EXPECT_NEAR(farField->getTotalIntensity(), double(n) * n * n * n, 1e-3 * n * n * n * n);
}

TEST(doeFromBitmap, designsWithinOneSecondStartFromTheSamePhase)
{
    RealField picture = realField(12, 10);
    for (int i = 7; i < 11; ++i)
        picture->setValue(i, 2, 100.0f);
    picture->setValue(8, 7, 50.0f);
    const int n = doeGridSize(12, 10);
    RealField target = doeTargetAmplitude(*picture, n, true);
    ComplexField first, second;
    withinOneSecond([&] {
        first = designDoeByIfta(target);
        second = designDoeByIfta(target);
    });
    expectFieldsNear(*first, *second, 0.0);
}

#endif // !PHASEDECK_LAB
