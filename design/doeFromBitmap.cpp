// Grid size, target amplitude and IFTA run of the DOE design for a picture.
#include "design/doeFromBitmap.h"

#include "base/phasedeckGlobals.h"
#include "design/designOperations.h"
#include "design/iftaEngine2D.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/grayImages.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <cmath>
#include <vector>

const doeDesignParameters doeDesignConstants;

int smallestPowerOfTwoAtLeast(double x)
{
    int p = 1;
    while (p < x && p < (1 << 30))
        p *= 2;
    return p;
}

int doeGridSize(int width, int height, double paddingFactor)
{
    const int alongWidth = smallestPowerOfTwoAtLeast(paddingFactor * width);
    const int alongHeight = smallestPowerOfTwoAtLeast(paddingFactor * height);
    return alongWidth > alongHeight ? alongWidth : alongHeight;
}

boost::shared_ptr<DataField2D> doePictureFromImage(const QImage& displayed)
{
    return imageToDataField2D(displayed, 0, 3, 11, 16, 5);
}

boost::shared_ptr<DataField2D> doeTargetAmplitude(const DataField2D& picture, int gridSize,
                                                  bool pictureIsIntensity)
{
    // What resizeCentered, applySqrt, precompensateSincEnvelope and cyclicShift by -(N / 2) would
    // make, in one pass over the result in storage order: element (i, j) is padded element
    // (p(i), p(j)), p(i) = (i + N / 2) mod N, which is picture element (p(i) + offsetI, ...) or
    // a zero of the padding. The result has the pitch a shifted copy gets, the default one.
    const int n = gridSize;
    boost::shared_ptr<DataField2D> target(
        new DataField2D(n, n, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                        opticalParameters.defaultPixelSizeY, 0.0f));
    if (target->getSizeI() != n || n <= 0)
        return target;
    const sincEnvelopeCompensation envelope(n, n, n, n, 1.0);
    const int shift = n - n / 2; // -(N / 2) brought into 0 .. N - 1
    auto padded = [&](int index) { return index >= shift ? index - shift : index - shift + n; };
    const int offsetI = picture.getSizeI() / 2 - n / 2;
    const int offsetJ = picture.getSizeJ() / 2 - n / 2;
    for (int j = 0; j < n; ++j) {
        const int paddedJ = padded(j);
        const int sourceJ = paddedJ + offsetJ;
        if (sourceJ < 0 || sourceJ >= picture.getSizeJ())
            continue;
        for (int i = 0; i < n; ++i) {
            const int paddedI = padded(i);
            const int sourceI = paddedI + offsetI;
            if (sourceI < 0 || sourceI >= picture.getSizeI())
                continue;
            float v = picture.getValue(sourceI, sourceJ);
            if (pictureIsIntensity)
                v = std::sqrt(v);
            target->setValue(i, j, envelope.apply(v, paddedI, paddedJ));
        }
    }
    return target;
}

QImage doePhaseImage(boost::shared_ptr<complexDataField2D> doe, int levels,
                     const int* levelOfElement)
{
    if (!levelOfElement || levels < 3)
        return complexDataField2DToImage(doe, displayPhase, levels);
    // The gray that complexDataField2DToImage gives an element, and once for every level.
    float min = 0.0f;
    float max = 0.0f;
    complexDisplayRange(doe, displayPhase, min, max);
    const GrayQuantizer quantize(min, max, levels);
    auto grayOf = [&](const complexFloat& z) {
        return quantize(complexDisplayValue(z.re, z.im, displayPhase, true));
    };
    std::vector<uchar> levelGray(std::size_t(levels) + 1);
    for (int k = 0; k <= levels; ++k)
        levelGray[std::size_t(k)] = grayOf(quantizationLevelPhasor(k, levels));

    const complexDataField2D& field = *doe;
    QImage image = createPhaseImage(field.getSizeI(), field.getSizeJ());
    if (image.isNull())
        return image;
    uchar* bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    forCentredDisplay(field.getSizeI(), field.getSizeJ(), [&](int x, int line, int i, int j) {
        const int k = levelOfElement[field.elementIndex(i, j)];
        bits[line * bytesPerLine + x]
            = k >= 0 && k <= levels ? levelGray[std::size_t(k)] : grayOf(field.getValue(i, j));
    });
    return image;
}

boost::shared_ptr<complexDataField2D> designDoeByIfta(boost::shared_ptr<DataField2D> target,
                                                      const doeDesignParameters& parameters,
                                                      QImage* phaseImage)
{
    boost::shared_ptr<complexDataField2D> design = randomPhaseField(target);
    design->ifft();
    design->makePhaseOnly();
    boost::shared_ptr<DataField2D> mask = target->binarize(parameters.maskThreshold);
    iftaEngine2D engine(target, mask, parameters.engineFactor, parameters.engineMode);
    engine.iterateFirstStage(design, parameters.firstStageRounds);
    engine.iterateSecondStage(design, parameters.secondStageRounds);
    engine.iterateQuantizationStage(design, parameters.quantizationRounds, parameters.phaseLevels);
    // The engine keeps the levels of this very field (null when it has none).
    if (phaseImage)
        *phaseImage
            = doePhaseImage(design, parameters.phaseLevels, engine.lastQuantizationLevels());
    return design;
}
