// Full-screen bitmap composition: gray table, palettes, the tiling and per-pixel paths, zoom.
#include "views/fullScreenComposition.h"

#include "base/vectorPath.h"
#include "fieldio/imageColours.h"
#include "fieldio/imageNormalizer.h"
#include "views/compositionRows.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr double pi = 3.141592653589793;

// x mod n in [0, n) for n > 0.
int wrap(long long x, int n)
{
    const long long m = x % n;
    return static_cast<int>(m < 0 ? m + n : m);
}

// Fills row[0..width) with the cyclic repetition of src[0..n), starting at src[first].
void fillCyclicRow(unsigned char* row, int width, const unsigned char* src, int n, int first)
{
    const int head = std::min(n - first, width);
    std::memcpy(row, src + first, static_cast<size_t>(head));
    int filled = head + std::min(first, width - head);
    std::memcpy(row + head, src, static_cast<size_t>(filled - head));
    // row[0..filled) is one whole period: double it until the row is full.
    while (filled < width) {
        const int chunk = std::min(filled, width - filled);
        std::memcpy(row + filled, row, static_cast<size_t>(chunk));
        filled += chunk;
    }
}

// Source column and line of output pixel (0, 0): the pattern centre lands at
// (W/2 - shiftX, H/2 - shiftY).
int firstColumn(int w, const CompositionParameters& p)
{
    return wrap(static_cast<long long>(w / 2) - p.fullWidth / 2 + p.shiftX, w);
}

int firstLine(int h, const CompositionParameters& p)
{
    return wrap(static_cast<long long>(h / 2) - p.fullHeight / 2 + p.shiftY, h);
}

bool isEmpty(const QImage& work)
{
    return work.isNull() || work.width() < 1 || work.height() < 1;
}

QImage newFullImage(const CompositionParameters& p)
{
    QImage out(p.fullWidth, p.fullHeight, QImage::Format_Indexed8);
    out.setColorCount(256);
    return out;
}

// out as a full-screen Indexed8 image: kept when it already is one and holds its pixels alone,
// so that a step writes into the pixels of the step before.
void reuseOrMakeFullImage(QImage& out, const CompositionParameters& p)
{
    if (out.width() != p.fullWidth || out.height() != p.fullHeight
        || out.format() != QImage::Format_Indexed8 || !out.isDetached())
        out = newFullImage(p);
}

// out as a Format_RGB32 image of the given size, kept when it already is one and is not shared.
void reuseOrMakeColourImage(QImage& out, QSize size)
{
    if (out.size() != size || out.format() != QImage::Format_RGB32 || !out.isDetached())
        out = QImage(size, QImage::Format_RGB32);
}

// The opaque colours of bitmap's colour table (indexes beyond it black) into palette; grays
// holds their blue parts, and the result says whether every colour is that gray.
bool opaqueColours(const QImage& bitmap, unsigned int* palette, unsigned char* grays)
{
    bool gray = true;
    const QVector<QRgb> colours = bitmap.colorTable();
    for (int i = 0; i < 256; ++i) {
        palette[i] = 0xFF000000u | (i < colours.size() ? colours[i] : 0u);
        grays[i] = static_cast<unsigned char>(qBlue(palette[i]));
        gray = gray && palette[i] == (0xFF000000u | grays[i] * 0x010101u);
    }
    return gray;
}

// Output line r of the indexes of work (or of a value map applied to them) tiled over the full
// screen; mapped holds work's width of scratch bytes when there is a value map.
void tileRow(unsigned char* row, int r, const QImage& work, const CompositionParameters& p,
             const unsigned char* valueOfIndex, unsigned char* mapped)
{
    if (isEmpty(work)) {
        std::memset(row, valueOfIndex ? valueOfIndex[0] : 0, static_cast<size_t>(p.fullWidth));
        return;
    }
    const int w = work.width(), h = work.height();
    const unsigned char* src = work.constScanLine((firstLine(h, p) + r) % h);
    if (valueOfIndex) {
        for (int i = 0; i < w; ++i)
            mapped[i] = valueOfIndex[src[i]];
        src = mapped;
    }
    fillCyclicRow(row, p.fullWidth, src, w, firstColumn(w, p));
}

