// Helpers for tests of the pattern generators: pixel rows and columns counted from the bottom,
// and the phase-image format check.
#pragma once

#include "patterns/phaseImage.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

// Pixel values of row y (from the bottom), left to right.
inline std::vector<int> phaseRow(const QImage& image, int y)
{
    std::vector<int> row;
    for (int x = 0; x < image.width(); ++x)
        row.push_back(phasePixel(image, x, y));
    return row;
}

// Pixel values of column x, bottom to top.
inline std::vector<int> phaseColumn(const QImage& image, int x)
{
    std::vector<int> column;
    for (int y = 0; y < image.height(); ++y)
        column.push_back(phasePixel(image, x, y));
    return column;
}

// Cell rows from the bottom row up.
inline std::vector<std::vector<int>> phaseRows(const QImage& image)
{
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < image.height(); ++y)
        rows.push_back(phaseRow(image, y));
    return rows;
}

inline int countPixels(const QImage& image, int value)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += phasePixel(image, x, y) == value;
    return n;
}

// An Indexed8 image of the given size whose colour table is the opaque gray ramp.
inline void expectPhaseImage(const QImage& image, int width, int height)
{
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.width(), width);
    EXPECT_EQ(image.height(), height);
    const QList<QRgb> table = image.colorTable();
    ASSERT_EQ(table.size(), 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(table[i], qRgb(i, i, i)) << "colour table entry " << i;
}

// One expected pixel: centred offsets (dx, dy) from (width / 2, height / 2), y upwards.
struct CentredPixel
{
    const char* what;
    int dx;
    int dy;
    int expected;
};

inline void expectCentredPixels(const QImage& image, const std::vector<CentredPixel>& cases)
{
    for (const CentredPixel& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(phasePixel(image, image.width() / 2 + c.dx, image.height() / 2 + c.dy),
                  c.expected);
    }
}
