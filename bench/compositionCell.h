// The pattern cell the full-screen composition benchmarks start from.
#pragma once

#include "fieldio/grayImages.h"

#include <QImage>

// A w x h phase image of many gray values: pixel (x, y) is (7 x + 13 y) mod 256.
inline QImage compositionCell(int w, int h)
{
    QImage image = createPhaseImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x] = static_cast<unsigned char>(x * 7 + y * 13);
    return image;
}
