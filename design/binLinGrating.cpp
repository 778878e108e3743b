// binLinGrating: the transition-point description, its derivations and the order powers.
#include "design/binLinGrating.h"

#include <climits>
#include <cmath>

namespace {

constexpr double pi = 3.141592653589793;

} // namespace

binLinGrating::binLinGrating(int segments)
    : pixelMode(true)
    , n(segments < 1 ? 1 : segments)
    , transitionPoints(n - 1)
    , widths(n, 1)
    , period(n)
    , normalizedPoints(n - 1, 0.0)
    , normalizedWidths(n, 0.0)
{
    for (int k = 1; k < n; ++k)
        transitionPoints[k - 1] = k;
    setPhaseDepth(pi);
}

int binLinGrating::getTransitionPoint(int k) const
{
    if (k < 0 || k > n)
        return -1;
    if (k == 0)
        return 0;
    if (k == n)
        return period;
    return transitionPoints[k - 1];
}

bool binLinGrating::setTransitionPoint(int k, int p)
{
    if (k < 0 || k > n)
        return false;
    if (k == 0)
        return p == 0;
    if (k == n)
        return p == period;
    if (p < 1 || p > period - 1 || p <= getTransitionPoint(k - 1) || p >= getTransitionPoint(k + 1))
        return false;
    transitionPoints[k - 1] = p;
    return true;
}

int binLinGrating::getWidth(int k) const
{
    if (k < 1 || k > n)
        return -1;
    return widths[k - 1];
}

bool binLinGrating::setWidth(int k, int w)
{
    if (k < 1 || k > n || w < 1)
        return false;
    const long long newPeriod = static_cast<long long>(period) + w - widths[k - 1];
    if (newPeriod > INT_MAX)
        return false;
    period = static_cast<int>(newPeriod);
    widths[k - 1] = w;
    updateTransitionPoints();
    return true;
}

bool binLinGrating::setNormalizedTransitionPoint(int k, double x)
{
    if (k < 0 || k > n)
        return false;
    if (k == 0)
        return x == 0.0;
    if (k == n)
        return x == 1.0;
    if (!(x > 0.0 && x < 1.0 && getNormalizedTransitionPoint(k - 1) < x
          && x < getNormalizedTransitionPoint(k + 1)))
        return false;
    if (pixelMode) {
        updateNormalizedTransitionPoints();
        updateNormalizedWidths();
    }
    normalizedPoints[k - 1] = x;
    pixelMode = false;
    return true;
}

double binLinGrating::getNormalizedTransitionPoint(int k) const
{
    if (k < 0 || k > n)
        return -1.0;
    if (k == 0)
        return 0.0;
    if (k == n)
        return 1.0;
    if (pixelMode)
        return double(transitionPoints[k - 1]) / period;
    return normalizedPoints[k - 1];
}

double binLinGrating::getNormalizedWidth(int k) const
{
    if (k < 1 || k > n)
        return -1.0;
    if (pixelMode)
        return double(widths[k - 1]) / period;
    return normalizedWidths[k - 1];
}

bool binLinGrating::setPeriod(int P)
{
    if (P <= n)
        return false;
    if (pixelMode)
        updateNormalizedTransitionPoints();
    std::vector<int> points(n - 1);
    for (int k = 1; k < n; ++k)
        points[k - 1] = static_cast<int>(P * normalizedPoints[k - 1] + 0.5);
    // Every segment, the first and the last included, keeps at least one pixel; the points are
    // committed only then.
    int previous = 0;
    for (int k = 1; k <= n; ++k) {
        const int next = k < n ? points[k - 1] : P;
        if (next - previous < 1)
            return false;
        previous = next;
    }
    transitionPoints = points;
    period = P;
    updateWidths();
    return true;
}

