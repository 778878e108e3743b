// DataSourcePhaseImage2D: the pixel reader of 8-bit images and of images reduced to 8 bits.
#pragma once

#include "fieldio/DataSource2D.h"

// The image is normalised (a gray image without colour table gets the gray ramp, alpha is
// dropped), reduced to 8 bits by the toolkit when it has another depth (an exact table for up
// to 256 colours), and a colour table that is not all gray
// becomes the opaque grays of its entries. A pixel reads the red component of its entry; an
// index the table lacks reads 255.
class DataSourcePhaseImage2D : public DataSource2D
{
public:
    explicit DataSourcePhaseImage2D(QImage img);
    ~DataSourcePhaseImage2D() override;

    void setValueMode(int mode) override;
    std::uint8_t valueAt(int x, int y) const override;

private:
    QImage grayImage;
};
