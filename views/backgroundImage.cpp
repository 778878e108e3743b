// Background compensation image: loading, size check and access.
#include "views/backgroundImage.h"

#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/imageToField.h"

backgroundImage::backgroundImage() = default;

backgroundImage::backgroundImage(QImage image)
{
    load(std::move(image));
}

backgroundImage::~backgroundImage()
{
    statusValue = -1;
}

void backgroundImage::load(QImage image)
{
    pixels.clear();
    pixels.shrink_to_fit();
    statusValue = -1;
    imageWidth = image.width();
    imageHeight = image.height();
    if (imageWidth != theSettings.fullScreenWidth || imageHeight != theSettings.fullScreenHeight
        || image.isNull()) {
        errorMessage("Size of background image does not match with full-screen resolution ! "
                     "\nAborting.");
        return;
    }
    // Row 0 is the bottom line for every depth, as in the patterns it is added to: a 1-bit
    // image is read as the 8-bit image of its two colours.
    if (image.depth() == 1)
        image = image.convertToFormat(QImage::Format_Indexed8);
    pixels = imageToGrayBytes(image);
    statusValue = 1;
}

std::uint8_t backgroundImage::pixel(int x, int y) const
{
    if (statusValue != 1 || x < 0 || y < 0 || x >= imageWidth || y >= imageHeight)
        return 0;
    return pixels[static_cast<size_t>(y) * imageWidth + x];
}

std::uint8_t backgroundImage::pixel(int index) const
{
    if (statusValue != 1 || index < 0 || static_cast<size_t>(index) >= pixels.size())
        return 0;
    return pixels[static_cast<size_t>(index)];
}

const std::uint8_t* backgroundImage::values() const
{
    return statusValue == 1 ? pixels.data() : nullptr;
}
