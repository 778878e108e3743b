// Full-screen composition as pixel values: gray table, tiling, shift, lens and prism phases on
// both vector paths, inversion, levels, zoom geometry and labels.
#include "views/fullScreenComposition.h"

#include "fieldio/grayImages.h"
#include "support/vectorPaths.h"
#include "views/compositionRows.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

QImage rampImage(int w, int h)
{
    QImage image = createPhaseImage(w, h);
    image.fill(0);
    return image;
}

// Every pixel a distinct-enough value: 7 x + 13 y mod 256.
QImage patternImage(int w, int h)
{
    QImage image = rampImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x] = static_cast<unsigned char>(7 * x + 13 * y);
    return image;
}

int indexAt(const QImage& image, int x, int y)
{
    return image.constScanLine(y)[x];
}

int grayAt(const QImage& image, int x, int y)
{
    return qRed(image.color(indexAt(image, x, y)));
}

TEST(GrayTable, EntriesAtTheStartAndOneStepAbove)
{
    struct Row
    {
        int gamma;
        int v;
        int expected;
    } rows[] = {
        {127, 64, 63}, {127, 128, 127}, {127, 192, 191}, {127, 0, 0}, {127, 255, 255},
        {128, 64, 64}, {128, 128, 128}, {128, 192, 192}, {128, 0, 0}, {128, 255, 255},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "gamma " << row.gamma << " v " << row.v);
        EXPECT_EQ(computeGrayTable(0, 255, row.gamma)[row.v], row.expected);
    }
}

TEST(GrayTable, EndsStayFixedForEveryInnerGamma)
{
    for (int gamma = 1; gamma <= 254; ++gamma) {
        const GrayTable t = computeGrayTable(0, 255, gamma);
        ASSERT_EQ(t[0], 0) << "gamma " << gamma;
        ASSERT_EQ(t[255], 255) << "gamma " << gamma;
        for (int v = 1; v < 256; ++v)
            ASSERT_GE(t[v], t[v - 1]) << "gamma " << gamma << " v " << v;
    }
}

TEST(GrayTable, ExtremeGammasStayInRange)
{
    for (int gamma : {0, 255}) {
        const GrayTable t = computeGrayTable(0, 255, gamma);
        for (int v = 0; v < 256; ++v) {
            ASSERT_GE(t[v], 0) << "gamma " << gamma << " v " << v;
            ASSERT_LE(t[v], 255) << "gamma " << gamma << " v " << v;
        }
    }
}

TEST(GrayTable, DefinedForAnyPairOfGrayValues)
{
    // Equal values: constant.
    for (int v : computeGrayTable(77, 77, 127))
        EXPECT_EQ(v, 77);

    // A narrow range: the ends hold outside it, the curve runs inside it.
    const GrayTable narrow = computeGrayTable(10, 200, 127);
    EXPECT_EQ(narrow[0], 10);
    EXPECT_EQ(narrow[9], 10);
    EXPECT_EQ(narrow[10], 10);
    EXPECT_EQ(narrow[200], 200);
    EXPECT_EQ(narrow[255], 200);
    EXPECT_NEAR(narrow[105], 105, 1);

    // Reversed values: falls from g0 to g1 and is constant beyond.
    const GrayTable reversed = computeGrayTable(200, 10, 127);
    EXPECT_EQ(reversed[255], 200);
    EXPECT_EQ(reversed[200], 200);
    EXPECT_EQ(reversed[10], 10);
    EXPECT_EQ(reversed[0], 10);
    for (int v = 11; v <= 200; ++v)
        ASSERT_GE(reversed[v], reversed[v - 1]) << v;
}

TEST(GrayTablePalette, InversionMirrorsWithinTheGrayRange)
{
    const GrayTable t = computeGrayTable(0, 255, 128);
    const QVector<QRgb> plain = grayTablePalette(t, false, 0, 255);
    const QVector<QRgb> inverted = grayTablePalette(t, true, 0, 255);
    ASSERT_EQ(plain.size(), 256);
    for (int i : {0, 1, 64, 128, 255}) {
        EXPECT_EQ(qRed(plain[i]), t[i]);
        EXPECT_EQ(qRed(inverted[i]), 255 - t[i]);
        EXPECT_EQ(qAlpha(inverted[i]), 255);
    }
    // With another range the mirror wraps modulo 256: entry 0 of (20, 30) is 20, inverted 30.
    const GrayTable narrow = computeGrayTable(20, 30, 128);
    EXPECT_EQ(qRed(grayTablePalette(narrow, true, 20, 30)[0]), 30);
    EXPECT_EQ(qRed(grayTablePalette(narrow, true, 20, 30)[255]), 20);
    // g0 + g1 - entry beyond 255 keeps its low 8 bits.
    const GrayTable high = computeGrayTable(200, 250, 128);
    EXPECT_EQ(qRed(grayTablePalette(high, true, 200, 250)[0]), (450 - 200) & 0xFF);
}

