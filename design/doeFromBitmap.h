// The design of a 256-level phase-only DOE for a picture: grid size, target amplitude and the
// three IFTA stages, apart from any window.
#pragma once

#include <QImage>
#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;

// The constants of the design; the program uses doeDesignConstants and never changes them.
struct doeDesignParameters
{
    int firstStageRounds = 10;
    int secondStageRounds = 10;
    int quantizationRounds = 10;
    int phaseLevels = 256;
    float maskThreshold = 1e-4f; // target amplitudes >= this are signal
    double paddingFactor = 1.2;  // grid side over picture side, at least
    float engineFactor = 1.0f;   // gamma of the IFTA engine
    int engineMode = 2;
};

extern const doeDesignParameters doeDesignConstants;

// The smallest power of two p (from 1, doubling) with p >= x; 1 for x <= 1.
int smallestPowerOfTwoAtLeast(double x);
// Side N of the square design grid for a displayed picture of width x height pixels:
// max(P(factor * width), P(factor * height)) with P as above.
int doeGridSize(int width, int height, double paddingFactor = doeDesignConstants.paddingFactor);

// The picture of a zoomed window as a field: the weighted gray (11 R + 16 G + 5 B) / 32 of every
// pixel, pitch 1.0, image line height - 1 - j as row j.
boost::shared_ptr<DataField2D> doePictureFromImage(const QImage& displayed);

// The target amplitude in transform order: the picture copied centred into N x N (zero padded),
// its square root when the picture is an intensity, divided by the sinc envelope of the N x N
// grid (precompensateSincEnvelope(N, N, 1.0)) and shifted by -(N / 2) along both directions, so
// picture element (N / 2, N / 2) of the padded grid lands on (0, 0); centre 0 and the default
// pitch, as DataField2D::cyclicShift gives them. Built in one pass, with the values those four
// steps give. The picture is not changed.
boost::shared_ptr<DataField2D> doeTargetAmplitude(const DataField2D& picture, int gridSize,
                                                  bool pictureIsIntensity);

// The DOE for a target amplitude in transform order: a random start (seeded from the clock)
// transformed back and made phase only, then the IFTA engine (mask = target >= threshold) for
// the three stages. The result has the target's sizes, unit modulus and phases on
// parameters.phaseLevels levels; its forward transform is the simulated far field, whose
// centred display shows the picture upright. A target of zero energy gives a flat phase.
// With phaseImage, the DOE's phase image goes there too: doePhaseImage with the levels of the
// last quantisation round.
boost::shared_ptr<complexDataField2D> designDoeByIfta(boost::shared_ptr<DataField2D> target,
                                                      const doeDesignParameters& parameters
                                                      = doeDesignConstants,
                                                      QImage* phaseImage = nullptr);

// The image complexDataField2DToImage(doe, displayPhase, levels) gives, written from the level
// of every element where it is known: levelOfElement in the DOE's storage order holds k for an
// element that is exactly quantizationLevelPhasor(k, levels) and -1 for any other, whose gray is
// computed as that function does. Without levels (null) it is that function.
QImage doePhaseImage(boost::shared_ptr<complexDataField2D> doe, int levels,
                     const int* levelOfElement);
