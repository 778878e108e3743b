// Normalisation of incoming images and the colour reader for normalised images.
#include "fieldio/imageNormalizer.h"

#include "fieldio/grayImages.h"

#include <cstring>

bool isNormalizedFormat(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return true;
    default:
        return false;
    }
}

QImage normalizeImage(const QImage& image)
{
    if (image.isNull() || isNormalizedFormat(image.format()))
        return image;
    if (image.format() != QImage::Format_Grayscale8)
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32);
    QImage indexed(image.width(), image.height(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return indexed;
    indexed.setColorTable(grayRampColorTable());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(indexed.scanLine(y), image.constScanLine(y), size_t(image.width()));
    indexed.setDotsPerMeterX(image.dotsPerMeterX());
    indexed.setDotsPerMeterY(image.dotsPerMeterY());
    return indexed;
}

void readColourLine(const QImage& image, int y, QRgb* out)
{
    const int width = image.width();
    const uchar* line = image.constScanLine(y);
    const QList<QRgb> table = image.colorTable();
    const auto entry
        = [&table](int index) { return index < table.size() ? table[index] : QRgb(0); };
    switch (image.format()) {
    case QImage::Format_RGB32: {
        const QRgb* pixels = reinterpret_cast<const QRgb*>(line);
        for (int x = 0; x < width; ++x)
            out[x] = pixels[x] | 0xFF000000u;
        break;
    }
    case QImage::Format_ARGB32:
        std::memcpy(out, line, size_t(width) * sizeof(QRgb));
        break;
    case QImage::Format_Indexed8:
        for (int x = 0; x < width; ++x)
            out[x] = entry(line[x]);
        break;
    case QImage::Format_MonoLSB:
        for (int x = 0; x < width; ++x)
            out[x] = entry((line[x >> 3] >> (x & 7)) & 1);
        break;
    case QImage::Format_Mono:
        for (int x = 0; x < width; ++x)
            out[x] = entry((line[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    default:
        for (int x = 0; x < width; ++x)
            out[x] = image.pixel(x, y);
        break;
    }
}
