// Image pixel readers: 1-bit images in both bit orders and with either palette, 8-bit palette,
// gray and true-colour images, value modes, reads outside the image and the clip window.
#include "fieldio/DataSource2D.h"

#include "fieldio/DataSourceBinaryPhaseImage2D.h"
#include "fieldio/DataSourcePhaseImage2D.h"
#include "fieldioTestSupport.h"

#include <boost/shared_ptr.hpp>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Lines = std::vector<std::vector<int>>;

// Every value the reader gives inside its image, top line first.
Lines readAll(const DataSource2D& source)
{
    Lines lines(size_t(source.getHeight()));
    for (int y = 0; y < source.getHeight(); ++y)
        for (int x = 0; x < source.getWidth(); ++x)
            lines[size_t(y)].push_back(source.valueAt(x, y));
    return lines;
}

// A 1-bit image of the given format whose lines hold the given bits.
QImage bitImage(QImage::Format format, const Lines& bits, const QList<QRgb>& table)
{
    QImage image(int(bits.at(0).size()), int(bits.size()), format);
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, uint(bits[size_t(y)][size_t(x)]));
    return image;
}

const QList<QRgb> blackWhite = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
// Eleven columns, so that a line spans two bytes.
const Lines bits = {{1, 0, 0, 1, 1, 0, 1, 0, 0, 1, 1}, {0, 1, 1, 0, 0, 0, 0, 1, 1, 1, 0}};

Lines scaled(const Lines& lines, int one, int zero)
{
    Lines result = lines;
    for (auto& line : result)
        for (int& v : line)
            v = v ? one : zero;
    return result;
}

TEST(DataSourceBinaryPhaseImage2DTest, BothBitOrdersReadTheSamePicture)
{
    for (QImage::Format format : {QImage::Format_Mono, QImage::Format_MonoLSB}) {
        SCOPED_TRACE(format);
        const DataSourceBinaryPhaseImage2D reader(bitImage(format, bits, blackWhite));
        EXPECT_EQ(reader.getWidth(), 11);
        EXPECT_EQ(reader.getHeight(), 2);
        EXPECT_EQ(reader.getValueMode(), 4);
        EXPECT_EQ(readAll(reader), scaled(bits, 255, 0));
    }
}

