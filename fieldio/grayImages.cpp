// Creation of phase images and two-level images.
#include "fieldio/grayImages.h"

const QList<QRgb>& grayRampColorTable()
{
    static const QList<QRgb> ramp = [] {
        QList<QRgb> table;
        table.reserve(256);
        for (int k = 0; k < 256; ++k)
            table.append(qRgb(k, k, k));
        return table;
    }();
    return ramp;
}

QImage createPhaseImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    image.setColorTable(grayRampColorTable());
    image.fill(0);
    return image;
}

QImage createTwoLevelImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_MonoLSB);
    if (image.isNull())
        return image;
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    return image;
}
