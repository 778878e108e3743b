// Bytes decoded as an image, then every image-to-field and colour-analysis conversion, the
// fields back to images, and the full-screen composition at 1920 x 1080.
#include "fuzzSupport.h"
#include "imageParameters.h"

#include "base/messages.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/imageColours.h"
#include "fieldio/imageNormalizer.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/fullScreenComposition.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <vector>

namespace {

namespace P = imageParameters;

constexpr int fullWidth = 1920;
constexpr int fullHeight = 1080;
// Larger images are decoded but not converted: the conversions treat every pixel alike, and an
// instrumented conversion of a million pixels takes seconds.
constexpr qint64 maxPixels = qint64(1) << 18;
// Pixel by pixel comparisons only on small images.
constexpr qint64 comparedPixels = 1 << 16;

int boxCount = 0;

void countBox(MessageIcon, const QString&, const QString&)
{
    ++boxCount;
}

bool isPhaseImage(const QImage& image, QSize size)
{
    return image.size() == size && image.format() == QImage::Format_Indexed8
           && image.colorCount() == 256;
}

void checkColourAnalysis(const QImage& image)
{
    int count = 0;
    bool allGray = true;
    analyzeImageGrayLevels(image, count, allGray);
    QRgb c0 = 0;
    QRgb c1 = 0;
    const bool twoColours = isTwoColourImage(image, c0, c1);
    FUZZ_CHECK(count >= 0);
    // Over opaque true colour both count the same colours; with alpha the count ignores it.
    if (image.format() == QImage::Format_RGB32)
        FUZZ_CHECK(twoColours == (count <= 2));
    if (image.format() == QImage::Format_ARGB32 && twoColours)
        FUZZ_CHECK(count <= 2);

    const QImage reduced = reduceImageDepth(image);
    FUZZ_CHECK(reduced.size() == image.size());
    if (twoColours)
        FUZZ_CHECK(reduced.depth() == 1);
    if (reduced.depth() != image.depth()
        && qint64(image.width()) * image.height() <= comparedPixels) {
        // The input's colours as the conversions read them (a missing table entry is 0).
        std::vector<QRgb> line(std::size_t(image.width()));
        for (int y = 0; y < image.height(); ++y) {
            readColourLine(image, y, line.data());
            for (int x = 0; x < image.width(); ++x)
                FUZZ_CHECK(reduced.pixel(x, y) == line[std::size_t(x)]);
        }
    }
}

void checkFieldConversions(const QImage& image, const TrailingParameters& p)
{
    const QSize size = image.size();
    const int kind = p.byteIn(P::grayKind, 0, 9);
    const std::uint8_t w1 = p.byte(P::weight1);
    const std::uint8_t w2 = p.byte(P::weight2);
    const std::uint8_t w3 = p.byte(P::weight3);
    const int levels = p.byte(P::grayLevels) == 0 ? 256 : p.byte(P::grayLevels);
    const int mode = p.byteIn(P::displayMode, 0, 6);

    const QImage byChannel = convertImageToGrayByChannel(image, p.byteIn(P::channelKind, 0, 7));
    FUZZ_CHECK(byChannel.size() == size);
    QImage palette = image;
    convertPaletteToGray(palette);
    FUZZ_CHECK(palette.size() == size);

    const std::vector<std::int16_t> grays = imageToGrayArray(image, kind, w1, w2, w3);
    FUZZ_CHECK(grays.size() == std::size_t(size.width()) * std::size_t(size.height()));
    const std::vector<std::uint8_t> bytes = imageToGrayBytes(image);
    FUZZ_CHECK(bytes.size() == grays.size());

    boost::shared_ptr<DataField2D> real
        = imageToDataField2D(image, p.byteIn(P::fieldMode, 0, 4), kind, w1, w2, w3);
    FUZZ_CHECK(real->getSizeI() == size.width() && real->getSizeJ() == size.height());
    FUZZ_CHECK(isPhaseImage(dataField2DToImageAutoRange(real, levels), size));

    const auto complexLevels = static_cast<std::int16_t>(p.word(P::complexLevels));
    boost::shared_ptr<complexDataField2D> complex = imageToComplexDataField2D(
        image, p.byteIn(P::representation, 0, 5), p.byteIn(P::complexMode, 0, 5), complexLevels,
        kind, w1, w2, w3);
    FUZZ_CHECK(complex->getSizeI() == size.width() && complex->getSizeJ() == size.height());
    const QImage shown = complexDataField2DToImage(complex, mode, levels);
    FUZZ_CHECK(shown.size() == size);
    FUZZ_CHECK(levels < 3 ? shown.depth() == 1 : isPhaseImage(shown, size));
    const int tileWidth = p.wordIn(P::tileWidth, 0, 640);
    const int tileHeight = p.wordIn(P::tileHeight, 0, 480);
    const QImage tiled
        = replicatedComplexDataField2DToImage(complex, mode, tileWidth, tileHeight, levels);
    if (tileWidth > 0 && tileHeight > 0)
        FUZZ_CHECK(isPhaseImage(tiled, QSize(tileWidth, tileHeight)));
    else
        FUZZ_CHECK(tiled.isNull());
}

// The full-screen window's set-up of its working image, levels and zoom, then the composition.
void checkComposition(const QImage& image, const TrailingParameters& p)
{
    const QImage source = phaseImageOf(image);
    FUZZ_CHECK(isPhaseImage(source, image.size()));
    const PatternLevels levels = patternLevelsOf(source);

    QImage work = source;
    ZoomGeometry zoom;
    const int level = p.signedByte(P::zoomLevel) % 9;
    if (!levels.oneLevel
        && zoomGeometry(level, source.width(), source.height(), fullWidth, fullHeight, zoom)) {
        work = resampleForZoom(source, zoom, levels.twoLevel);
        FUZZ_CHECK(work.width() == zoom.scaledWidth && work.height() == zoom.scaledHeight);
        FUZZ_CHECK(levels.twoLevel || work.format() == QImage::Format_Indexed8);
    }

    static const std::vector<unsigned char> background = [] {
        std::vector<unsigned char> values(std::size_t(fullWidth) * fullHeight);
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = static_cast<unsigned char>(k * 7 / 5);
        return values;
    }();
    CompositionParameters c;
    c.fullWidth = fullWidth;
    c.fullHeight = fullHeight;
    c.gammaValue = p.byte(P::gamma);
    c.grayPhase0 = p.byte(P::grayPhase0);
    c.grayPhase2Pi = p.byte(P::grayPhase2Pi);
    c.lensValue = p.signedByte(P::lens) % 101;
    c.prismXValue = p.signedByte(P::prismX) % 101;
    c.prismYValue = p.signedByte(P::prismY) % 101;
    c.shiftX = p.wordIn(P::shiftX, 1 - fullWidth, fullWidth);
    c.shiftY = p.wordIn(P::shiftY, 1 - fullHeight, fullHeight);
    c.inverted = p.byte(P::flags) & 1;
    c.background = p.byte(P::flags) & 2 ? background.data() : nullptr;
    const QImage composed = composeFullScreen(work, levels, c);
    FUZZ_CHECK(isPhaseImage(composed, QSize(fullWidth, fullHeight)));

    // Without added phases the per-pixel path shows what the tiling shows (on a smaller
    // screen: the property does not depend on its size).
    if (!levels.oneLevel && !levels.twoLevel) {
        CompositionParameters plain = c;
        plain.fullWidth = 320;
        plain.fullHeight = 180;
        plain.lensValue = plain.prismXValue = plain.prismYValue = 0;
        plain.grayPhase0 = 0;
        plain.grayPhase2Pi = 255;
        plain.background = nullptr;
        FUZZ_CHECK(composeTiled(work, levels, plain) == composePerPixel(work, levels, plain));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The application sees none of libFuzzer's options.
    static int argc = 1;
    static char name[] = "fuzz_image";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    setMessageBoxRunner(countBox);
    QImageReader::setAllocationLimit(64);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TrailingParameters p(data, size, P::count);
    QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char*>(p.payload()), qsizetype(p.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QImage decoded = reader.read();
    if (decoded.isNull() || qint64(decoded.width()) * decoded.height() > maxPixels)
        return 0;

    boxCount = 0;
    const QImage image = normalizeImage(decoded);
    FUZZ_CHECK(image.size() == decoded.size() && isNormalizedFormat(image.format()));
    checkColourAnalysis(image);
    checkFieldConversions(image, p);
    checkComposition(image, p);
    // Nothing here is an error of the numeric code.
    FUZZ_CHECK(boxCount == 0);
    return 0;
}