// Lines after which the tiled screen repeats: work's height, 1 for an empty image.
int tilePeriod(const QImage& work)
{
    return isEmpty(work) ? 1 : work.height();
}

// Indexes of work (or of a value map applied to them) tiled over the full screen.
void tileInto(QImage& out, const QImage& work, const CompositionParameters& p,
              const unsigned char* valueOfIndex)
{
    std::vector<unsigned char> mapped(valueOfIndex ? static_cast<size_t>(work.width()) : 0);
    // The first lines of a period are built; the rest repeat them.
    const int H = p.fullHeight, period = tilePeriod(work), built = std::min(period, H);
    for (int r = 0; r < built; ++r)
        tileRow(out.scanLine(r), r, work, p, valueOfIndex, mapped.data());
    for (int r = built; r < H; ++r)
        std::memcpy(out.scanLine(r), out.constScanLine(r - period),
                    static_cast<size_t>(p.fullWidth));
}

QVector<QRgb> workPalette(const QImage& work)
{
    QVector<QRgb> palette = work.colorTable();
    const int known = palette.size();
    palette.resize(256);
    for (int i = known; i < 256; ++i)
        palette[i] = qRgb(i, i, i);
    return palette;
}

QRgb gray(int v)
{
    const int c = v & 0xFF;
    return qRgb(c, c, c);
}

} // namespace

// line[c] = base[c] + trunc((xx[c] + yy) * lens + xp[c] + py) (+ bg[c]) modulo 256, c < width.
void addPhaseRowPortable(unsigned char* line, const unsigned char* base, const unsigned char* bg,
                         const double* xx, const double* xp, double yy, double lens, double py,
                         int width)
{
    int c = 0;
#if defined(__SSE2__)
    // Sixteen pixels a step, in the same double operations as the scalar loop below.
    const __m128d vyy = _mm_set1_pd(yy), vlens = _mm_set1_pd(lens), vpy = _mm_set1_pd(py);
    const __m128i lowByte = _mm_set1_epi32(0xFF);
    auto four = [&](int k) {
        const __m128d a
            = _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_add_pd(_mm_loadu_pd(xx + k), vyy), vlens),
                                    _mm_loadu_pd(xp + k)),
                         vpy);
        const __m128d b
            = _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_add_pd(_mm_loadu_pd(xx + k + 2), vyy), vlens),
                                    _mm_loadu_pd(xp + k + 2)),
                         vpy);
        const __m128i ints = _mm_unpacklo_epi64(_mm_cvttpd_epi32(a), _mm_cvttpd_epi32(b));
        return _mm_and_si128(ints, lowByte);
    };
    for (; c + 16 <= width; c += 16) {
        const __m128i lo = _mm_packs_epi32(four(c), four(c + 4));
        const __m128i hi = _mm_packs_epi32(four(c + 8), four(c + 12));
        __m128i sum = _mm_add_epi8(_mm_packus_epi16(lo, hi),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + c)));
        if (bg)
            sum = _mm_add_epi8(sum, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bg + c)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + c), sum);
    }
#endif
    for (; c < width; ++c) {
        const int phase = static_cast<int>((xx[c] + yy) * lens + xp[c] + py);
        line[c] = static_cast<unsigned char>(base[c] + phase + (bg ? bg[c] : 0));
    }
}

void expandIndexedRowPortable(const unsigned char* src, const unsigned int* palette,
                              const unsigned char*, unsigned int* dst, int width)
{
    for (int c = 0; c < width; ++c)
        dst[c] = palette[src[c]];
}

GrayTable computeGrayTable(unsigned char g0, unsigned char g1, int gammaValue)
{
    GrayTable table{};
    const double d = std::clamp(gammaValue, 0, 255) - 127.5;
    const int k = std::abs(static_cast<int>(std::trunc(d)));
    const double p = (127 - k) * 0.0078125;
    const double invP = p > 0 ? 1.0 / p : std::numeric_limits<double>::infinity();
    const int span = g1 - g0;
    for (int v = 0; v < 256; ++v) {
        double t = span != 0 ? static_cast<double>(v - g0) / span : (v >= g0 ? 1.0 : 0.0);
        t = std::clamp(t, 0.0, 1.0);
        double f;
        if (d > 0)
            f = (std::pow(t, p) + 1.0 - std::pow(1.0 - t, invP)) * 0.5;
        else
            f = 1.0 - (std::pow(1.0 - t, p) + 1.0 - std::pow(t, invP)) * 0.5;
        table[static_cast<size_t>(v)] = static_cast<int>(std::trunc(span * f + g0));
    }
    return table;
}

