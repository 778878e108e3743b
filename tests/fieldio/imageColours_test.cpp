// Colour analysis and gray conversion: two-colour test, gray-level counts, channel and palette
// conversion to gray, depth reduction.
#include "fieldio/imageColours.h"

#include "fieldioTestSupport.h"

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb green = qRgb(0, 255, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb black = qRgb(0, 0, 0);
const QRgb white = qRgb(255, 255, 255);
const QRgb gray = qRgb(90, 90, 90);

QImage monoImage(const QList<QRgb>& table, const std::vector<std::vector<int>>& bits)
{
    QImage image(int(bits.at(0).size()), int(bits.size()), QImage::Format_MonoLSB);
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, uint(bits[size_t(y)][size_t(x)]));
    return image;
}

QImage indexedImage(const QList<QRgb>& table, const std::vector<std::vector<int>>& indices)
{
    QImage image(int(indices.at(0).size()), int(indices.size()), QImage::Format_Indexed8);
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, uint(indices[size_t(y)][size_t(x)]));
    return image;
}

TEST(IsTwoColourImage, VisitsPixelsInRasterOrder)
{
    struct Case
    {
        const char* name;
        QImage image;
        bool two;
        QRgb c0, c1;
    };
    const Case cases[] = {
        {"one pixel", colourImageOf({{red}}), true, red, red},
        {"one colour", colourImageOf({{red, red}, {red, red}}), true, red, red},
        {"two colours", colourImageOf({{red, red, blue}, {blue, red, red}}), true, red, blue},
        {"third colour at the end", colourImageOf({{red, blue}, {red, green}}), false, red, blue},
        {"one pixel wide, two colours", colourImageOf({{red}, {red}, {green}}), true, red, green},
        {"one pixel wide, three colours", colourImageOf({{red}, {green}, {blue}}), false, red,
         green},
        {"one line high", colourImageOf({{gray, gray, white}}), true, gray, white},
        {"palette colours count, not indices", indexedImage({red, red, blue}, {{0, 1, 2, 1}}), true,
         red, blue},
        {"1 bit is two-coloured", monoImage({green, blue}, {{0, 0}}), true, green, blue},
        {"empty", QImage(), true, black, black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QRgb c0 = 1;
        QRgb c1 = 1;
        EXPECT_EQ(isTwoColourImage(c.image, c0, c1), c.two);
        EXPECT_EQ(c0, c.c0);
        EXPECT_EQ(c1, c.c1);
    }
}

TEST(AnalyzeImageGrayLevels, CountsByDepth)
{
    QImage grayscale(3, 1, QImage::Format_Grayscale8);
    grayscale.scanLine(0)[0] = 5;
    grayscale.scanLine(0)[1] = 5;
    grayscale.scanLine(0)[2] = 200;
    struct Case
    {
        const char* name;
        QImage image;
        int count;
        bool allGray;
    };
    const Case cases[] = {
        {"1 bit, one gray entry", monoImage({gray}, {{0, 0}}), 1, true},
        {"1 bit, one colour entry", monoImage({red}, {{0, 0}}), 1, false},
        {"1 bit, both bits used", monoImage({black, white}, {{0, 1}, {0, 0}}), 2, true},
        {"1 bit, one bit used", monoImage({black, white}, {{1, 1}, {1, 1}}), 1, true},
        {"1 bit, equal entries", monoImage({gray, gray}, {{0, 1}}), 1, true},
        {"1 bit, a colour entry unused", monoImage({black, red}, {{0, 0}}), 1, false},
        {"8 bits, gray table, three grays used",
         indexedImage({black, gray, white, gray}, {{0, 1, 2, 3, 1}}), 3, true},
        {"8 bits, colour table, colours used",
         indexedImage({black, red, red, blue}, {{1, 2, 0, 1}}), 2, false},
        {"8 bits, colour table, only grays used", indexedImage({black, red, white}, {{0, 2}}), 2,
         true},
        {"Grayscale8", grayscale, 2, true},
        {"32 bits, grays", colourImageOf({{black, gray}, {white, gray}}), 3, true},
        {"32 bits, colours", colourImageOf({{black, red}, {red, blue}}), 3, false},
        {"empty", QImage(), 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int count = -1;
        bool allGray = false;
        analyzeImageGrayLevels(c.image, count, allGray);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(allGray, c.allGray);
    }
}

TEST(CountTrueColourImageColours, MarksEveryColourSeen)
{
    int count = 0;
    bool allGray = true;
    const ColourTable seen
        = countTrueColourImageColours(colourImageOf({{qRgb(1, 2, 3), gray}}), count, allGray);
    ASSERT_EQ(seen.size(), colourTableBytes);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(allGray);
    const auto marked = [&seen](int r, int g, int b) {
        const unsigned key = unsigned(r * 65536 + g * 256 + b);
        return (seen[key / 8] >> (b % 8)) & 1;
    };
    EXPECT_TRUE(marked(1, 2, 3));
    EXPECT_TRUE(marked(90, 90, 90));
    EXPECT_FALSE(marked(1, 2, 4));
}

TEST(ConvertImageToGrayByChannel, PaletteImagesGetGrayTables)
{
    const QRgb colour = qRgb(200, 100, 50);
    const QImage source = indexedImage({colour, white}, {{1, 0}});
    struct Case
    {
        int kind;
        int gray;
    };
    const Case cases[] = {{3, qGray(colour)}, {4, 200}, {5, 100}, {6, 50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const QImage result = convertImageToGrayByChannel(source, c.kind);
        EXPECT_EQ(result.format(), QImage::Format_Indexed8);
        EXPECT_EQ(result.colorTable(), (QList<QRgb>{qRgb(c.gray, c.gray, c.gray), white}));
        EXPECT_EQ(pixelLines(result), pixelLines(source));
    }
    EXPECT_EQ(convertImageToGrayByChannel(source, 9).colorTable(), source.colorTable());
    EXPECT_EQ(source.color(0), colour); // the input keeps its table
}

TEST(ConvertImageToGrayByChannel, TrueColourImagesBecomePhaseImages)
{
    const QImage source = colourImageOf({{qRgb(200, 100, 50), qRgb(1, 2, 3)}});
    struct Case
    {
        int kind;
        std::vector<int> grays;
    };
    const Case cases[] = {{3, {qGray(200, 100, 50), qGray(1, 2, 3)}},
                          {4, {200, 1}},
                          {5, {100, 2}},
                          {6, {50, 3}},
                          {7, {0, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const QImage result = convertImageToGrayByChannel(source, c.kind);
        expectPhaseImageFormat(result);
        EXPECT_EQ(pixelLines(result), std::vector<std::vector<int>>{c.grays});
    }
}

TEST(ConvertPaletteToGray, ChangesTheCallersImage)
{
    QImage image = indexedImage({qRgb(200, 100, 50), white, red}, {{0, 1}, {2, 0}});
    convertPaletteToGray(image);
    expectPhaseImageFormat(image);
    EXPECT_EQ(pixelLines(image),
              (std::vector<std::vector<int>>{{qGray(200, 100, 50), 255},
                                             {qGray(255, 0, 0), qGray(200, 100, 50)}}));

    // An index without a table entry reads black.
    QImage shortTable = indexedImage({white}, {{0, 0}});
    shortTable.scanLine(0)[1] = 3;
    convertPaletteToGray(shortTable);
    EXPECT_EQ(pixelLines(shortTable), (std::vector<std::vector<int>>{{255, 0}}));

    QImage grayscale(2, 1, QImage::Format_Grayscale8);
    grayscale.scanLine(0)[0] = 17;
    grayscale.scanLine(0)[1] = 230;
    convertPaletteToGray(grayscale);
    expectPhaseImageFormat(grayscale);
    EXPECT_EQ(pixelLines(grayscale), (std::vector<std::vector<int>>{{17, 230}}));

    QImage colour = colourImageOf({{red}});
    const qint64 key = colour.cacheKey();
    convertPaletteToGray(colour);
    EXPECT_EQ(colour.cacheKey(), key);
}

TEST(ReduceImageDepth, TwoColoursBecomeOneBit)
{
    const QImage image = reduceImageDepth(colourImageOf({{red, blue, red}, {blue, blue, red}}));
    ASSERT_EQ(image.format(), QImage::Format_MonoLSB);
    EXPECT_EQ(image.colorTable(), (QList<QRgb>{red, blue}));
    EXPECT_EQ(pixelLines(image), (std::vector<std::vector<int>>{{0, 1, 0}, {1, 1, 0}}));

    const QImage single = reduceImageDepth(colourImageOf({{gray, gray}}));
    ASSERT_EQ(single.format(), QImage::Format_MonoLSB);
    EXPECT_EQ(single.pixel(0, 0), gray);

    const QImage fromPalette = reduceImageDepth(indexedImage({black, white, black}, {{0, 1, 2}}));
    ASSERT_EQ(fromPalette.format(), QImage::Format_MonoLSB);
    EXPECT_EQ(pixelLines(fromPalette), (std::vector<std::vector<int>>{{0, 1, 0}}));
}

TEST(ReduceImageDepth, KeepsOrIndexesOtherImages)
{
    const QImage mono = monoImage({black, white}, {{0, 1}});
    EXPECT_EQ(reduceImageDepth(mono).cacheKey(), mono.cacheKey());

    const QImage indexed = indexedImage({red, green, blue}, {{0, 1, 2}});
    EXPECT_EQ(reduceImageDepth(indexed).cacheKey(), indexed.cacheKey());

    QImage many(20, 15, QImage::Format_RGB32);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x)
            many.setPixel(x, y, qRgb(x * 10, y * 10, 7));
    EXPECT_EQ(reduceImageDepth(many).cacheKey(), many.cacheKey());

    // Three colours with alpha: an exact 8-bit table.
    QImage three(3, 2, QImage::Format_ARGB32);
    const QRgb colours[] = {qRgba(255, 0, 0, 128), qRgba(0, 255, 0, 255), qRgba(1, 2, 3, 0)};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            three.setPixel(x, y, colours[(x + y) % 3]);
    const QImage reduced = reduceImageDepth(three);
    ASSERT_EQ(reduced.format(), QImage::Format_Indexed8);
    EXPECT_EQ(reduced.colorCount(), 3);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(reduced.pixel(x, y), three.pixel(x, y)) << x << ", " << y;

    EXPECT_TRUE(reduceImageDepth(QImage()).isNull());
}

} // namespace
