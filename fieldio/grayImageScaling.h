// Resizing gray images in 8 bits, row by row, without a 32-bit copy of the result.
#pragma once

#include <QImage>

// Phase image (gray ramp) of width x height whose pixels are the grays (qGray-like, see
// grayOfColour) of the image's pixels, resampled separately along x and y:
// - smooth false: each target pixel takes the source pixel under its centre;
// - smooth true: along an enlarged axis linear interpolation between the two source pixels
//   nearest to the target centre (edges repeat), along a reduced axis the mean of the source
//   pixels the target pixel covers, weighted by the covered part. A kept size copies the axis.
// Values are rounded to the nearest gray. A null image or a size below 1 gives a null image.
// Memory: the result, the source's gray copy and a few rows of 32-bit sums.
QImage scaleGrayImage(const QImage& image, int width, int height, bool smooth);
