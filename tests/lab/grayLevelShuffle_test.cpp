// The gray-level shuffle table: the band it changes, the limits of its shifts, the order of its
// draws, its use on a field and the caption of the shuffled copy.
#include "lab/fieldio/grayLevelShuffle.h"

#include "base/phasedeckRandom.h"
#include "fields/DataField2D.h"

#include <cmath>
#include <deque>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Draws the given values in order, then fails.
struct ScriptedDraws
{
    std::deque<int> values;
    int operator()()
    {
        if (values.empty()) {
            ADD_FAILURE() << "more draws than scripted";
            return 0;
        }
        const int v = values.front();
        values.pop_front();
        return v;
    }
};

// Entry minus gray, taken into -128 .. 127.
int signedShift(const grayLevelTable& table, int g)
{
    return ((table[size_t(g)] - g + 128) & 0xFF) - 128;
}

TEST(GrayLevelShuffle, ChangesOnlyTheBandAndNoShiftPassesItsMaximum)
{
    struct Case
    {
        const char* name;
        grayShuffleParameters parameters;
    };
    const Case cases[] = {
        {"band 10 to 20", {8, 8, 10, 20}},
        {"only upwards", {5, 0, 100, 140}},
        {"only downwards", {0, 6, 0, 30}},
        {"uneven limits", {1, 40, 200, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const grayShuffleParameters& p = c.parameters;
        int largestUp = 0;
        int largestDown = 0;
        for (unsigned int seed = 1; seed <= 200; ++seed) {
            phasedeckSrand(seed);
            const grayLevelTable table = grayShuffleTable(p);
            for (int g = 0; g < 256; ++g) {
                const int shift = signedShift(table, g);
                if (g < p.lowest || g > p.highest) {
                    ASSERT_EQ(table[size_t(g)], g) << "gray " << g << " seed " << seed;
                    continue;
                }
                ASSERT_LE(shift, p.maxPositiveShift) << "gray " << g << " seed " << seed;
                ASSERT_GE(shift, -p.maxNegativeShift) << "gray " << g << " seed " << seed;
                largestUp = std::max(largestUp, shift);
                largestDown = std::max(largestDown, -shift);
            }
        }
        // Both limits are reached.
        EXPECT_EQ(largestUp, p.maxPositiveShift);
        EXPECT_EQ(largestDown, p.maxNegativeShift);
    }
}

TEST(GrayLevelShuffle, DrawOrderDirectionAndTheClampOfTheLargestDraw)
{
    struct Case
    {
        const char* name;
        grayShuffleParameters parameters;
        std::deque<int> draws;
        int gray;
        int entry;
    };
    const Case cases[] = {
        // trunc(16384 * 2 / 32767) = 1: downwards; 32767 would shift by N + 1, clamped to N.
        {"down, largest draw", {3, 5, 100, 100}, {16384, 32767}, 100, 95},
        {"up", {3, 5, 100, 100}, {16383, 10923}, 100, 101},
        {"up, largest draw", {8, 0, 15, 15}, {32767}, 15, 23},
        {"down only, largest draw", {0, 8, 15, 15}, {32767}, 15, 7},
        {"zero draws shift up by nothing", {8, 8, 15, 15}, {0, 0}, 15, 15},
        {"wraps below 0", {0, 5, 0, 0}, {32767}, 0, 251},
        {"wraps above 255", {5, 0, 255, 255}, {32767}, 255, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDraws draws{c.draws};
        const grayLevelTable table = grayShuffleTable(c.parameters, std::ref(draws));
        EXPECT_EQ(table[size_t(c.gray)], c.entry);
        EXPECT_TRUE(draws.values.empty());
    }

    // Two grays: a direction and a shift for each, in gray order.
    ScriptedDraws two{{0, 32767, 32767, 32767}};
    const grayLevelTable table = grayShuffleTable({3, 5, 100, 101}, std::ref(two));
    EXPECT_EQ(table[100], 103);
    EXPECT_EQ(table[101], 96);
}

TEST(GrayLevelShuffle, NoShiftAllowedIsTheIdentity)
{
    ScriptedDraws none{{}};
    const grayLevelTable table = grayShuffleTable({0, 0, 0, 255}, std::ref(none));
    for (int g = 0; g < 256; ++g)
        EXPECT_EQ(table[size_t(g)], g);
}

TEST(GrayLevelShuffle, TableAppliesToTruncatedValuesModulo256)
{
    grayLevelTable reversed{};
    for (int g = 0; g < 256; ++g)
        reversed[size_t(g)] = std::uint8_t(255 - g);
    const float values[]
        = {0.0f, 3.7f, 255.0f, 260.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 511.9f};
    const float expected[] = {255.0f, 252.0f, 0.0f, 251.0f, 0.0f, 255.0f, 0.0f};
    DataField2D field(7, 1, 0.0, 0.0, 1.0, 1.0, 0.0f);
    for (int i = 0; i < 7; ++i)
        field.setValue(i, 0, values[i]);
    applyGrayLevelTable(field, reversed);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(values[i]);
        EXPECT_EQ(field.getValue(i, 0), expected[i]);
    }
}

TEST(GrayLevelShuffle, CaptionGetsItsEndingOnce)
{
    const struct
    {
        const char* caption;
        const char* result;
    } cases[] = {
        {"/images/photo.png", "/images/photo.png - randomized"},
        {"photo - randomized", "photo - randomized"},
        {"", " - randomized"},
        {"photo -randomized", "photo -randomized - randomized"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(randomizedCaption(QString::fromLatin1(c.caption)), QString::fromLatin1(c.result));
    }
}

} // namespace
