// Tests of the internal edition's DOE design for a picture: tile and level limits, the target
// amplitude with its centre shift, the signal check and whole designs with and without rounds.
#include "lab/design/doeFromBitmap.h"

#include "design/designOperations.h"
#include "fields/specialFunctions.h"
#include "tests/design/designTestFields.h"

#include <limits>

using namespace designTest;

TEST(labDoeFromBitmap, limitsOfTheDialog)
{
    const struct
    {
        int width, height, expected;
    } minimum[] = {{24, 20, 28}, {300, 200, 360}, {213, 213, 255}, {20, 251, 301}, {1, 1, 1}};
    for (const auto& c : minimum) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ(iftaMinimumTileSize(c.width, c.height), c.expected);
    }
    EXPECT_EQ(iftaMaximumTileSize(1920, 1080), 864);
    EXPECT_EQ(iftaMaximumTileSize(1280, 1024), 819);
    EXPECT_EQ(iftaMaximumTileSize(1000, 1999), 800);

    const struct
    {
        int phase0, phase2Pi, expected;
    } levels[] = {{0, 255, 256}, {255, 0, 254}, {10, 10, 1}, {200, 50, 149}, {0, 0, 1}};
    for (const auto& c : levels) {
        SCOPED_TRACE(testing::Message() << c.phase0 << " .. " << c.phase2Pi);
        EXPECT_EQ(iftaMaximumPhaseLevels(c.phase0, c.phase2Pi), c.expected);
    }
}

