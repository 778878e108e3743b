// Polygon outlines: the growable int array, ids, the text form, merging along a shared edge and
// the refusal to merge outlines without one.
#include "fieldio/gdsPolygon.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <vector>

namespace {

using Points = std::vector<std::pair<int, int>>;

Points pointsOf(const gdsPolygon& polygon)
{
    Points result;
    for (int k = 0; k < polygon.pointCount(); ++k)
        result.emplace_back(polygon.point(k).x, polygon.point(k).y);
    return result;
}

TEST(IntArrayTest, GrowsInStepsAndReadingThroughAtLengthens)
{
    intArray a;
    EXPECT_EQ(a.getLast(), -1);
    EXPECT_EQ(a.getCapacity(), 0);
    a.push(5);
    EXPECT_EQ(a.getCapacity(), 8);
    a.at(17) = 9;
    EXPECT_EQ(a.getCapacity(), 24);
    EXPECT_EQ(a.getLast(), 17);
    EXPECT_EQ(a.get(0), 5);
    EXPECT_EQ(a.get(17), 9);
    // Reading element 20 through at() makes it the last one.
    EXPECT_EQ(a.at(20), 0);
    EXPECT_EQ(a.getLast(), 20);
    EXPECT_EQ(a.get(21), 0);
    EXPECT_EQ(a.get(-1), 0);
    EXPECT_EQ(a.getLast(), 20);

    // find: from <= k < last; the last element is not searched.
    intArray b;
    for (int v : {3, 7, 3, 8})
        b.push(v);
    EXPECT_EQ(b.find(3, 0), 0);
    EXPECT_EQ(b.find(3, 1), 2);
    EXPECT_EQ(b.find(8, 0), -1);
    EXPECT_EQ(b.pop(), 8);
    EXPECT_EQ(b.pop(), 3);
    EXPECT_EQ(b.getLast(), 1);

    intArray empty;
    EXPECT_EQ(empty.pop(), 0);
    EXPECT_EQ(empty.getLast(), -1);
}

TEST(GdsPolygonTest, IdsCountUpAndTheLayerKeepsItsLowByte)
{
    const gdsPolygon first(3, {{1, 1}, {1, 0}, {0, 0}, {0, 1}});
    const gdsPolygon second(0x1FF, {{1, 1}, {1, 0}, {0, 0}, {0, 1}});
    EXPECT_GT(first.getId(), 0);
    EXPECT_EQ(second.getId(), first.getId() + 1);
    EXPECT_EQ(second.getLayer(), 0xFF);
    EXPECT_EQ(first.pointCount(), 4);
    EXPECT_EQ(first.getPoints().getLast(), 7);
}

TEST(GdsPolygonTest, PrintsIdPointCountLayerAndPoints)
{
    const gdsPolygon polygon('A', {{3, 1}, {3, 0}, {0, 0}, {0, 1}});
    std::ostringstream out;
    polygon.print(out);
    EXPECT_EQ(out.str(), "[ " + std::to_string(polygon.getId())
                             + ":3:A \n [3, 1]\n [3, 0]\n [0, 0]\n [0, 1]\n]\n");
}

// The test outlines have four or six corners.
std::unique_ptr<gdsPolygon> polygonOf(const Points& p)
{
    if (p.size() == 4)
        return std::unique_ptr<gdsPolygon>(new gdsPolygon(1, {{p[0].first, p[0].second},
                                                              {p[1].first, p[1].second},
                                                              {p[2].first, p[2].second},
                                                              {p[3].first, p[3].second}}));
    return std::unique_ptr<gdsPolygon>(new gdsPolygon(1, {{p[0].first, p[0].second},
                                                          {p[1].first, p[1].second},
                                                          {p[2].first, p[2].second},
                                                          {p[3].first, p[3].second},
                                                          {p[4].first, p[4].second},
                                                          {p[5].first, p[5].second}}));
}

TEST(GdsPolygonTest, MergesThePolygonAboveAlongTheSharedEdge)
{
    struct Case
    {
        const char* name;
        Points below; // a rectangle of the current line
        Points above; // the polygon it takes over
        Points merged;
    };
    const std::vector<Case> cases = {
        {"same columns: both corner pairs drop",
         {{3, 2}, {3, 1}, {0, 1}, {0, 2}},
         {{3, 1}, {3, 0}, {0, 0}, {0, 1}},
         {{3, 2}, {3, 0}, {0, 0}, {0, 2}}},
        {"above reaches further right",
         {{2, 2}, {2, 1}, {0, 1}, {0, 2}},
         {{4, 1}, {4, 0}, {0, 0}, {0, 1}},
         {{2, 2}, {2, 1}, {4, 1}, {4, 0}, {0, 0}, {0, 2}}},
        {"staircase",
         {{4, 2}, {4, 1}, {1, 1}, {1, 2}},
         {{3, 1}, {3, 0}, {0, 0}, {0, 1}},
         {{4, 2}, {4, 1}, {3, 1}, {3, 0}, {0, 0}, {0, 1}, {1, 1}, {1, 2}}},
        // Above: pixel (0, 1) joined to line 0 of three pixels; its free bottom edge under
        // column 1 and 2 starts at corner 1 and ends at corner 2.
        {"shared edge after the first corner",
         {{3, 2}, {3, 1}, {2, 1}, {2, 2}},
         {{1, 2}, {1, 1}, {3, 1}, {3, 0}, {0, 0}, {0, 2}},
         {{3, 2}, {3, 0}, {0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto below = polygonOf(c.below);
        const auto above = polygonOf(c.above);
        EXPECT_TRUE(below->merge(*above));
        EXPECT_EQ(pointsOf(*below), c.merged);
        EXPECT_EQ(pointsOf(*above), c.above);
    }
}

TEST(GdsPolygonTest, OutlinesWithoutSharedEdgeStayApart)
{
    const std::vector<std::pair<Points, Points>> cases = {
        // Above ends left of the rectangle below.
        {{{3, 2}, {3, 1}, {2, 1}, {2, 2}}, {{1, 1}, {1, 0}, {0, 0}, {0, 1}}},
        // Above lies two lines higher.
        {{{3, 3}, {3, 2}, {0, 2}, {0, 3}}, {{3, 1}, {3, 0}, {0, 0}, {0, 1}}},
    };
    for (const auto& [belowPoints, abovePoints] : cases) {
        const auto below = polygonOf(belowPoints);
        const auto above = polygonOf(abovePoints);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(below->merge(*above));
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(pointsOf(*below), belowPoints);
        EXPECT_NE(printed.find("[ " + std::to_string(below->getId()) + ":3:"), std::string::npos);
        EXPECT_NE(printed.find("[ " + std::to_string(above->getId()) + ":3:"), std::string::npos);
    }
}

} // namespace
