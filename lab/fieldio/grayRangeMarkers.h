// The gray-range strip of a field window: two markers kept per display mode, their drag limits,
// the value range they select and where the strip and its markers are drawn.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <boost/shared_ptr.hpp>

class DataField2D;

// The lower and the upper marker as fractions of the bar width. Entry 0 is the active pair,
// entries 1..5 the pairs kept for display modes 1..5; every lower fraction starts at 0.0 and
// every upper one at 1.0.
class grayRangeMarkers
{
public:
    static constexpr int modeCount = 5;
    // Pixels the dragged marker keeps from the other one.
    static constexpr int minimumGap = 7;

    grayRangeMarkers();

    float lowFraction() const { return low[0]; }
    float highFraction() const { return high[0]; }
    // The pair kept for a mode 1..5; the active pair for any other mode.
    float keptLowFraction(int mode) const;
    float keptHighFraction(int mode) const;

    // Keeps the active pair as mode `from`'s and makes the pair kept for mode `to` active. A
    // mode outside 1..5 keeps nothing (from) or leaves the active pair as it is (to).
    void switchMode(int from, int to);

    // Marker positions in pixels from the bar's left edge: fraction * barWidth.
    double lowPosition(int barWidth) const;
    double highPosition(int barWidth) const;

    // Moves a marker to `offset` pixels from the bar's left edge on a bar of barWidth pixels
    // and stores its fraction. The lower marker stays within 0 .. upper position - 7, the upper
    // within lower position + 7 .. barWidth; on a bar too short for the gap a marker stays at
    // its end of the bar, so the markers never cross. A bar narrower than 1 pixel moves nothing.
    void moveLow(int offset, int barWidth);
    void moveHigh(int offset, int barWidth);

    // Both markers at the ends of the bar.
    bool isFullRange() const;
    // The values the 256 gray levels span for a mode range [min, max]:
    // lo = min + f1 (max - min), hi = max - (1 - f2) (max - min), f1 and f2 the active fractions.
    void valueRange(float min, float max, float& lo, float& hi) const;
    // Gray image of the field with 256 levels over the selected part of [min, max]. At the full
    // range it is dataField2DToImage(field, min, max, 256); a narrowed range always quantises
    // over [lo, hi], also for integer-valued fields, so that lo shows black and hi white.
    QImage grayImage(boost::shared_ptr<DataField2D> field, float min, float max) const;

private:
    float low[modeCount + 1];
    float high[modeCount + 1];
};

// Where the strip lies: it starts at the displayed image's left edge directly below the image,
// is 50 pixels high, and its bar is as wide as the displayed image. Positions are widget pixels.
struct grayRangeStrip
{
    static constexpr int height = 50;

    int left = 0;
    int top = 0;
    int barWidth = 0;

    int middle() const { return top + height / 2; }
    // The bar's outline: from the strip's left edge, barWidth wide, 6 pixels high, centred on the
    // middle line.
    QRect bar() const;
    // A marker `position` pixels from the bar's left edge (x = left + position): 5 x 15 pixels,
    // its left edge at trunc(x - 2.0), its top 7 pixels above the middle line.
    QRect marker(double position) const;
    // Whether a press at p takes hold of that marker: at most 6 pixels from x horizontally and
    // at most 9 pixels from the middle line vertically.
    bool grabs(QPoint p, double position) const;
};