QVector<QRgb> grayTablePalette(const GrayTable& table, bool inverted, unsigned char g0,
                               unsigned char g1)
{
    QVector<QRgb> palette(256);
    for (int i = 0; i < 256; ++i) {
        const int entry = table[static_cast<size_t>(i)];
        palette[i] = gray(inverted ? g0 + g1 - entry : entry);
    }
    return palette;
}

QImage phaseImageOf(const QImage& image)
{
    QImage gray = normalizeImage(image);
    if (gray.isNull())
        return gray;
    if (gray.depth() == 32)
        return convertImageToGrayByChannel(gray, 3);
    if (gray.format() != QImage::Format_Indexed8)
        gray = gray.convertToFormat(QImage::Format_Indexed8);
    convertPaletteToGray(gray);
    return gray;
}

void readTwoLevels(const QImage& image, unsigned char& level1, unsigned char& level2)
{
    level1 = level2 = 0;
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return;
    const bool indexed = image.format() == QImage::Format_Indexed8;
    const QVector<QRgb> palette = indexed ? workPalette(image) : QVector<QRgb>();
    auto redAt = [&](const unsigned char* line, int x, int y) {
        return indexed ? qRed(palette[line[x]]) : qRed(image.pixel(x, y));
    };
    level1 = static_cast<unsigned char>(redAt(image.constScanLine(0), 0, 0));
    level2 = level1;
    for (int y = 0; y < image.height(); ++y) {
        const unsigned char* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int red = redAt(line, x, y);
            if (red != level1) {
                level2 = static_cast<unsigned char>(red);
                return;
            }
        }
    }
}

PatternLevels patternLevelsOf(const QImage& phaseImage)
{
    PatternLevels levels;
    int count = 0;
    bool allGray = true;
    if (!phaseImage.isNull())
        analyzeImageGrayLevels(phaseImage, count, allGray);
    levels.twoLevel = count == 2;
    levels.oneLevel = count == 1;
    if (levels.twoLevel || levels.oneLevel)
        readTwoLevels(phaseImage, levels.level1Gray, levels.level2Gray);
    levels.grayValue1 = levels.level1Gray;
    levels.grayValue2 = levels.level2Gray;
    return levels;
}

bool usesFastPath(const CompositionParameters& p)
{
    return p.lensValue == 0 && p.prismXValue == 0 && p.prismYValue == 0 && !p.background
           && p.grayPhase0 == 0 && p.grayPhase2Pi == 255;
}

