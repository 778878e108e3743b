// Colour analysis of images and their conversion to gray: two-colour test, gray-level count,
// conversion of colours and palettes to gray, depth reduction.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

// The toolkit's gray of a colour: (11 r + 16 g + 5 b) / 32 in integer arithmetic.
int grayOfColour(QRgb colour);

// One bit per 24-bit colour: bit (b % 8) of byte (r * 65536 + g * 256 + b) / 8.
using ColourTable = std::vector<std::uint8_t>;
constexpr std::size_t colourTableBytes = 2097152;

// true when the image holds at most two colours, which come back in c0 and c1. A 1-bit image is
// two-coloured (c0, c1 = its colour-table entries, black for a missing one). Otherwise c0 is the
// first pixel's colour and the pixels are visited in raster order from the second: until a
// second colour is met c1 follows them, then a pixel of a third colour ends the test with
// false. A one-pixel image gives c0 = c1; an empty image gives true with both black. Nothing is
// read outside the image, whatever its width.
bool isTwoColourImage(const QImage& image, QRgb& c0, QRgb& c1);

// count = distinct colours of the image, allGray = every such colour has r = g = b, by depth:
// 1 bit from the colour table and the bits used; 8 bits with an all-gray colour table the number
// of distinct red values among the pixels, otherwise the colours the pixels use; 32 bits every
// pixel's colour. Other formats are normalised first.
void analyzeImageGrayLevels(const QImage& image, int& count, bool& allGray);

// count and allGray over the colours that the pixels of an 8-bit (or 1-bit) image use / of a
// 32-bit image; the result marks every colour seen (colourTableBytes bytes).
ColourTable countPaletteImageColours(const QImage& image, int& count, bool& allGray);
ColourTable countTrueColourImageColours(const QImage& image, int& count, bool& allGray);

// Gray of one colour by gray kind: 3 qGray, 4 red, 5 green, 6 blue; -1 for other kinds.
int channelGray(QRgb colour, int kind);

// Returns the gray image of the input, which is not changed. A palette image (1 or 8 bits) keeps
// its pixels, and each colour-table entry c becomes the opaque gray channelGray(c, kind) (kinds
// outside 3..6 keep the table). A 32-bit image becomes a phase image (gray ramp) whose pixels are
// channelGray of the source pixels; kinds outside 3..6 give 0.
QImage convertImageToGrayByChannel(const QImage& image, int kind);

// Changes an 8-bit image in place into a phase image: every pixel index becomes qGray of its
// colour-table entry (0 for an index without an entry) and the table becomes the gray ramp.
// A Grayscale8 image becomes the same phase image; images of other depths stay as they are.
void convertPaletteToGray(QImage& image);

// The image at the smallest depth that keeps its colours: a 1-bit image unchanged; an image of
// at most two colours c0, c1 as a new MonoLSB image with colour table c0, c1 whose bits are set
// where the pixel has colour c1; any other 8-bit image unchanged; a 32-bit image of more than 256
// colours unchanged, of at most 256 an 8-bit image with an exact colour table (no dithering).
QImage reduceImageDepth(const QImage& image);
