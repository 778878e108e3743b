// GDSII layer images: the exact records of one polygon, stripes, the layer limit, the 200-point
// limit, random images whose polygons must cover every pixel once on its own layer, and corners
// that do not fit 32 bits after scaling.
#include "fieldio/gdsiiStream.h"

#include "support/fileSystemFaults.h"

#include "fieldio/DataSourcePhaseImage2D.h"
#include "fieldioTestSupport.h"
#include "support/gdsiiRecords.h"
#include "support/logLines.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <vector>

namespace {

testing::Environment* const logFolder
    = testing::AddGlobalTestEnvironment(new testLog::LogFolderEnvironment);

using Lines = std::vector<std::vector<int>>;
using Points = std::vector<std::pair<int, int>>;

struct Boundary
{
    int layer = -1;
    Points points; // in pixel units, without the repeated first point
};

// The BOUNDARY elements of a big-endian element stream, coordinates divided by scale; anything
// else fails the test.
std::vector<Boundary> parseBoundaries(const QByteArray& data, int scale)
{
    std::vector<Boundary> result;
    for (const gdsiiTest::Boundary& b : gdsiiTest::decodeBoundaries(data)) {
        EXPECT_EQ(b.datatype, 0);
        Boundary pixels;
        pixels.layer = b.layer;
        for (const auto& [x, y] : b.points) {
            EXPECT_EQ(x % scale, 0);
            EXPECT_EQ(y % scale, 0);
            pixels.points.emplace_back(x / scale, y / scale);
        }
        result.push_back(pixels);
    }
    return result;
}

class GdsiiStreamTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Writes the layer image (gray values = layers) and returns the file's bytes.
    QByteArray write(const Lines& layers, short maxLayer, int scale = 1)
    {
        const QString name = dir.filePath("layers.gds");
        gdsiiStream stream(scale);
        stream.open(name.toStdString(), std::ios::out | std::ios::binary | std::ios::trunc);
        EXPECT_TRUE(stream.good());
        stream.writeLayerImage(
            boost::shared_ptr<DataSource2D>(new DataSourcePhaseImage2D(phaseImageOf(layers))),
            maxLayer);
        EXPECT_FALSE(stream.fail());
        stream.close();
        return fileBytes(name);
    }

    QTemporaryDir dir;
};