namespace {

// The tiling path into out (reused as reuseOrMakeFullImage says).
void composeTiledInto(const QImage& work, const PatternLevels& levels,
                      const CompositionParameters& p, QImage& out)
{
    reuseOrMakeFullImage(out, p);
    const GrayTable table = computeGrayTable(p.grayPhase0, p.grayPhase2Pi, p.gammaValue);
    if (levels.oneLevel || levels.twoLevel) {
        QVector<QRgb> palette = workPalette(work);
        const int shown1 = p.inverted ? 255 - levels.grayValue1 : levels.grayValue1;
        palette[levels.level1Gray] = gray(shown1);
        if (levels.twoLevel) {
            const int shown2 = p.inverted ? 255 - levels.grayValue2 : levels.grayValue2;
            palette[levels.level2Gray] = gray(shown2);
        }
        out.setColorTable(palette);
    } else {
        out.setColorTable(grayTablePalette(table, p.inverted, p.grayPhase0, p.grayPhase2Pi));
    }
    tileInto(out, work, p, nullptr);
}

// The per-pixel path into out (reused as reuseOrMakeFullImage says).
void composePerPixelInto(const QImage& work, const PatternLevels& levels,
                         const CompositionParameters& p, QImage& out)
{
    const int W = p.fullWidth, H = p.fullHeight;
    reuseOrMakeFullImage(out, p);
    const GrayTable table = computeGrayTable(p.grayPhase0, p.grayPhase2Pi, p.gammaValue);
    out.setColorTable(grayTablePalette(table, p.inverted, p.grayPhase0, p.grayPhase2Pi));

    // Source value per pixel index: for a two-level pattern the palette red with the grays
    // shown for its levels, else the index itself.
    unsigned char valueOfIndex[256];
    if (levels.twoLevel) {
        const QVector<QRgb> palette = workPalette(work);
        for (int i = 0; i < 256; ++i)
            valueOfIndex[i] = static_cast<unsigned char>(qRed(palette[i]));
        valueOfIndex[levels.level1Gray] = static_cast<unsigned char>(levels.grayValue1);
        valueOfIndex[levels.level2Gray] = static_cast<unsigned char>(levels.grayValue2);
    }
    // The values each line adds its phase to: built once per period when lines repeat (one
    // level, or more than a period on the screen), else tiled in place just before the phase.
    const unsigned char* values = levels.twoLevel ? valueOfIndex : nullptr;
    std::vector<unsigned char> mapped(values ? static_cast<size_t>(work.width()) : 0);
    const int period = levels.oneLevel ? 1 : tilePeriod(work);
    const bool linesRepeat = levels.oneLevel || period < H;
    std::vector<unsigned char> periodLines;
    if (linesRepeat) {
        periodLines.resize(static_cast<size_t>(period) * W);
        for (int r = 0; r < period; ++r) {
            unsigned char* line = periodLines.data() + static_cast<size_t>(r) * W;
            if (levels.oneLevel)
                std::memset(line, static_cast<unsigned char>(levels.grayValue1),
                            static_cast<size_t>(W));
            else
                tileRow(line, r, work, p, values, mapped.data());
        }
    }

    // Gray steps per unit: a lens step adds 0.015 * 128 / H per squared pixel distance, a
    // prism step 1.28 per pixel.
    const double lensCoefficient = p.lensValue * pi * 0.015 / H * (128.0 / pi);
    const double prismXCoefficient = p.prismXValue * pi * 0.01 * (128.0 / pi);
    const double prismYCoefficient = p.prismYValue * pi * 0.01 * (128.0 / pi);
    const int cx = W / 2 - p.shiftX;
    const int cy = H / 2 - p.shiftY;

    // Per column: x, x^2 and the prism x term, so that a row adds y^2 and the prism y term;
    // every sum is the same double as computed pixel by pixel.
    std::vector<double> xSquared(static_cast<size_t>(W)), xPrism(static_cast<size_t>(W));
    for (int c = 0; c < W; ++c) {
        const double x = c - cx;
        xSquared[static_cast<size_t>(c)] = x * x;
        xPrism[static_cast<size_t>(c)] = x * prismXCoefficient;
    }
    const double* xx = xSquared.data();
    const double* xp = xPrism.data();
    const auto addPhaseRow = pickForVectorPath(addPhaseRowPortable, addPhaseRowAvx2);
    for (int r = 0; r < H; ++r) {
        const int y = r - cy;
        const double py = static_cast<int>(y * prismYCoefficient);
        const double yy = static_cast<double>(y) * y;
        unsigned char* line = out.scanLine(r);
        const unsigned char* base = line;
        if (linesRepeat)
            base = periodLines.data() + static_cast<size_t>(r % period) * W;
        else
            tileRow(line, r, work, p, values, mapped.data());
        const unsigned char* bg = nullptr;
#if PHASEDECK_LAB
        if (p.background)
            bg = p.background + static_cast<size_t>(H - 1 - r) * W;
#endif
        addPhaseRow(line, base, bg, xx, xp, yy, lensCoefficient, py, W);
    }
}

} // namespace

QImage composeTiled(const QImage& work, const PatternLevels& levels, const CompositionParameters& p)
{
    QImage out;
    composeTiledInto(work, levels, p, out);
    return out;
}

QImage composePerPixel(const QImage& work, const PatternLevels& levels,
                       const CompositionParameters& p)
{
    QImage out;
    composePerPixelInto(work, levels, p, out);
    return out;
}

QImage composeFullScreen(const QImage& work, const PatternLevels& levels,
                         const CompositionParameters& p)
{
    return usesFastPath(p) ? composeTiled(work, levels, p) : composePerPixel(work, levels, p);
}

void composeFullScreenInto(const QImage& work, const PatternLevels& levels,
                           const CompositionParameters& p, QImage& bitmap)
{
    if (usesFastPath(p))
        composeTiledInto(work, levels, p, bitmap);
    else
        composePerPixelInto(work, levels, p, bitmap);
}