TEST(Tiling, HundredPixelCellFillsTheScreenWithPartialColumnAndRow)
{
    const QImage cell = patternImage(100, 100);
    const QImage out = composeFullScreen(cell, PatternLevels(), CompositionParameters());
    ASSERT_EQ(out.size(), QSize(1920, 1080));
    ASSERT_EQ(out.format(), QImage::Format_Indexed8);

    // The cell's centre (50, 50) lands on the screen centre.
    struct Row
    {
        int c, r, x, y;
    } rows[] = {
        {960, 540, 50, 50}, {0, 0, 90, 10},     {1919, 1079, 9, 89},
        {1900, 0, 90, 10},  {1899, 999, 89, 9}, {10, 90, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "pixel " << row.c << ", " << row.r);
        EXPECT_EQ(indexAt(out, row.c, row.r), indexAt(cell, row.x, row.y));
    }
    // 19 whole tiles across leave a column of 20; 10 down leave a row of 80: partial tiles
    // repeat the tile's top-left part.
    for (int r : {0, 37, 1079})
        for (int k = 0; k < 20; ++k)
            ASSERT_EQ(indexAt(out, 1900 + k, r), indexAt(out, k, r)) << k << " " << r;
    for (int c : {0, 555, 1919})
        for (int k = 0; k < 80; ++k)
            ASSERT_EQ(indexAt(out, c, 1000 + k), indexAt(out, c, k)) << c << " " << k;
}

TEST(Tiling, OddAndOversizedCellsRepeatWithTheirPeriod)
{
    struct Row
    {
        int w, h;
    } rows[] = {{1, 1}, {3, 5}, {2, 1081}, {2000, 7}, {1920, 1080}, {3841, 2161}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.w << " x " << row.h);
        const QImage cell = patternImage(row.w, row.h);
        const QImage out = composeFullScreen(cell, PatternLevels(), CompositionParameters());
        // Centre on centre, and one period further is the same value.
        EXPECT_EQ(indexAt(out, 960, 540), indexAt(cell, row.w / 2, row.h / 2));
        if (row.w < 1920) {
            EXPECT_EQ(indexAt(out, 5, 6), indexAt(out, 5 + row.w, 6));
        }
        if (row.h < 1080) {
            EXPECT_EQ(indexAt(out, 5, 6), indexAt(out, 5, 6 + row.h));
        }
    }
}

TEST(Tiling, ShiftMovesThePatternWithWrap)
{
    const QImage full = patternImage(1920, 1080);
    struct Row
    {
        int shiftX, shiftY;
        int c, r; // output pixel
        int x, y; // source pixel shown there
    } rows[] = {
        {0, 0, 0, 0, 0, 0},         {0, 0, 1919, 1079, 1919, 1079}, {1, 0, 0, 0, 1, 0},
        {1, 0, 1919, 0, 0, 0},      {-1, 0, 0, 0, 1919, 0},         {0, 1, 0, 0, 0, 1},
        {0, 1, 0, 1079, 0, 0},      {1920, 1080, 17, 33, 17, 33},   {-1919, -1079, 0, 0, 1, 1},
        {5, -3, 100, 100, 105, 97},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "shift " << row.shiftX << ", " << row.shiftY << " pixel "
                                        << row.c << ", " << row.r);
        CompositionParameters p;
        p.shiftX = row.shiftX;
        p.shiftY = row.shiftY;
        EXPECT_EQ(indexAt(composeFullScreen(full, PatternLevels(), p), row.c, row.r),
                  indexAt(full, row.x, row.y));
    }
}

TEST(Tiling, FullSizeImageWithoutShiftIsCopiedUnchanged)
{
    const QImage full = patternImage(1920, 1080);
    const QImage out = composeFullScreen(full, PatternLevels(), CompositionParameters());
    for (int y = 0; y < 1080; ++y)
        ASSERT_EQ(0, memcmp(out.constScanLine(y), full.constScanLine(y), 1920)) << y;
}

TEST(Tiling, NullImageGivesPhaseZeroEverywhere)
{
    CompositionParameters p;
    const QImage fast = composeFullScreen(QImage(), PatternLevels(), p);
    p.lensValue = 3;
    const QImage slow = composeFullScreen(QImage(), PatternLevels(), p);
    ASSERT_EQ(fast.size(), QSize(1920, 1080));
    EXPECT_EQ(indexAt(fast, 0, 0), 0);
    EXPECT_EQ(indexAt(fast, 1919, 1079), 0);
    EXPECT_EQ(indexAt(slow, 960, 540), 0);
}

