// Pattern generators: Fresnel zone lenses, axicons, the vortex phase and concentric ring segments.
#include "patterns/patternGenerators.h"

#include "patterns/fastPhaseMath.h"
#include "patterns/phaseImage.h"

#include <algorithm>
#include <cmath>

namespace {

using fastPhaseMath::floorToInt;
using fastPhaseMath::pi;

// Guard band of the fast arctangent: its error (below 1e-12 rad) times 128 / pi, or times
// N / (2 pi) for N ring segments, stays far below it.
constexpr double angleMargin = 1e-6;

int atLeastOne(int value)
{
    return std::max(1, value);
}

// dx^2 + dy^2 of the centred coordinates, as an integer.
struct CentredSquare
{
    int cx, cy;
    long long operator()(int x, int y) const
    {
        const long long dx = x - cx;
        const long long dy = y - cy;
        return dx * dx + dy * dy;
    }
};

CentredSquare centredSquare(int width, int height)
{
    return CentredSquare{width / 2, height / 2};
}

// Calls rule(quadrant, dx, dy, d^2, theta) for every pixel, theta being the fast atan2(dx, dy)
// (0 straight up, clockwise positive), and stores the result. The first-quadrant arctangent of
// (|dx|, |dy|) is computed once for the up to four mirrored pixels that share it; quadrant
// (0..3, by the signs of dx and dy) lets a rule keep one run state per mirrored image, each of
// which is visited column by column outward from the centre.
template<typename Rule>
void fillPolarPattern(QImage& image, Rule rule)
{
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0)
        return;
    const int cx = width / 2;
    const int cy = height / 2;
    const int maxX = std::max(cx, width - 1 - cx);
    const int maxY = std::max(cy, height - 1 - cy);
    uchar* const centreLine = image.scanLine(height - 1 - cy);
    const qsizetype lineStep = image.bytesPerLine();
    for (int ax = 0; ax <= maxX; ++ax) {
        for (int ay = 0; ay <= maxY; ++ay) {
            const double core = fastPhaseMath::firstQuadrantAngle(ax, ay);
            const long long d2 = static_cast<long long>(ax) * ax + static_cast<long long>(ay) * ay;
            for (int quadrant = 0; quadrant < 4; ++quadrant) {
                const int dx = quadrant & 1 ? -ax : ax;
                const int dy = quadrant & 2 ? -ay : ay;
                if ((dx == 0 && quadrant & 1) || (dy == 0 && quadrant & 2))
                    continue; // the axis is visited once
                if (cx + dx < 0 || cx + dx >= width || cy + dy < 0 || cy + dy >= height)
                    continue;
                const double theta = fastPhaseMath::signedAngle(core, dx, dy);
                const long long value = rule(quadrant, dx, dy, d2, theta);
                centreLine[cx + dx - dy * lineStep] = static_cast<uchar>(value & 0xFF);
            }
        }
    }
}

// floor(sqrt(d^2) / R) for a sequence of integer d^2: while d^2 stays in [(kR)^2, ((k+1)R)^2)
// the previous k is returned. For kR below 1e6 the rounded quotient cannot cross an integer
// inside that interval, so both ways give the same k.
class RingIndex
{
public:
    explicit RingIndex(int radius)
        : radius(radius)
    {}
    long long operator()(long long d2)
    {
        if (d2 >= low && d2 < high)
            return index;
        index = floorToInt(std::sqrt(static_cast<double>(d2)) / radius);
        low = index * radius * index * radius;
        high = (index + 1) * radius * (index + 1) * radius;
        return index;
    }

private:
    long long radius;
    long long index = 0;
    long long low = 1; // empty until the first value
    long long high = 0;
};

} // namespace

