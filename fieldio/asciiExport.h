// Text export of real fields, one part of complex fields, and the red values of images.
#pragma once

#include <QImage>
#include <QString>
#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;

// Every file starts with "# " + the full product name + a title line. A field or image one
// element high is written as a single row, one element wide as a single column: an optional
// "# Pixel size p" line (left empty for p == 1.0), then one line "k\tposition\tvalue" per element
// with position = k p - (n - 1) p / 2. Anything else is written two-dimensionally: the pixel
// numbers in x and y, the pixel sizes when either differs from 1.0, then one text line per data
// line, each value followed by a tab. Numbers are written as the text stream writes them: 6
// significant digits in general notation with a '.' ("8e-06"), whatever the locale.
// Each writer returns false when the file cannot be opened or written; it shows nothing.

// Text line j holds elements (0, j) .. (sizeI - 1, j); a single row or column in natural order.
bool exportDataField2DAscii(const QString& fileName, boost::shared_ptr<DataField2D> field);

// One part of a complex field by display mode (1 real, 2 imaginary, 3 amplitude, 4 phase
// without fold, 5 intensity), named in a "# Exporting ..." line after the title, in centred
// order: text line r, column x holds element ((x - sizeI/2) mod sizeI, (r - sizeJ/2) mod sizeJ);
// a single row (sizeJ = 1) or column (sizeI = 1) lists element (k - n/2) mod n at position k.
// A mode outside 1..5 writes the headers with an empty part message and no data lines.
bool exportComplexDataField2DAscii(const QString& fileName,
                                   boost::shared_ptr<complexDataField2D> field, int mode);

// The red value of every pixel, from the bottom image line up (a single column from the bottom
// pixel); the pixel sizes are written as given.
bool exportImageAscii(const QString& fileName, const QImage& image, double pixelSizeX,
                      double pixelSizeY);
