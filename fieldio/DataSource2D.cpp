// DataSource2D: clipped reads, the clip window and the steps shared by the readers.
#include "fieldio/DataSource2D.h"

DataSource2D::DataSource2D() = default;

DataSource2D::~DataSource2D() = default;

void DataSource2D::setValueMode(int) {}

std::uint8_t DataSource2D::valueAt(int, int) const
{
    return 0;
}

QImage DataSource2D::getImage() const
{
    return image;
}

std::uint8_t DataSource2D::pixel(int x, int y) const
{
    if (x >= 0 && y >= 0 && x < clipWidth && y < clipHeight)
        return valueAt(x + clipX, y + clipY);
    return 0;
}

void DataSource2D::setClipWindow(int width, int height, int x0, int y0)
{
    clipWidth = width > 0 && width <= this->width ? width : this->width;
    clipHeight = height > 0 && height <= this->height ? height : this->height;
    clipX = x0 >= 0 && x0 < this->width ? x0 : 0;
    clipY = y0 >= 0 && y0 < this->height ? y0 : 0;
}

void DataSource2D::takeImage(const QImage& source)
{
    image = source;
    width = source.width();
    height = source.height();
    clipWidth = width;
    clipHeight = height;
    clipX = 0;
    clipY = 0;
    valueMode = 4;
}

bool DataSource2D::readsImageAt(int x, int y, std::uint8_t& value) const
{
    value = 0;
    if (x < 0 || y < 0 || x > width - 1 || y > height - 1)
        return false;
    if (valueMode == 3 || valueMode == 5) {
        value = 255;
        return false;
    }
    return valueMode == 4;
}