TEST(PerPixel, LensAndPrismValuesOnABlankPattern)
{
    const QImage blank = rampImage(1920, 1080);
    struct Row
    {
        const char* name;
        int lens, prismX, prismY, shiftX;
        int c, r;
        int expected;
    } rows[] = {
        {"lens centre", 1, 0, 0, 0, 960, 540, 0},
        // trunc(r^2 * 0.015 * 128 / 1080) mod 256
        {"lens r^2 = 10000", 1, 0, 0, 0, 1060, 540, 17},
        {"lens r^2 = 89401", 1, 0, 0, 0, 960, 839, 158},
        {"lens corner", 1, 0, 0, 0, 0, 0, 2156 % 256},
        {"negative lens", -1, 0, 0, 0, 1060, 540, 256 - 17},
        {"lens on shifted centre", 1, 0, 0, 10, 950, 540, 0},
        {"lens shifted r^2 = 10000", 1, 0, 0, 10, 1050, 540, 17},
        {"prism x -1, x = 1", 0, -1, 0, 0, 961, 540, 255},
        {"prism x -1, x = 2", 0, -1, 0, 0, 962, 540, 254},
        {"prism x -1, x = -1", 0, -1, 0, 0, 959, 540, 1},
        {"prism x -1, x = 99", 0, -1, 0, 0, 1059, 540, 130},
        {"prism x -1, centre", 0, -1, 0, 0, 960, 540, 0},
        {"prism y 1, y = 1", 0, 0, 1, 0, 960, 541, 1},
        {"prism y 1, y = -1", 0, 0, 1, 0, 960, 539, 255},
        {"prism y 1, y = -3", 0, 0, 1, 0, 960, 537, 253},
        {"lens and prism", 1, 1, 0, 0, 1060, 540, (17 + 128) % 256},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CompositionParameters p;
        p.lensValue = row.lens;
        p.prismXValue = row.prismX;
        p.prismYValue = row.prismY;
        p.shiftX = row.shiftX;
        EXPECT_EQ(indexAt(composeFullScreen(blank, PatternLevels(), p), row.c, row.r),
                  row.expected);
    }
}

class PerPixelPaths : public vectorPathTest
{
};

INSTANTIATE_TEST_SUITE_P(paths, PerPixelPaths, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);

TEST_P(PerPixelPaths, EveryPixelFollowsThePhaseSumOnAnyScreenWidth)
{
    // Widths that are and are not multiples of 16 and 32, shifted, with lens and both prisms;
    // cells shorter than the screen, as tall and taller, and none.
    struct Row
    {
        int W, H, lens, prismX, prismY, shiftX, shiftY, cellHeight;
    } rows[] = {{1920, 1080, 7, -3, 2, 3, 0, 5},   {37, 11, -100, 100, -100, -5, 4, 5},
                {1000, 64, 100, -1, 0, 0, 0, 5},   {15, 3, 1, 1, 1, 1, 1, 5},
                {65, 7, -37, 61, 13, 200, -90, 5}, {1919, 2, 100, 100, 100, 0, 0, 5},
                {37, 11, 9, -7, 3, 2, -3, 11},     {37, 11, -9, 7, -3, -2, 3, 20},
                {40, 9, 50, 3, 5, 0, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.W << " x " << row.H << ", cell height " << row.cellHeight);
        const QImage cell = row.cellHeight > 0 ? patternImage(9, row.cellHeight) : QImage();
        CompositionParameters p;
        p.fullWidth = row.W;
        p.fullHeight = row.H;
        p.lensValue = row.lens;
        p.prismXValue = row.prismX;
        p.prismYValue = row.prismY;
        p.shiftX = row.shiftX;
        p.shiftY = row.shiftY;
        const QImage out = composeFullScreen(cell, PatternLevels(), p);
        const QImage tiled = composeTiled(cell, PatternLevels(), p);
        const double pi = 3.141592653589793;
        const double lensC = row.lens * pi * 0.015 / row.H * (128.0 / pi);
        const double prismXC = row.prismX * pi * 0.01 * (128.0 / pi);
        const double prismYC = row.prismY * pi * 0.01 * (128.0 / pi);
        const int cx = row.W / 2 - row.shiftX, cy = row.H / 2 - row.shiftY;
        for (int r = 0; r < row.H; ++r) {
            const int y = r - cy;
            const int py = static_cast<int>(y * prismYC);
            for (int c = 0; c < row.W; ++c) {
                const int x = c - cx;
                const int phase = static_cast<int>((x * x + y * y) * lensC + x * prismXC + py);
                ASSERT_EQ(indexAt(out, c, r), (indexAt(tiled, c, r) + phase) & 0xFF)
                    << c << ", " << r;
            }
        }
    }
}

