// The two kinds of image the field conversions produce: the 8-bit phase image with its gray
// ramp and the 1-bit two-level image.
#pragma once

#include <QImage>
#include <QList>

// The 256-entry gray ramp: entry k is the opaque gray (k, k, k).
const QList<QRgb>& grayRampColorTable();

// Indexed8 image of width x height with the gray ramp; every pixel 0. Gray 0..255 stands for
// phase 0..2 pi. A size of 0 along either side gives a null image.
QImage createPhaseImage(int width, int height);

// MonoLSB image (column x is bit x % 8 of byte x / 8) of width x height; colour 0 opaque black,
// colour 1 opaque white; every bit 0.
QImage createTwoLevelImage(int width, int height);

// Sets the bit of column x on image line y of a MonoLSB image.
inline void setTwoLevelPixel(QImage& image, int x, int y)
{
    image.scanLine(y)[x >> 3] |= uchar(1u << (x & 7));
}
