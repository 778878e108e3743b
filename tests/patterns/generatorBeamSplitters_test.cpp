// The fixed binary beam-splitter cells.
#include "patterns/patternGenerators.h"

#include "phaseImageChecks.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> runs(std::initializer_list<std::pair<int, int>> lengthsAndValues)
{
    std::vector<int> row;
    for (const auto& [length, value] : lengthsAndValues)
        row.insert(row.end(), static_cast<std::size_t>(length), value);
    return row;
}

std::vector<int> complement(std::vector<int> row)
{
    for (int& v : row)
        v = 128 - v;
    return row;
}

TEST(BeamSplitterCells, DammannLinearGratingIsVerticalStripes)
{
    const QImage cell = linearDammannGratingCell();
    expectPhaseImage(cell, 26, 26);
    const std::vector<int> row = runs({{9, 128}, {7, 0}, {9, 128}, {1, 0}});
    for (int y = 0; y < 26; ++y)
        EXPECT_EQ(phaseRow(cell, y), row) << "row " << y;
}

TEST(BeamSplitterCells, SeparableCellsAreProductsOfTheirProfile)
{
    struct Case
    {
        const char* what;
        QImage cell;
        std::vector<int> bottom; // the profile as levels 128 (+1) and 0 (-1)
    };
    const Case cases[] = {
        {"2x2", separable2x2GratingCell(),
         runs({{1, 128}, {7, 0}, {1, 128}, {1, 0}, {7, 128}, {1, 0}})},
        {"5x5", separable5x5GratingCell(), runs({{9, 128}, {7, 0}, {9, 128}, {1, 0}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int n = static_cast<int>(c.bottom.size());
        expectPhaseImage(c.cell, n, n);
        EXPECT_EQ(phaseRow(c.cell, 0), c.bottom);
        EXPECT_EQ(phaseColumn(c.cell, 0), c.bottom);
        // A row whose own level is -1 is the complement of the bottom row.
        for (int y = 0; y < n; ++y)
            EXPECT_EQ(phaseRow(c.cell, y), c.bottom[y] == 128 ? c.bottom : complement(c.bottom))
                << "row " << y;
    }
    const QImage fiveByFive = separable5x5GratingCell();
    EXPECT_EQ(phasePixel(fiveByFive, 9, 9), 128);
    EXPECT_EQ(phasePixel(fiveByFive, 9, 0), 0);
    const QImage twoByTwo = separable2x2GratingCell();
    EXPECT_EQ(phaseRow(twoByTwo, 1), complement(phaseRow(twoByTwo, 0)));
}

TEST(BeamSplitterCells, NonSeparableCellIsTheStoredPattern)
{
    const QImage cell = nonSeparable5x5GratingCell();
    expectPhaseImage(cell, 26, 26);
    EXPECT_EQ(countPixels(cell, 128), 393);
    EXPECT_EQ(countPixels(cell, 0), 676 - 393);
    EXPECT_EQ(cell.pixelIndex(0, 0), 0);
    EXPECT_EQ(cell.pixelIndex(1, 0), 128);
    EXPECT_EQ(cell.pixelIndex(0, 25), 0);
    // A few whole image lines, top first.
    struct Line
    {
        int line;
        const char* pixels;
    };
    const Line lines[] = {
        {0, ".#######................##"},
        {10, ".#################.#######"},
        {13, "###############.##........"},
        {25, "..########.........#..###."},
    };
    for (const Line& l : lines) {
        SCOPED_TRACE(l.line);
        for (int x = 0; x < 26; ++x)
            EXPECT_EQ(cell.pixelIndex(x, l.line), l.pixels[x] == '#' ? 128 : 0) << "column " << x;
    }
}

} // namespace
