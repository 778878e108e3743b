// Saving fields and masks as PNG or BMP files, and reading an image file into a field.
#include "fieldio/imageFileExport.h"

#include "base/replacingFile.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/imageFileReader.h"
#include "fieldio/imageNormalizer.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"

#include <QIODevice>
#include <QImage>

namespace {

bool saveWithFormat(const QImage& image, const QString& fileName, const QString& format)
{
    const QString name = imageFileNameWithExtension(fileName, format);
    if (name.isEmpty())
        return false;
    const int quality = format == QLatin1String("PNG") ? 0 : 100;
    return writeImageFile(image, name, format == QLatin1String("PNG") ? "PNG" : "BMP", quality);
}

// Hands every byte on to `target` and tells the encoder that it was written, keeping a failure
// to itself: the toolkit's PNG encoder, when a write fails, gives up without freeing its table
// of line pointers.
class FailureKeepingDevice : public QIODevice
{
public:
    explicit FailureKeepingDevice(QIODevice& target)
        : target(target)
    {
        open(QIODevice::WriteOnly);
    }
    bool failed() const { return failedWrite; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        if (!failedWrite && target.write(data, length) != length)
            failedWrite = true;
        return length;
    }

private:
    QIODevice& target;
    bool failedWrite = false;
};

} // namespace

bool writeImageFile(const QImage& image, const QString& fileName, const char* format, int quality)
{
    if (image.isNull())
        return false;
    // The encoder's own result is not enough: a small image sits in the device's buffer until
    // the flush, which writeReplacingFile checks.
    return writeReplacingFile(fileName, [&](QIODevice& device) {
        FailureKeepingDevice encoded(device);
        return image.save(&encoded, format, quality) && !encoded.failed();
    });
}

QString imageFileNameWithExtension(const QString& fileName, const QString& format)
{
    QString extension;
    if (format == QLatin1String("PNG"))
        extension = QStringLiteral(".png");
    else if (format == QLatin1String("BMP"))
        extension = QStringLiteral(".bmp");
    else
        return QString();
#if PHASEDECK_LAB
    return fileName + extension;
#else
    if (fileName.right(4).toLower() == extension)
        return fileName;
    return fileName + extension;
#endif
}

bool saveImageFile(const QString& fileName, const QString& format,
                   boost::shared_ptr<binaryArray2D> mask)
{
    if (imageFileNameWithExtension(fileName, format).isEmpty())
        return false;
    return saveWithFormat(binaryArray2DToImage(mask), fileName, format);
}

bool saveDataField2DImageFile(const QString& fileName, const QString& format,
                              boost::shared_ptr<DataField2D> field)
{
    if (imageFileNameWithExtension(fileName, format).isEmpty())
        return false;
    return saveWithFormat(dataField2DToImageAutoRange(field, 256), fileName, format);
}

bool saveComplexDataField2DImageFile(const QString& fileName, const QString& format,
                                     boost::shared_ptr<complexDataField2D> field, int mode)
{
    if (imageFileNameWithExtension(fileName, format).isEmpty())
        return false;
    return saveWithFormat(complexDataField2DToImage(field, mode, 256), fileName, format);
}

boost::shared_ptr<DataField2D> readImageFileToDataField2D(const QString& fileName)
{
    const QImage image = normalizeImage(readImageFile(fileName, true).image);
    if (image.isNull())
        return boost::shared_ptr<DataField2D>();
    return imageToDataField2D(image, 0, 3, 11, 16, 5);
}
