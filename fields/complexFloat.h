// The program's single-precision complex value and the free functions on single values.
#pragma once

// Two 32-bit floats, real part first: a field row of these is an interleaved (re, im) array.
struct complexFloat
{
    float re;
    float im;
};

static_assert(sizeof(complexFloat) == 2 * sizeof(float), "complexFloat must be two packed floats");

// The imaginary unit (0, 1); every file that includes this header holds its own copy.
static const complexFloat imaginaryUnit = {0.0f, 1.0f};

// Divisions compute in double and round to float when storing. A divisor (0, 0), also with
// negative zeros, gives (0, 0): no infinity, no NaN. |b.im| < |b.re| takes the first branch of
// Smith's method, everything else (ties and NaN parts) the second.
complexFloat operator/(const complexFloat& a, const complexFloat& b);
complexFloat operator/(float s, const complexFloat& b);
// Stores a / b in a (the reciprocal kept in double) and returns a copy of the new a.
complexFloat operator/=(complexFloat& a, const complexFloat& b);

// Both parts times the real factor.
complexFloat operator*(const complexFloat& z, float s);
complexFloat operator*(float s, const complexFloat& z);

// Modulus with the larger part factored out, so that 1e30 + 1e30 i stays finite; 0 for (0, 0).
float abs(const complexFloat& z);
// Divides z by its modulus in place and returns the modulus it had; (0, 0) stays, returns 0.
float normalize(complexFloat& z);
// z / |z|; (0, 0) for (0, 0).
complexFloat unitPhasor(const complexFloat& z);
// (cos t, sin t) for the angle t in radians.
complexFloat polarUnit(float t);
// e^z = e^re (cos im, sin im).
complexFloat exp(const complexFloat& z);
// (re, -im).
complexFloat conj(const complexFloat& z);
