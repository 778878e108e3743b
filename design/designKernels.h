// Element-wise kernels of the phase quantisation and of the IFTA amplitude constraint on blocks
// of complex values stored as interleaved (re, im) floats, each in a portable and an AVX2 + FMA
// version with bit-identical results; the plain names take the active vector path.
#pragma once

#include "fields/complexFloat.h"

#include <cstddef>

// The constants of one partial quantisation: levels q_k = k step - pi (k = 0 .. levels) with
// step = 2 pi / levels; a phase phi = atan2(im, re) goes to k = floor((pi + phi) / step +
// 0.4999999999) and snaps to q_k when |phi - q_k| < snap = fraction step / 2.
struct phaseQuantization
{
    int levels;                       // at least 1
    double step;                      // 2 pi / levels
    double snap;                      // fraction step / 2
    double inverse;                   // 1 / step
    const complexFloat* levelPhasors; // polarUnit(float(q_k)) for k = 0 .. levels, or null
    // Single-precision copies for the fast decision.
    float stepF;
    float snapF;
    float inverseF;
    float marginU; // the doubtful band of the fast decision in units of a step
};

// The constants for a fraction and at least one level with the caller's table of levels + 1
// phasors. Without a table (for more than 65536 levels, where single precision cannot place a
// phase on its level) every value goes through quantizeElement.
phaseQuantization makePhaseQuantization(double fraction, int levels,
                                        const complexFloat* levelPhasors);

// One element as the quantisation leaves it, with the decision taken in double from
// atan2(im, re): a snapped phase becomes its level's phasor; any other value its unit phasor
// (unitPhasorOfElement), or polarUnit(float(phi)) where that is not a unit (zero, non-finite).
// Returns the level k a phase snapped to, -1 for one that was left.
int quantizeElement(float& re, float& im, const phaseQuantization& q);

// Every one of the n values at z as quantizeElement leaves it; with levelIndex, value k's level
// (or -1) goes to levelIndex[k] as well. The versions decide in single precision and hand every
// value within 1e-5 rad of a decision boundary (and every value outside the fast range) to
// quantizeElement, so that all take the same decisions.
void quantizePhases(float* z, std::size_t n, const phaseQuantization& q, int* levelIndex = nullptr);
void quantizePhasesPortable(float* z, std::size_t n, const phaseQuantization& q,
                            int* levelIndex = nullptr);
void quantizePhasesAvx2(float* z, std::size_t n, const phaseQuantization& q,
                        int* levelIndex = nullptr);

// modulus[k] := modulusOfElement of value k; returns the sum of weight[k] modulus[k] formed in
// double as eight partial sums over k mod 8, added in the order of k mod 8.
double moduliAndWeightedSum(const float* z, std::size_t n, const float* weight, float* modulus);
double moduliAndWeightedSumPortable(const float* z, std::size_t n, const float* weight,
                                    float* modulus);
double moduliAndWeightedSumAvx2(const float* z, std::size_t n, const float* weight, float* modulus);
// The portable loop from value `from` on, adding to the eight partial sums so far (partial[k mod
// 8]); returns their total in the order of k mod 8. The versions end with it.
double finishModuliAndWeightedSum(const float* z, std::size_t from, std::size_t n,
                                  const float* weight, float* modulus, double* partial);

// Value k becomes (z (1 / m)) (s signal[k] + noise[k] m) with m = modulus[k], in single
// precision; (0, 0) where m is 0. Its phase stays, its modulus becomes the weighted one.
void rescaleToWeightedModuli(float* z, std::size_t n, const float* modulus, const float* signal,
                             const float* noise, float s);
void rescaleToWeightedModuliPortable(float* z, std::size_t n, const float* modulus,
                                     const float* signal, const float* noise, float s);
void rescaleToWeightedModuliAvx2(float* z, std::size_t n, const float* modulus, const float* signal,
                                 const float* noise, float s);
