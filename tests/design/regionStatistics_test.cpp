// Tests of the region statistics: checkerboards, halves, uniform fields, regions joined across
// the field's edges, and the sizes and areas.
#include "design/regionStatistics.h"

#include "designTestFields.h"

#include <functional>

using namespace designTest;

namespace {

ComplexField fieldOf(int sizeI, int sizeJ, const std::function<complexFloat(int, int)>& value)
{
    ComplexField field = complexField(sizeI, sizeJ, {}, 2e-6, 3e-6);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field->setValue(i, j, value(i, j));
    return field;
}

const complexFloat A = {1.0f, 0.0f};
const complexFloat B = {-1.0f, 0.0f};

} // namespace

TEST(regionStatistics, countsRegionsOfEqualValue)
{
    struct Case
    {
        const char* name;
        int sizeI, sizeJ;
        std::function<complexFloat(int, int)> value;
        unsigned regions, minSize, maxSize;
    };
    const Case cases[] = {
        {"checkerboard", 4, 6, [](int i, int j) { return (i + j) % 2 ? A : B; }, 24, 1, 1},
        {"two halves", 6, 4, [](int i, int) { return i < 3 ? A : B; }, 2, 12, 12},
        {"uniform", 5, 3, [](int, int) { return A; }, 1, 15, 15},
        {"uniform row", 7, 1, [](int, int) { return A; }, 1, 7, 7},
        // Columns 0 and 4 meet across the edge.
        {"edge columns", 5, 3, [](int i, int) { return i == 0 || i == 4 ? A : B; }, 2, 6, 9},
        // Equal real parts, different imaginary parts.
        {"imaginary stripes", 4, 4,
         [](int, int j) {
             return complexFloat{1.0f, j < 2 ? 0.5f : -0.5f};
         },
         2, 8, 8},
        {"one odd element", 3, 3, [](int i, int j) { return i == 1 && j == 2 ? B : A; }, 2, 1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        regionStatistics stats(fieldOf(c.sizeI, c.sizeJ, c.value));
        EXPECT_EQ(stats.getRegionCount(), c.regions);
        EXPECT_EQ(stats.getRegions().size(), c.regions);
        EXPECT_EQ(stats.getMinRegionSize(), c.minSize);
        EXPECT_EQ(stats.getMaxRegionSize(), c.maxSize);
        EXPECT_EQ(stats.getPixelCount(), unsigned(c.sizeI * c.sizeJ));
        // Every element in exactly one region.
        std::set<unsigned> all;
        std::size_t total = 0;
        for (const std::set<unsigned>& region : stats.getRegions()) {
            total += region.size();
            all.insert(region.begin(), region.end());
        }
        EXPECT_EQ(total, std::size_t(c.sizeI * c.sizeJ));
        EXPECT_EQ(all.size(), total);
    }
}

TEST(regionStatistics, regionsHoldLinearIndicesAndAreasUseThePitch)
{
    regionStatistics stats(fieldOf(4, 2, [](int i, int) { return i < 2 ? A : B; }));
    EXPECT_EQ(stats.getSizeI(), 4u);
    EXPECT_EQ(stats.getSizeJ(), 2u);
    EXPECT_DOUBLE_EQ(stats.getPixelArea(), 6e-12);
    EXPECT_DOUBLE_EQ(stats.getTotalArea(), 8 * 6e-12);
    EXPECT_DOUBLE_EQ(stats.getMinRegionArea(), 4 * 6e-12);
    EXPECT_DOUBLE_EQ(stats.getMaxRegionArea(), 4 * 6e-12);
    ASSERT_EQ(stats.getRegions().size(), 2u);
    // Index sizeI j + i; the first region is the one of element (0, 0).
    EXPECT_EQ(stats.getRegions()[0], (std::set<unsigned>{0, 1, 4, 5}));
    EXPECT_EQ(stats.getRegions()[1], (std::set<unsigned>{2, 3, 6, 7}));
}

TEST(regionStatistics, fieldWithoutElementsHasNoRegions)
{
    regionStatistics stats(complexField(0, 0, {}));
    EXPECT_EQ(stats.getRegionCount(), 0u);
    EXPECT_EQ(stats.getMinRegionSize(), 0u);
    EXPECT_EQ(stats.getMaxRegionSize(), 0u);
    EXPECT_DOUBLE_EQ(stats.getMinRegionArea(), 0.0);
}
