// PNG and BMP files of bit masks, real fields and complex fields, and an image file read into a
// real field.
#pragma once

#include <QImage>
#include <QString>
#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;
class binaryArray2D;

// The name a saver writes to for format "PNG" or "BMP" (exactly these strings): ".png" or ".bmp"
// appended unless the last four characters, lower-cased, are already that extension (the
// internal edition always appends). Any other format gives an empty name: nothing is saved.
QString imageFileNameWithExtension(const QString& fileName, const QString& format);

// Every image file the program writes: `image` encoded in `format` ("PNG", "BMP") with `quality`
// into a file beside `fileName` that replaces it only when complete (writeReplacingFile). false
// when anything failed; an existing file is then left as it was.
bool writeImageFile(const QImage& image, const QString& fileName, const char* format, int quality);

// Each saver builds its image, saves it under imageFileNameWithExtension (PNG with quality 0,
// BMP with quality 100) through writeImageFile and returns whether the file was written; it shows
// nothing. The caller's name is not changed.
// The mask as a two-level image (binaryArray2DToImage).
bool saveImageFile(const QString& fileName, const QString& format,
                   boost::shared_ptr<binaryArray2D> mask);
// The field's phase image over its own range with 256 levels.
bool saveDataField2DImageFile(const QString& fileName, const QString& format,
                              boost::shared_ptr<DataField2D> field);
// The complex field's image in a display mode with 256 levels.
bool saveComplexDataField2DImageFile(const QString& fileName, const QString& format,
                                     boost::shared_ptr<complexDataField2D> field, int mode);

// The image file (format detected from its contents) as a real field of weighted grays
// (11 r + 16 g + 5 b) / 32; an empty name or a file that does not load gives an empty pointer.
boost::shared_ptr<DataField2D> readImageFileToDataField2D(const QString& fileName);
