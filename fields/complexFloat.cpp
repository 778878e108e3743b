// Division, modulus, phasors and exponential of the single-precision complex value.
#include "fields/complexFloat.h"

#include <cmath>

namespace {

bool isZero(const complexFloat& b)
{
    return b.re == 0.0f && b.im == 0.0f;
}

} // namespace

complexFloat operator/(const complexFloat& a, const complexFloat& b)
{
    if (isZero(b))
        return {0.0f, 0.0f};
    const double are = a.re, aim = a.im, bre = b.re, bim = b.im;
    if (std::fabs(bim) < std::fabs(bre)) {
        const double r = bim / bre;
        const double d = bre + r * bim;
        const double q = static_cast<float>(1.0 / d);
        return {static_cast<float>((are + r * aim) * q), static_cast<float>((aim - r * are) * q)};
    }
    const double r = bre / bim;
    const double d = bim + r * bre;
    const double q = static_cast<float>(1.0 / d);
    return {static_cast<float>((r * are + aim) * q), static_cast<float>((r * aim - are) * q)};
}

complexFloat operator/(float s, const complexFloat& b)
{
    if (isZero(b))
        return {0.0f, 0.0f};
    const double sd = s, bre = b.re, bim = b.im;
    if (std::fabs(bim) < std::fabs(bre)) {
        const double r = bim / bre;
        const double q = 1.0 / (bre + r * bim);
        return {static_cast<float>(sd * q), static_cast<float>(-(sd * r * q))};
    }
    const double r = bre / bim;
    const double q = 1.0 / (bim + r * bre);
    return {static_cast<float>(sd * r * q), static_cast<float>(-(sd * q))};
}

complexFloat operator/=(complexFloat& a, const complexFloat& b)
{
    if (isZero(b)) {
        a = {0.0f, 0.0f};
        return a;
    }
    const double oldRe = a.re, bre = b.re, bim = b.im;
    if (std::fabs(bim) < std::fabs(bre)) {
        const double r = bim / bre;
        const double q = 1.0 / (bre + r * bim);
        a.re = static_cast<float>((oldRe + r * a.im) * q);
        a.im = static_cast<float>((a.im - r * oldRe) * q);
    } else {
        const double r = bre / bim;
        const double q = 1.0 / (bim + r * bre);
        a.re = static_cast<float>((r * oldRe + a.im) * q);
        a.im = static_cast<float>((r * a.im - oldRe) * q);
    }
    return a;
}

complexFloat operator*(const complexFloat& z, float s)
{
    return {z.re * s, z.im * s};
}

complexFloat operator*(float s, const complexFloat& z)
{
    return {z.re * s, z.im * s};
}

float abs(const complexFloat& z)
{
    const double re = std::fabs(double(z.re)), im = std::fabs(double(z.im));
    if (re > im) {
        const double t = im / re;
        return static_cast<float>(re * std::sqrt(1.0 + t * t));
    }
    if (z.im == 0.0f)
        return 0.0f;
    const double t = re / im;
    return static_cast<float>(im * std::sqrt(1.0 + t * t));
}

float normalize(complexFloat& z)
{
    const float m = abs(z);
    if (m == 0.0f) {
        z = {0.0f, 0.0f};
        return 0.0f;
    }
    const double q = 1.0 / m;
    z.re = static_cast<float>(z.re * q);
    z.im = static_cast<float>(z.im * q);
    return m;
}

complexFloat unitPhasor(const complexFloat& z)
{
    if (z.re != 0.0f) {
        const double absRe = std::fabs(double(z.re));
        const double t = z.im / absRe;
        const double c = 1.0 / std::sqrt(1.0 + t * t);
        return {static_cast<float>(z.re * c / absRe), static_cast<float>(t * c)};
    }
    if (z.im == 0.0f)
        return {0.0f, 0.0f};
    return {0.0f, z.im / std::fabs(z.im)};
}

complexFloat polarUnit(float t)
{
    const double angle = t;
    return {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
}

complexFloat exp(const complexFloat& z)
{
    const float g = static_cast<float>(std::exp(double(z.re)));
    const complexFloat p = polarUnit(z.im);
    return {g * p.re, g * p.im};
}

complexFloat conj(const complexFloat& z)
{
    return {z.re, -z.im};
}
