// Polygon outlines: the growable int array, ids, the text form, merging along a shared edge, the
// refusal to merge outlines without one, and the GDSII records written or refused.
#include "fieldio/gdsPolygon.h"

#include "fieldio/gdsiiStream.h"
#include "fieldioTestSupport.h"
#include "support/gdsiiRecords.h"
#include "support/logLines.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <sstream>
#include <vector>

namespace {

testing::Environment* const logFolder
    = testing::AddGlobalTestEnvironment(new testLog::LogFolderEnvironment);

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

// Writes the polygon through a stream of the given scale and returns the file's bytes.
class GdsPolygonWriteTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        log.take();
    }

    QByteArray write(const gdsPolygon& polygon, int scale, bool expectWritten)
    {
        const QString name = dir.filePath("polygon.gds");
        gdsiiStream stream(scale);
        stream.open(name.toStdString(), std::ios::out | std::ios::binary | std::ios::trunc);
        EXPECT_TRUE(stream.good());
        EXPECT_EQ(polygon.writeGds(stream), expectWritten);
        stream.close();
        EXPECT_FALSE(stream.fail());
        return fileBytes(name);
    }

    // The ERROR line a refused polygon leaves.
    static std::string refusal(const gdsPolygon& polygon, const std::string& reason)
    {
        return "Polygon " + std::to_string(polygon.getId()) + " of "
               + std::to_string(polygon.pointCount())
               + " points not written in gdsPolygon::writeGds: " + reason + ".";
    }

    QTemporaryDir dir;
    testLog::LogTail log;
};

TEST_F(GdsPolygonWriteTest, WritesABoundaryOrRefusesItWhole)
{
    struct Case
    {
        const char* name;
        gdsPolygon* (*make)();
        int scale;
        const char* reason; // nullptr: written
    };
    constexpr int maxInt = std::numeric_limits<std::int32_t>::max();
    constexpr int minInt = std::numeric_limits<std::int32_t>::min();
    const std::vector<Case> cases = {
        {"a rectangle",
         [] {
             return new gdsPolygon(7, {{3, 1}, {3, 0}, {0, 0}, {0, 1}});
         },
         1000, nullptr},
        {"no point", [] { return new gdsPolygon(7, {}); }, 1, "a boundary needs at least 4 points"},
        {"two points",
         [] {
             return new gdsPolygon(7, {{1, 0}, {0, 0}});
         },
         1, "a boundary needs at least 4 points"},
        {"three points",
         [] {
             return new gdsPolygon(7, {{1, 1}, {1, 0}, {0, 0}});
         },
         1, "a boundary needs at least 4 points"},
        {"corners at both ends of the 32-bit range",
         [] {
             return new gdsPolygon(
                 7, {{maxInt, maxInt}, {maxInt, minInt}, {minInt, minInt}, {minInt, maxInt}});
         },
         1, nullptr},
        {"the largest corner that fits after scaling",
         [] {
             return new gdsPolygon(7, {{2147483, 1}, {2147483, -2147483}, {0, -2147483}, {0, 1}});
         },
         1000, nullptr},
        {"x one more",
         [] {
             return new gdsPolygon(7, {{2147484, 1}, {2147484, 0}, {0, 0}, {0, 1}});
         },
         1000, "coordinate 2147484 times scale 1000 lies outside the 32-bit range"},
        {"y one less",
         [] {
             return new gdsPolygon(7, {{1, 1}, {1, -2147484}, {0, -2147484}, {0, 1}});
         },
         1000, "coordinate -2147484 times scale 1000 lies outside the 32-bit range"},
        {"the smallest int mirrored by a negative scale",
         [] {
             return new gdsPolygon(7, {{1, 1}, {1, minInt}, {0, minInt}, {0, 1}});
         },
         -1, "coordinate -2147483648 times scale -1 lies outside the 32-bit range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<gdsPolygon> polygon(c.make());
        const QByteArray bytes = write(*polygon, c.scale, c.reason == nullptr);
        const std::vector<testLog::LogLine> lines = log.take();
        if (c.reason) {
            EXPECT_TRUE(bytes.isEmpty()) << bytes.size() << " bytes";
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].level, "ERROR: ");
            EXPECT_EQ(lines[0].message, refusal(*polygon, c.reason));
            continue;
        }
        EXPECT_TRUE(lines.empty()) << lines.at(0).message;
        const std::vector<gdsiiTest::Boundary> boundaries = gdsiiTest::decodeBoundaries(bytes);
        ASSERT_EQ(boundaries.size(), 1u);
        EXPECT_EQ(boundaries[0].layer, 7);
        EXPECT_EQ(boundaries[0].datatype, 0);
        gdsiiTest::Points expected;
        for (int k = 0; k < polygon->pointCount(); ++k)
            expected.emplace_back(std::int32_t(std::int64_t(polygon->point(k).x) * c.scale),
                                  std::int32_t(std::int64_t(polygon->point(k).y) * c.scale));
        EXPECT_EQ(boundaries[0].points, expected);
    }
}

// A staircase that narrows by one column a line: line y spans columns 0 .. lines - y, and every
// merge of the next line adds two corners, 4 + 2 * (lines - 1) points in all.
std::unique_ptr<gdsPolygon> narrowingStaircase(int lines)
{
    std::unique_ptr<gdsPolygon> shape(new gdsPolygon(1, {{lines, 1}, {lines, 0}, {0, 0}, {0, 1}}));
    for (int y = 1; y < lines; ++y) {
        const int e = lines - y;
        std::unique_ptr<gdsPolygon> line(
            new gdsPolygon(1, {{e, y + 1}, {e, y}, {0, y}, {0, y + 1}}));
        if (!line->merge(*shape))
            return nullptr;
        shape = std::move(line);
    }
    return shape;
}

TEST_F(GdsPolygonWriteTest, APolygonBeyondOneXYRecordIsRefused)
{
    // 8190 points give the XY record length 8 * 8191 + 4 = 65532; 8192 would need 65548.
    for (const int points : {maxXYPoints, maxXYPoints + 2}) {
        SCOPED_TRACE(points);
        const std::unique_ptr<gdsPolygon> polygon = narrowingStaircase((points - 4) / 2 + 1);
        ASSERT_TRUE(polygon);
        ASSERT_EQ(polygon->pointCount(), points);
        const bool fits = points <= maxXYPoints;
        const QByteArray bytes = write(*polygon, 1, fits);
        const std::vector<testLog::LogLine> lines = log.take();
        if (!fits) {
            EXPECT_TRUE(bytes.isEmpty()) << bytes.size() << " bytes";
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].level, "ERROR: ");
            EXPECT_EQ(lines[0].message,
                      refusal(*polygon, "one XY record holds at most 8190 points"));
            continue;
        }
        EXPECT_TRUE(lines.empty());
        const std::vector<gdsiiTest::Record> records = gdsiiTest::decodeRecords(bytes);
        ASSERT_EQ(records.size(), 5u);
        EXPECT_EQ(records[3].length, 65532);
        const std::vector<gdsiiTest::Boundary> boundaries = gdsiiTest::decodeBoundaries(bytes);
        ASSERT_EQ(boundaries.size(), 1u);
        ASSERT_EQ(boundaries[0].points.size(), std::size_t(points));
        for (int k = 0; k < points; ++k)
            ASSERT_EQ(boundaries[0].points[std::size_t(k)],
                      std::make_pair(polygon->point(k).x, polygon->point(k).y))
                << "point " << k;
    }
}

} // namespace