bool binLinGrating::shiftTransitionPoint(int k, int d)
{
    if (!pixelMode || k < 1 || k > n)
        return false;
    if (d == 0)
        return true;
    if (k < n) {
        const long long q = static_cast<long long>(getTransitionPoint(k)) + d;
        if (d > 0 ? q >= getTransitionPoint(k + 1) : q <= getTransitionPoint(k - 1))
            return false;
        if (!setTransitionPoint(k, static_cast<int>(q)))
            return false;
        updateWidths();
        return true;
    }
    if (d > 0 ? static_cast<long long>(getTransitionPoint(1)) - d <= 0
              : static_cast<long long>(getTransitionPoint(n - 1)) - d >= period)
        return false;
    for (int& point : transitionPoints)
        point -= d;
    updateWidths();
    return true;
}

void binLinGrating::setPhaseDepth(double phi)
{
    phaseDepth = phi;
    sinHalfPhase = std::sin(phi * 0.5);
    sinHalfPhaseSquared = std::pow(sinHalfPhase, 2.0);
}

double binLinGrating::storedFraction(int k) const
{
    if (k <= 0)
        return 0.0;
    if (k >= n)
        return 1.0;
    return normalizedPoints[k - 1];
}

double binLinGrating::getOrderPower(int m)
{
    if (pixelMode)
        updateNormalizedTransitionPoints();
    const double s = sinHalfPhaseSquared;
    if (m == 0) {
        // Total width of the odd segments: x1 - x2 + x3 - ...; with an odd n the last odd
        // segment ends at the period's end.
        const int last = n % 2 == 0 ? n - 1 : n;
        double f = 0.0;
        for (int k = 1; k <= last; ++k)
            f += k % 2 == 1 ? storedFraction(k) : -storedFraction(k);
        return 1 - f * (1 - f) * s * 4.0;
    }
    auto phase = [m, this](int j) { return 2 * (m * storedFraction(j) * pi); };
    double C = std::cos(phase(1)) - 1.0;
    double S = std::sin(phase(1));
    for (int j = 2; j + 1 <= n; j += 2) {
        C = C - std::cos(phase(j)) + std::cos(phase(j + 1));
        S = S - std::sin(phase(j)) + std::sin(phase(j + 1));
    }
    return (std::pow(S, 2.0) + std::pow(C, 2.0)) * s / std::pow(m * pi, 2.0);
}

complexFloat binLinGrating::getOrderAmplitude(int)
{
    if (pixelMode)
        updateNormalizedTransitionPoints();
    return {0.0f, 0.0f};
}

double binLinGrating::getMinNormalizedWidth() const
{
    double smallest = getNormalizedWidth(1);
    for (int k = 2; k <= n; ++k)
        if (getNormalizedWidth(k) < smallest)
            smallest = getNormalizedWidth(k);
    return smallest;
}

void binLinGrating::updatePeriod()
{
    int sum = 0;
    for (int w : widths)
        sum += w;
    period = sum;
}

void binLinGrating::updateTransitionPoints()
{
    int sum = 0;
    for (int k = 1; k < n; ++k) {
        sum += widths[k - 1];
        transitionPoints[k - 1] = sum;
    }
}

void binLinGrating::updateWidths()
{
    for (int k = 1; k <= n; ++k)
        widths[k - 1] = getTransitionPoint(k) - getTransitionPoint(k - 1);
}

void binLinGrating::updateNormalizedTransitionPoints()
{
    if (!pixelMode)
        return;
    const double scale = 1.0 / period;
    for (int k = 1; k < n; ++k)
        normalizedPoints[k - 1] = transitionPoints[k - 1] * scale;
}

void binLinGrating::updateNormalizedTransitionPointsFromWidths()
{
    double sum = 0.0;
    for (int k = 1; k < n; ++k) {
        sum += normalizedWidths[k - 1];
        normalizedPoints[k - 1] = sum;
    }
}

void binLinGrating::updateNormalizedWidths()
{
    if (!pixelMode)
        return;
    const double scale = 1.0 / period;
    for (int k = 1; k <= n; ++k)
        normalizedWidths[k - 1] = widths[k - 1] * scale;
}

void binLinGrating::updateNormalizedWidthsFromTransitionPoints()
{
    for (int k = 1; k <= n; ++k)
        normalizedWidths[k - 1] = storedFraction(k) - storedFraction(k - 1);
}
