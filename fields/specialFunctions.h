// Special functions on doubles: sinc, the gamma function, the regularised incomplete gamma
// functions and a generalised error function, each with a Newton inverse where one is needed.
#pragma once

// sin(pi x) / (pi x); exactly 1 at x = 0.
double sinc(double x);

// ln Gamma(x) for x > 0 (Lanczos approximation, about 2e-10 absolute). For x <= 0 it returns
// whatever the arithmetic gives.
double lnGamma(double x);
// exp(lnGamma(x)).
double gammaFunction(double x);

// P(a, x) by its series into *result and ln Gamma(a) into *lnGammaA; x <= 0 gives 0. After
// 1000 terms without convergence *result holds the partial-sum estimate.
void gammaSeries(double* result, double a, double x, double* lnGammaA);
// Q(a, x) by its continued fraction into *result and ln Gamma(a) into *lnGammaA; after 1000
// steps without convergence *result holds the last estimate.
void gammaContinuedFraction(double* result, double a, double x, double* lnGammaA);

// Regularised lower incomplete gamma function P(a, x): the series for x < a + 1, the continued
// fraction otherwise (also when a comparison involves NaN). No argument check.
double gammaP(double a, double x);
// Q(a, x) = 1 - P(a, x), by the same switch.
double gammaQ(double a, double x);
// gammaP(a, x).
double incompleteGamma(double a, double x);
// x with P(a, x) = p by Newton's method from x0 (relative tolerance 3e-7, at most 1000 steps,
// the last iterate returned untested); p == 0 gives 0.
double inverseIncompleteGamma(double a, double p, double x0);

// Normalised integral of exp(-|t|^p) from 0 to x, odd in x: sign(x) P(1/p, |x|^p); for p = 2
// the error function. For p > 49 the step limit: x inside (-1, 1), sign(x) outside. For
// |x| < 1e-5 the first series term x / Gamma(1 + 1/p).
double generalizedErf(double p, double x);
// x with generalizedErf(p, x) = y by Newton's method from x0 (absolute tolerance 3e-7, at
// most 1000 steps, the last iterate returned untested); y == 0 gives 0; for p > 49: 1 when
// y >= 1, else y.
double inverseGeneralizedErf(double p, double y, double x0);
