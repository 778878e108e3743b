// Element-wise kernels on blocks of complex values stored as interleaved (re, im) floats: unit
// phasors and moduli, each in a portable and an AVX2 + FMA version with bit-identical results.
#pragma once

#include <cstddef>

// The fast formulas hold where s = re^2 + im^2, computed in single precision, is a normal float:
// the modulus is sqrt(s) and the unit phasor (re r, im r) with r = 1 / sqrt(s). Elsewhere (zero,
// tiny, huge or non-finite values) the exact complexFloat functions take over.

// The unit phasor of one value: (0, 0) stays (0, 0), NaN stays NaN; within 2e-7 of unitPhasor
// in each part.
void unitPhasorOfElement(float re, float im, float& outRe, float& outIm);
// The modulus of one value, within one unit in the last place of abs(); 0 for (0, 0).
float modulusOfElement(float re, float im);

// Each of the n values at z becomes its unit phasor, multiplied by factor[k] when factor is not
// null (the product of the rounded unit phasor and the factor). The plain name takes the active
// vector path (base/vectorPath.h).
void makeUnitPhasors(float* z, std::size_t n, const float* factor);
void makeUnitPhasorsPortable(float* z, std::size_t n, const float* factor);
void makeUnitPhasorsAvx2(float* z, std::size_t n, const float* factor);
