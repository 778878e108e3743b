// Pattern generators: binary linear, 45-degree and transition-point gratings, and the sinusoidal
// and blazed gratings.
#include "patterns/patternGenerators.h"

#include "patterns/fastPhaseMath.h"
#include "patterns/phaseImage.h"

#include <algorithm>
#include <cmath>

namespace {

using fastPhaseMath::floorToInt;
using fastPhaseMath::pi;

int atLeastOne(int value)
{
    return std::max(1, value);
}

// +1 for even k, -1 for odd k (k >= 0).
int alternatingSign(int k)
{
    return k % 2 == 0 ? 1 : -1;
}

// +1 where u mod period < line, -1 over the groove that follows.
int lineGrooveLevel(int u, int groove, int period)
{
    return alternatingSign(u / period) * alternatingSign((u + groove) / period);
}

// Levels +1 / -1 over [0, period): +1 up to the first point, -1 up to the next, and so on.
// Points outside [0, period] are clamped, so an unsorted list never writes out of range.
std::vector<int> transitionProfile(const std::vector<int>& points, int period)
{
    std::vector<int> profile(static_cast<std::size_t>(period), 1);
    int level = 1;
    int start = 0;
    for (int t : points) {
        const int end = std::clamp(t, start, period);
        std::fill(profile.begin() + start, profile.begin() + end, level);
        level = -level;
        start = end;
    }
    return profile;
}

bool isAxisAngle(int angle)
{
    return angle == 0 || angle == 90 || angle == 180 || angle == 270;
}

// P x P cell for an axis-parallel angle: profile(u) for u = 0..P-1 along x (0 and 180 degrees)
// or along y (90 and 270 degrees).
template<typename Profile>
QImage axisParallelCell(int period, int angle, Profile profile)
{
    std::vector<long long> values(static_cast<std::size_t>(period));
    for (int u = 0; u < period; ++u)
        values[u] = profile(u);
    QImage cell = createPhaseImage(period, period);
    const bool alongX = angle == 0 || angle == 180;
    fillPhaseImage(cell, [&](int x, int y) { return values[alongX ? x : y]; });
    return cell;
}

// The argument 2 pi t / P of the sinusoidal grating, evaluated as ((t pi) 2) / P.
double sineArgument(double t, int period)
{
    return ((t * pi) * 2.0) / period;
}

long long sinusoidalLevel(double sine)
{
    return floorToInt((sine + 1.0) * 127.5);
}

// Full-size sinusoidal grating along t = x cos a - y sin a. Along a row t grows by cos a per
// column, so the sine advances by one rotation per pixel and restarts from std::sin/std::cos every
// 64 columns; its error (below 1e-10) stays far below the guard band of 1e-6 gray steps, and a
// value inside that band is taken from std::sin of the pixel's own argument.
QImage fullSinusoidalGrating(int width, int height, int period, double c, double s)
{
    QImage image = createPhaseImage(width, height);
    const double step = sineArgument(c, period);
    const double cosStep = std::cos(step);
    const double sinStep = std::sin(step);
    constexpr int restart = 64;
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(height - 1 - y);
        for (int x0 = 0; x0 < width; x0 += restart) {
            const double a0 = sineArgument(x0 * c - y * s, period);
            double sine = std::sin(a0);
            double cosine = std::cos(a0);
            const int end = std::min(width, x0 + restart);
            for (int x = x0; x < end; ++x) {
                const long long v = fastPhaseMath::guardedFloor((sine + 1.0) * 127.5, 1e-6, [=] {
                    return (std::sin(sineArgument(x * c - y * s, period)) + 1.0) * 127.5;
                });
                line[x] = static_cast<uchar>(v & 0xFF);
                const double next = sine * cosStep + cosine * sinStep;
                cosine = cosine * cosStep - sine * sinStep;
                sine = next;
            }
        }
    }
    return image;
}

} // namespace

QImage binaryLinearGratingCell(bool horizontal, int grooveH, int lineH, bool vertical, int grooveV,
                               int lineV)
{
    grooveH = atLeastOne(grooveH);
    lineH = atLeastOne(lineH);
    grooveV = atLeastOne(grooveV);
    lineV = atLeastOne(lineV);
    const int periodH = grooveH + lineH;
    const int periodV = grooveV + lineV;
    QImage cell = createPhaseImage(3 * periodV, 3 * periodH);
    fillPhaseImage(cell, [=](int x, int y) {
        const int fV = vertical ? lineGrooveLevel(x, grooveV, periodV) : 1;
        const int fH = horizontal ? lineGrooveLevel(y, grooveH, periodH) : 1;
        return (fV * fH + 1) * 64;
    });
    return cell;
}

QImage binaryLinear45degGratingCell(int width, int height, int stripeWidth, int angle)
{
    const int w = atLeastOne(stripeWidth);
    const int cellWidth = std::min(width, 2 * w);
    const int cellHeight = std::min(height, 2 * w);
    QImage cell = createPhaseImage(cellWidth, cellHeight);
    const bool rising = angle > 0;
    fillPhaseImage(cell, [=](int x, int y) {
        const int q = rising ? (x + cellHeight - y) / w : (x + y) / w;
        return (q % 2 + 1) * 64;
    });
    return cell;
}

QImage transitionPointGratingCell(const std::vector<int>& pointsX, const std::vector<int>& pointsY)
{
    if (pointsX.empty() && pointsY.empty())
        return QImage();
    const int periodX = atLeastOne(pointsX.empty() ? pointsY.back() : pointsX.back());
    const int periodY = atLeastOne(pointsY.empty() ? pointsX.back() : pointsY.back());
    const std::vector<int> profileX = transitionProfile(pointsX, periodX);
    const std::vector<int> profileY = transitionProfile(pointsY, periodY);
    QImage cell = createPhaseImage(periodX, periodY);
    fillPhaseImage(cell, [&](int x, int y) {
        const float product = static_cast<float>(profileX[x] * profileY[y]);
        return static_cast<int>((product + 1.0f) * 64.0f);
    });
    return cell;
}

QImage sinusoidalGrating(int width, int height, int period, int angle)
{
    const int p = atLeastOne(period);
    if (isAxisAngle(angle))
        return axisParallelCell(
            p, angle, [p](int u) { return sinusoidalLevel(std::sin(sineArgument(u, p))); });
    const double a = angle * pi * (1.0 / 180.0);
    return fullSinusoidalGrating(width, height, p, std::cos(a), std::sin(a));
}

QImage blazedGrating(int width, int height, int period, int angle)
{
    const int p = atLeastOne(period);
    if (isAxisAngle(angle))
        return axisParallelCell(p, angle,
                                [p](int u) { return floorToInt((double(u) / p) * 256.0); });
    const double a = angle * pi * (1.0 / 180.0);
    const double c = std::cos(a);
    const double s = std::sin(a);
    QImage image = createPhaseImage(width, height);
    fillPhaseImage(image, [=](int x, int y) { return floorToInt(((x * c - y * s) / p) * 256.0); });
    return image;
}
