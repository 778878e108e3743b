// A transition-point grating judged as a beam splitter: signal and noise orders and the figures
// of merit built from their powers.
#pragma once

#include "design/binLinGrating.h"

#include <array>

// Orders 1 .. M (and -1 .. -M) are signal, M+1 .. N (and their negatives) noise. Order powers
// are symmetric, so every figure is computed over m >= 0 and the negative side counted by
// doubling. Searches over powers start from a minimum of 1.0 and a maximum of 0.0 and replace
// them only by strictly smaller (larger) values, so an empty range keeps these starting values.
class binLinGratingDesign : public binLinGrating
{
public:
    binLinGratingDesign(binLinGrating grating, int signalOrders, int maxOrder);

    // Sum of 2 P(m) over m = 1 .. M; 0.0 when M < 1.
    double getSignalPower();
    // P(0) + getSignalPower().
    double getTotalPower();
    // (max - min) / (max + min) of P(m) over m = 1 .. M, and over m = 0 .. M.
    double getUniformityError();
    double getUniformityErrorWithZeroOrder();
    // Largest P(m) over m = M+1 .. N; 0.0 when N <= M.
    double getMaxNoisePower();
    // min / max of P(m) over m = 1 .. M, and over m = 0 .. M.
    double getSignalMinMaxRatio();
    double getSignalMinMaxRatioWithZeroOrder();
    // Smallest signal power over the largest noise power.
    double getSignalToNoiseRatio();
    // P(0) over the mean power of one signal order.
    double getRelativeZeroOrderPower();

    // Weighted sum (weights c15, c11, c9, c7, c13, c5, added in this order) of the zero-order
    // term exp(-((Z - c2) / c3)^(2 c14)), the noise term (1 - B)^c10, the signal-to-noise term
    // Q^c8, the uniformity term R^c6, the feature-width term 1 - exp(-(w / c1)^2)^c12 and the
    // signal-power term U^c4. Z, B, Q, R, w, U: relative zero-order power, largest noise power,
    // signal-to-noise ratio, signal min/max ratio, smallest normalised width, signal power.
    // c0 is not used.
    double getMerit(const std::array<double, 16>& c);

private:
    // Smallest and largest P(m) over m = from .. to with the starting values 1.0 and 0.0.
    void powerExtremes(int from, int to, double& smallest, double& largest);

    int signalOrders;
    int maxOrder;
};
