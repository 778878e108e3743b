// Real and complex fields and bit masks to 8-bit phase images and 1-bit two-level images.
#pragma once

#include <QImage>
#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;
class binaryArray2D;

// Display modes of a complex field, the same numbers everywhere in the program.
enum ComplexDisplayMode {
    displayRealPart = 1,
    displayImaginaryPart = 2,
    displayAmplitude = 3,
    displayPhase = 4,
    displayIntensity = 5
};

// Quantisation of values v onto N gray levels over [min, max]: step = (max - min) / N as a float,
// k = trunc((v - min) / step + 0.49) clamped to 0 .. N - 1, gray = k * spread with
// spread = 256 / N (255 for N = 2): two levels give 0 and 255, three 0, 85, 170, 256 give
// 0 .. 255. A zero range (min == max), NaN and N <= 0 give gray 0.
class GrayQuantizer
{
public:
    GrayQuantizer(float min, float max, int levels);
    uchar operator()(float v) const;

private:
    float min;
    float inverse;
    int levels;
    int spread;
    bool flat;
};

// Phase image of the field's size: element (i, j) at column i of line height - 1 - j.
// With N = 256, min >= 0, max != 1 and max <= 255 and only integer values (within 1e-5) the gray
// is the value itself (its low 8 bits); otherwise GrayQuantizer. The field is only read.
QImage dataField2DToImage(boost::shared_ptr<DataField2D> field, float min, float max, int levels);
// The same always through GrayQuantizer, integer-valued fields too.
QImage dataField2DToQuantizedImage(boost::shared_ptr<DataField2D> field, float min, float max,
                                   int levels);
// The same over the field's own minimum and maximum.
QImage dataField2DToImageAutoRange(boost::shared_ptr<DataField2D> field, int levels);

// Value of element z in a display mode, in single precision: 1 re, 2 im, 3 hypot(re, im),
// 4 atan2(im, re), 5 re^2 + im^2; other modes 0. foldPhase replaces a phase within 0.001 of +pi
// by -pi, so +pi and -pi show the same gray.
float complexDisplayValue(float re, float im, int mode, bool foldPhase);
// The value range a display mode shows: 1..3 and 5 from the field's statistics, 4 -pi..pi.
void complexDisplayRange(boost::shared_ptr<complexDataField2D> field, int mode, float& min,
                         float& max);

// Centred display of a complex field of sizeI x sizeJ (W x H): column x of line H - 1 - r shows
// element ((x - W/2) mod W, (r - H/2) mod H), so element (0, 0) sits at column W/2 and line
// H - 1 - H/2. forCentredDisplay calls put(x, line, i, j) for every pixel with the element it
// shows, line by line.
template<typename Put>
void forCentredDisplay(int width, int height, Put put)
{
    // index brought into 0 .. size - 1 for -size <= index < 2 size.
    auto wrapOnce = [](int index, int size) {
        return index < 0 ? index + size : (index >= size ? index - size : index);
    };
    for (int r = 0; r < height; ++r) {
        const int j = wrapOnce(r - height / 2, height);
        for (int x = 0; x < width; ++x)
            put(x, height - 1 - r, wrapOnce(x - width / 2, width), j);
    }
}
// Phase image of the mode's values quantised over [min, max] (folded phase).
QImage complexDataField2DToGrayImage(boost::shared_ptr<complexDataField2D> field, int mode,
                                     float min, float max, int levels);
// Two-level image: white where the mode's value (folded phase) is >= threshold; NaN is black.
QImage complexDataField2DToTwoLevelImage(boost::shared_ptr<complexDataField2D> field, int mode,
                                         float threshold);
// Range by mode; N >= 3 the phase image, N < 3 the two-level image at the range's middle.
QImage complexDataField2DToImage(boost::shared_ptr<complexDataField2D> field, int mode, int levels);
// Phase image of width x height tiled with the field's gray image from its top-left corner:
// pixel (X, Y) = tile pixel (X mod W, Y mod H). A non-positive size gives a null image, an empty
// field a black one.
QImage tileComplexDataField2DImage(boost::shared_ptr<complexDataField2D> field, int mode, float min,
                                   float max, int width, int height, int levels);
// The tiled image over the mode's range.
QImage replicatedComplexDataField2DToImage(boost::shared_ptr<complexDataField2D> field, int mode,
                                           int width, int height, int levels);

// Two-level image of sizeI x sizeJ: a set cell (i, j) is the white pixel at column i of line
// height - 1 - j.
QImage binaryArray2DToImage(boost::shared_ptr<binaryArray2D> mask);
