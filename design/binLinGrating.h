// A one-dimensional binary phase grating described by its transition points within one period,
// in pixels or as fractions of the period, with the relative power of its diffraction orders.
#pragma once

#include "fields/complexFloat.h"

#include <vector>

// Segments k = 1 .. n lie between transition points k - 1 and k. Point 0 is the start of the
// period (pixel 0, fraction 0.0) and point n its end (pixel period, fraction 1.0); neither is
// stored. Odd segments carry one phase level, even segments the other. In pixel mode the pixel
// positions and widths are authoritative and the fractions are derived from them when needed; in
// normalised mode the stored fractions are. Getters return -1 (-1.0) and setters false for a bad
// index or value, leaving the object unchanged.
class binLinGrating
{
public:
    // n segments of 1 pixel each (n below 1 counts as 1): points 1 .. n-1 at pixels 1 .. n-1,
    // period n, pixel mode, phase depth pi.
    explicit binLinGrating(int n);
    // Copies everything, the fractions and normalised widths included.
    binLinGrating(const binLinGrating& other) = default;
    binLinGrating& operator=(const binLinGrating& other) = default;
    ~binLinGrating() = default;

    // Pixel position of point k; 0 for k = 0, the period for k = n.
    int getTransitionPoint(int k) const;
    // An interior point must stay strictly between its neighbours (1 <= p <= period - 1). For
    // k = 0 and k = n only the existing position is accepted, and nothing is stored. The widths
    // are not updated: follow with updateWidths.
    bool setTransitionPoint(int k, int p);
    int getWidth(int k) const;
    // w >= 1; the period grows by the change and the points follow. Mode and fractions stay.
    bool setWidth(int k, int w);

    // An interior fraction must lie strictly between its neighbours' fractions and within (0, 1);
    // for k = 0 and k = n only 0.0 and 1.0 are accepted and nothing is stored. On success the
    // object is in normalised mode; leaving pixel mode first derives every fraction and
    // normalised width from the pixels. The normalised widths are not updated: follow with
    // updateNormalizedWidthsFromTransitionPoints.
    bool setNormalizedTransitionPoint(int k, double x);
    double getNormalizedTransitionPoint(int k) const;
    double getNormalizedWidth(int k) const;

    // Requantises the fractions to a period of P pixels (rounded half up). Refused, with nothing
    // changed, when P <= n or when a segment would become narrower than 1 pixel. The mode stays.
    bool setPeriod(int P);
    // Moves interior point k by d pixels, keeping it strictly between its neighbours. k = n
    // moves every interior point by -d instead: the first segment loses d pixels, the last gains
    // them, the period stays. Refused in normalised mode (even for d = 0).
    bool shiftTransitionPoint(int k, int d);
    // Phase difference of the two levels in radians.
    void setPhaseDepth(double phi);

    // Relative power of order m (P(-m) = P(m)); the powers of all orders sum to 1. With an odd
    // n the last interior point pairs with the end of the period.
    double getOrderPower(int m);
    // Not computed: (0, 0) for every order.
    complexFloat getOrderAmplitude(int m);
    // The smallest normalised width (the first of equal ones).
    double getMinNormalizedWidth() const;

    // Derivations between the representations.
    void updatePeriod();
    void updateTransitionPoints();
    void updateWidths();
    // Pixel mode only.
    void updateNormalizedTransitionPoints();
    void updateNormalizedTransitionPointsFromWidths();
    // Pixel mode only.
    void updateNormalizedWidths();
    void updateNormalizedWidthsFromTransitionPoints();

private:
    // Fraction k from the stored array, 0.0 for k = 0 and 1.0 for k = n.
    double storedFraction(int k) const;

    bool pixelMode;
    int n;
    std::vector<int> transitionPoints; // points 1 .. n-1
    std::vector<int> widths;           // segments 1 .. n
    int period;
    std::vector<double> normalizedPoints; // fractions 1 .. n-1
    std::vector<double> normalizedWidths; // segments 1 .. n
    double phaseDepth;
    double sinHalfPhase;
    double sinHalfPhaseSquared;
};