QImage binaryFresnelZoneLens(int width, int height, int radius)
{
    QImage image = createPhaseImage(width, height);
    const CentredSquare d2 = centredSquare(width, height);
    const long long r = atLeastOne(radius);
    const long long r2 = r * r;
    fillPhaseImage(image, [=](int x, int y) { return (d2(x, y) / r2) % 2 == 1 ? 128 : 0; });
    return image;
}

QImage fresnelZoneLens(int width, int height, int radius, bool invert)
{
    QImage image = createPhaseImage(width, height);
    const CentredSquare d2 = centredSquare(width, height);
    const double r = atLeastOne(radius);
    const double r2 = r * r;
    fillPhaseImage(image, [=](int x, int y) {
        const long long v = floorToInt(static_cast<double>(d2(x, y)) / r2 * 256.0);
        return invert ? 255 - v : v;
    });
    return image;
}

QImage cylindricalFresnelZoneLens(int width, int height, int centralWidth, int angle)
{
    QImage image = createPhaseImage(width, height);
    const int cx = width / 2;
    const int cy = height / 2;
    const double a = angle * pi * (1.0 / 180.0);
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double h = atLeastOne(centralWidth) * 0.5;
    const double h2 = h * h;
    fillPhaseImage(image, [=](int x, int y) {
        const long long u = static_cast<int>((x - cx) * c - (y - cy) * s);
        return floorToInt(static_cast<double>(u * u) / h2 * 256.0);
    });
    return image;
}

QImage binaryAxicon(int width, int height, int radius)
{
    QImage image = createPhaseImage(width, height);
    const CentredSquare d2 = centredSquare(width, height);
    const double r = atLeastOne(radius);
    fillPhaseImage(image, [=](int x, int y) {
        const long long k = floorToInt(std::sqrt(static_cast<double>(d2(x, y))) / r);
        return k % 2 == 1 ? 128 : 0;
    });
    return image;
}

QImage axicon(int width, int height, int radius, bool invert)
{
    QImage image = createPhaseImage(width, height);
    const CentredSquare d2 = centredSquare(width, height);
    const double r = atLeastOne(radius);
    fillPhaseImage(image, [=](int x, int y) {
        const long long v = floorToInt(std::sqrt(static_cast<double>(d2(x, y))) / r * 256.0);
        return invert ? 255 - v : v;
    });
    return image;
}

QImage vortexPhase(int width, int height, int centralRadius, int transitionAngle)
{
    QImage image = createPhaseImage(width, height);
    const double a = transitionAngle * pi * (1.0 / 180.0);
    // r < rho for an integer rho is d^2 < rho^2.
    const long long rho2 = static_cast<long long>(centralRadius) * centralRadius;
    fastPhaseMath::RunFloor runs[4];
    fillPolarPattern(image, [&](int quadrant, int dx, int dy, long long d2, double theta) {
        if (centralRadius > 0 && d2 < rho2)
            return 0LL;
        return runs[quadrant](
                   (pi + theta - a) * (128.0 / pi), angleMargin,
                   [=] { return (pi + std::atan2(double(dx), double(dy)) - a) * (128.0 / pi); })
               + 128;
    });
    return image;
}

QImage concentricRingSegments(int width, int height, int radius, int segments)
{
    QImage image = createPhaseImage(width, height);
    const double sigma = (pi + pi) / atLeastOne(segments);
    RingIndex rings[4] = {RingIndex(atLeastOne(radius)), RingIndex(atLeastOne(radius)),
                          RingIndex(atLeastOne(radius)), RingIndex(atLeastOne(radius))};
    fastPhaseMath::RunFloor sectors[4];
    fillPolarPattern(image, [&](int quadrant, int dx, int dy, long long d2, double theta) {
        const int b = rings[quadrant](d2) % 2 == 1 ? 128 : 0;
        if (dx == 0)
            return b;
        const long long m = sectors[quadrant](
            theta / sigma, angleMargin, [=] { return std::atan2(double(dx), double(dy)) / sigma; });
        return m % 2 == 0 ? 128 - b : b;
    });
    return image;
}
