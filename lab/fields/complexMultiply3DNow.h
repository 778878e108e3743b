// The element-wise complex product of two arrays.
#pragma once

#include "fields/complexFloat.h"

// out[k] = a[k] b[k] = (a.re b.re - a.im b.im, a.im b.re + a.re b.im) in single precision for
// k = 0 .. n - 1; any n (n <= 0 writes nothing). out may be a or b itself: element k is read
// before it is written.
void complexMultiply3DNow(const complexFloat* a, const complexFloat* b, int n, complexFloat* out);
