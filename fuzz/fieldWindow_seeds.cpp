// Seed corpus of the field window target: small PNG and BMP images of gray, colour and two
// levels, and ".de" files of even and odd sizes, each after its reader byte.
#include "fuzzSupport.h"

#include <QBuffer>
#include <QImage>
#include <cstring>

namespace {

std::string encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) {
        std::fprintf(stderr, "cannot encode a seed as %s\n", format);
        std::exit(1);
    }
    return bytes.toStdString();
}

// A ".de" file of sizeI x sizeJ numbered records.
std::string elementFile(int32_t sizeI, int32_t sizeJ)
{
    std::string bytes = "DE20";
    const auto put = [&bytes](const void* p) { bytes.append(static_cast<const char*>(p), 4); };
    const float pitch = 8e-6f;
    const int32_t zero = 0;
    for (const void* p : {static_cast<const void*>(&sizeI), static_cast<const void*>(&sizeJ),
                          static_cast<const void*>(&pitch), static_cast<const void*>(&pitch),
                          static_cast<const void*>(&zero), static_cast<const void*>(&zero),
                          static_cast<const void*>(&sizeI), static_cast<const void*>(&sizeJ)})
        put(p);
    for (int k = 0; k < sizeI * sizeJ; ++k) {
        const float re = float(k % 7) - 3.0f;
        const float im = 0.5f * float(k % 3);
        put(&re);
        put(&im);
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = seedFolder(argc, argv);
    QImage gray(9, 5, QImage::Format_Grayscale8);
    for (int y = 0; y < gray.height(); ++y)
        for (int x = 0; x < gray.width(); ++x)
            gray.scanLine(y)[x] = uchar(28 * x + 5 * y);
    QImage colour(6, 7, QImage::Format_RGB32);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            colour.setPixel(x, y, qRgb(40 * x, 30 * y, 200));
    QImage twoLevels(16, 3, QImage::Format_Mono);
    twoLevels.fill(0);
    for (int x = 0; x < 16; x += 3)
        twoLevels.setPixel(x, 1, 1);
    writeSeed(folder, "gray.png", std::string(1, '\0') + encoded(gray, "PNG"));
    writeSeed(folder, "colour.bmp", std::string(1, '\0') + encoded(colour, "BMP"));
    writeSeed(folder, "two-levels.png", std::string(1, '\0') + encoded(twoLevels, "PNG"));
    writeSeed(folder, "element4x2.de", std::string(1, '\1') + elementFile(4, 2));
    writeSeed(folder, "element3x5.de", std::string(1, '\1') + elementFile(3, 5));
    writeSeed(folder, "element1x1.de", std::string(1, '\1') + elementFile(1, 1));
    return 0;
}
