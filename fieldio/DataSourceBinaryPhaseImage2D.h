// DataSourceBinaryPhaseImage2D: the pixel reader of 1-bit images.
#pragma once

#include "fieldio/DataSource2D.h"

// Reads the gray of the colour-table entry that a pixel's bit selects (the usual black and
// white table gives 0 and 255); an entry the table lacks reads white. Both bit orders (Mono and
// MonoLSB) read the same picture. The caller passes a 1-bit image; the depth is not checked,
// and the bit of column x is then still read from inside line y.
class DataSourceBinaryPhaseImage2D : public DataSource2D
{
public:
    explicit DataSourceBinaryPhaseImage2D(QImage img);
    ~DataSourceBinaryPhaseImage2D() override;

    void setValueMode(int mode) override;
    std::uint8_t valueAt(int x, int y) const override;

private:
    QImage binaryImage;
};
