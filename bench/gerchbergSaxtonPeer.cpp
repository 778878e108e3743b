// The Gerchberg-Saxton peer: its element loops are vectorised by the compiler (this file alone is
// built with -O3 -fno-math-errno -fno-trapping-math, and the loops are cloned for AVX2).
#include "bench/gerchbergSaxtonPeer.h"

#include "fields/DataField2D.h"

#include <cmath>
#include <cstddef>
#include <random>

#if defined(__GNUC__) && defined(__x86_64__)
#define PEER_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define PEER_LOOP
#endif

namespace {

// z := T z / |z| (0 where z is 0) over n values.
PEER_LOOP void imposeModulus(float* __restrict z, const float* __restrict modulus, std::size_t n)
{
    for (std::size_t k = 0; k < n; ++k) {
        const float re = z[2 * k], im = z[2 * k + 1];
        const float m = std::sqrt(re * re + im * im);
        const float f = m > 0.0f ? modulus[k] / m : 0.0f;
        z[2 * k] = re * f;
        z[2 * k + 1] = im * f;
    }
}

// z := z / |z| (0 where z is 0) over n values.
PEER_LOOP void makeUnitModulus(float* __restrict z, std::size_t n)
{
    for (std::size_t k = 0; k < n; ++k) {
        const float re = z[2 * k], im = z[2 * k + 1];
        const float m = std::sqrt(re * re + im * im);
        const float f = m > 0.0f ? 1.0f / m : 0.0f;
        z[2 * k] = re * f;
        z[2 * k + 1] = im * f;
    }
}

// z := T (cos, sin) over n values.
PEER_LOOP void startField(float* __restrict z, const float* __restrict modulus,
                          const float* __restrict phasor, std::size_t n)
{
    for (std::size_t k = 0; k < n; ++k) {
        z[2 * k] = modulus[k] * phasor[2 * k];
        z[2 * k + 1] = modulus[k] * phasor[2 * k + 1];
    }
}

} // namespace

gerchbergSaxtonPeer::gerchbergSaxtonPeer(const DataField2D& target, unsigned seed)
    : n(target.getSizeI())
    , count(n * n)
    , amplitude(static_cast<float*>(fftwf_malloc(sizeof(float) * std::size_t(count))))
    , startPhasor(static_cast<float*>(fftwf_malloc(2 * sizeof(float) * std::size_t(count))))
    , z(static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * std::size_t(count))))
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> phase(0.0f, 6.2831853f);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const std::size_t k = std::size_t(n) * std::size_t(i) + std::size_t(j);
            const float phi = phase(gen);
            amplitude[k] = target.getValue(i, j);
            startPhasor[2 * k] = std::cos(phi);
            startPhasor[2 * k + 1] = std::sin(phi);
        }
    // The program's forward transform has the positive exponent, FFTW's backward one.
    forward = fftwf_plan_dft_2d(n, n, z, z, FFTW_BACKWARD, FFTW_MEASURE);
    backward = fftwf_plan_dft_2d(n, n, z, z, FFTW_FORWARD, FFTW_MEASURE);
}

gerchbergSaxtonPeer::~gerchbergSaxtonPeer()
{
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
    fftwf_free(z);
    fftwf_free(startPhasor);
    fftwf_free(amplitude);
}

void gerchbergSaxtonPeer::run()
{
    float* values = reinterpret_cast<float*>(z);
    const std::size_t size = std::size_t(count);
    startField(values, amplitude, startPhasor, size);
    fftwf_execute(backward);
    makeUnitModulus(values, size);
    for (int round = 0; round < 30; ++round) {
        fftwf_execute(forward);
        imposeModulus(values, amplitude, size);
        fftwf_execute(backward);
        makeUnitModulus(values, size);
    }
    fftwf_execute(forward);
}

double gerchbergSaxtonPeer::farFieldDeviation() const
{
    double fit = 0.0, power = 0.0;
    for (int k = 0; k < count; ++k) {
        fit += double(amplitude[k]) * std::hypot(double(z[k][0]), double(z[k][1]));
        power += double(amplitude[k]) * amplitude[k];
    }
    const double s = power > 0.0 ? fit / power : 0.0;
    double deviation = 0.0;
    for (int k = 0; k < count; ++k) {
        const double d = std::hypot(double(z[k][0]), double(z[k][1])) - s * amplitude[k];
        deviation += d * d;
    }
    return power > 0.0 && s > 0.0 ? std::sqrt(deviation / (s * s * power)) : 0.0;
}
