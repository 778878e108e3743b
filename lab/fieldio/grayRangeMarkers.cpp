// Gray-range markers: per-mode pairs, drag limits, the selected range and the strip geometry.
#include "lab/fieldio/grayRangeMarkers.h"

#include "fieldio/fieldToImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

grayRangeMarkers::grayRangeMarkers()
{
    std::fill(std::begin(low), std::end(low), 0.0f);
    std::fill(std::begin(high), std::end(high), 1.0f);
}

namespace {

bool isMode(int mode)
{
    return mode >= 1 && mode <= grayRangeMarkers::modeCount;
}

} // namespace

float grayRangeMarkers::keptLowFraction(int mode) const
{
    return low[isMode(mode) ? mode : 0];
}

float grayRangeMarkers::keptHighFraction(int mode) const
{
    return high[isMode(mode) ? mode : 0];
}

void grayRangeMarkers::switchMode(int from, int to)
{
    if (isMode(from)) {
        low[from] = low[0];
        high[from] = high[0];
    }
    if (isMode(to)) {
        low[0] = low[to];
        high[0] = high[to];
    }
}

double grayRangeMarkers::lowPosition(int barWidth) const
{
    return double(low[0]) * barWidth;
}

double grayRangeMarkers::highPosition(int barWidth) const
{
    return double(high[0]) * barWidth;
}

void grayRangeMarkers::moveLow(int offset, int barWidth)
{
    if (barWidth < 1)
        return;
    const double limit = std::max(0.0, highPosition(barWidth) - minimumGap);
    low[0] = float(std::clamp(double(offset), 0.0, limit) / barWidth);
}

void grayRangeMarkers::moveHigh(int offset, int barWidth)
{
    if (barWidth < 1)
        return;
    const double limit = std::min(double(barWidth), lowPosition(barWidth) + minimumGap);
    high[0] = float(std::clamp(double(offset), limit, double(barWidth)) / barWidth);
}

bool grayRangeMarkers::isFullRange() const
{
    return low[0] == 0.0f && high[0] == 1.0f;
}

void grayRangeMarkers::valueRange(float min, float max, float& lo, float& hi) const
{
    const float span = max - min;
    lo = min + low[0] * span;
    hi = max - (1.0f - high[0]) * span;
}

QImage grayRangeMarkers::grayImage(boost::shared_ptr<DataField2D> field, float min, float max) const
{
    if (isFullRange())
        return dataField2DToImage(field, min, max, 256);
    float lo = min;
    float hi = max;
    valueRange(min, max, lo, hi);
    return dataField2DToQuantizedImage(field, lo, hi, 256);
}

QRect grayRangeStrip::bar() const
{
    return QRect(left, middle() - 3, barWidth, 6);
}

QRect grayRangeStrip::marker(double position) const
{
    return QRect(int(left + position - 2.0), middle() - 7, 5, 15);
}

bool grayRangeStrip::grabs(QPoint p, double position) const
{
    return std::fabs(p.x() - (left + position)) <= 6.0 && std::abs(p.y() - middle()) <= 9;
}
