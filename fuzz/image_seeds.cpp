// Seed corpus of the image target: small gray, indexed, 1-bit, 16-bit and RGBA PNG files, a BMP
// and a PPM, each followed by a parameter block.
#include "fuzzSupport.h"
#include "imageParameters.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>

namespace {

namespace P = imageParameters;

std::string encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot encode a seed as %s\n", format);
        std::exit(1);
    }
    return bytes.toStdString();
}

// The main window's conversion (red channel) with the plain composition.
std::vector<std::uint8_t> plainParameters()
{
    std::vector<std::uint8_t> p(P::count, 0);
    p[P::grayKind] = 3;
    p[P::weight1] = 1;
    p[P::displayMode] = 3;
    p[P::channelKind] = 3;
    p[P::gamma] = 127;
    p[P::grayPhase2Pi] = 255;
    p[P::shiftX] = (1920 - 1) & 0xFF; // shift 0
    p[P::shiftX + 1] = (1920 - 1) >> 8;
    p[P::shiftY] = (1080 - 1) & 0xFF;
    p[P::shiftY + 1] = (1080 - 1) >> 8;
    return p;
}

// The design's weighted gray, a phase field, lens, prism, zoom and a tiled display.
std::vector<std::uint8_t> busyParameters()
{
    std::vector<std::uint8_t> p = plainParameters();
    p[P::weight1] = 11;
    p[P::weight2] = 16;
    p[P::weight3] = 5;
    p[P::fieldMode] = 3;
    p[P::representation] = 4;
    p[P::complexMode] = 4;
    p[P::complexLevels] = 8;
    p[P::grayLevels] = 7;
    p[P::displayMode] = 4;
    p[P::zoomLevel] = 2;
    p[P::gamma] = 200;
    p[P::lens] = 30;
    p[P::prismX] = static_cast<std::uint8_t>(-12);
    p[P::prismY] = 5;
    p[P::flags] = 3;
    p[P::tileWidth] = 100;
    p[P::tileHeight] = 60;
    return p;
}

QImage grayRamp(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = static_cast<uchar>((x * 255) / std::max(1, width - 1) ^ y);
    return image;
}

QImage indexedColours(int width, int height)
{
    QImage image(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int k = 0; k < 5; ++k)
        table.append(qRgb(50 * k, 255 - 40 * k, (k * 97) & 0xFF));
    image.setColorTable(table);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = static_cast<uchar>((x / 3 + y) % 5);
    return image;
}

QImage twoLevel(int width, int height, int period)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x / period) % 2);
    return image;
}

QImage gray16(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale16);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<quint16*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = static_cast<quint16>(x * 4099 + y * 257);
    }
    return image;
}

QImage withAlpha(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(
                x, y, QColor(x * 20 % 256, y * 30 % 256, (x + y) * 9 % 256, 255 - (x * y) % 200));
    return image;
}

QImage colours(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 13 % 256, y * 7 % 256, (x * y) % 256));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = seedFolder(argc, argv);
    const std::vector<std::uint8_t> plain = plainParameters();
    const std::vector<std::uint8_t> busy = busyParameters();
    writeSeed(folder, "gray.png", encoded(grayRamp(17, 9), "png"), plain);
    writeSeed(folder, "gray-busy.png", encoded(grayRamp(32, 32), "png"), busy);
    writeSeed(folder, "indexed.png", encoded(indexedColours(12, 7), "png"), busy);
    writeSeed(folder, "one-bit.png", encoded(twoLevel(24, 5, 3), "png"), plain);
    writeSeed(folder, "one-bit-busy.png", encoded(twoLevel(64, 48, 8), "png"), busy);
    QImage uniform(3, 3, QImage::Format_Grayscale8);
    uniform.fill(77);
    writeSeed(folder, "uniform.png", encoded(uniform, "png"), plain);
    writeSeed(folder, "gray16.png", encoded(gray16(10, 6), "png"), busy);
    writeSeed(folder, "rgba64.png", encoded(withAlpha(6, 5, QImage::Format_RGBA64), "png"), plain);
    writeSeed(folder, "rgba.png", encoded(withAlpha(9, 8, QImage::Format_ARGB32), "png"), busy);
    writeSeed(folder, "colours.bmp", encoded(colours(11, 6), "bmp"), plain);
    writeSeed(folder, "indexed.bmp", encoded(indexedColours(5, 5), "bmp"), busy);
    writeSeed(folder, "colours.ppm", encoded(colours(7, 4), "ppm"), busy);
    writeSeed(folder, "gray.pgm", encoded(grayRamp(8, 8), "pgm"), plain);
    return 0;
}
