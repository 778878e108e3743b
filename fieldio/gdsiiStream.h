// gdsiiStream: a binary stream that writes a layer image as GDSII BOUNDARY elements.
#pragma once

#include "fieldio/binaryFileStream.h"

#include <boost/shared_ptr.hpp>

class DataSource2D;

// Big-endian unless the owner sets another byte order, as GDSII requires. Only element records
// are written: the library and structure records around them are the owner's.
class gdsiiStream : public binaryFileStream
{
public:
    explicit gdsiiStream(int scale = 1);

    int getScale() const { return scale; }
    void setScale(int value) { scale = value; }

    // Every run of equal pixel values in an image line becomes a rectangle on the layer of that
    // value; rectangles of one layer in consecutive lines merge into one polygon while both
    // outlines together keep fewer than 200 points. Each finished polygon is written when its
    // layer is at most maxLayer and dropped otherwise (and refused with an ERROR line when a
    // corner times scale does not fit 32 bits). Pixels are read through the source's clipped
    // read over its width and height; coordinates are pixel corners times scale.
    void writeLayerImage(boost::shared_ptr<DataSource2D> source, short maxLayer);

private:
    int scale;
};
