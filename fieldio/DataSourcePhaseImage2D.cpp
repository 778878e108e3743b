// DataSourcePhaseImage2D: reduction to a gray 8-bit image and palette reads.
#include "fieldio/DataSourcePhaseImage2D.h"

#include "fieldio/imageColours.h"
#include "fieldio/imageNormalizer.h"

DataSourcePhaseImage2D::DataSourcePhaseImage2D(QImage img)
{
    img = normalizeImage(img);
    // Gray values ignore alpha; the toolkit would quantise an alpha image to a colour cube.
    if (img.format() == QImage::Format_ARGB32)
        img = img.convertToFormat(QImage::Format_RGB32);
    grayImage = img.depth() == 8 ? img : img.convertToFormat(QImage::Format_Indexed8);
    if (!grayImage.isGrayscale()) {
        QList<QRgb> table = grayImage.colorTable();
        for (QRgb& entry : table) {
            const int g = grayOfColour(entry);
            entry = qRgb(g, g, g);
        }
        grayImage.setColorTable(table);
    }
    takeImage(grayImage);
}

DataSourcePhaseImage2D::~DataSourcePhaseImage2D() = default;

void DataSourcePhaseImage2D::setValueMode(int mode)
{
    valueMode = mode;
}

std::uint8_t DataSourcePhaseImage2D::valueAt(int x, int y) const
{
    std::uint8_t value = 0;
    if (!readsImageAt(x, y, value))
        return value;
    const int index = grayImage.constScanLine(y)[x];
    if (index >= grayImage.colorCount())
        return 255;
    return static_cast<std::uint8_t>(qRed(grayImage.color(index)));
}
