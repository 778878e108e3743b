// The image normaliser: which formats are kept, which are converted, and that colours survive.
#include "fieldio/imageNormalizer.h"

#include "fieldioTestSupport.h"

namespace {

// A 5 x 3 image of the format whose pixels take several colours.
QImage sample(QImage::Format format)
{
    QImage rgb(5, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const int v = (x * 50 + y * 20) % 256;
            rgb.setPixel(x, y, qRgba(v, v, v, 255));
        }
    if (format == QImage::Format_Mono || format == QImage::Format_MonoLSB)
        return rgb.convertToFormat(format, Qt::ThresholdDither);
    return rgb.convertToFormat(format);
}

TEST(NormalizeImage, KeepsOrConvertsByFormat)
{
    struct Case
    {
        const char* name;
        QImage::Format input;
        QImage::Format output;
    };
    const Case cases[] = {
        {"Mono kept", QImage::Format_Mono, QImage::Format_Mono},
        {"MonoLSB kept", QImage::Format_MonoLSB, QImage::Format_MonoLSB},
        {"Indexed8 kept", QImage::Format_Indexed8, QImage::Format_Indexed8},
        {"RGB32 kept", QImage::Format_RGB32, QImage::Format_RGB32},
        {"ARGB32 kept", QImage::Format_ARGB32, QImage::Format_ARGB32},
        {"Grayscale8 to Indexed8", QImage::Format_Grayscale8, QImage::Format_Indexed8},
        {"Grayscale16 to RGB32", QImage::Format_Grayscale16, QImage::Format_RGB32},
        {"RGB888 to RGB32", QImage::Format_RGB888, QImage::Format_RGB32},
        {"RGB16 to RGB32", QImage::Format_RGB16, QImage::Format_RGB32},
        {"premultiplied to ARGB32", QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32},
        {"RGBA8888 to ARGB32", QImage::Format_RGBA8888, QImage::Format_ARGB32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage input = sample(c.input);
        ASSERT_EQ(input.format(), c.input);
        const QImage output = normalizeImage(input);
        EXPECT_EQ(output.format(), c.output);
        ASSERT_EQ(output.size(), input.size());
        if (c.input == c.output) {
            EXPECT_EQ(output.cacheKey(), input.cacheKey());
        }
        for (int y = 0; y < input.height(); ++y)
            for (int x = 0; x < input.width(); ++x)
                ASSERT_EQ(output.pixel(x, y), input.pixel(x, y)) << x << ", " << y;
    }
    EXPECT_TRUE(normalizeImage(QImage()).isNull());
}

TEST(NormalizeImage, GrayscaleBecomesPhaseImageWithItsGraysAsIndices)
{
    QImage gray(3, 1, QImage::Format_Grayscale8);
    gray.scanLine(0)[0] = 0;
    gray.scanLine(0)[1] = 77;
    gray.scanLine(0)[2] = 255;
    const QImage phase = normalizeImage(gray);
    expectPhaseImageFormat(phase);
    EXPECT_EQ(pixelLines(phase), (std::vector<std::vector<int>>{{0, 77, 255}}));
}

TEST(ReadColourLine, AgreesWithPixelForEveryKeptFormat)
{
    for (QImage::Format format :
         {QImage::Format_Mono, QImage::Format_MonoLSB, QImage::Format_Indexed8,
          QImage::Format_RGB32, QImage::Format_ARGB32}) {
        SCOPED_TRACE(format);
        const QImage image = sample(format);
        std::vector<QRgb> line(size_t(image.width()));
        for (int y = 0; y < image.height(); ++y) {
            readColourLine(image, y, line.data());
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(line[size_t(x)], image.pixel(x, y)) << x << ", " << y;
        }
    }
}

TEST(ReadColourLine, IndexWithoutTableEntryReadsZero)
{
    QImage image(2, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgb(9, 8, 7)});
    image.scanLine(0)[0] = 0;
    image.scanLine(0)[1] = 5;
    QRgb line[2];
    readColourLine(image, 0, line);
    EXPECT_EQ(line[0], qRgb(9, 8, 7));
    EXPECT_EQ(line[1], QRgb(0));
}

} // namespace
