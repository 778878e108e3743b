// Reading images into gray arrays, gray bytes and fields.
#include "fieldio/imageToField.h"

#include "base/phasedeckGlobals.h"
#include "fieldio/imageNormalizer.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <algorithm>

#include <cmath>
#include <new>

int grayValueByKind(int kind, int r, int g, int b, std::uint8_t w1, std::uint8_t w2,
                    std::uint8_t w3)
{
    const int weightSum = int(w1) + int(w2) + int(w3);
    if (weightSum == 0)
        return 0;
    switch (kind) {
    case 1:
    case 4:
        return r;
    case 5:
        return g;
    case 6:
        return b;
    case 3:
        return int((double(w1) * r + double(w2) * g + double(w3) * b) / double(weightSum));
    case 8: {
        // False-colour scale: blue, green ramp, red ramp, back down in green, white top.
        double v = 0.0;
        if (r == 0 && g == 0) {
            v = b * 1.2142857142857142;
        } else {
            if (r == 0)
                v = g * 1072 * 0.003937007874015748 + 272;
            if (g == 254 && b + r < 256)
                v = r * double(1328.0f / 255.0f) + 1344;
            if (r == 255 && b + g < 256)
                v = (254 - g) * double(1360.0f / 254.0f) + 2672;
        }
        if (r + g + b > 750)
            v = (b - 250) * 16 + 4032;
        return int(v);
    }
    default:
        return 0;
    }
}

std::vector<std::int16_t> imageToGrayArray(const QImage& image, int kind, std::uint8_t w1,
                                           std::uint8_t w2, std::uint8_t w3)
{
    const QImage source = normalizeImage(image);
    const int width = source.width();
    const int height = source.height();
    std::vector<std::int16_t> gray;
    std::vector<QRgb> line;
    try {
        gray.assign(size_t(width) * size_t(height), 0);
        line.resize(static_cast<size_t>(width));
    } catch (const std::bad_alloc&) {
        return std::vector<std::int16_t>();
    }
    for (int k = 0; k < height; ++k) {
        readColourLine(source, height - 1 - k, line.data());
        std::int16_t* out = gray.data() + size_t(k) * size_t(width);
        for (int x = 0; x < width; ++x) {
            const QRgb c = line[size_t(x)];
            out[x] = std::int16_t(grayValueByKind(kind, qRed(c), qGreen(c), qBlue(c), w1, w2, w3));
        }
    }
    return gray;
}

boost::shared_ptr<DataField2D> imageToDataField2D(const QImage& image, int mode, int kind,
                                                  std::uint8_t w1, std::uint8_t w2, std::uint8_t w3)
{
    const std::vector<std::int16_t> gray = imageToGrayArray(image, kind, w1, w2, w3);
    // Without memory for the grays the field stays empty.
    const bool grays = gray.size() == size_t(image.width()) * size_t(image.height());
    const int width = grays ? image.width() : 0;
    const int height = grays ? image.height() : 0;
    boost::shared_ptr<DataField2D> field(
        new DataField2D(width, height, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                        opticalParameters.defaultPixelSizeY, 0.0f));
    field->setPixelSize(1.0, 1.0);
    if (field->getSizeI() != width || field->getSizeJ() != height)
        return field;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const std::int16_t g = gray[size_t(j) * size_t(width) + size_t(i)];
            if (mode == 0 || mode == 3)
                field->setValue(i, j, float(g));
            else if (mode == 1)
                field->setValue(i, j, float(g * 0.00392156862745098));
        }
    if (mode == 3)
        field->normalizeToUnitRange();
    return field;
}

boost::shared_ptr<complexDataField2D>
imageToComplexDataField2D(const QImage& image, int representation, int mode, std::int16_t levels,
                          int kind, std::uint8_t w1, std::uint8_t w2, std::uint8_t w3)
{
    const double pi = 3.141592653589793;
    const std::vector<std::int16_t> gray = imageToGrayArray(image, kind, w1, w2, w3);
    // Without memory for the grays the field stays empty.
    const bool grays = gray.size() == size_t(image.width()) * size_t(image.height());
    const int width = grays ? image.width() : 0;
    const int height = grays ? image.height() : 0;
    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(width, height, 0));
    field->setPixelSize(1.0, 1.0);
    if (field->getSizeI() != width || field->getSizeJ() != height || gray.empty())
        return field;

    std::vector<std::int16_t> distinct;
    try {
        distinct = gray;
    } catch (const std::bad_alloc&) {
        return boost::shared_ptr<complexDataField2D>(new complexDataField2D(0, 0, 0));
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    const double phaseStep = 2.0 * pi / (levels != 0 ? double(levels) : double(distinct.size()));

    const auto valueOf = [&](std::int16_t g, complexFloat& z) {
        if (representation != 4) {
            if (mode == 0)
                z = {float(g), 0.0f};
            else if (mode == 1)
                z = {float(g * 0.00392156862745098), 0.0f};
            return;
        }
        if (mode == 0) {
            z = polarUnit(float(g));
        } else if (mode == 2) {
            z = polarUnit(float((g - 128) * pi * 0.0078125));
        } else if (mode == 4) {
            const double k = levels != 0
                                 ? std::floor(levels * g * 0.00390625 + 0.49999999)
                                 : double(std::lower_bound(distinct.begin(), distinct.end(), g)
                                          - distinct.begin());
            z = polarUnit(float(k * phaseStep - pi));
        }
    };
    for (int r = 0; r < height; ++r) {
        int j = r + height / 2;
        if (j > height - 1)
            j -= height;
        for (int x = 0; x < width; ++x) {
            int i = x + width / 2;
            if (i > width - 1)
                i -= width;
            complexFloat z = {0.0f, 0.0f};
            valueOf(gray[size_t(r) * size_t(width) + size_t(x)], z);
            field->setValue(i, j, z);
        }
    }
    return field;
}

std::vector<std::uint8_t> imageToGrayBytes(const QImage& image)
{
    const QImage source = normalizeImage(image);
    const int width = source.width();
    const int height = source.height();
    std::vector<std::uint8_t> bytes(size_t(width) * size_t(height), 0);
    const bool topDown = source.depth() == 1;
    std::vector<QRgb> line(static_cast<size_t>(width));
    for (int k = 0; k < height; ++k) {
        readColourLine(source, topDown ? k : height - 1 - k, line.data());
        std::uint8_t* out = bytes.data() + size_t(k) * size_t(width);
        for (int x = 0; x < width; ++x)
            out[x] = std::uint8_t(qRed(line[size_t(x)]));
    }
    return bytes;
}