TEST_F(GdsiiStreamTest, ReplacingWriteCommitsCompleteStreamsOnly)
{
    const auto source
        = boost::shared_ptr<DataSource2D>(new DataSourcePhaseImage2D(phaseImageOf({{1, 1, 2}})));
    const QString name = dir.filePath("replaced.gds");
    {
        QFile old(name);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    gdsiiStream stream;
    ASSERT_TRUE(stream.openReplacing(name));
    stream.writeLayerImage(source, 255);
    EXPECT_EQ(fileBytes(name), QByteArray("old")) << "untouched until the commit";
    ASSERT_TRUE(stream.commitReplacement());
    EXPECT_EQ(fileBytes(name), write({{1, 1, 2}}, 255));
    EXPECT_FALSE(stream.commitReplacement()) << "once only";

    expectFailedWritesKeepTheOldFile(QStringLiteral("layers.gds"), [&](const QString& folder) {
        gdsiiStream failing;
        if (!failing.openReplacing(folder + QStringLiteral("/layers.gds")))
            return false;
        // Enough polygons to pass the stream's buffer on a full disk.
        QImage stripes = createPhaseImage(2000, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 2000; ++x)
                stripes.scanLine(y)[x] = uchar(x % 2);
        failing.writeLayerImage(
            boost::shared_ptr<DataSource2D>(new DataSourcePhaseImage2D(stripes)), 255);
        return failing.commitReplacement();
    });
    EXPECT_FALSE(gdsiiStream().openReplacing(dir.path())) << "a folder is not replaced";
}

QByteArray bigEndian(std::initializer_list<std::pair<std::uint32_t, int>> fields)
{
    QByteArray bytes;
    for (const auto& [value, size] : fields)
        for (int b = size - 1; b >= 0; --b)
            bytes.append(char((value >> (8 * b)) & 0xFF));
    return bytes;
}

TEST_F(GdsiiStreamTest, OneLayerOfThreeByTwoIsOneScaledPolygon)
{
    QByteArray expected = bigEndian({{4, 2}, {0x0800, 2}}); // BOUNDARY
    expected += bigEndian({{6, 2}, {0x0D02, 2}, {7, 2}});   // LAYER 7
    expected += bigEndian({{6, 2}, {0x0E02, 2}, {0, 2}});   // DATATYPE 0
    expected += bigEndian({{44, 2}, {0x1003, 2}});          // XY of five points
    for (const auto& [x, y] : Points{{3, 2}, {3, 0}, {0, 0}, {0, 2}, {3, 2}})
        expected += bigEndian({{std::uint32_t(x * 1000), 4}, {std::uint32_t(y * 1000), 4}});
    expected += bigEndian({{4, 2}, {0x1100, 2}}); // ENDEL
    EXPECT_EQ(write({{7, 7, 7}, {7, 7, 7}}, 255, 1000).toHex(' '), expected.toHex(' '));
}

TEST_F(GdsiiStreamTest, TwoStripesGiveTwoPolygons)
{
    const auto boundaries = parseBoundaries(write({{1, 2}, {1, 2}, {1, 2}}, 255), 1);
    ASSERT_EQ(boundaries.size(), 2u);
    EXPECT_EQ(boundaries[0].layer, 1);
    EXPECT_EQ(boundaries[0].points, (Points{{1, 3}, {1, 0}, {0, 0}, {0, 3}}));
    EXPECT_EQ(boundaries[1].layer, 2);
    EXPECT_EQ(boundaries[1].points, (Points{{2, 3}, {2, 0}, {1, 0}, {1, 3}}));
}

TEST_F(GdsiiStreamTest, LayersAboveTheLimitAreDropped)
{
    const Lines image = {{200, 200, 200, 200}, {200, 5, 5, 200}, {200, 200, 200, 200}};
    struct Case
    {
        short maxLayer;
        std::vector<int> layers;
    };
    for (const Case& c :
         {Case{255, {5, 200}}, Case{200, {5, 200}}, Case{199, {5}}, Case{4, {}}, Case{-1, {}}}) {
        SCOPED_TRACE(c.maxLayer);
        std::vector<int> layers;
        for (const Boundary& b : parseBoundaries(write(image, c.maxLayer), 1))
            if (layers.empty() || layers.back() != b.layer)
                layers.push_back(b.layer);
        std::sort(layers.begin(), layers.end());
        EXPECT_EQ(layers, c.layers);
    }
}

TEST_F(GdsiiStreamTest, MergingStopsBeforeTwoHundredPoints)
{
    // A staircase three pixels wide on layer 1 over background 9: every line adds four corners.
    const int height = 120;
    Lines image(height, std::vector<int>(height + 2, 9));
    for (int y = 0; y < height; ++y)
        for (int x = y; x < y + 3; ++x)
            image[size_t(y)][size_t(x)] = 1;
    std::vector<size_t> counts;
    for (const Boundary& b : parseBoundaries(write(image, 8), 1))
        counts.push_back(b.points.size());
    // 4 + 4 * 48 corners reach the limit; lines 49 and 98 start new polygons.
    EXPECT_EQ(counts, (std::vector<size_t>{196, 196, 88}));
}

// Pixel centres inside the outline by the even-odd rule (vertical edges right of the centre).
bool covers(const Points& outline, int x, int y)
{
    const double cx = x + 0.5;
    const double cy = y + 0.5;
    bool inside = false;
    for (size_t k = 0; k < outline.size(); ++k) {
        const auto& a = outline[k];
        const auto& b = outline[(k + 1) % outline.size()];
        if (a.first == b.first && a.first > cx && std::min(a.second, b.second) < cy
            && std::max(a.second, b.second) > cy)
            inside = !inside;
    }
    return inside;
}

TEST_F(GdsiiStreamTest, PolygonsCoverEveryPixelOnceOnItsLayer)
{
    std::mt19937 random(12345);
    struct Shape
    {
        int width, height, layers, block;
    };
    for (const Shape& shape :
         {Shape{1, 1, 1, 1}, Shape{9, 1, 3, 1}, Shape{1, 9, 2, 1}, Shape{7, 5, 3, 1},
          Shape{13, 11, 2, 1}, Shape{20, 20, 3, 3}, Shape{31, 17, 2, 4}, Shape{40, 40, 4, 2}}) {
        for (int round = 0; round < 5; ++round) {
            SCOPED_TRACE(testing::Message()
                         << shape.width << " x " << shape.height << " round " << round);
            // Blocks of block x block pixels give longer runs and more merging.
            Lines image(size_t(shape.height), std::vector<int>(size_t(shape.width)));
            for (int y = 0; y < shape.height; ++y)
                for (int x = 0; x < shape.width; ++x) {
                    std::mt19937 cell(
                        unsigned(round * 100003 + (y / shape.block) * 1009 + x / shape.block));
                    image[size_t(y)][size_t(x)] = int(cell() % unsigned(shape.layers)) + 1;
                }
            if (round > 2)
                for (auto& line : image)
                    for (int& v : line)
                        v = int(random() % unsigned(shape.layers)) + 1;
            const auto boundaries = parseBoundaries(write(image, 255, 3), 3);
            std::vector<std::vector<int>> coverage(size_t(shape.height),
                                                   std::vector<int>(size_t(shape.width), 0));
            for (const Boundary& b : boundaries) {
                ASSERT_LT(b.points.size(), 200u);
                for (size_t k = 0; k < b.points.size(); ++k) {
                    // Coordinates back in pixel units; edges alternate vertical, horizontal.
                    const auto& p = b.points[k];
                    const auto& q = b.points[(k + 1) % b.points.size()];
                    ASSERT_TRUE(k % 2 == 0 ? p.first == q.first : p.second == q.second)
                        << "edge " << k;
                }
                for (int y = 0; y < shape.height; ++y)
                    for (int x = 0; x < shape.width; ++x)
                        if (covers(b.points, x, y)) {
                            ++coverage[size_t(y)][size_t(x)];
                            EXPECT_EQ(b.layer, image[size_t(y)][size_t(x)]) << x << ", " << y;
                        }
            }
            for (int y = 0; y < shape.height; ++y)
                for (int x = 0; x < shape.width; ++x)
                    ASSERT_EQ(coverage[size_t(y)][size_t(x)], 1) << x << ", " << y;
        }
    }
}

TEST_F(GdsiiStreamTest, PolygonsWhoseScaledCornersLeaveThe32BitRangeAreRefused)
{
    // Three stripes of two lines: times 1e9 the corners x = 0, 1, 2 and y = 0, 2 fit 32 bits,
    // x = 3 of the third stripe does not.
    testLog::LogTail log;
    const int scale = 1000000000;
    const auto boundaries = parseBoundaries(write({{1, 2, 3}, {1, 2, 3}}, 255, scale), scale);
    ASSERT_EQ(boundaries.size(), 2u);
    EXPECT_EQ(boundaries[0].layer, 1);
    EXPECT_EQ(boundaries[0].points, (Points{{1, 2}, {1, 0}, {0, 0}, {0, 2}}));
    EXPECT_EQ(boundaries[1].layer, 2);
    EXPECT_EQ(boundaries[1].points, (Points{{2, 2}, {2, 0}, {1, 0}, {1, 2}}));
    const std::vector<testLog::LogLine> lines = log.take();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].level, "ERROR: ");
    EXPECT_NE(lines[0].message.find(" of 4 points not written in gdsPolygon::writeGds: "
                                    "coordinate 3 times scale 1000000000 lies outside the 32-bit "
                                    "range."),
              std::string::npos)
        << lines[0].message;
}

TEST_F(GdsiiStreamTest, AnEmptyImageWritesNothing)
{
    gdsiiStream stream;
    EXPECT_EQ(stream.getScale(), 1);
    EXPECT_EQ(stream.isLittleEndian(), 0);
    const QString name = dir.filePath("empty.gds");
    stream.open(name.toStdString(), std::ios::out | std::ios::binary | std::ios::trunc);
    stream.writeLayerImage(boost::shared_ptr<DataSource2D>(new DataSourcePhaseImage2D(QImage())),
                           255);
    stream.writeLayerImage(boost::shared_ptr<DataSource2D>(), 255);
    stream.close();
    EXPECT_TRUE(fileBytes(name).isEmpty());
}

} // namespace
