// Image files read only from regular files and within the allocation limit.
#include "fieldio/imageFileReader.h"

#include "base/replacingFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

void applyImageAllocationLimit()
{
    QImageReader::setAllocationLimit(imageAllocationLimitMiB);
}

bool fitsImageAllocationLimit(QSize size, QImage::Format format)
{
    const int limitMiB = QImageReader::allocationLimit();
    if (limitMiB <= 0)
        return true;
    if (size.isEmpty())
        return true;
    // The toolkit counts an image as it will be drawn: 32 bits a pixel or more.
    const int depth = format == QImage::Format_Invalid
                          ? 32
                          : std::max(32, int(QImage::toPixelFormat(format).bitsPerPixel()));
    const qint64 bytes = qint64(size.width()) * size.height() * (depth / 8);
    return bytes <= qint64(limitMiB) * 1024 * 1024;
}

namespace {

quint32 bigEndian32(const uchar* p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3];
}

} // namespace

PngLayout checkPngLayout(QIODevice& device)
{
    static const char signature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    const qint64 start = device.pos();
    const qint64 size = device.size();
    uchar head[8];
    PngLayout layout = PngLayout::NotPng;
    if (device.read(reinterpret_cast<char*>(head), 8) == 8
        && std::equal(head, head + 8, reinterpret_cast<const uchar*>(signature))) {
        layout = PngLayout::Fits;
        qint64 pos = start + 8;
        qint64 idatBytes = 0;
        // In doubles: the header's sizes reach 2^32 and multiply past 64 bits.
        double rawBytes = -1;
        for (;;) {
            if (device.read(reinterpret_cast<char*>(head), 8) != 8) {
                layout
                    = PngLayout::ChunkOutsideFile; // no IEND: the file ends inside a chunk header
                break;
            }
            const qint64 length = bigEndian32(head);
            // length, type, data and CRC
            const qint64 next = pos + 12 + length;
            if (length > 0x7FFFFFFF || next > size) {
                layout = PngLayout::ChunkOutsideFile;
                break;
            }
            if (std::equal(head + 4, head + 8, reinterpret_cast<const uchar*>("IHDR"))
                && length >= 10) {
                uchar ihdr[10];
                if (device.read(reinterpret_cast<char*>(ihdr), 10) != 10) {
                    layout = PngLayout::ChunkOutsideFile;
                    break;
                }
                static const int channelsByColourType[7] = {1, 0, 3, 1, 2, 0, 4};
                const double width = bigEndian32(ihdr);
                const double height = bigEndian32(ihdr + 4);
                const int colourType = ihdr[9] <= 6 ? ihdr[9] : 1;
                const double bits = std::max(1, channelsByColourType[colourType]) * ihdr[8];
                // Filter byte and packed samples of every line, without interlacing (which
                // only adds to it).
                rawBytes = height * (1 + std::ceil(width * bits / 8));
            }
            if (std::equal(head + 4, head + 8, reinterpret_cast<const uchar*>("IDAT")))
                idatBytes += length;
            if (std::equal(head + 4, head + 8, reinterpret_cast<const uchar*>("IEND")))
                break;
            pos = next;
            if (!device.seek(pos)) {
                layout = PngLayout::ChunkOutsideFile;
                break;
            }
        }
        // Deflate packs at most about 1032 bytes into one: fewer compressed bytes cannot hold
        // the picture, and decoding would only allocate for it.
        if (layout == PngLayout::Fits
            && rawBytes > double(idatBytes + 64) * double(pngLargestInflation))
            layout = PngLayout::TooLittleData;
    }
    device.seek(start);
    return layout;
}

ImageFileRead readImageFile(const QString& fileName, bool formatFromContent)
{
    ImageFileRead result;
    // Judged on the open descriptor, so that a FIFO swapped in under the name is never read.
    QFile file;
    if (fileName.isEmpty() || !openRegularFileForReading(file, fileName))
        return result;
    const PngLayout layout = checkPngLayout(file);
    if (layout == PngLayout::ChunkOutsideFile)
        return result;
    // As for a file opened by name: the format of the suffix first, then the contents.
    QImageReader reader(&file, QFileInfo(fileName).suffix().toLower().toLatin1());
    reader.setDecideFormatFromContent(formatFromContent);
    result.size = reader.size();
    if (result.size.isValid() && !fitsImageAllocationLimit(result.size, reader.imageFormat())) {
        result.status = ImageReadStatus::TooLarge;
        return result;
    }
    if (layout == PngLayout::TooLittleData)
        return result;
    if (!reader.read(&result.image) || result.image.isNull()) {
        result.image = QImage();
        return result;
    }
    result.size = result.image.size();
    result.status = ImageReadStatus::Loaded;
    return result;
}
