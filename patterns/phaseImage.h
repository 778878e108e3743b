// The pixel loop that every pattern generator fills its phase image with (createPhaseImage).
#pragma once

#include "fieldio/grayImages.h"

#include <QImage>
#include <cstdint>

// Calls rule(x, y) for every pixel, x outer from the left and y inner from the bottom, and stores
// each result mod 256 (its low eight bits; -1 gives 255) on image line height - 1 - y. Rules that
// draw from a random source rely on this order.
template<typename Rule>
void fillPhaseImage(QImage& image, Rule rule)
{
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0)
        return;
    uchar* const bottomLine = image.scanLine(height - 1);
    const qsizetype lineStep = image.bytesPerLine();
    for (int x = 0; x < width; ++x) {
        uchar* pixel = bottomLine + x;
        for (int y = 0; y < height; ++y, pixel -= lineStep)
            *pixel = static_cast<std::uint8_t>(static_cast<long long>(rule(x, y)) & 0xFF);
    }
}

// Value of the pixel at column x and at y counted from the bottom.
inline int phasePixel(const QImage& image, int x, int y)
{
    return image.constScanLine(image.height() - 1 - y)[x];
}
