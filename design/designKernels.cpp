// The portable element-wise kernels of the quantisation and the amplitude constraint, the exact
// element function and the choice of the vector path.
#include "design/designKernels.h"

#include "base/vectorPath.h"
#include "fields/phasorKernels.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double pi = 3.141592653589793;
constexpr float piF = 3.14159265f;
// Width of the doubtful band around every decision boundary, in radians: far above the error of
// the single-precision phase (below 1e-6 rad).
constexpr float marginRadians = 1e-5f;

bool isNormal(float s)
{
    return s >= FLT_MIN && s <= FLT_MAX;
}

// c ? a : b without a branch (the conditions of the phase are unpredictable).
float select(bool c, float a, float b)
{
    std::uint32_t x, y;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    const std::uint32_t mask = 0u - std::uint32_t(c);
    const std::uint32_t z = (x & mask) | (y & ~mask);
    float r;
    std::memcpy(&r, &z, sizeof r);
    return r;
}

// atan2(im, re) in single precision for a value with a normal squared modulus: the arctangent of
// the smaller over the larger part (reduced about 1 beyond tan(pi / 8)) as a polynomial, placed
// in its octant; the sign is that of im. Error below 1e-6 rad.
float fastPhase(float re, float im)
{
    const float ax = std::fabs(re), ay = std::fabs(im);
    const bool steep = ay > ax;
    const float t = select(steep, ax, ay) / select(steep, ay, ax);
    const bool reduced = t > 0.41421356f;
    const float x = select(reduced, (t - 1.0f) / (t + 1.0f), t);
    const float x2 = x * x;
    const float p = (((8.05374449538e-2f * x2 - 1.38776856032e-1f) * x2 + 1.99777106478e-1f) * x2
                     - 3.33329491539e-1f)
                        * x2 * x
                    + x;
    float a = select(reduced, 0.78539816f, 0.0f) + p;
    a = select(steep, 1.57079633f - a, a);
    a = select(re < 0.0f, piF - a, a);
    return std::copysign(a, im);
}

} // namespace

phaseQuantization makePhaseQuantization(double fraction, int levels,
                                        const complexFloat* levelPhasors)
{
    phaseQuantization q;
    q.levels = levels;
    q.step = (pi + pi) / levels;
    q.snap = q.step * fraction * 0.5;
    q.inverse = 1.0 / q.step;
    q.levelPhasors = levelPhasors;
    q.stepF = float(q.step);
    q.snapF = float(q.snap);
    q.inverseF = float(q.inverse);
    q.marginU = float(marginRadians * q.inverse);
    return q;
}

int quantizeElement(float& re, float& im, const phaseQuantization& q)
{
    const double phi = std::atan2(double(im), double(re));
    const double k = std::floor((pi + phi) * q.inverse + 0.4999999999);
    const double level = k * q.step - pi;
    if (std::fabs(phi - level) < q.snap) {
        const complexFloat z
            = q.levelPhasors ? q.levelPhasors[std::size_t(k)] : polarUnit(float(level));
        re = z.re;
        im = z.im;
        return int(k);
    }
    if (isNormal(re * re + im * im)) {
        unitPhasorOfElement(re, im, re, im);
        return -1;
    }
    const complexFloat z = polarUnit(float(phi));
    re = z.re;
    im = z.im;
    return -1;
}

void quantizePhasesPortable(float* z, std::size_t n, const phaseQuantization& q, int* levelIndex)
{
    // The level of value k, where it is asked for.
    auto note = [levelIndex](std::size_t k, int level) {
        if (levelIndex)
            levelIndex[k] = level;
    };
    if (!q.levelPhasors) {
        for (std::size_t k = 0; k < n; ++k)
            note(k, quantizeElement(z[2 * k], z[2 * k + 1], q));
        return;
    }
    for (std::size_t k = 0; k < n; ++k) {
        float& re = z[2 * k];
        float& im = z[2 * k + 1];
        const float s = re * re + im * im;
        if (!isNormal(s)) {
            note(k, quantizeElement(re, im, q));
            continue;
        }
        const float phi = fastPhase(re, im);
        // u > 0: truncation is the floor.
        const float u = (piF + phi) * q.inverseF + 0.5f;
        const float level = float(int(u));
        const float offset = u - level;
        const float distance = std::fabs(phi - (level * q.stepF - piF));
        if (offset < q.marginU || offset > 1.0f - q.marginU
            || std::fabs(distance - q.snapF) < marginRadians) {
            note(k, quantizeElement(re, im, q));
            continue;
        }
        if (distance < q.snapF) {
            const complexFloat p = q.levelPhasors[std::size_t(level)];
            re = p.re;
            im = p.im;
            note(k, int(level));
        } else {
            unitPhasorOfElement(re, im, re, im);
            note(k, -1);
        }
    }
}

double finishModuliAndWeightedSum(const float* z, std::size_t from, std::size_t n,
                                  const float* weight, float* modulus, double* partial)
{
    for (std::size_t k = from; k < n; ++k) {
        modulus[k] = modulusOfElement(z[2 * k], z[2 * k + 1]);
        partial[k % 8] += double(weight[k]) * double(modulus[k]);
    }
    double sum = 0.0;
    for (int r = 0; r < 8; ++r)
        sum += partial[r];
    return sum;
}

double moduliAndWeightedSumPortable(const float* z, std::size_t n, const float* weight,
                                    float* modulus)
{
    double partial[8] = {};
    return finishModuliAndWeightedSum(z, 0, n, weight, modulus, partial);
}

void rescaleToWeightedModuliPortable(float* z, std::size_t n, const float* modulus,
                                     const float* signal, const float* noise, float s)
{
    for (std::size_t k = 0; k < n; ++k) {
        const float m = modulus[k];
        const float factor = s * signal[k] + noise[k] * m;
        const float inverse = 1.0f / m;
        const float re = m == 0.0f ? 0.0f : z[2 * k] * inverse;
        const float im = m == 0.0f ? 0.0f : z[2 * k + 1] * inverse;
        z[2 * k] = re * factor;
        z[2 * k + 1] = im * factor;
    }
}

void quantizePhases(float* z, std::size_t n, const phaseQuantization& q, int* levelIndex)
{
    pickForVectorPath(quantizePhasesPortable, quantizePhasesAvx2)(z, n, q, levelIndex);
}

double moduliAndWeightedSum(const float* z, std::size_t n, const float* weight, float* modulus)
{
    return pickForVectorPath(moduliAndWeightedSumPortable, moduliAndWeightedSumAvx2)(z, n, weight,
                                                                                     modulus);
}

void rescaleToWeightedModuli(float* z, std::size_t n, const float* modulus, const float* signal,
                             const float* noise, float s)
{
    pickForVectorPath(rescaleToWeightedModuliPortable,
                      rescaleToWeightedModuliAvx2)(z, n, modulus, signal, noise, s);
}