TEST(PerPixel, PrismStepsFallByOnePointTwoEightPerColumn)
{
    CompositionParameters p;
    p.prismXValue = -1;
    const QImage out = composeFullScreen(rampImage(1920, 1080), PatternLevels(), p);
    // Multiples of 25 columns sit on whole steps, where rounding may go either way.
    for (int x = 0; x < 900; ++x) {
        if (x % 25 == 0)
            continue;
        const int expected = (256 - static_cast<int>(x * 1.28) % 256) % 256;
        ASSERT_EQ(indexAt(out, 960 + x, 100), expected) << x;
    }
}

TEST(PerPixel, PhaseAddsToThePatternModulo256)
{
    const QImage cell = patternImage(1920, 1080);
    CompositionParameters p;
    p.prismXValue = 1;
    const QImage out = composeFullScreen(cell, PatternLevels(), p);
    // x = 99 adds trunc(126.72).
    EXPECT_EQ(indexAt(out, 1059, 3), (indexAt(cell, 1059, 3) + 126) % 256);
    EXPECT_EQ(indexAt(out, 960, 3), indexAt(cell, 960, 3));
}

TEST(PerPixel, AgreesWithTheTiledPathAtZeroPhaseForOddAndEvenCells)
{
    // A gray range other than 0..255 takes the per-pixel path without adding phase.
    struct Row
    {
        int w, h, shiftX, shiftY;
    } rows[] = {{5, 3, 0, 0}, {5, 3, 7, -2}, {100, 100, 0, 0}, {101, 77, 3, 4}, {1, 1, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.w << " x " << row.h);
        const QImage cell = patternImage(row.w, row.h);
        CompositionParameters p;
        p.shiftX = row.shiftX;
        p.shiftY = row.shiftY;
        p.grayPhase2Pi = 254;
        const QImage tiled = composeTiled(cell, PatternLevels(), p);
        const QImage perPixel = composePerPixel(cell, PatternLevels(), p);
        for (int y : {0, 539, 540, 1079})
            ASSERT_EQ(0, memcmp(tiled.constScanLine(y), perPixel.constScanLine(y), 1920)) << y;
    }
}

TEST(Paths, FastPathOnlyWithoutPhaseBackgroundAndWithTheFullGrayRange)
{
    const unsigned char bg[1] = {0};
    struct Row
    {
        const char* name;
        CompositionParameters p;
        bool fast;
    } rows[] = {
        {"defaults", CompositionParameters(), true},
        {"lens",
         [] {
             CompositionParameters p;
             p.lensValue = 1;
             return p;
         }(),
         false},
        {"prism x",
         [] {
             CompositionParameters p;
             p.prismXValue = -1;
             return p;
         }(),
         false},
        {"prism y",
         [] {
             CompositionParameters p;
             p.prismYValue = 1;
             return p;
         }(),
         false},
        {"g0",
         [] {
             CompositionParameters p;
             p.grayPhase0 = 1;
             return p;
         }(),
         false},
        {"g1",
         [] {
             CompositionParameters p;
             p.grayPhase2Pi = 254;
             return p;
         }(),
         false},
        {"background",
         [&] {
             CompositionParameters p;
             p.background = bg;
             return p;
         }(),
         false},
        {"shift, gamma, inversion",
         [] {
             CompositionParameters p;
             p.shiftX = 4;
             p.gammaValue = 3;
             p.inverted = true;
             return p;
         }(),
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(usesFastPath(row.p), row.fast);
    }
}

// The row step on random data: both versions give the same bytes, with and without
// compensation values, in place and from separate base values, for every width from 0 to 100
// and the full screen width; the scalar formula holds for the first pixels.
TEST(PerPixelRows, BothVectorPathsGiveTheSameBytes)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> value(-3e5, 3e5);
    std::uniform_int_distribution<int> byte(0, 255);
    const int longest = 1920;
    std::vector<double> xx(longest), xp(longest);
    std::vector<unsigned char> line(longest), base(longest), bg(longest);
    for (int c = 0; c < longest; ++c) {
        xx[size_t(c)] = double((c - 960) * (c - 960));
        xp[size_t(c)] = value(gen) * 1e-3;
        line[size_t(c)] = static_cast<unsigned char>(byte(gen));
        base[size_t(c)] = static_cast<unsigned char>(byte(gen));
        bg[size_t(c)] = static_cast<unsigned char>(byte(gen));
    }
    std::vector<int> widths;
    for (int width = 0; width <= 100; ++width)
        widths.push_back(width);
    widths.push_back(longest);
    const double yy = 289.0, lens = 0.0813, py = -17.0;
    for (int width : widths)
        for (const unsigned char* compensation : {static_cast<const unsigned char*>(nullptr),
                                                  static_cast<const unsigned char*>(bg.data())})
            for (bool inPlace : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << "width " << width << (compensation ? ", compensation" : "")
                             << (inPlace ? ", in place" : ""));
                std::vector<unsigned char> portable = line, avx2 = line;
                addPhaseRowPortable(portable.data(), inPlace ? portable.data() : base.data(),
                                    compensation, xx.data(), xp.data(), yy, lens, py, width);
                addPhaseRowAvx2(avx2.data(), inPlace ? avx2.data() : base.data(), compensation,
                                xx.data(), xp.data(), yy, lens, py, width);
                EXPECT_EQ(std::memcmp(portable.data(), avx2.data(), line.size()), 0);
                const std::vector<unsigned char>& from = inPlace ? line : base;
                for (int c = 0; c < std::min(width, 3); ++c) {
                    const int phase
                        = static_cast<int>((xx[size_t(c)] + yy) * lens + xp[size_t(c)] + py);
                    const int added = compensation ? bg[size_t(c)] : 0;
                    EXPECT_EQ(avx2[size_t(c)],
                              static_cast<unsigned char>(from[size_t(c)] + phase + added))
                        << c;
                }
                EXPECT_EQ(std::memcmp(avx2.data() + width, line.data() + width,
                                      line.size() - size_t(width)),
                          0)
                    << "past the width";
            }
}

