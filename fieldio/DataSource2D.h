// DataSource2D: the pixel reader interface, gray values 0..255 of an image with a clip window.
#pragma once

#include <QImage>
#include <cstdint>

// x is the column (0 at the left), y the image line (0 at the top). Readers are made on the heap
// and held through boost::shared_ptr<DataSource2D>.
class DataSource2D
{
public:
    DataSource2D();
    virtual ~DataSource2D();

    DataSource2D(const DataSource2D&) = delete;
    DataSource2D& operator=(const DataSource2D&) = delete;

    // How values are produced: 4 reads the image, 3 and 5 give 255, any other mode 0. The base
    // keeps its mode.
    virtual void setValueMode(int mode);
    // The gray value of pixel (x, y); 0 outside the image. The base reads 0 everywhere.
    virtual std::uint8_t valueAt(int x, int y) const;
    // A copy of the image the reader works on.
    virtual QImage getImage() const;

    // valueAt(x + clipX, y + clipY) for 0 <= x < clipWidth and 0 <= y < clipHeight, else 0.
    std::uint8_t pixel(int x, int y) const;
    // A width or height outside 1 .. the image's size means the image's size; an origin outside
    // the image means 0. The window may reach past the right or bottom edge, where values are 0.
    void setClipWindow(int width, int height, int x0, int y0);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getClipWidth() const { return clipWidth; }
    int getClipHeight() const { return clipHeight; }
    int getClipX() const { return clipX; }
    int getClipY() const { return clipY; }
    int getValueMode() const { return valueMode; }

protected:
    // Sets image, size, the whole-image clip window and value mode 4.
    void takeImage(const QImage& source);
    // Steps a reader takes before reading its image: false with the value to return for a pixel
    // outside the image or a value mode other than 4.
    bool readsImageAt(int x, int y, std::uint8_t& value) const;

    int valueMode = 0;
    int width = 0;
    int height = 0;
    int clipWidth = 0;
    int clipHeight = 0;
    int clipX = 0;
    int clipY = 0;
    QImage image;
};
