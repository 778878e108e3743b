// A whole field window from file bytes, as the programs open one: image bytes read as an image
// file and turned into the real field of the main window (and, in the internal edition, also into
// its complex phase field), ".de" bytes (internal edition) read as a complex field; each window
// then shows every view and zooms in and out, and what it shows must match its sizes.
#include "fuzzSupport.h"

#include "base/messages.h"
#include "fieldio/imageFileReader.h"
#include "fieldio/imageNormalizer.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/qComplexDataGrscMapWidget.h"
#if PHASEDECK_LAB
#include "lab/fieldio/diffractiveElementFile.h"
#endif

#include <QApplication>
#include <QFile>
#include <QMetaObject>
#include <QPixmap>
#include <cstring>
#include <memory>

namespace {

// Larger fields are read but not shown: a window samples and draws every pixel.
constexpr qint64 maxPixels = qint64(1) << 16;

void silentBox(MessageIcon, const QString&, const QString&) {}

QString imageName;
QString elementName;

void checkPictures(const qComplexDataGrscMapWidget& w)
{
    FUZZ_CHECK(w.displayedImage().size() == w.displayedSize() || w.displayedImage().isNull());
    FUZZ_CHECK(w.baseImage().isNull() || w.baseImage().size() == w.sampledSize());
    const QString pixels
        = QStringLiteral("%1 x %2 pixels").arg(w.fieldSize().width()).arg(w.fieldSize().height());
    FUZZ_CHECK(w.statusText().isEmpty() || w.statusText().contains(pixels));
}

// Every view the window has, a zoom in and out, and a paint of what it shows.
void exercise(qComplexDataGrscMapWidget& w)
{
    FUZZ_CHECK(w.isComplete());
    checkPictures(w);
    if (w.kind() == qComplexDataGrscMapWidget::complexFieldWindow) {
        const char* views[]
            = {"showImagPart", "showAmplitude", "showPhase", "showIntensity", "showRealPart"};
        int mode = 2;
        for (const char* view : views) {
            QMetaObject::invokeMethod(&w, view, Qt::DirectConnection);
            FUZZ_CHECK(w.currentMode() == (mode <= 5 ? mode : 1));
            ++mode;
            checkPictures(w);
        }
    }
    for (const char* zoom : {"zoomIn", "zoomOut", "zoomOut"}) {
        QMetaObject::invokeMethod(&w, zoom, Qt::DirectConnection);
        checkPictures(w);
    }
    QPixmap canvas(w.size().boundedTo(QSize(256, 256)));
    w.render(&canvas);
}

void openRealWindow(const boost::shared_ptr<DataField2D>& field)
{
    qComplexDataGrscMapWidget w(field, nullptr, "new window", Qt::WindowFlags(),
                                QStringLiteral("fuzzed image"), QString());
    exercise(w);
}

void openComplexWindow(const boost::shared_ptr<complexDataField2D>& field, int mode)
{
    qComplexDataGrscMapWidget w(field, mode, nullptr, "new window", Qt::WindowFlags(),
                                QStringLiteral("fuzzed field"), QString());
    exercise(w);
}

void writeScratch(const QString& name, const uint8_t* data, size_t size)
{
    QFile file(name);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}

void fromImageBytes(const uint8_t* data, size_t size)
{
    writeScratch(imageName, data, size);
    const ImageFileRead read = readImageFile(imageName, true);
    if (read.status != ImageReadStatus::Loaded)
        return;
    const QImage image = normalizeImage(read.image);
    if (image.isNull() || qint64(image.width()) * image.height() > maxPixels)
        return;
    const boost::shared_ptr<DataField2D> field = imageToDataField2D(image, 0, 3, 1, 0, 0);
    FUZZ_CHECK(field && field->getSizeI() == image.width() && field->getSizeJ() == image.height());
    openRealWindow(field);
#if PHASEDECK_LAB
    // The internal edition's phase field of the image, as its conversion options make it.
    openComplexWindow(imageToComplexDataField2D(image, 4, 2, 0, 3, 11, 16, 5), 4);
#endif
}

#if PHASEDECK_LAB
void fromElementBytes(const uint8_t* data, size_t size)
{
    if (size >= 12) {
        int32_t sizes[2];
        std::memcpy(sizes, data + 4, sizeof sizes); // little-endian hosts only
        if (de20SizesAcceptable(sizes[0], sizes[1]) && qint64(sizes[0]) * sizes[1] > maxPixels)
            return;
    }
    writeScratch(elementName, data, size);
    const boost::shared_ptr<complexDataField2D> field = readComplexDE20File(elementName);
    if (field)
        openComplexWindow(field, 1);
}
#endif

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QApplication app(*argc, *argv);
    setMessageBoxRunner(silentBox);
    imageName = fuzzScratchName("fieldWindow", "image", ".png");
    elementName = fuzzScratchName("fieldWindow", "element", ".de");
    return 0;
}

// The first byte chooses the reader: even for image bytes, odd for ".de" bytes (read as an
// image in the release edition, which has no ".de" reader).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
#if PHASEDECK_LAB
    if (data[0] % 2 == 1) {
        fromElementBytes(data + 1, size - 1);
        return 0;
    }
#endif
    fromImageBytes(data + 1, size - 1);
    return 0;
}