TEST(PerPixelRows, BothVectorPathsComposeTheSameFrame)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    const QImage cell = patternImage(100, 100);
    CompositionParameters p;
    p.lensValue = -61;
    p.prismXValue = 33;
    p.prismYValue = -7;
    p.shiftX = 17;
    p.shiftY = -250;
    QImage frames[2];
    for (int k = 0; k < 2; ++k) {
        scopedVectorPath path(k == 0 ? vectorPath::portable : vectorPath::avx2Fma);
        ASSERT_TRUE(path.active());
        frames[k] = composeFullScreen(cell, PatternLevels(), p);
    }
    EXPECT_EQ(frames[0], frames[1]);
}

class ExpansionPaths : public vectorPathTest
{
};

INSTANTIATE_TEST_SUITE_P(paths, ExpansionPaths, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);

// What the window paints: the bitmap through its colour table, as the toolkit converts it, for a
// gray table, a coloured one and a short one (indexes beyond it black), on odd widths; the
// output image is reused.
TEST_P(ExpansionPaths, ColoursAreThoseOfTheToolkitsConversion)
{
    QVector<QRgb> grayTable(256), colourTable(256), shortTable(40);
    for (int i = 0; i < 256; ++i) {
        const int g = computeGrayTable(0, 255, 170)[size_t(i)];
        grayTable[i] = qRgb(255 - g, 255 - g, 255 - g);
        colourTable[i] = qRgb(i, (i * 3) & 255, 255 - i);
    }
    for (int i = 0; i < 40; ++i)
        shortTable[i] = qRgb(6 * i, 6 * i, 6 * i);
    struct Row
    {
        const char* name;
        int width, height;
        const QVector<QRgb>* table;
    } rows[] = {{"gray", 1920, 3, &grayTable},
                {"gray, odd width", 77, 5, &grayTable},
                {"coloured", 45, 4, &colourTable},
                {"short", 64, 2, &shortTable}};
    QImage shown;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QImage bitmap = patternImage(row.width, row.height);
        bitmap.setColorTable(*row.table);
        expandToColours(bitmap, shown);
        ASSERT_EQ(shown.format(), QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), bitmap.size());
        for (int y = 0; y < row.height; ++y)
            for (int x = 0; x < row.width; ++x) {
                const int index = indexAt(bitmap, x, y);
                const QRgb expected
                    = index < row.table->size() ? (*row.table)[index] : qRgb(0, 0, 0);
                ASSERT_EQ(shown.pixel(x, y), expected) << x << ", " << y;
            }
        EXPECT_EQ(shown, bitmap.convertToFormat(QImage::Format_RGB32));
    }
    // An image of the right size and format is filled in place.
    const uchar* before = shown.constBits();
    QImage again = patternImage(64, 2);
    again.setColorTable(grayTable);
    expandToColours(again, shown);
    EXPECT_EQ(shown.constBits(), before);
}

