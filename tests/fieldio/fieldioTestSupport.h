// Fixtures for the field and image conversion tests: small fields from value lists, images as
// tables of pixel indices, and file contents.
#pragma once

#include "fieldio/grayImages.h"
#include "fields/DataField2D.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <boost/shared_ptr.hpp>
#include <gtest/gtest.h>
#include <vector>

// A field of nI x nJ holding values in element order (i fastest, j = 0 first).
inline boost::shared_ptr<DataField2D> makeField(int nI, int nJ, const std::vector<float>& values,
                                                double dx = 1.0, double dy = 1.0)
{
    boost::shared_ptr<DataField2D> field(new DataField2D(nI, nJ, 0.0, 0.0, dx, dy, 0.0f));
    for (int j = 0; j < nJ; ++j)
        for (int i = 0; i < nI; ++i)
            field->setValue(i, j, values.at(size_t(j) * size_t(nI) + size_t(i)));
    return field;
}

// Pixel indices line by line from the top image line, as the image is stored.
inline std::vector<std::vector<int>> pixelLines(const QImage& image)
{
    std::vector<std::vector<int>> lines(size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lines[size_t(y)].push_back(image.pixelIndex(x, y));
    return lines;
}

// An Indexed8 phase image whose lines (top first) hold the given gray indices.
inline QImage phaseImageOf(const std::vector<std::vector<int>>& lines)
{
    QImage image = createPhaseImage(int(lines.at(0).size()), int(lines.size()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, uint(lines[size_t(y)][size_t(x)]));
    return image;
}

// An RGB32 image whose lines (top first) hold the given colours.
inline QImage colourImageOf(const std::vector<std::vector<QRgb>>& lines)
{
    QImage image(int(lines.at(0).size()), int(lines.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, lines[size_t(y)][size_t(x)]);
    return image;
}

// The phase image's format: 8 bits, the 256-entry gray ramp.
inline void expectPhaseImageFormat(const QImage& image)
{
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.colorCount(), 256);
    for (int k = 0; k < 256; ++k)
        ASSERT_EQ(image.color(k), qRgb(k, k, k)) << "entry " << k;
}

// The two-level image's format: MonoLSB, black and white.
inline void expectTwoLevelImageFormat(const QImage& image)
{
    ASSERT_EQ(image.format(), QImage::Format_MonoLSB);
    ASSERT_EQ(image.colorCount(), 2);
    EXPECT_EQ(image.color(0), qRgb(0, 0, 0));
    EXPECT_EQ(image.color(1), qRgb(255, 255, 255));
}

inline QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
