// Reading image files: only regular files are opened, and images are refused by size within the
// allocation limit that the program sets for the toolkit's image readers.
#pragma once

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QString>

// The toolkit's limit for one decoded image, in MiB. The toolkit counts every pixel with at least
// 32 bits, so 1 GiB is what a 16384 x 16384 image of 8-bit grays (or of RGB32 colours) needs;
// 1920 x 1080 RGBA at any depth (32-bit floats: 32 MiB) is far below it.
constexpr int imageAllocationLimitMiB = 1024;

// Sets imageAllocationLimitMiB as the limit of every QImageReader of the process.
void applyImageAllocationLimit();

// Whether an image of `size` in `format` fits the current QImageReader limit as the toolkit
// counts it: width x height x the format's bits a pixel, at least 32; always true without a limit.
// An invalid format counts with 32 bits a pixel.
bool fitsImageAllocationLimit(QSize size, QImage::Format format);

// The most bytes that deflate unpacks from one compressed byte, rounded up.
constexpr qint64 pngLargestInflation = 1040;

enum class PngLayout {
    NotPng,           // no PNG signature
    Fits,             // every chunk up to IEND inside the file
    ChunkOutsideFile, // a chunk reaches past the end of the file, or IEND is missing
    TooLittleData,    // fewer compressed bytes (IDAT) than the picture of IHDR needs at least
};
// The layout of the file on `device` from its current position, read from the chunk headers
// alone; the position is restored.
PngLayout checkPngLayout(QIODevice& device);

enum class ImageReadStatus {
    Loaded,
    NotAnImage, // no regular file (missing, a folder, a FIFO, a device), no readable image, or a
                // PNG whose chunks do not fit the file or whose data cannot hold its picture
    TooLarge,   // its header gives a size beyond the allocation limit
};

struct ImageFileRead
{
    ImageReadStatus status = ImageReadStatus::NotAnImage;
    QImage image; // as decoded; null unless Loaded
    QSize size;   // from the file's header when it could be read
};

// Reads the image file `fileName`, its format taken from the name's suffix and then from the
// contents (QImage::load's rule), or from the contents alone with formatFromContent. Only an
// opened descriptor that is a regular file (symbolic links followed) is read from, so a FIFO or a
// device never blocks, also when swapped in under the name; a PNG whose chunks do not fit the
// file is refused before anything is decoded.
ImageFileRead readImageFile(const QString& fileName, bool formatFromContent = false);
