// DataSourceBinaryPhaseImage2D: bit reads through the colour table.
#include "fieldio/DataSourceBinaryPhaseImage2D.h"

#include "fieldio/imageColours.h"

DataSourceBinaryPhaseImage2D::DataSourceBinaryPhaseImage2D(QImage img)
    : binaryImage(img)
{
    takeImage(binaryImage);
}

DataSourceBinaryPhaseImage2D::~DataSourceBinaryPhaseImage2D() = default;

void DataSourceBinaryPhaseImage2D::setValueMode(int mode)
{
    valueMode = mode;
}

std::uint8_t DataSourceBinaryPhaseImage2D::valueAt(int x, int y) const
{
    std::uint8_t value = 0;
    if (!readsImageAt(x, y, value))
        return value;
    const uchar byte = binaryImage.constScanLine(y)[x >> 3];
    const int bit = binaryImage.format() == QImage::Format_MonoLSB ? (byte >> (x & 7)) & 1
                                                                   : (byte >> (7 - (x & 7))) & 1;
    if (bit >= binaryImage.colorCount())
        return 255;
    return static_cast<std::uint8_t>(grayOfColour(binaryImage.color(bit)));
}
