// Special functions: sinc, gamma, incomplete gamma and the generalised error function.
#include "fields/specialFunctions.h"

#include <cmath>

namespace {

constexpr double pi = 3.141592653589793;
constexpr double eps = 3e-7;
constexpr double fpMin = 1e-100;
constexpr int itMax = 1000;

// exp(-x + a ln x - ln Gamma(a)), the common factor of the series and the continued fraction.
double gammaPrefactor(double a, double x, double lnGammaA)
{
    return std::exp(-x + a * std::log(x) - lnGammaA);
}

} // namespace

double sinc(double x)
{
    if (x == 0.0)
        return 1.0;
    const double u = pi * x;
    return std::sin(u) / u;
}

double lnGamma(double x)
{
    static const double coefficients[6]
        = {76.18009172947146,  -86.50532032941677,    24.01409824083091,
           -1.231739572450155, 0.1208650973866179e-2, -0.5395239384953e-5};
    double tmp = x + 5.5;
    tmp -= (x + 0.5) * std::log(tmp);
    double ser = 1.000000000190015;
    double y = x;
    for (double c : coefficients) {
        y += 1.0;
        ser += c / y;
    }
    return -tmp + std::log(2.5066282746310005 * ser / x);
}

double gammaFunction(double x)
{
    return std::exp(lnGamma(x));
}

void gammaSeries(double* result, double a, double x, double* lnGammaA)
{
    *lnGammaA = lnGamma(a);
    if (x <= 0.0) {
        *result = 0.0;
        return;
    }
    double ap = a;
    double del = 1.0 / a;
    double sum = del;
    for (int n = 1; n <= itMax; ++n) {
        ap += 1.0;
        del *= x / ap;
        sum += del;
        if (std::fabs(del) < std::fabs(sum) * eps)
            break;
    }
    // Without convergence the partial sum is the best estimate there is.
    *result = sum * gammaPrefactor(a, x, *lnGammaA);
}

void gammaContinuedFraction(double* result, double a, double x, double* lnGammaA)
{
    *lnGammaA = lnGamma(a);
    double b = x + 1.0 - a;
    double c = 1.0 / fpMin;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i <= itMax; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < fpMin)
            d = fpMin;
        c = b + an / c;
        if (std::fabs(c) < fpMin)
            c = fpMin;
        d = 1.0 / d;
        const double del = d * c;
        h *= del;
        if (std::fabs(del - 1.0) < eps)
            break;
    }
    *result = gammaPrefactor(a, x, *lnGammaA) * h;
}

double gammaP(double a, double x)
{
    double result = 0.0;
    double lnGammaA = 0.0;
    if (x < a + 1.0) {
        gammaSeries(&result, a, x, &lnGammaA);
        return result;
    }
    gammaContinuedFraction(&result, a, x, &lnGammaA);
    return 1.0 - result;
}

double gammaQ(double a, double x)
{
    double result = 0.0;
    double lnGammaA = 0.0;
    if (x < a + 1.0) {
        gammaSeries(&result, a, x, &lnGammaA);
        return 1.0 - result;
    }
    gammaContinuedFraction(&result, a, x, &lnGammaA);
    return result;
}

double incompleteGamma(double a, double x)
{
    return gammaP(a, x);
}

double inverseIncompleteGamma(double a, double p, double x0)
{
    if (p == 0.0)
        return 0.0;
    const double g = gammaFunction(a);
    const double tolerance = p * eps;
    double x = x0;
    for (int n = 0; n < itMax; ++n) {
        const double f = incompleteGamma(a, x) - p;
        if (std::fabs(f) < tolerance)
            return x;
        // dP/dx = x^(a - 1) e^(-x) / Gamma(a)
        x -= f * g * std::pow(x, 1.0 - a) * std::exp(x);
    }
    return x;
}

double generalizedErf(double p, double x)
{
    if (p > 49.0) {
        if (std::fabs(x) < 1.0)
            return x;
        return x < 0.0 ? -1.0 : 1.0;
    }
    // First term of the series: P(1/p, |x|^p) ~ |x| / Gamma(1 + 1/p).
    if (std::fabs(x) < 1e-5)
        return x * p / gammaFunction(1.0 / p);
    if (x >= 0.0)
        return gammaP(1.0 / p, std::pow(x, p));
    return -gammaP(1.0 / p, std::pow(-x, p));
}

double inverseGeneralizedErf(double p, double y, double x0)
{
    if (p > 49.0)
        return y >= 1.0 ? 1.0 : y;
    if (y == 0.0)
        return 0.0;
    const double g = gammaFunction(1.0 / p) / p; // Gamma(1 + 1/p)
    double x = x0;
    for (int n = 0; n < itMax; ++n) {
        const double f = generalizedErf(p, x) - y;
        if (std::fabs(f) < eps)
            return x;
        // The derivative exp(-|x|^p) / Gamma(1 + 1/p) holds on both sides of 0.
        x -= f * g * std::exp(std::pow(std::fabs(x), p));
    }
    return x;
}
