// Colour analysis and gray conversion of images.
#include "fieldio/imageColours.h"

#include "fieldio/grayImages.h"
#include "fieldio/imageNormalizer.h"

#include <unordered_map>

namespace {

bool isGray(QRgb c)
{
    return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
}

QRgb tableEntry(const QImage& image, int index)
{
    return index < image.colorCount() ? image.color(index) : QRgb(0);
}

// Calls visit(x, y, colour) for every pixel of a normalised image, line by line from the top.
template<typename Visit>
bool forEachPixelColour(const QImage& image, Visit visit)
{
    std::vector<QRgb> line(size_t(image.width()));
    for (int y = 0; y < image.height(); ++y) {
        readColourLine(image, y, line.data());
        for (int x = 0; x < image.width(); ++x)
            if (!visit(x, y, line[size_t(x)]))
                return false;
    }
    return true;
}

ColourTable countColours(const QImage& image, int& count, bool& allGray)
{
    count = 0;
    allGray = true;
    ColourTable seen(colourTableBytes, 0);
    forEachPixelColour(normalizeImage(image), [&](int, int, QRgb c) {
        const unsigned key = c & 0xFFFFFFu;
        std::uint8_t& byte = seen[key >> 3];
        const std::uint8_t bit = std::uint8_t(1u << (key & 7));
        if (!(byte & bit)) {
            byte |= bit;
            ++count;
            if (!isGray(c))
                allGray = false;
        }
        return true;
    });
    return seen;
}

} // namespace

int grayOfColour(QRgb colour)
{
    return (11 * qRed(colour) + 16 * qGreen(colour) + 5 * qBlue(colour)) / 32;
}

int channelGray(QRgb colour, int kind)
{
    switch (kind) {
    case 3:
        return grayOfColour(colour);
    case 4:
        return qRed(colour);
    case 5:
        return qGreen(colour);
    case 6:
        return qBlue(colour);
    default:
        return -1;
    }
}

bool isTwoColourImage(const QImage& image, QRgb& c0, QRgb& c1)
{
    if (image.depth() == 1) {
        c0 = tableEntry(image, 0);
        c1 = tableEntry(image, 1);
        return true;
    }
    c0 = c1 = qRgb(0, 0, 0);
    if (image.width() <= 0 || image.height() <= 0)
        return true;
    bool first = true;
    bool secondKnown = false;
    return forEachPixelColour(normalizeImage(image), [&](int, int, QRgb c) {
        if (first) {
            first = false;
            c0 = c1 = c;
        } else if (!secondKnown) {
            c1 = c;
            secondKnown = c != c0;
        } else if (c != c0 && c != c1) {
            return false;
        }
        return true;
    });
}

ColourTable countPaletteImageColours(const QImage& image, int& count, bool& allGray)
{
    return countColours(image, count, allGray);
}

ColourTable countTrueColourImageColours(const QImage& image, int& count, bool& allGray)
{
    return countColours(image, count, allGray);
}

void analyzeImageGrayLevels(const QImage& image, int& count, bool& allGray)
{
    count = 0;
    allGray = true;
    const QImage source = normalizeImage(image);
    switch (source.depth()) {
    case 1: {
        const int entries = source.colorCount();
        if (entries == 1) {
            count = 1;
            allGray = isGray(source.color(0));
        } else if (entries == 2) {
            allGray = isGray(source.color(0)) && isGray(source.color(1));
            if (source.color(0) == source.color(1)) {
                count = 1;
                break;
            }
            bool set = false;
            bool clear = false;
            forEachPixelColour(source, [&](int, int, QRgb c) {
                (c == source.color(1) ? set : clear) = true;
                return !(set && clear);
            });
            count = (set && clear) ? 2 : (set || clear) ? 1 : 0;
        } else {
            countPaletteImageColours(source, count, allGray);
        }
        break;
    }
    case 8: {
        for (QRgb c : source.colorTable())
            allGray = allGray && isGray(c);
        if (!allGray) {
            countPaletteImageColours(source, count, allGray);
            break;
        }
        bool redSeen[256] = {};
        forEachPixelColour(source, [&](int, int, QRgb c) {
            if (!redSeen[qRed(c)]) {
                redSeen[qRed(c)] = true;
                ++count;
            }
            return true;
        });
        break;
    }
    case 32:
        countTrueColourImageColours(source, count, allGray);
        break;
    default:
        break;
    }
}

QImage convertImageToGrayByChannel(const QImage& image, int kind)
{
    const QImage source = normalizeImage(image);
    if (source.isNull())
        return source;
    if (source.depth() != 32) {
        QImage result = source;
        if (channelGray(0, kind) < 0)
            return result;
        QList<QRgb> table = result.colorTable();
        for (QRgb& c : table) {
            const int v = channelGray(c, kind);
            c = qRgb(v, v, v);
        }
        if (table != result.colorTable()) // an unchanged table keeps the pixels shared
            result.setColorTable(table);
        return result;
    }
    QImage result = createPhaseImage(source.width(), source.height());
    if (result.isNull() || channelGray(0, kind) < 0)
        return result;
    std::vector<QRgb> line(size_t(source.width()));
    for (int y = 0; y < source.height(); ++y) {
        readColourLine(source, y, line.data());
        uchar* out = result.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = uchar(channelGray(line[size_t(x)], kind));
    }
    return result;
}

void convertPaletteToGray(QImage& image)
{
    if (image.format() == QImage::Format_Grayscale8)
        image = normalizeImage(image);
    if (image.format() != QImage::Format_Indexed8 || image.colorTable() == grayRampColorTable())
        return;
    uchar lookup[256];
    for (int k = 0; k < 256; ++k)
        lookup[k] = uchar(grayOfColour(tableEntry(image, k)));
    image.setColorTable(grayRampColorTable());
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = lookup[line[x]];
    }
}

QImage reduceImageDepth(const QImage& image)
{
    if (image.isNull() || image.depth() == 1)
        return image;
    const QImage source = normalizeImage(image);
    QRgb c0;
    QRgb c1;
    if (isTwoColourImage(source, c0, c1)) {
        QImage mono(source.width(), source.height(), QImage::Format_MonoLSB);
        if (mono.isNull())
            return image;
        mono.setColorTable({c0, c1});
        mono.fill(0);
        forEachPixelColour(source, [&](int x, int y, QRgb c) {
            if (c == c1)
                setTwoLevelPixel(mono, x, y);
            return true;
        });
        return mono;
    }
    if (source.depth() == 8)
        return image;
    int count = 0;
    bool allGray = true;
    analyzeImageGrayLevels(source, count, allGray);
    if (count > 256)
        return image;
    // Exact colour table in order of first appearance: no dithering, alpha kept.
    QImage indexed(source.width(), source.height(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return image;
    QList<QRgb> table;
    std::unordered_map<QRgb, uchar> indexOf;
    const bool fits = forEachPixelColour(source, [&](int x, int y, QRgb c) {
        auto found = indexOf.find(c);
        if (found == indexOf.end()) {
            if (table.size() == 256) // colours that differ in alpha only
                return false;
            found = indexOf.emplace(c, uchar(table.size())).first;
            table.append(c);
        }
        indexed.scanLine(y)[x] = found->second;
        return true;
    });
    if (!fits)
        return image;
    indexed.setColorTable(table);
    return indexed;
}
