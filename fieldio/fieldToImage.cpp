// Conversion of real fields, complex fields and bit masks to gray and two-level images.
#include "fieldio/fieldToImage.h"

#include "fieldio/grayImages.h"
#include "fields/DataField2D.h"
#include "fields/binaryArray2D.h"
#include "fields/complexDataField2D.h"

#include <cmath>
#include <cstdint>
#include <vector>

GrayQuantizer::GrayQuantizer(float min, float max, int levels)
    : min(min)
    , inverse(0.0f)
    , levels(levels)
    , spread(levels == 2 ? 255 : (levels > 0 ? 256 / levels : 0))
    , flat(levels <= 0)
{
    if (flat)
        return;
    const float step = (max - min) / float(levels);
    flat = step == 0.0f;
    inverse = 1.0f / step;
}

uchar GrayQuantizer::operator()(float v) const
{
    if (flat)
        return 0;
    const double x = double((v - min) * inverse) + 0.49;
    int k;
    if (!(x >= 0.0)) // negative or NaN
        k = 0;
    else if (x >= double(levels))
        k = levels - 1;
    else
        k = int(x);
    return uchar((k * spread) & 0xFF);
}

namespace {

// Every element an integer within 1e-5 (trunc toward zero); NaN and infinities are not.
bool holdsIntegersOnly(const DataField2D& field)
{
    for (int j = 0; j < field.getSizeJ(); ++j)
        for (int i = 0; i < field.getSizeI(); ++i) {
            const float v = field.getValue(i, j);
            if (!(std::fabs(double(v) - std::trunc(double(v))) <= 1e-5))
                return false;
        }
    return true;
}

// The low 8 bits of trunc(v + 0.0001) for an integer-valued v; floats beyond 2^40 are
// multiples of 256.
uchar integerGray(float v)
{
    const double t = std::trunc(double(v) + 0.0001);
    if (!(std::fabs(t) < 1099511627776.0))
        return 0;
    return uchar(static_cast<long long>(t) & 0xFF);
}

// Phase image of the field with gray(v) for every element.
template<typename Gray>
QImage realFieldImage(const DataField2D& field, Gray gray)
{
    const int width = field.getSizeI();
    const int height = field.getSizeJ();
    QImage image = createPhaseImage(width, height);
    if (image.isNull())
        return image;
    for (int j = 0; j < height; ++j) {
        uchar* line = image.scanLine(height - 1 - j);
        for (int i = 0; i < width; ++i)
            line[i] = gray(field.getValue(i, j));
    }
    return image;
}

} // namespace

QImage dataField2DToImage(boost::shared_ptr<DataField2D> field, float min, float max, int levels)
{
    if (levels == 256 && min >= 0.0f && max != 1.0f && max <= 255.0f && holdsIntegersOnly(*field))
        return realFieldImage(*field, integerGray);
    return dataField2DToQuantizedImage(field, min, max, levels);
}

QImage dataField2DToQuantizedImage(boost::shared_ptr<DataField2D> field, float min, float max,
                                   int levels)
{
    return realFieldImage(*field, GrayQuantizer(min, max, levels));
}

QImage dataField2DToImageAutoRange(boost::shared_ptr<DataField2D> field, int levels)
{
    float min = 0.0f;
    float max = 0.0f;
    field->getMinMax(min, max);
    return dataField2DToImage(field, min, max, levels);
}

namespace {

const double pi = 3.141592653589793;

// Calls put(x, line, value) for every pixel of the centred display of the field.
template<typename Put>
void forCentredValues(const complexDataField2D& field, Put put)
{
    forCentredDisplay(field.getSizeI(), field.getSizeJ(),
                      [&](int x, int line, int i, int j) { put(x, line, field.getValue(i, j)); });
}

} // namespace

