// Resizing gray images in 8 bits: nearest pixels, linear enlargement, area-weighted reduction.
#include "fieldio/grayImageScaling.h"

#include "fieldio/grayImages.h"

#include <QRandomGenerator>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

QImage grayRow(const std::vector<int>& values, int height = 1)
{
    QImage image = createPhaseImage(int(values.size()), height);
    for (int y = 0; y < height; ++y)
        for (size_t x = 0; x < values.size(); ++x)
            image.scanLine(y)[x] = uchar(values[x]);
    return image;
}

std::vector<int> firstRow(const QImage& image)
{
    std::vector<int> values;
    for (int x = 0; x < image.width(); ++x)
        values.push_back(image.constScanLine(0)[x]);
    return values;
}

// Along one axis (a row, and the same row transposed into a column).
TEST(GrayImageScaling, AxisRules)
{
    const struct
    {
        const char* name;
        std::vector<int> source;
        int size;
        bool smooth;
        std::vector<int> expected;
    } rows[] = {
        {"nearest doubles", {10, 20, 30}, 6, false, {10, 10, 20, 20, 30, 30}},
        {"nearest halves at centres", {10, 20, 30, 40}, 2, false, {20, 40}},
        {"linear between centres, edges repeat", {0, 100}, 4, true, {0, 25, 75, 100}},
        {"linear over three", {0, 90, 30}, 5, true, {0, 36, 90, 54, 30}},
        {"mean of two", {0, 100, 200, 40}, 2, true, {50, 120}},
        {"mean by covered parts", {0, 100, 200, 40}, 3, true, {25, 150, 80}},
        {"kept size copies", {3, 250, 7}, 3, true, {3, 250, 7}},
        {"one pixel enlarged", {77}, 4, true, {77, 77, 77, 77}},
        {"to one pixel", {0, 255}, 1, true, {128}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const QImage wide = scaleGrayImage(grayRow(r.source), r.size, 1, r.smooth);
        ASSERT_EQ(wide.size(), QSize(r.size, 1));
        EXPECT_EQ(firstRow(wide), r.expected);

        const QImage tall = scaleGrayImage(
            grayRow(r.source).transformed(QTransform(0, 1, 1, 0, 0, 0)), 1, r.size, r.smooth);
        ASSERT_EQ(tall.size(), QSize(1, r.size));
        std::vector<int> column;
        for (int y = 0; y < r.size; ++y)
            column.push_back(tall.pixelIndex(0, y));
        EXPECT_EQ(column, r.expected);
    }
}

TEST(GrayImageScaling, PhaseImageOfGraysWhateverThePalette)
{
    QImage source(2, 1, QImage::Format_Indexed8);
    source.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    source.scanLine(0)[0] = 0;
    source.scanLine(0)[1] = 1;
    const QImage scaled = scaleGrayImage(source, 4, 2, false);
    EXPECT_EQ(scaled.format(), QImage::Format_Indexed8);
    EXPECT_EQ(scaled.colorTable(), grayRampColorTable());
    EXPECT_EQ(firstRow(scaled), (std::vector<int>{87, 87, 39, 39}));

    EXPECT_TRUE(scaleGrayImage(QImage(), 4, 4, true).isNull());
    EXPECT_TRUE(scaleGrayImage(source, 0, 4, true).isNull());
    EXPECT_TRUE(scaleGrayImage(source, 4, -1, false).isNull());
}

// Both axes at once, up and down, on random pictures: a constant stays constant, every value
// stays within the source's range, and the result keeps close to the toolkit's smooth scaling.
TEST(GrayImageScaling, AgreesWithTheToolkitsSmoothScaling)
{
    QRandomGenerator random(7);
    const QSize sizes[][2] = {{{20, 15}, {300, 200}}, {{301, 199}, {53, 41}}, {{9, 40}, {70, 13}}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s[1].width());
        QImage source = createPhaseImage(s[0].width(), s[0].height());
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                source.scanLine(y)[x] = uchar(random.bounded(256));
        const QImage ours = scaleGrayImage(source, s[1].width(), s[1].height(), true);
        const QImage toolkit = source.convertToFormat(QImage::Format_RGB32)
                                   .scaled(s[1], Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        double differences = 0;
        for (int y = 0; y < ours.height(); ++y)
            for (int x = 0; x < ours.width(); ++x)
                differences += std::abs(ours.pixelIndex(x, y) - qRed(toolkit.pixel(x, y)));
        EXPECT_LT(differences / (ours.width() * ours.height()), 1.5);

        QImage flat = createPhaseImage(s[0].width(), s[0].height());
        flat.fill(uchar(141));
        const QImage scaledFlat = scaleGrayImage(flat, s[1].width(), s[1].height(), true);
        for (int y = 0; y < scaledFlat.height(); ++y)
            for (int x = 0; x < scaledFlat.width(); ++x)
                ASSERT_EQ(scaledFlat.pixelIndex(x, y), 141);
    }
}

} // namespace
