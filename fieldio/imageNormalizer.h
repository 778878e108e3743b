// The one entry point for images that come into the program (file, drop, paste, background,
// job element), and a line reader for the kinds of image it leaves.
#pragma once

#include <QImage>

// Returns the image in a kind the conversions expect: Mono, MonoLSB and Indexed8 are kept as
// they are; Grayscale8 (a gray PNG or PGM, which has no colour table) becomes Indexed8 with the
// gray ramp, so that its pixel values are its grays; every other format becomes ARGB32 when it
// has an alpha channel and RGB32 otherwise. A null image stays null. The input is not changed.
QImage normalizeImage(const QImage& image);

// True for the kinds normalizeImage leaves: Mono, MonoLSB, Indexed8, RGB32 and ARGB32.
bool isNormalizedFormat(QImage::Format format);

// Writes the colours of image line y (0 = top line) into out[0 .. width - 1], as QImage::pixel
// would give them. The image must be normalised (Mono, MonoLSB, Indexed8, RGB32 or ARGB32); a
// palette index without a colour-table entry reads as 0 (transparent black).
void readColourLine(const QImage& image, int y, QRgb* out);
