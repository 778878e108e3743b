// Tests of the signal-order summary: counts, the zero-order remark, per-quadrant and overall
// extremes with their ties, the report text, and the orders of the middle elements.
#include "design/signalGeometry.h"

#include "designTestFields.h"

using namespace designTest;

namespace {

// A target with the value 1 at the given elements.
RealField signalsAt(int sizeI, int sizeJ, const std::vector<std::pair<int, int>>& elements)
{
    RealField target = realField(sizeI, sizeJ);
    for (const auto& e : elements)
        target->setValue(e.first, e.second, 1.0f);
    return target;
}

struct Extent
{
    int highestNx, highestNy, highestAngleNx, highestAngleNy;
    int lowestNx, lowestNy, lowestAngleNx, lowestAngleNy;
};

void expectExtent(const signalGeometry::orderExtent& actual, const Extent& expected)
{
    EXPECT_EQ(actual.highestNx, expected.highestNx);
    EXPECT_EQ(actual.highestNy, expected.highestNy);
    EXPECT_EQ(actual.highestAngleNx, expected.highestAngleNx);
    EXPECT_EQ(actual.highestAngleNy, expected.highestAngleNy);
    EXPECT_EQ(actual.lowestNx, expected.lowestNx);
    EXPECT_EQ(actual.lowestNy, expected.lowestNy);
    EXPECT_EQ(actual.lowestAngleNx, expected.lowestAngleNx);
    EXPECT_EQ(actual.lowestAngleNy, expected.lowestAngleNy);
}

} // namespace

// Orders (0, 0) and (-1, 0): quadrants 1 and 2; the others keep their starting values.
TEST(signalGeometry, twoOrdersGiveQuadrantSummariesAndTheReport)
{
    signalGeometry geometry(signalsAt(4, 4, {{0, 0}, {3, 0}}));
    geometry.analyze();
    EXPECT_EQ(geometry.getSignalOrderCount(), 2);
    EXPECT_TRUE(geometry.isZeroOrderSignal());
    expectExtent(geometry.overall(), {-1, 0, -1, 0, 0, 0, 0, 0});
    expectExtent(geometry.quadrant(1), {0, 0, 0, 0, 0, 0, 0, 0});
    expectExtent(geometry.quadrant(2), {-1, 0, -1, 0, -1, 0, -1, 0});
    expectExtent(geometry.quadrant(3), {0, 0, 0, 0, 4, 4, 4, 4});
    expectExtent(geometry.quadrant(4), {0, 0, 0, 0, 4, 4, 4, 4});

    std::string expected = "\nSignal is represented by 2 signal orders, including the 0-th order."
                           "\n\n\n"
                           "Highest order in X direction: -1\n"
                           "Highest order in Y direction: 0\n"
                           "Order with highest diffraction angle: [-1,0].\n"
                           "Lowest order in X direction: 0\n"
                           "Lowest order in Y direction: 0\n"
                           "Order with lowest diffraction angle: [0,0].\n\n";
    const char* blocks[4][6] = {
        {"0", "0", "[0,0]", "0", "0", "[0,0]"},
        {"-1", "0", "[-1,0]", "-1", "0", "[-1,0]"},
        {"0", "0", "[0,0]", "4", "4", "[4,4]"},
        {"0", "0", "[0,0]", "4", "4", "[4,4]"},
    };
    for (int q = 0; q < 4; ++q) {
        const std::string prefix = "Quadrant " + std::to_string(q + 1) + " - ";
        expected += prefix + "Highest order in X direction: " + blocks[q][0] + "\n";
        expected += prefix + "Highest order in Y direction: " + blocks[q][1] + "\n";
        expected += prefix + "Order with highest diffraction angle: " + blocks[q][2] + ".\n";
        expected += prefix + "Lowest order in X direction: " + blocks[q][3] + "\n";
        expected += prefix + "Lowest order in Y direction: " + blocks[q][4] + "\n";
        expected += prefix + "Order with lowest diffraction angle: " + blocks[q][5] + ".\n\n";
    }
    expected += "\n";
    EXPECT_EQ(geometry.report(), expected);
}

// 8 x 8: orders (2, 1) and (3, 3) in quadrant 1, (-2, 0) in 2, (-3, -2) in 3, (1, -1) in 4.
TEST(signalGeometry, overallExtremesPreferThePositiveOrderOnTies)
{
    RealField target = signalsAt(8, 8, {{2, 1}, {6, 0}, {5, 6}, {1, 7}, {3, 3}});
    target->setValue(0, 0, 1e-8f); // not above the threshold
    signalGeometry geometry(target);
    geometry.analyze();
    EXPECT_EQ(geometry.getSignalOrderCount(), 5);
    EXPECT_FALSE(geometry.isZeroOrderSignal());
    expectExtent(geometry.quadrant(1), {3, 3, 3, 3, 2, 1, 2, 1});
    expectExtent(geometry.quadrant(2), {-2, 0, -2, 0, -2, 0, -2, 0});
    expectExtent(geometry.quadrant(3), {-3, -2, -3, -2, -3, -2, -3, -2});
    expectExtent(geometry.quadrant(4), {1, -1, 1, -1, 1, -1, 1, -1});
    // Highest nx: 3 and -3 tie, 3 wins. Lowest angle: (1, -1) with r^2 = 2.
    expectExtent(geometry.overall(), {3, 3, 3, 3, 1, 0, 1, -1});
}

TEST(signalGeometry, fieldWithoutSignalHasNoZeroOrderRemark)
{
    signalGeometry geometry(realField(5, 3, {}, 1e-9f));
    geometry.analyze();
    EXPECT_EQ(geometry.getSignalOrderCount(), 0);
    EXPECT_FALSE(geometry.isZeroOrderSignal());
    const std::string report = geometry.report();
    EXPECT_EQ(report.substr(0, 45), "\nSignal is represented by 0 signal orders\n\nHi");
    EXPECT_NE(report.find("\nLowest order in X direction: 5\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\nQuadrant 3 - Order with lowest diffraction angle: [5,3].\n"),
              std::string::npos)
        << report;
}

// A single signal order gives every overall and quadrant figure that order. Element N / 2 of an
// even size N stands for order -N / 2; an odd size ends its positive orders at (N - 1) / 2.
TEST(signalGeometry, elementHalfOfAnEvenSizeIsTheNegativeOrder)
{
    struct Case
    {
        const char* name;
        int sizeI, sizeJ;
        int i, j;
        int nx, ny;
        int quadrant;
    };
    const Case cases[] = {
        {"even i half", 8, 6, 4, 0, -4, 0, 2},
        {"even j half", 8, 6, 0, 3, 0, -3, 4},
        {"both even halves", 8, 6, 4, 3, -4, -3, 3},
        {"one below both even halves", 8, 6, 3, 2, 3, 2, 1},
        {"last positive orders of odd sizes", 7, 5, 3, 2, 3, 2, 1},
        {"first negative orders of odd sizes", 7, 5, 4, 3, -3, -2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        signalGeometry geometry(signalsAt(c.sizeI, c.sizeJ, {{c.i, c.j}}));
        geometry.analyze();
        EXPECT_EQ(geometry.getSignalOrderCount(), 1);
        const Extent order = {c.nx, c.ny, c.nx, c.ny, c.nx, c.ny, c.nx, c.ny};
        expectExtent(geometry.quadrant(c.quadrant), order);
        expectExtent(geometry.overall(), order);
    }
}
