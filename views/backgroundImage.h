// The background compensation image: one 8-bit value per pixel of the full-screen resolution.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

class backgroundImage
{
public:
    // Empty: status() -1, no values.
    backgroundImage();
    // Takes the image's red values (see load).
    explicit backgroundImage(QImage image);
    ~backgroundImage();

    backgroundImage(const backgroundImage&) = delete;
    backgroundImage& operator=(const backgroundImage&) = delete;

    // Drops the current values, then keeps the red values of an image of exactly the
    // full-screen size (row 0 the bottom line, for every depth) and sets status 1. An image of
    // another size shows the error box "Size of background image does not match with full-screen
    // resolution ! \nAborting." and leaves the instance empty; width() and height() then still give
    // the rejected size.
    void load(QImage image);

    // 1 when values are loaded, -1 when empty.
    int status() const { return statusValue; }
    int width() const { return imageWidth; }
    int height() const { return imageHeight; }

    // Value of pixel (x, y) = element width * y + x; 0 when empty or outside.
    std::uint8_t pixel(int x, int y) const;
    // Element index of the values; 0 when empty or outside.
    std::uint8_t pixel(int index) const;
    // width x height values, or null when empty.
    const std::uint8_t* values() const;

private:
    int statusValue = -1;
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<std::uint8_t> pixels;
};
