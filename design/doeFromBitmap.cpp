// Grid size, target amplitude and IFTA run of the DOE design for a picture.
#include "design/doeFromBitmap.h"

#include "design/designOperations.h"
#include "design/iftaEngine2D.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

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
    boost::shared_ptr<DataField2D> target = picture.resizeCentered(gridSize, gridSize);
    if (pictureIsIntensity)
        target->applySqrt();
    precompensateSincEnvelope(target, gridSize, gridSize, 1.0);
    return target->cyclicShift(-(gridSize / 2), -(gridSize / 2));
}

boost::shared_ptr<complexDataField2D> designDoeByIfta(boost::shared_ptr<DataField2D> target,
                                                      const doeDesignParameters& parameters)
{
    boost::shared_ptr<complexDataField2D> design = randomPhaseField(target);
    design->ifft();
    design->makePhaseOnly();
    boost::shared_ptr<DataField2D> mask = target->binarize(parameters.maskThreshold);
    iftaEngine2D engine(target, mask, parameters.engineFactor, parameters.engineMode);
    engine.iterateFirstStage(design, parameters.firstStageRounds);
    engine.iterateSecondStage(design, parameters.secondStageRounds);
    engine.iterateQuantizationStage(design, parameters.quantizationRounds, parameters.phaseLevels);
    return design;
}