void expandToColours(const QImage& bitmap, QImage& out)
{
    reuseOrMakeColourImage(out, bitmap.size());
    if (!bitmap.isNull())
        expandRectToColours(bitmap, bitmap.rect(), out.bits(), out.bytesPerLine());
}

void expandRectToColours(const QImage& bitmap, const QRect& source, uchar* dst,
                         qsizetype bytesPerLine)
{
    const QRect part = source.intersected(bitmap.rect());
    if (part.isEmpty())
        return;
    unsigned int palette[256];
    unsigned char grays[256];
    const bool gray = opaqueColours(bitmap, palette, grays);
    const auto expandRow = pickForVectorPath(expandIndexedRowPortable, expandIndexedRowAvx2);
    dst += (part.y() - source.y()) * bytesPerLine + 4 * qsizetype(part.x() - source.x());
    for (int y = part.top(); y <= part.bottom(); ++y, dst += bytesPerLine)
        expandRow(bitmap.constScanLine(y) + part.x(), palette, gray ? grays : nullptr,
                  reinterpret_cast<unsigned int*>(dst), part.width());
}

bool zoomGeometry(int level, int imageWidth, int imageHeight, int fullWidth, int fullHeight,
                  ZoomGeometry& out)
{
    ZoomGeometry g;
    g.level = level;
    g.factor = std::pow(zoomBase, level);
    const double w = std::trunc(imageWidth * g.factor);
    const double h = std::trunc(imageHeight * g.factor);
    if (!(w >= 1 && h >= 1))
        return false;
    const double fx = w / fullWidth, fy = h / fullHeight;
    g.cropWidth = imageWidth;
    g.cropHeight = imageHeight;
    if (fx <= 2 && fy <= 2) {
        g.scaledWidth = static_cast<int>(w);
        g.scaledHeight = static_cast<int>(h);
    } else {
        g.cropped = true;
        double scaleX = g.factor, scaleY = g.factor;
        if (fx > 2) {
            g.cropWidth = static_cast<int>(std::trunc(2.0 * imageWidth / fx));
            if (g.cropWidth < 1)
                return false;
            scaleX = 2.0 * fullWidth / g.cropWidth;
        }
        if (fy > 2) {
            g.cropHeight = static_cast<int>(std::trunc(2.0 * imageHeight / fy));
            if (g.cropHeight < 1)
                return false;
            scaleY = 2.0 * fullHeight / g.cropHeight;
        }
        g.cropX = (imageWidth - g.cropWidth) / 2;
        g.cropY = (imageHeight - g.cropHeight) / 2;
        g.scaledWidth = static_cast<int>(std::trunc(g.cropWidth * scaleX));
        g.scaledHeight = static_cast<int>(std::trunc(g.cropHeight * scaleY));
        if (g.scaledWidth < 1 || g.scaledHeight < 1)
            return false;
    }
    out = g;
    return true;
}

QImage resampleForZoom(const QImage& source, const ZoomGeometry& g, bool twoLevel)
{
    const QImage part
        = g.cropped ? source.copy(g.cropX, g.cropY, g.cropWidth, g.cropHeight) : source;
    if (twoLevel)
        return part.scaled(g.scaledWidth, g.scaledHeight, Qt::IgnoreAspectRatio,
                           Qt::FastTransformation);
    // The working image holds gray values as indexes: scale them as a gray image and keep the
    // result 8-bit indexed with the gray ramp.
    const QImage grayPart(part.constBits(), part.width(), part.height(), part.bytesPerLine(),
                          QImage::Format_Grayscale8);
    QImage scaled = grayPart.scaled(g.scaledWidth, g.scaledHeight, Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
    convertPaletteToGray(scaled);
    return scaled;
}

QString zoomLabelText(double factor)
{
    QString percent;
    if (factor >= 1.0) {
        percent = QString::number(static_cast<long long>(factor * 100));
    } else {
        const double q = factor * 100;
        const int decimals = q > 20 ? 0 : q > 10 ? 1 : q > 1 ? 2 : 3;
        percent = QString::number(q, 'f', decimals);
    }
    return QStringLiteral("Zoom:\n") + percent + QStringLiteral("%");
}
