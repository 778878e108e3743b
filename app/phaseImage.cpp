// The 8-bit gray phase image of the pattern generators.
#include "app/phaseImage.h"

QImage newPhaseImage(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    ramp.reserve(256);
    for (int i = 0; i < 256; ++i)
        ramp.append(qRgb(i, i, i));
    image.setColorTable(ramp);
    image.fill(0);
    return image;
}