float complexDisplayValue(float re, float im, int mode, bool foldPhase)
{
    switch (mode) {
    case displayRealPart:
        return re;
    case displayImaginaryPart:
        return im;
    case displayAmplitude:
        return std::hypot(re, im);
    case displayPhase: {
        const float phase = std::atan2(im, re);
        if (foldPhase && pi - phase < 0.001)
            return -float(pi);
        return phase;
    }
    case displayIntensity:
        return re * re + im * im;
    default:
        return 0.0f;
    }
}

void complexDisplayRange(boost::shared_ptr<complexDataField2D> field, int mode, float& min,
                         float& max)
{
    min = max = 0.0f;
    switch (mode) {
    case displayRealPart:
        field->getRangeRe(min, max);
        break;
    case displayImaginaryPart:
        field->getRangeIm(min, max);
        break;
    case displayAmplitude:
        field->getRangeAbs(min, max);
        break;
    case displayPhase:
        min = -float(pi);
        max = float(pi);
        break;
    case displayIntensity:
        field->getRangeIntensity(min, max);
        break;
    default:
        break;
    }
}

QImage complexDataField2DToGrayImage(boost::shared_ptr<complexDataField2D> field, int mode,
                                     float min, float max, int levels)
{
    QImage image = createPhaseImage(field->getSizeI(), field->getSizeJ());
    if (image.isNull())
        return image;
    const GrayQuantizer quantize(min, max, levels);
    forCentredValues(*field, [&](int x, int line, const complexFloat& z) {
        image.scanLine(line)[x] = quantize(complexDisplayValue(z.re, z.im, mode, true));
    });
    return image;
}

QImage complexDataField2DToTwoLevelImage(boost::shared_ptr<complexDataField2D> field, int mode,
                                         float threshold)
{
    QImage image = createTwoLevelImage(field->getSizeI(), field->getSizeJ());
    if (image.isNull())
        return image;
    forCentredValues(*field, [&](int x, int line, const complexFloat& z) {
        if (complexDisplayValue(z.re, z.im, mode, true) >= threshold)
            setTwoLevelPixel(image, x, line);
    });
    return image;
}

QImage complexDataField2DToImage(boost::shared_ptr<complexDataField2D> field, int mode, int levels)
{
    float min = 0.0f;
    float max = 0.0f;
    complexDisplayRange(field, mode, min, max);
    if (levels >= 3)
        return complexDataField2DToGrayImage(field, mode, min, max, levels);
    return complexDataField2DToTwoLevelImage(field, mode, float((min + max) * 0.5));
}

QImage tileComplexDataField2DImage(boost::shared_ptr<complexDataField2D> field, int mode, float min,
                                   float max, int width, int height, int levels)
{
    QImage image = createPhaseImage(width, height);
    const int w = field->getSizeI();
    const int h = field->getSizeJ();
    if (image.isNull() || w <= 0 || h <= 0)
        return image;
    const QImage tile = complexDataField2DToGrayImage(field, mode, min, max, levels);
    for (int y = 0; y < height; ++y) {
        const uchar* source = tile.constScanLine(y % h);
        uchar* line = image.scanLine(y);
        for (int x = 0; x < width; ++x)
            line[x] = source[x % w];
    }
    return image;
}

QImage replicatedComplexDataField2DToImage(boost::shared_ptr<complexDataField2D> field, int mode,
                                           int width, int height, int levels)
{
    float min = 0.0f;
    float max = 0.0f;
    complexDisplayRange(field, mode, min, max);
    return tileComplexDataField2DImage(field, mode, min, max, width, height, levels);
}

QImage binaryArray2DToImage(boost::shared_ptr<binaryArray2D> mask)
{
    const int width = int(mask->getSizeI());
    const int height = int(mask->getSizeJ());
    QImage image = createTwoLevelImage(width, height);
    if (image.isNull())
        return image;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            if (mask->getBit(std::uint32_t(i), std::uint32_t(j)))
                setTwoLevelPixel(image, i, height - 1 - j);
    return image;
}