// One slider step as the window runs it: the bitmap of composeFullScreen, bit for bit, on both
// paths, for per-pixel steps (one with an inverted narrowed gray range), a tiled one and a
// two-level pattern; the bitmap of the step before is written in place unless someone else still
// holds it.
TEST_P(ExpansionPaths, ComposedStepEqualsComposition)
{
    const QImage cell = patternImage(100, 60);
    struct Step
    {
        const char* name;
        int lens, prismX, prismY, shiftX;
        int gray0, gray2Pi;
        bool inverted, twoLevel;
    } steps[] = {{"lens and prism", 7, -3, 2, 3, 0, 255, false, false},
                 {"narrowed, inverted", -61, 33, -7, 17, 20, 230, true, false},
                 {"tiled", 0, 0, 0, -40, 0, 255, false, false},
                 {"two-level with prism", 0, 5, 0, 0, 0, 255, false, true}};
    QImage bitmap;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        CompositionParameters p;
        p.fullWidth = 333;
        p.fullHeight = 201;
        p.lensValue = step.lens;
        p.prismXValue = step.prismX;
        p.prismYValue = step.prismY;
        p.shiftX = step.shiftX;
        p.grayPhase0 = step.gray0;
        p.grayPhase2Pi = step.gray2Pi;
        p.inverted = step.inverted;
        PatternLevels levels;
        if (step.twoLevel) {
            levels.twoLevel = true;
            levels.level1Gray = 0;
            levels.level2Gray = 1;
            levels.grayValue1 = 40;
            levels.grayValue2 = 200;
        }
        const uchar* bitmapBefore = bitmap.constBits();
        composeFullScreenInto(cell, levels, p, bitmap);
        EXPECT_EQ(bitmap, composeFullScreen(cell, levels, p));
        if (bitmapBefore) {
            EXPECT_EQ(bitmap.constBits(), bitmapBefore);
        }
    }
    // A copy held elsewhere (a saved bitmap) keeps the step it was taken of.
    const QImage held = bitmap, heldCopy = bitmap.copy();
    CompositionParameters p;
    p.fullWidth = 333;
    p.fullHeight = 201;
    p.lensValue = 3;
    composeFullScreenInto(cell, PatternLevels(), p, bitmap);
    EXPECT_EQ(held, heldCopy);
    EXPECT_EQ(bitmap, composeFullScreen(cell, PatternLevels(), p));
}

// A part of the bitmap into a part of a larger 32-bit image: the pixels of expandToColours land
// where the part is placed, nothing else changes, and a part reaching beyond the bitmap writes
// only its pixels inside it.
TEST_P(ExpansionPaths, RectanglesLandInPlace)
{
    QImage bitmap = patternImage(70, 40);
    QVector<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(255 - i, 255 - i, 255 - i);
    bitmap.setColorTable(table);
    QImage whole;
    expandToColours(bitmap, whole);
    for (const QRect& source : {QRect(5, 3, 50, 20), QRect(-4, 30, 20, 20), QRect(0, 0, 70, 40)}) {
        SCOPED_TRACE(source.x());
        QImage target(90, 60, QImage::Format_RGB32);
        target.fill(0xFF123456u);
        const QPoint at(9, 7);
        expandRectToColours(bitmap, source, target.scanLine(at.y()) + 4 * at.x(),
                            target.bytesPerLine());
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                const QPoint inBitmap = QPoint(x, y) - at + source.topLeft();
                const bool written
                    = QRect(at, source.size()).contains(x, y) && bitmap.rect().contains(inBitmap);
                ASSERT_EQ(target.pixel(x, y), written ? whole.pixel(inBitmap) : 0xFF123456u)
                    << x << ", " << y;
            }
    }
}

TEST(ExpansionRows, BothVectorPathsGiveTheSameColours)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    std::mt19937 gen(9);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<unsigned char> src(1920), grays(256);
    std::vector<unsigned int> palette(256);
    for (unsigned char& v : src)
        v = static_cast<unsigned char>(byte(gen));
    for (int i = 0; i < 256; ++i) {
        grays[size_t(i)] = static_cast<unsigned char>(byte(gen));
        palette[size_t(i)] = 0xFF000000u | grays[size_t(i)] * 0x010101u;
    }
    for (int width : {0, 1, 31, 32, 33, 100, 1920}) {
        SCOPED_TRACE(width);
        std::vector<unsigned int> portable(1920, 7u), avx2(1920, 7u);
        expandIndexedRowPortable(src.data(), palette.data(), grays.data(), portable.data(), width);
        expandIndexedRowAvx2(src.data(), palette.data(), grays.data(), avx2.data(), width);
        EXPECT_EQ(portable, avx2);
        for (int c = 0; c < width; ++c)
            ASSERT_EQ(avx2[size_t(c)], palette[src[size_t(c)]]) << c;
    }
}

TEST(Background, SelectsThePerPixelPathAndIsAddedOnlyInTheInternalEdition)
{
    // Compensation values with row 0 the bottom line: 3 everywhere, 50 at the bottom-left.
    std::vector<unsigned char> bg(1920 * 1080, 3);
    bg[0] = 50;
    CompositionParameters p;
    p.background = bg.data();
    const QImage out = composeFullScreen(rampImage(16, 16), PatternLevels(), p);
#if PHASEDECK_LAB
    EXPECT_EQ(indexAt(out, 0, 1079), 50);
    EXPECT_EQ(indexAt(out, 0, 0), 3);
    EXPECT_EQ(indexAt(out, 960, 540), 3);
#else
    EXPECT_EQ(indexAt(out, 0, 1079), 0);
    EXPECT_EQ(indexAt(out, 960, 540), 0);
#endif
    // The per-pixel path's palette is the gray table even without phase.
    EXPECT_EQ(grayAt(out, 960, 540), computeGrayTable(0, 255, 127)[indexAt(out, 960, 540)]);
}

