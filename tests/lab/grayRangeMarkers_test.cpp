// Gray-range markers: start values, drag limits, per-mode pairs, the selected value range and
// its image, and the strip geometry.
#include "lab/fieldio/grayRangeMarkers.h"

#include "fieldio/fieldToImage.h"
#include "fields/DataField2D.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

namespace {

TEST(GrayRangeMarkers, StartAtTheEndsInEveryMode)
{
    grayRangeMarkers markers;
    EXPECT_TRUE(markers.isFullRange());
    for (int mode = 1; mode <= 5; ++mode) {
        EXPECT_EQ(markers.keptLowFraction(mode), 0.0f);
        EXPECT_EQ(markers.keptHighFraction(mode), 1.0f);
    }
    float lo = 0.0f;
    float hi = 0.0f;
    markers.valueRange(-3.0f, 5.0f, lo, hi);
    EXPECT_EQ(lo, -3.0f);
    EXPECT_EQ(hi, 5.0f);
}

TEST(GrayRangeMarkers, DraggedMarkersKeepSevenPixelsApartInsideTheBar)
{
    struct Case
    {
        const char* name;
        int barWidth;
        int lowTo; // first the lower marker moves, then the upper
        int highTo;
        double low, high; // resulting positions in pixels
    };
    const Case cases[] = {
        {"free moves", 100, 30, 60, 30, 60},
        {"lower stops 7 before the upper end", 100, 250, 300, 93, 100},
        {"upper stops 7 after the lower", 100, 50, 10, 50, 57},
        {"lower stops at the bar's start", 100, -40, 100, 0, 100},
        {"bar too short for the gap", 5, 3, 0, 0, 5},
        {"one-pixel bar", 1, 1, -5, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grayRangeMarkers markers;
        markers.moveLow(c.lowTo, c.barWidth);
        markers.moveHigh(c.highTo, c.barWidth);
        EXPECT_NEAR(markers.lowPosition(c.barWidth), c.low, 1e-4);
        EXPECT_NEAR(markers.highPosition(c.barWidth), c.high, 1e-4);
        EXPECT_FLOAT_EQ(markers.lowFraction(), float(c.low / c.barWidth));
        EXPECT_LE(markers.lowFraction(), markers.highFraction());
    }

    // Positions follow the bar: after a zoom the fraction stays.
    grayRangeMarkers markers;
    markers.moveLow(25, 100);
    EXPECT_NEAR(markers.lowPosition(200), 50.0, 1e-4);
    // The upper marker, moved first, limits the lower one.
    markers.moveHigh(40, 100);
    markers.moveLow(39, 100);
    EXPECT_NEAR(markers.lowPosition(100), 33.0, 1e-4);
    // No bar, no move.
    markers.moveLow(0, 0);
    markers.moveHigh(90, 0);
    EXPECT_FLOAT_EQ(markers.lowFraction(), 0.33f);
    EXPECT_FLOAT_EQ(markers.highFraction(), 0.4f);
}

TEST(GrayRangeMarkers, EachModeKeepsItsPair)
{
    grayRangeMarkers markers;
    // Phase shown first (the window leaves mode 0), its markers moved.
    markers.switchMode(0, 4);
    markers.moveLow(20, 100);
    markers.moveHigh(70, 100);
    // To the real part: fresh markers there, moved too.
    markers.switchMode(4, 1);
    EXPECT_TRUE(markers.isFullRange());
    markers.moveHigh(50, 100);
    // Back to the phase: its pair returns.
    markers.switchMode(1, 4);
    EXPECT_FLOAT_EQ(markers.lowFraction(), 0.2f);
    EXPECT_FLOAT_EQ(markers.highFraction(), 0.7f);
    EXPECT_FLOAT_EQ(markers.keptHighFraction(1), 0.5f);
    markers.switchMode(4, 1);
    EXPECT_FLOAT_EQ(markers.lowFraction(), 0.0f);
    EXPECT_FLOAT_EQ(markers.highFraction(), 0.5f);
    EXPECT_FLOAT_EQ(markers.keptLowFraction(4), 0.2f);
    // Modes outside 1..5 keep nothing and load nothing.
    markers.switchMode(9, 0);
    EXPECT_FLOAT_EQ(markers.highFraction(), 0.5f);
}

TEST(GrayRangeMarkers, RangeSpansFromTheLowerToTheUpperMarker)
{
    grayRangeMarkers markers;
    markers.moveLow(25, 100);
    markers.moveHigh(50, 100);
    EXPECT_FALSE(markers.isFullRange());
    float lo = 0.0f;
    float hi = 0.0f;
    markers.valueRange(-2.0f, 6.0f, lo, hi);
    EXPECT_FLOAT_EQ(lo, 0.0f);
    EXPECT_FLOAT_EQ(hi, 2.0f);
    markers.valueRange(-3.14159265f, 3.14159265f, lo, hi);
    EXPECT_FLOAT_EQ(lo, -1.5707963f);
    EXPECT_NEAR(hi, 0.0f, 1e-6);
}

TEST(GrayRangeMarkers, ImageOfANarrowedRangeQuantisesIntegerFieldsToo)
{
    // Gray values 0..255 along i: as an image of the full range each value is its own gray.
    auto ramp = boost::make_shared<DataField2D>(256, 2, 0.0, 0.0, 1.0, 1.0, 0.0f);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 256; ++i)
            ramp->setValue(i, j, float(i));
    grayRangeMarkers markers;
    const QImage full = markers.grayImage(ramp, 0.0f, 255.0f);
    EXPECT_EQ(full, dataField2DToImage(ramp, 0.0f, 255.0f, 256));
    EXPECT_EQ(full.pixelIndex(77, 0), 77);

    // Markers at 1/4 and 3/4 of the bar: 63.75 .. 191.25 spans all 256 grays.
    markers.moveLow(100, 400);
    markers.moveHigh(300, 400);
    const QImage narrow = markers.grayImage(ramp, 0.0f, 255.0f);
    EXPECT_EQ(narrow, dataField2DToQuantizedImage(ramp, 63.75f, 191.25f, 256));
    EXPECT_EQ(narrow.pixelIndex(0, 0), 0);
    EXPECT_EQ(narrow.pixelIndex(63, 0), 0);
    EXPECT_EQ(narrow.pixelIndex(127, 0), 127);
    EXPECT_EQ(narrow.pixelIndex(192, 0), 255);
    EXPECT_EQ(narrow.pixelIndex(255, 1), 255);
    for (int i = 1; i < 256; ++i)
        ASSERT_GE(narrow.pixelIndex(i, 0), narrow.pixelIndex(i - 1, 0)) << i;
}

TEST(GrayRangeMarkers, StripGeometryAndGrabDistances)
{
    grayRangeStrip strip;
    strip.left = 15;
    strip.top = 157;
    strip.barWidth = 120;
    EXPECT_EQ(strip.middle(), 182);
    EXPECT_EQ(strip.bar(), QRect(15, 179, 120, 6));
    EXPECT_EQ(strip.marker(0.0), QRect(13, 175, 5, 15));
    EXPECT_EQ(strip.marker(37.9), QRect(50, 175, 5, 15));

    const struct
    {
        QPoint press;
        bool grabs;
    } presses[] = {
        {{55, 182}, true},  {{49, 182}, true}, {{61, 182}, true}, {{62, 182}, false},
        {{48, 182}, false}, {{55, 173}, true}, {{55, 191}, true}, {{55, 172}, false},
        {{55, 192}, false}, {{61, 191}, true},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(testing::Message() << p.press.x() << "," << p.press.y());
        EXPECT_EQ(strip.grabs(p.press, 40.0), p.grabs);
    }
}

} // namespace
