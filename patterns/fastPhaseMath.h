// Fast arctangent with a stated error bound, and a floor that calls the exact function whenever
// a fast value lies too close to an integer, so that patterns equal their direct evaluation.
#pragma once

#include <cmath>

namespace fastPhaseMath {

constexpr double pi = 3.141592653589793;

// floor(v) as an integer, for finite |v| < 2^62.
inline long long floorToInt(double v)
{
    const long long i = static_cast<long long>(v);
    return i - (v < static_cast<double>(i) ? 1 : 0);
}

// floor(v) where v, a fast value, lies more than `margin` away from every integer; otherwise
// floor(exact()). The fast value's error must stay well below margin.
template<typename Exact>
long long guardedFloor(double v, double margin, Exact exact)
{
    const long long i = floorToInt(v);
    const double fraction = v - static_cast<double>(i);
    if (fraction > margin && fraction < 1.0 - margin)
        return i;
    return floorToInt(exact());
}

// guardedFloor for a sequence of slowly varying fast values: while a value stays inside the
// open interval (k + margin, k + 1 - margin) of the previous result k, k is returned without
// converting it.
class RunFloor
{
public:
    template<typename Exact>
    long long operator()(double v, double margin, Exact exact)
    {
        if (v > low && v < high)
            return last;
        last = guardedFloor(v, margin, exact);
        low = static_cast<double>(last) + margin;
        high = static_cast<double>(last) + (1.0 - margin);
        return last;
    }

private:
    long long last = 0;
    double low = 1.0; // empty until the first value
    double high = 0.0;
};

// atan(a / b) in [0, pi/2] for a, b >= 0 within 1e-12; b = 0 gives pi/2, a = 0 gives 0 (also for
// b = 0). The ratio z in [0, 1] is reduced by the nearest anchor t = j/8 to
// u = (z - t) / (1 + z t), |u| <= 1/16, whose Taylor series up to u^9 errs below 1e-14.
inline double firstQuadrantAngle(double a, double b)
{
    static constexpr double anchors[9] = {
        0.0,
        0.12435499454676144,
        0.24497866312686414,
        0.35877067027057225,
        0.4636476090008061,
        0.5585993153435624,
        0.6435011087932844,
        0.7188299996216245,
        0.7853981633974483,
    }; // atan(j / 8)
    if (a == 0.0)
        return 0.0;
    const bool steep = a > b;
    const double z = steep ? b / a : a / b;
    const int j = static_cast<int>(z * 8.0 + 0.5);
    const double t = j * 0.125;
    const double u = (z - t) / (1.0 + z * t);
    const double u2 = u * u;
    const double angle
        = anchors[j]
          + u * (1.0 - u2 * (1.0 / 3 - u2 * (1.0 / 5 - u2 * (1.0 / 7 - u2 * (1.0 / 9)))));
    return steep ? pi / 2 - angle : angle;
}

// atan2(y, x) from firstQuadrantAngle(|y|, |x|): y = 0 gives 0 or pi by the sign of x, (0, 0)
// gives 0 (y is never -0 here).
inline double signedAngle(double firstQuadrant, double y, double x)
{
    const double angle = x < 0 ? pi - firstQuadrant : firstQuadrant;
    return y < 0 ? -angle : angle;
}

inline double arcTangent2(double y, double x)
{
    return signedAngle(firstQuadrantAngle(std::fabs(y), std::fabs(x)), y, x);
}

} // namespace fastPhaseMath