TEST(Inversion, FastAndPerPixelPalettes)
{
    const QImage cell = patternImage(64, 64);
    CompositionParameters p;
    p.inverted = true;
    const QImage fast = composeFullScreen(cell, PatternLevels(), p);
    const GrayTable t = computeGrayTable(0, 255, 127);
    const int v = indexAt(fast, 960, 540);
    EXPECT_EQ(grayAt(fast, 960, 540), 255 - t[v]);
    p.prismXValue = 1;
    const QImage slow = composeFullScreen(cell, PatternLevels(), p);
    const int w = indexAt(slow, 1000, 540);
    EXPECT_EQ(grayAt(slow, 1000, 540), 255 - t[w]);
}

TEST(Levels, TwoLevelPatternShowsItsGrayValues)
{
    // Levels 10 and 200 in a 4 x 2 cell, shown as 30 and 90.
    QImage cell = rampImage(4, 2);
    cell.fill(10);
    cell.scanLine(1)[3] = 200;
    PatternLevels levels;
    levels.twoLevel = true;
    readTwoLevels(cell, levels.level1Gray, levels.level2Gray);
    ASSERT_EQ(levels.level1Gray, 10);
    ASSERT_EQ(levels.level2Gray, 200);
    levels.grayValue1 = 30;
    levels.grayValue2 = 90;

    struct Row
    {
        const char* name;
        bool inverted;
        int prismX;
        int gray10, gray200; // shown at a level-10 pixel and a level-200 pixel
    } rows[] = {
        {"fast", false, 0, 30, 90},
        {"fast inverted", true, 0, 225, 165},
    };
    // Screen pixel (960, 540) shows cell (2, 1) = level 10, pixel (961, 540) cell (3, 1).
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CompositionParameters p;
        p.inverted = row.inverted;
        p.prismXValue = row.prismX;
        const QImage out = composeFullScreen(cell, levels, p);
        EXPECT_EQ(grayAt(out, 960, 540), row.gray10);
        EXPECT_EQ(grayAt(out, 961, 540), row.gray200);
    }
    // Per pixel: the gray values plus the phase, through the gray table.
    CompositionParameters p;
    p.prismXValue = 1;
    const QImage out = composeFullScreen(cell, levels, p);
    EXPECT_EQ(indexAt(out, 960, 540), 30);
    EXPECT_EQ(indexAt(out, 961, 540), 91);
}

TEST(Levels, OneLevelPatternUsesItsGrayValueEverywhere)
{
    QImage cell = rampImage(8, 8);
    cell.fill(40);
    PatternLevels levels;
    levels.oneLevel = true;
    levels.level1Gray = 40;
    levels.grayValue1 = 70;
    EXPECT_EQ(grayAt(composeFullScreen(cell, levels, CompositionParameters()), 3, 3), 70);
    CompositionParameters p;
    p.lensValue = 1;
    const QImage out = composeFullScreen(cell, levels, p);
    EXPECT_EQ(indexAt(out, 960, 540), 70);
    EXPECT_EQ(indexAt(out, 1060, 540), 70 + 17);
    // On a screen of one line, shorter than the cell, as well.
    p.fullHeight = 1;
    p.lensValue = 0;
    p.prismXValue = 1;
    const QImage line = composeFullScreen(cell, levels, p);
    EXPECT_EQ(indexAt(line, 960, 0), 70);
    EXPECT_EQ(indexAt(line, 961, 0), 71);
}

TEST(Levels, SecondLevelEqualsTheFirstWhenThereIsNone)
{
    QImage cell = rampImage(3, 3);
    cell.fill(55);
    unsigned char l1 = 1, l2 = 2;
    readTwoLevels(cell, l1, l2);
    EXPECT_EQ(l1, 55);
    EXPECT_EQ(l2, 55);
    readTwoLevels(QImage(), l1, l2);
    EXPECT_EQ(l1, 0);
    EXPECT_EQ(l2, 0);
}

TEST(Zoom, Labels)
{
    struct Row
    {
        int level;
        const char* text;
    } rows[] = {
        {0, "Zoom:\n100%"},    {1, "Zoom:\n125%"},     {3, "Zoom:\n200%"},
        {-1, "Zoom:\n79%"},    {-3, "Zoom:\n50%"},     {-7, "Zoom:\n19.8%"},
        {-10, "Zoom:\n9.92%"}, {-20, "Zoom:\n0.984%"}, {-30, "Zoom:\n0.098%"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.level);
        ZoomGeometry g;
        ASSERT_TRUE(zoomGeometry(row.level, 1920, 1080, 1920, 1080, g));
        EXPECT_EQ(zoomLabelText(g.factor), QString::fromLatin1(row.text));
    }
}

