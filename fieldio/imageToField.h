// Images to gray arrays, gray bytes, real fields and complex fields.
#pragma once

#include <QImage>
#include <boost/shared_ptr.hpp>
#include <cstdint>
#include <vector>

class DataField2D;
class complexDataField2D;

// Gray of a colour (r, g, b) by gray kind: 1 and 4 red, 5 green, 6 blue, 3 the weighted gray
// (w1 r + w2 g + w3 b) / (w1 + w2 + w3) truncated, 8 the colour-scale decoding onto 0 .. 4112
// ((0, 0, 100) is 121, white is 4112, a colour no rule covers 0). Kinds 2, 7 and others give 0,
// and so does every kind when w1 + w2 + w3 = 0.
int grayValueByKind(int kind, int r, int g, int b, std::uint8_t w1, std::uint8_t w2,
                    std::uint8_t w3);

// Gray array of width x height values in DataField2D element order: entry k * width + x is
// pixel (x, height - 1 - k), so entry j * width + i is element (i, j). Empty when memory for it
// is short.
std::vector<std::int16_t> imageToGrayArray(const QImage& image, int kind, std::uint8_t w1,
                                           std::uint8_t w2, std::uint8_t w3);

// Real field of the image's size, centre 0, pitch 1.0 x 1.0, from the gray array: mode 0 the
// gray, mode 1 gray / 255, mode 3 the gray normalised to [0, 1] (a uniform image gives 0 for
// gray 0 and 1 otherwise); other modes 0. Without memory for it the field has fewer elements
// than the image (0 x 0 when the gray array could not be had): callers compare the sizes.
boost::shared_ptr<DataField2D> imageToDataField2D(const QImage& image, int mode, int kind,
                                                  std::uint8_t w1, std::uint8_t w2,
                                                  std::uint8_t w3);

// Complex field of sizeI = width, sizeJ = height, domain flag 0, pitch 1.0 x 1.0. Gray g of
// array line r, column x goes to element (x + width/2, r + height/2), each wrapped once, so the
// image centre lands on element (0, 0) (the inverse of the centred display). Values:
// representation != 4: mode 0 (g, 0), mode 1 (g / 255, 0); representation 4, the unit phasor of
// t: mode 0 t = g, mode 2 t = (g - 128) pi / 128, mode 4 t = k 2 pi / L - pi with
// k = floor(levels g / 256 + 0.49999999) and L = levels, or, for levels 0, k = rank of g among
// the D distinct grays and L = D. Other modes leave (0, 0).
boost::shared_ptr<complexDataField2D>
imageToComplexDataField2D(const QImage& image, int representation, int mode, std::int16_t levels,
                          int kind, std::uint8_t w1, std::uint8_t w2, std::uint8_t w3);

// width x height bytes of red values: 32-bit and 8-bit images line by line from the bottom line
// up (palette colours for 8 bits); 1-bit images the palette colour of each bit from the top line
// down. Other formats are normalised first.
std::vector<std::uint8_t> imageToGrayBytes(const QImage& image);
