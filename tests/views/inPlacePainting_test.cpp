// An 8-bit bitmap painted straight into a raster painter's image: the pixels drawImage of its
// 32-bit colours would give, only within the region, and nothing at all where the painter can't
// be written directly.
#include "views/inPlacePainting.h"

#include "views/fullScreenComposition.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <gtest/gtest.h>

namespace {

QImage grayBitmap(int w, int h)
{
    QImage bitmap(w, h, QImage::Format_Indexed8);
    QVector<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb((i * 3) & 255, (i * 3) & 255, (i * 3) & 255);
    bitmap.setColorTable(table);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bitmap.scanLine(y)[x] = static_cast<uchar>(7 * x + 13 * y);
    return bitmap;
}

constexpr QRgb background = 0xFF204060u;

// What drawImage of the expanded bitmap gives, with the same painter set-up and region clip.
QImage drawnThroughImage(const QImage& bitmap, QImage::Format format, const QRect& source,
                         const QPoint& target, const QRegion& region,
                         const std::function<void(QPainter&)>& setUp)
{
    QImage colours;
    expandToColours(bitmap, colours);
    QImage surface(120, 90, format);
    surface.fill(background);
    QPainter painter(&surface);
    setUp(painter);
    painter.setClipRegion(region);
    painter.drawImage(target, colours, source);
    return surface;
}

TEST(InPlacePainting, GivesThePixelsOfDrawingTheColours)
{
    const QImage bitmap = grayBitmap(80, 50);
    const QRegion twoRects = QRegion(0, 0, 40, 30) + QRegion(50, 20, 60, 60);
    struct Row
    {
        const char* name;
        QImage::Format format;
        QRect source;
        QPoint target;
        QRegion region;
        QPoint translation;
    } rows[] = {
        {"whole", QImage::Format_RGB32, QRect(0, 0, 80, 50), QPoint(0, 0), QRegion(0, 0, 120, 90),
         QPoint()},
        {"part, placed, two rects", QImage::Format_RGB32, QRect(10, 5, 60, 40), QPoint(20, 15),
         twoRects, QPoint()},
        {"translated painter", QImage::Format_ARGB32_Premultiplied, QRect(0, 0, 80, 50),
         QPoint(3, 4), QRegion(0, 0, 120, 90), QPoint(17, 9)},
        {"source beyond the bitmap and the surface", QImage::Format_ARGB32, QRect(-10, 20, 150, 50),
         QPoint(0, 60), QRegion(0, 0, 120, 90), QPoint()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto setUp = [&](QPainter& painter) { painter.translate(row.translation); };
        QImage surface(120, 90, row.format);
        surface.fill(background);
        {
            QPainter painter(&surface);
            setUp(painter);
            ASSERT_TRUE(drawIndexedInPlace(painter, bitmap, row.source, row.target, row.region));
        }
        EXPECT_EQ(surface,
                  drawnThroughImage(bitmap, row.format, row.source, row.target, row.region, setUp));
    }
}

TEST(InPlacePainting, RefusesWhatItCannotWriteDirectly)
{
    const QImage bitmap = grayBitmap(40, 30);
    const QRect source(0, 0, 40, 30);
    const QRegion region(0, 0, 40, 30);
    struct Row
    {
        const char* name;
        std::function<void(QPainter&)> setUp;
    } rows[] = {
        {"scaled", [](QPainter& p) { p.scale(2, 2); }},
        {"half-pixel translation", [](QPainter& p) { p.translate(0.5, 0); }},
        {"clipped", [](QPainter& p) { p.setClipRect(0, 0, 10, 10); }},
        {"half opacity", [](QPainter& p) { p.setOpacity(0.5); }},
        {"other composition",
         [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Xor); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QImage surface(40, 30, QImage::Format_RGB32);
        surface.fill(background);
        QPainter painter(&surface);
        row.setUp(painter);
        EXPECT_FALSE(drawIndexedInPlace(painter, bitmap, source, QPoint(), region));
        painter.end();
        EXPECT_EQ(surface.pixel(5, 5), background);
    }
    // Surfaces of other pixel formats or device pixel ratios, and bitmaps that aren't 8-bit.
    QImage rgb16(40, 30, QImage::Format_RGB16), hiDpi(80, 60, QImage::Format_RGB32);
    hiDpi.setDevicePixelRatio(2);
    for (QPaintDevice* device : std::initializer_list<QPaintDevice*>{&rgb16, &hiDpi}) {
        QPainter painter(device);
        EXPECT_FALSE(drawIndexedInPlace(painter, bitmap, source, QPoint(), region));
    }
    QImage surface(40, 30, QImage::Format_RGB32);
    QPainter painter(&surface);
    EXPECT_FALSE(drawIndexedInPlace(painter, bitmap.convertToFormat(QImage::Format_Grayscale8),
                                    source, QPoint(), region));
}

} // namespace
