// The internal edition's DOE design for a picture: the IFTA parameters of the run, the tile-size
// limits, the target amplitude with its centre shift and the three IFTA stages, apart from any
// window.
#pragma once

#include <boost/shared_ptr.hpp>

class DataField2D;
class complexDataField2D;

struct iftaParameters
{
    int tileSize = 0; // side N of the square grid; 0 until the first design sets it
    int iterationsPhaseI = 10;
    int iterationsPhaseII = 10;
    int iterationsPhaseIII = 10;
    int phaseLevels = 64;
    int shiftX = 0; // centre shift of the target, elements along i
    int shiftY = 0; // along j
};

// The parameters the design command shows and keeps from one run to the next; never stored.
extern iftaParameters theIftaParameters;

// Target amplitudes >= this are signal; the noise region keeps its far-field modulus times gamma.
constexpr float iftaMaskThreshold = 1e-4f;
constexpr float iftaGamma = 1.0f;

// Smallest tile for a picture displayed at width x height: 1.2 times the larger side, truncated.
int iftaMinimumTileSize(int displayedWidth, int displayedHeight);
// Largest tile on a full-screen display: 0.8 times the smaller side, truncated.
int iftaMaximumTileSize(int fullScreenWidth, int fullScreenHeight);
// Phase levels the gray range can show: |gray for 2 pi - gray for 0 + 1| (256 for 0 and 255).
int iftaMaximumPhaseLevels(int graylevelPhase0, int graylevelPhase2Pi);

// The target amplitude T in transform order on a tileSize x tileSize grid: the picture copied
// centred into the grid (zero padded or cropped; picture element (w / 2, h / 2) lands on
// (N / 2, N / 2)), its square root when the picture is an intensity, moved cyclically by
// (shiftX, shiftY), divided by the sinc envelope of the grid (precompensateSincEnvelope(N, N,
// 1.0)) and moved by -(N / 2) along both directions, so the picture's centre plus the shift sits
// at element (shiftX, shiftY). The picture is not changed.
boost::shared_ptr<DataField2D> iftaTargetAmplitude(const DataField2D& picture, int tileSize,
                                                   bool pictureIsIntensity, int shiftX, int shiftY);

// Whether a target can be designed for: its power sum T^2 is a finite number above 0 and some
// element reaches the mask threshold.
bool iftaTargetHasSignal(const DataField2D& target);

// The DOE for a target amplitude in transform order: a random start of modulus T (seeded from
// the clock) taken back by ifft and made phase only, then iftaEngine2D with the mask
// T >= iftaMaskThreshold for the three stages with the parameters' counts and levels. The result
// has the target's sizes and unit modulus; its phases lie on phaseLevels levels when phase III
// runs at least once. Its fft is the computed far field, which reproduces T at T's indices.
// A target without signal (iftaTargetHasSignal) gives an empty pointer and draws nothing.
boost::shared_ptr<complexDataField2D> designDoeByIfta(boost::shared_ptr<DataField2D> target,
                                                      const iftaParameters& parameters);