// One element of 16 at the centre (4, 3) of an 8 x 6 picture, on a 10 x 10 tile: padded to
// (5, 5), shifted, divided by the envelope s(i, j) = sinc((i - 5) / 10) sinc((j - 5) / 10)
// relative to s(0, 0) = sinc(-1/2)^2, and moved to transform order.
TEST(labDoeFromBitmap, targetIsPaddedShiftedCompensatedAndInTransformOrder)
{
    RealField picture = realField(8, 6);
    picture->setValue(4, 3, 16.0f);
    const double reference = std::pow(sinc(-0.5), 2);
    const struct
    {
        bool intensity;
        int shiftX, shiftY;
        int i, j; // where the element lands
        double value;
    } cases[] = {
        {true, 0, 0, 0, 0, 4.0 * reference},
        {false, 0, 0, 0, 0, 16.0 * reference},
        {true, 3, 0, 3, 0, 4.0 * reference / sinc(0.3)},
        {true, -2, 4, 8, 4, 4.0 * reference / (sinc(-0.2) * sinc(0.4))},
        {true, 0, -5, 0, 5, 4.0 * reference / sinc(-0.5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "intensity " << c.intensity << ", shift (" << c.shiftX
                                        << ", " << c.shiftY << ")");
        const RealField target = iftaTargetAmplitude(*picture, 10, c.intensity, c.shiftX, c.shiftY);
        ASSERT_EQ(target->getSizeI(), 10);
        ASSERT_EQ(target->getSizeJ(), 10);
        for (int j = 0; j < 10; ++j)
            for (int i = 0; i < 10; ++i)
                if (i == c.i && j == c.j)
                    EXPECT_NEAR(target->getValue(i, j), c.value, 1e-5);
                else
                    EXPECT_EQ(target->getValue(i, j), 0.0f) << "(" << i << ", " << j << ")";
    }
    EXPECT_EQ(picture->getValue(4, 3), 16.0f); // the picture is not changed

    // A tile smaller than the picture crops it around the centre; the envelope is the tile's.
    const RealField cropped = iftaTargetAmplitude(*picture, 3, true, 0, 0);
    EXPECT_NEAR(cropped->getValue(0, 0), 4.0 * std::pow(sinc(-1.0 / 3.0), 2), 1e-5);
}

TEST(labDoeFromBitmap, aTargetNeedsPowerAndAnElementAtTheThreshold)
{
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const struct
    {
        const char* name;
        std::vector<float> values;
        bool usable;
    } cases[] = {
        {"black", {0, 0, 0, 0}, false},
        {"below the threshold", {5e-5f, 9e-5f, 0, 0}, false},
        {"negative only", {-1.0f, 0, 0, 0}, false},
        {"one element at the threshold", {0, 1e-4f, 0, 0}, true},
        {"a NaN", {1.0f, nan, 0, 0}, false},
        {"an infinity", {1.0f, inf, 0, 0}, false},
        {"ordinary", {0.5f, 0.25f, 0, 2.0f}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(iftaTargetHasSignal(*realField(2, 2, c.values)), c.usable);
        if (!c.usable) {
            EXPECT_FALSE(designDoeByIfta(realField(2, 2, c.values), iftaParameters()));
        }
    }
    EXPECT_FALSE(designDoeByIfta(RealField(), iftaParameters()));
}

namespace {

// An off-centre bar and a spot on a 14 x 9 grid (no power of two), in transform order.
RealField barAndSpot()
{
    RealField target = realField(14, 9);
    for (int i = 2; i < 6; ++i)
        target->setValue(i, 2, 1.0f);
    target->setValue(10, 6, 0.7f);
    return target;
}

} // namespace

// Without rounds the DOE is the start: the random-phase target taken back and made phase only.
TEST(labDoeFromBitmap, withoutRoundsTheDoeIsThePhaseOnlyStart)
{
    iftaParameters none;
    none.iterationsPhaseI = none.iterationsPhaseII = none.iterationsPhaseIII = 0;
    const RealField target = barAndSpot();
    withinOneSecond([&] {
        const ComplexField doe = designDoeByIfta(target, none);
        ComplexField start = randomPhaseField(target);
        start->ifft();
        start->makePhaseOnly();
        ASSERT_TRUE(doe);
        expectFieldsNear(*doe, *start, 0.0);
    });
}

TEST(labDoeFromBitmap, designsQuantiseOnlyWithPhaseThree)
{
    const struct
    {
        int first, second, third, levels;
    } cases[] = {{10, 10, 10, 64}, {2, 3, 1, 5}, {10, 10, 0, 8}, {0, 0, 0, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << "/" << c.second << "/" << c.third << ", "
                                        << c.levels << " levels");
        iftaParameters p;
        p.iterationsPhaseI = c.first;
        p.iterationsPhaseII = c.second;
        p.iterationsPhaseIII = c.third;
        p.phaseLevels = c.levels;
        const RealField target = barAndSpot();
        const ComplexField doe = designDoeByIfta(target, p);
        ASSERT_TRUE(doe);
        ASSERT_EQ(doe->getSizeI(), 14);
        ASSERT_EQ(doe->getSizeJ(), 9);
        for (int j = 0; j < 9; ++j)
            for (int i = 0; i < 14; ++i)
                ASSERT_NEAR(modulusOf(doe->getValue(i, j)), 1.0, 1e-5);
        if (c.third > 0) {
            const double step = 2.0 * pi / c.levels;
            for (int j = 0; j < 9; ++j)
                for (int i = 0; i < 14; ++i) {
                    const double k = (phaseOf(doe->getValue(i, j)) + pi) / step;
                    EXPECT_NEAR(k, std::round(k), 1e-4) << "(" << i << ", " << j << ")";
                }
        } else {
            EXPECT_GT(distinctPhases(doe), c.levels);
        }
        if (c.first + c.second > 0) {
            // The far field puts most of its power on the target's elements.
            const ComplexField far = doe->fftCopy();
            double inside = 0.0, total = 0.0;
            for (int j = 0; j < 9; ++j)
                for (int i = 0; i < 14; ++i) {
                    const double power = std::pow(modulusOf(far->getValue(i, j)), 2);
                    total += power;
                    if (target->getValue(i, j) > 0.0f)
                        inside += power;
                }
            EXPECT_GT(inside / total, 0.6);
        }
    }
}
