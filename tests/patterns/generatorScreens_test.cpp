// Screens, apertures, slits and random bitmaps as pure generators.
#include "patterns/patternGenerators.h"

#include "phaseImageChecks.h"

#include "base/phasedeckRandom.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

// Open (128) pixel range of a binary pattern along one row or column.
struct OpenRange
{
    int first = -1;
    int last = -1;
    int count = 0;
};

OpenRange openRange(const std::vector<int>& values)
{
    OpenRange r;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        if (values[i] == 128) {
            if (r.first < 0)
                r.first = i;
            r.last = i;
            ++r.count;
        } else {
            EXPECT_EQ(values[i], 0) << "at " << i;
        }
    }
    return r;
}

TEST(ScreenGenerators, BlankAndDividedScreens)
{
    const QImage blank = blankScreen(W, H);
    expectPhaseImage(blank, W, H);
    EXPECT_EQ(countPixels(blank, 127), W * H);

    const QImage divided = horizontallyDividedScreen(W, H);
    expectPhaseImage(divided, W, H);
    EXPECT_EQ(countPixels(divided, 255), W / 2 * H);
    for (int y : {0, H - 1}) {
        EXPECT_EQ(phasePixel(divided, 959, y), 255);
        EXPECT_EQ(phasePixel(divided, 960, y), 127);
    }
    // Odd width: the left half is the truncated half.
    const QImage odd = horizontallyDividedScreen(5, 3);
    EXPECT_EQ(phaseRow(odd, 1), (std::vector<int>{255, 255, 127, 127, 127}));
}

TEST(ScreenGenerators, CentrePixelIsColumnHalfWidthAndLineBelowHalfHeight)
{
    // Radius 1 opens exactly the centre pixel.
    const QImage image = circularAperture(W, H, 1);
    EXPECT_EQ(countPixels(image, 128), 1);
    EXPECT_EQ(image.pixelIndex(960, 539), 128);

    const QImage odd = circularAperture(7, 5, 1);
    EXPECT_EQ(countPixels(odd, 128), 1);
    EXPECT_EQ(odd.pixelIndex(3, 5 - 1 - 2), 128);
}

