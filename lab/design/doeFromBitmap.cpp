// The internal edition's DOE design for a picture: limits, target amplitude and the IFTA run.
#include "lab/design/doeFromBitmap.h"

#include "design/designOperations.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "lab/design/iftaEngine2D.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

iftaParameters theIftaParameters;

int iftaMinimumTileSize(int displayedWidth, int displayedHeight)
{
    return int(1.2 * std::max(displayedWidth, displayedHeight));
}

int iftaMaximumTileSize(int fullScreenWidth, int fullScreenHeight)
{
    return int(0.8 * std::min(fullScreenWidth, fullScreenHeight));
}

int iftaMaximumPhaseLevels(int graylevelPhase0, int graylevelPhase2Pi)
{
    return std::abs(graylevelPhase2Pi - graylevelPhase0 + 1);
}

boost::shared_ptr<DataField2D> iftaTargetAmplitude(const DataField2D& picture, int tileSize,
                                                   bool pictureIsIntensity, int shiftX, int shiftY)
{
    boost::shared_ptr<DataField2D> target = picture.resizeCentered(tileSize, tileSize);
    if (pictureIsIntensity)
        target->applySqrt();
    if (shiftX != 0 || shiftY != 0)
        target = target->cyclicShift(shiftX, shiftY);
    precompensateSincEnvelope(target, tileSize, tileSize, 1.0);
    return target->cyclicShift(-(tileSize / 2), -(tileSize / 2));
}

bool iftaTargetHasSignal(const DataField2D& target)
{
    const double power = target.getSumOfSquares();
    if (!(power > 0.0) || !std::isfinite(power))
        return false;
    for (int j = 0; j < target.getSizeJ(); ++j)
        for (int i = 0; i < target.getSizeI(); ++i)
            if (target.getValue(i, j) >= iftaMaskThreshold)
                return true;
    return false;
}

boost::shared_ptr<complexDataField2D> designDoeByIfta(boost::shared_ptr<DataField2D> target,
                                                      const iftaParameters& parameters)
{
    if (!target || !iftaTargetHasSignal(*target))
        return boost::shared_ptr<complexDataField2D>();
    boost::shared_ptr<complexDataField2D> doe = randomPhaseField(target);
    doe->ifft();
    doe->makePhaseOnly();
    boost::shared_ptr<DataField2D> mask = target->binarize(iftaMaskThreshold);
    iftaEngine2D engine(target, mask, iftaGamma);
    engine.iterateFirstStage(doe, parameters.iterationsPhaseI);
    engine.iterateSecondStage(doe, parameters.iterationsPhaseII);
    engine.iterateQuantizationStage(doe, parameters.iterationsPhaseIII, parameters.phaseLevels);
    return doe;
}