TEST(Zoom, Geometry)
{
    struct Row
    {
        const char* name;
        int level, w, h, fullW, fullH;
        bool ok;
        int scaledW, scaledH;
        bool cropped;
        int cropX, cropY, cropW, cropH;
    } rows[] = {
        {"level 0", 0, 100, 100, 1920, 1080, true, 100, 100, false, 0, 0, 100, 100},
        {"one step in", 1, 100, 100, 1920, 1080, true, 125, 125, false, 0, 0, 100, 100},
        {"one step out", -1, 100, 50, 1920, 1080, true, 79, 39, false, 0, 0, 100, 50},
        {"twice the screen is whole", 3, 1920, 1080, 1920, 1080, true, 3840, 2160, false, 0, 0,
         1920, 1080},
        {"beyond twice crops both", 4, 1920, 1080, 1920, 1080, true, 3840, 2160, true, 198, 111,
         1523, 857},
        {"deep zoom keeps a 3 x 2 crop", 30, 1920, 1080, 1920, 1080, true, 3840, 2160, true, 958,
         539, 3, 2},
        {"only y beyond twice", 7, 100, 900, 1920, 1080, true, 503, 2160, true, 0, 236, 100, 428},
        {"out to nothing", -1, 1, 5, 1920, 1080, false, 0, 0, false, 0, 0, 0, 0},
        {"crop side stays 1", 12, 1, 1, 8, 8, true, 16, 16, false, 0, 0, 1, 1},
        {"crop side would be 0", 13, 1, 1, 8, 8, false, 0, 0, false, 0, 0, 0, 0},
        {"empty image", 0, 0, 0, 1920, 1080, false, 0, 0, false, 0, 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ZoomGeometry g;
        ASSERT_EQ(zoomGeometry(row.level, row.w, row.h, row.fullW, row.fullH, g), row.ok);
        if (!row.ok)
            continue;
        // A crop scaled to twice the screen may fall one pixel short in floating point.
        EXPECT_NEAR(g.scaledWidth, row.scaledW, row.cropped ? 1 : 0);
        EXPECT_NEAR(g.scaledHeight, row.scaledH, row.cropped ? 1 : 0);
        EXPECT_EQ(g.cropped, row.cropped);
        EXPECT_EQ(g.cropX, row.cropX);
        EXPECT_EQ(g.cropY, row.cropY);
        EXPECT_EQ(g.cropWidth, row.cropW);
        EXPECT_EQ(g.cropHeight, row.cropH);
    }
}

TEST(Zoom, ResampledImagesStayEightBitGray)
{
    QImage cell = rampImage(40, 30);
    cell.fill(10);
    for (int x = 0; x < 40; x += 2)
        cell.scanLine(5)[x] = 200;
    ZoomGeometry g;
    ASSERT_TRUE(zoomGeometry(2, 40, 30, 1920, 1080, g));

    const QImage nearest = resampleForZoom(cell, g, true);
    ASSERT_EQ(nearest.size(), QSize(g.scaledWidth, g.scaledHeight));
    ASSERT_EQ(nearest.format(), QImage::Format_Indexed8);
    for (int y = 0; y < nearest.height(); ++y)
        for (int x = 0; x < nearest.width(); ++x) {
            const int v = indexAt(nearest, x, y);
            ASSERT_TRUE(v == 10 || v == 200) << x << " " << y;
        }

    const QImage smooth = resampleForZoom(cell, g, false);
    ASSERT_EQ(smooth.size(), QSize(g.scaledWidth, g.scaledHeight));
    ASSERT_EQ(smooth.format(), QImage::Format_Indexed8);
    ASSERT_EQ(smooth.colorCount(), 256);
    EXPECT_EQ(qRed(smooth.color(77)), 77);
    EXPECT_EQ(indexAt(smooth, 0, smooth.height() - 1), 10);
    bool between = false;
    for (int x = 0; x < smooth.width(); ++x)
        for (int y = 0; y < smooth.height(); ++y) {
            const int v = indexAt(smooth, x, y);
            ASSERT_GE(v, 10);
            ASSERT_LE(v, 200);
            between = between || (v > 10 && v < 200);
        }
    EXPECT_TRUE(between) << "smooth scaling blends the two levels";

    ZoomGeometry deep;
    ASSERT_TRUE(zoomGeometry(30, 1920, 1080, 1920, 1080, deep));
    QImage full = rampImage(1920, 1080);
    full.fill(99);
    const QImage zoomed = resampleForZoom(full, deep, false);
    EXPECT_EQ(zoomed.size(), QSize(deep.scaledWidth, deep.scaledHeight));
    EXPECT_EQ(indexAt(zoomed, 1000, 1000), 99);
}

} // namespace
