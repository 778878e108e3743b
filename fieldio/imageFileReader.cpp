// Image files read only from regular files and within the allocation limit.
#include "fieldio/imageFileReader.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

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

ImageFileRead readImageFile(const QString& fileName, bool formatFromContent)
{
    ImageFileRead result;
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return result;
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(formatFromContent);
    result.size = reader.size();
    if (result.size.isValid() && !fitsImageAllocationLimit(result.size, reader.imageFormat())) {
        result.status = ImageReadStatus::TooLarge;
        return result;
    }
    if (!reader.read(&result.image) || result.image.isNull()) {
        result.image = QImage();
        return result;
    }
    result.size = result.image.size();
    result.status = ImageReadStatus::Loaded;
    return result;
}