TEST(ScreenGenerators, RectangularApertureOpensExactlyWidthByHeight)
{
    struct Case
    {
        const char* what;
        int width, height, w, h;
        int firstColumn, lastColumn, firstLine, lastLine;
    };
    const Case cases[] = {
        {"30 x 20 on the SLM", W, H, 30, 20, 945, 974, 530, 549},
        {"odd sizes centred on the centre pixel", W, H, 31, 21, 945, 975, 529, 549},
        {"one pixel", W, H, 1, 1, 960, 960, 539, 539},
        {"odd image, 3 x 2", 9, 7, 3, 2, 3, 5, 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = rectangularAperture(c.width, c.height, c.w, c.h);
        expectPhaseImage(image, c.width, c.height);
        EXPECT_EQ(countPixels(image, 128), c.w * c.h);
        EXPECT_EQ(countPixels(image, 0), c.width * c.height - c.w * c.h);
        const int line = (c.firstLine + c.lastLine) / 2;
        std::vector<int> lineValues;
        for (int x = 0; x < c.width; ++x)
            lineValues.push_back(image.pixelIndex(x, line));
        const OpenRange across = openRange(lineValues);
        EXPECT_EQ(across.first, c.firstColumn);
        EXPECT_EQ(across.last, c.lastColumn);
        std::vector<int> columnValues;
        for (int l = 0; l < c.height; ++l)
            columnValues.push_back(image.pixelIndex(c.firstColumn, l));
        const OpenRange down = openRange(columnValues);
        EXPECT_EQ(down.first, c.firstLine);
        EXPECT_EQ(down.last, c.lastLine);
    }
}

TEST(ScreenGenerators, CircularApertureEdgeIsStrict)
{
    const QImage image = circularAperture(W, H, 200);
    expectPhaseImage(image, W, H);
    expectCentredPixels(image, {
                                   {"centre", 0, 0, 128},
                                   {"dx 199", 199, 0, 128},
                                   {"dx 200 on the circle", 200, 0, 0},
                                   {"dx -200", -200, 0, 0},
                                   {"dy 199", 0, 199, 128},
                                   {"dy -200", 0, -200, 0},
                                   {"120, 160 on the circle", 120, 160, 0},
                                   {"120, 159 inside", 120, 159, 128},
                               });
    EXPECT_EQ(countPixels(circularAperture(W, H, 0), 0), W * H);
}

TEST(ScreenGenerators, SingleSlitColumns)
{
    struct Case
    {
        const char* what;
        int w, first, last;
    };
    const Case cases[] = {
        {"width 1 opens column W/2", 1, 960, 960},
        {"width 20", 20, 950, 969},
        {"width 21", 21, 950, 970},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = singleSlit(W, H, c.w);
        expectPhaseImage(image, W, H);
        const OpenRange r = openRange(phaseRow(image, 0));
        EXPECT_EQ(r.first, c.first);
        EXPECT_EQ(r.last, c.last);
        EXPECT_EQ(countPixels(image, 128), c.w * H);
        EXPECT_EQ(phaseRow(image, H - 1), phaseRow(image, 0));
    }
    EXPECT_EQ(countPixels(singleSlit(W, H, 0), 0), W * H);
}

TEST(ScreenGenerators, DoubleSlitColumns)
{
    struct Case
    {
        const char* what;
        int w, d;
        std::vector<int> openColumns; // first and last column of each open run
    };
    const Case cases[] = {
        {"d = 301, w = 10: centres W/2 + 150 and W/2 - 151", 10, 301, {804, 813, 1105, 1114}},
        {"d = 300, w = 10", 10, 300, {805, 814, 1105, 1114}},
        {"odd width", 3, 100, {909, 911, 1009, 1011}},
        {"distance below width: one wider slit", 10, 4, {953, 966}},
        {"slits touching", 10, 10, {950, 969}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage image = doubleSlit(W, H, c.w, c.d);
        const std::vector<int> row = phaseRow(image, 7);
        std::vector<int> runs;
        for (int x = 0; x < W; ++x) {
            const bool open = row[x] == 128;
            const bool before = x > 0 && row[x - 1] == 128;
            const bool after = x + 1 < W && row[x + 1] == 128;
            if (open && !before)
                runs.push_back(x);
            if (open && !after)
                runs.push_back(x);
        }
        EXPECT_EQ(runs, c.openColumns);
        EXPECT_EQ(phaseRow(image, 0), row);
    }
}

// A fake source that hands out a fixed list of draws, then repeats it.
struct ListSource
{
    std::vector<int> values;
    std::size_t next = 0;
    int operator()()
    {
        const int v = values[next % values.size()];
        ++next;
        return v;
    }
};

TEST(RandomBitmaps, DrawsMapToLevels)
{
    struct Case
    {
        int draw, level, binary;
    };
    const Case cases[] = {
        {0, 0, 0},         {1, 0, 0},         {127, 0, 0},       {128, 1, 0},       {16383, 127, 0},
        {16384, 128, 128}, {32639, 254, 128}, {32640, 255, 128}, {32767, 255, 128},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        ListSource source{{c.draw}};
        EXPECT_EQ(randomBitmap(1, 1, std::ref(source)).pixelIndex(0, 0), c.level);
        ListSource binarySource{{c.draw}};
        EXPECT_EQ(randomBinaryBitmap(1, 1, std::ref(binarySource)).pixelIndex(0, 0), c.binary);
    }
}

TEST(RandomBitmaps, DrawOrderIsColumnsFromTheLeftEachFromTheBottom)
{
    // Draw number k is k * 128, so the level of a pixel tells which draw it got.
    ListSource source;
    for (int k = 0; k < 6; ++k)
        source.values.push_back(k * 128);
    const QImage image = randomBitmap(3, 2, std::ref(source));
    expectPhaseImage(image, 3, 2);
    EXPECT_EQ(source.next, 6u);
    EXPECT_EQ(phaseRows(image), (std::vector<std::vector<int>>{{0, 2, 4}, {1, 3, 5}}));
    // The bottom row is image line 1.
    EXPECT_EQ(image.pixelIndex(1, 1), 2);
}

TEST(RandomBitmaps, ProjectGeneratorGivesAllLevelsAndAdvances)
{
    phasedeckSrand(1);
    const QImage first = randomBitmap(W, H, phasedeckRand);
    const QImage second = randomBitmap(W, H, phasedeckRand);
    expectPhaseImage(first, W, H);
    EXPECT_NE(first, second);
    std::set<int> levels;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            levels.insert(first.pixelIndex(x, y));
    EXPECT_EQ(levels.size(), 256u);

    const QImage binary = randomBinaryBitmap(W, H, phasedeckRand);
    const int open = countPixels(binary, 128);
    EXPECT_EQ(open + countPixels(binary, 0), W * H);
    EXPECT_NEAR(open, W * H / 2, W * H / 100);

    // Restarting the sequence repeats the bitmap.
    phasedeckSrand(1);
    EXPECT_EQ(randomBitmap(W, H, phasedeckRand), first);
}

} // namespace