TEST(DataSourceBinaryPhaseImage2DTest, ValuesFollowTheColourTable)
{
    struct Case
    {
        const char* name;
        QList<QRgb> table;
        int zero;
        int one;
    };
    const std::vector<Case> cases = {
        {"reversed", {qRgb(255, 255, 255), qRgb(0, 0, 0)}, 255, 0},
        // qGray of (200, 0, 0) and (0, 0, 200): 2200 / 32 and 1000 / 32.
        {"colours", {qRgb(200, 0, 0), qRgb(0, 0, 200)}, 68, 31},
        {"one entry", {qRgb(10, 10, 10)}, 10, 255},
        {"no table", {}, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataSourceBinaryPhaseImage2D reader(bitImage(QImage::Format_MonoLSB, bits, c.table));
        EXPECT_EQ(readAll(reader), scaled(bits, c.one, c.zero));
    }
}

TEST(DataSourcePhaseImage2DTest, ReadsTheGrayOfEveryKindOfImage)
{
    struct Case
    {
        const char* name;
        QImage image;
        Lines expected;
    };
    QImage palette(3, 2, QImage::Format_Indexed8);
    palette.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(90, 90, 90)});
    const Lines indices = {{0, 1, 2}, {3, 3, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            palette.setPixel(x, y, uint(indices[size_t(y)][size_t(x)]));
    // qGray: red 87, green 127, blue 39.
    const Lines paletteGrays = {{87, 127, 39}, {90, 90, 87}};

    QImage gray(3, 2, QImage::Format_Grayscale8);
    const Lines grayValues = {{0, 17, 128}, {200, 254, 255}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            gray.scanLine(y)[x] = uchar(grayValues[size_t(y)][size_t(x)]);

    const QImage colour = colourImageOf({{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                                         {qRgb(90, 90, 90), qRgb(10, 20, 30), qRgb(255, 0, 0)}});
    // qGray(10, 20, 30) = (110 + 320 + 150) / 32 = 18.
    const Lines colourGrays = {{87, 127, 39}, {90, 18, 87}};

    QImage argb = colour.convertToFormat(QImage::Format_ARGB32);
    // A gray palette stays as it is and is read by its red component.
    const QImage phase = phaseImageOf({{0, 50, 100}, {150, 200, 250}});
    const QImage mono = bitImage(QImage::Format_Mono, {{1, 0, 1}, {0, 1, 1}}, blackWhite);

    const std::vector<Case> cases = {
        {"8-bit colour palette", palette, paletteGrays},
        {"gray PNG kind (Grayscale8)", gray, grayValues},
        {"RGB32", colour, colourGrays},
        {"ARGB32", argb, colourGrays},
        {"phase image", phase, {{0, 50, 100}, {150, 200, 250}}},
        {"1-bit", mono, {{255, 0, 255}, {0, 255, 255}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DataSourcePhaseImage2D reader(c.image);
        EXPECT_EQ(reader.getImage().format(), QImage::Format_Indexed8);
        EXPECT_EQ(readAll(reader), c.expected);
    }
}

TEST(DataSourcePhaseImage2DTest, AnIndexWithoutTableEntryReads255)
{
    QImage image(2, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgb(40, 40, 40)});
    image.scanLine(0)[0] = 0;
    image.scanLine(0)[1] = 7;
    const DataSourcePhaseImage2D reader(image);
    EXPECT_EQ(readAll(reader), (Lines{{40, 255}}));
}

TEST(DataSource2DTest, ValueModesAndReadsOutsideTheImage)
{
    const boost::shared_ptr<DataSource2D> readers[] = {
        boost::shared_ptr<DataSource2D>(
            new DataSourceBinaryPhaseImage2D(bitImage(QImage::Format_Mono, bits, blackWhite))),
        boost::shared_ptr<DataSource2D>(new DataSourcePhaseImage2D(phaseImageOf({{0, 9}, {0, 9}}))),
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader->getWidth());
        const int w = reader->getWidth();
        const int h = reader->getHeight();
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{
                 {-1, 0}, {0, -1}, {w, 0}, {0, h}, {-5, -5}, {w + 3, h + 3}}) {
            EXPECT_EQ(reader->valueAt(x, y), 0) << x << ", " << y;
            EXPECT_EQ(reader->pixel(x, y), 0) << x << ", " << y;
        }
        for (int mode : {3, 5}) {
            reader->setValueMode(mode);
            EXPECT_EQ(reader->valueAt(0, 0), 255);
            EXPECT_EQ(reader->valueAt(w, 0), 0);
        }
        for (int mode : {0, 1, 6}) {
            reader->setValueMode(mode);
            EXPECT_EQ(reader->valueAt(w - 1, h - 1), 0);
        }
        reader->setValueMode(4);
        EXPECT_NE(reader->valueAt(w - 1, 0), 0);
    }

    DataSource2D base;
    base.setValueMode(4);
    EXPECT_EQ(base.getValueMode(), 0);
    EXPECT_EQ(base.valueAt(0, 0), 0);
    EXPECT_TRUE(base.getImage().isNull());
}

TEST(DataSource2DTest, ClipWindowOffsetsAndLimitsThePixelRead)
{
    // Gray value 10 * x + y over 4 x 3.
    DataSourcePhaseImage2D reader(
        phaseImageOf({{0, 10, 20, 30}, {1, 11, 21, 31}, {2, 12, 22, 32}}));

    struct Case
    {
        const char* name;
        int width, height, x0, y0;
        int clipWidth, clipHeight, clipX, clipY;
    };
    const std::vector<Case> cases = {
        {"whole image for 0, 0, -1, -1", 0, 0, -1, -1, 4, 3, 0, 0},
        {"inside", 2, 2, 1, 1, 2, 2, 1, 1},
        {"too large and origin outside", 5, 4, 4, 3, 4, 3, 0, 0},
        {"past the right edge", 3, 1, 2, 2, 3, 1, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reader.setClipWindow(c.width, c.height, c.x0, c.y0);
        EXPECT_EQ(reader.getClipWidth(), c.clipWidth);
        EXPECT_EQ(reader.getClipHeight(), c.clipHeight);
        EXPECT_EQ(reader.getClipX(), c.clipX);
        EXPECT_EQ(reader.getClipY(), c.clipY);
        for (int y = -1; y <= 4; ++y)
            for (int x = -1; x <= 5; ++x) {
                const int ix = x + c.clipX;
                const int iy = y + c.clipY;
                const bool inClip = x >= 0 && y >= 0 && x < c.clipWidth && y < c.clipHeight;
                const bool inImage = ix < 4 && iy < 3;
                EXPECT_EQ(reader.pixel(x, y), inClip && inImage ? 10 * ix + iy : 0)
                    << x << ", " << y;
            }
    }
}

} // namespace
