// Tests of the design operations: row sums, coefficients, efficiency, lens field, random phases,
// binarisation, quantisation and the sinc pre-compensation.
#include "design/designOperations.h"

#include "base/phasedeckGlobals.h"
#include "base/phasedeckRandom.h"
#include "design/randomPhase.h"
#include "design/signalOrderList.h"
#include "designTestFields.h"
#include "fields/specialFunctions.h"
#include "support/messageRecorder.h"

#include <complex>
#include <cstring>
#include <ctime>

using namespace designTest;

namespace {

// A field of the given moduli (all 2 when empty) and phases, i fastest.
ComplexField phaseField(int sizeI, int sizeJ, const std::vector<double>& phases,
                        double modulus = 2.0)
{
    std::vector<complexFloat> values;
    for (double phase : phases)
        values.push_back(phasor(modulus, phase));
    return complexField(sizeI, sizeJ, values);
}

} // namespace

TEST(designOperations, runningSumAndDifferencesOfRowZero)
{
    struct Case
    {
        std::vector<float> row;
        std::vector<float> sums;
        std::vector<float> steps;
    };
    const Case cases[] = {{{1, 2, 3, 4}, {1, 3, 6, 10}, {1, 1, 1, 1}},
                          {{5}, {5}, {5}},
                          {{-1, 0.5f, 0.5f}, {-1, -0.5f, 0}, {-1, 1.5f, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row.size());
        const int n = int(c.row.size());
        // A second row that must not be read.
        std::vector<float> values = c.row;
        values.insert(values.end(), c.row.size(), 100.0f);
        RealField f = realField(n, 2, values, 0.0f, 3.0, 4.0);
        RealField sums = runningSum(f);
        RealField steps = differences(f);
        for (RealField result : {sums, steps}) {
            ASSERT_EQ(result->getSizeI(), n);
            ASSERT_EQ(result->getSizeJ(), 1);
            EXPECT_EQ(result->getDx(), opticalParameters.defaultPixelSizeX);
        }
        for (int i = 0; i < n; ++i) {
            EXPECT_FLOAT_EQ(sums->getValue(i, 0), c.sums[std::size_t(i)]);
            EXPECT_FLOAT_EQ(steps->getValue(i, 0), c.steps[std::size_t(i)]);
        }
        // Differences undo the running sum.
        RealField back = differences(sums);
        for (int i = 0; i < n; ++i)
            EXPECT_NEAR(back->getValue(i, 0), c.row[std::size_t(i)], 1e-6);
    }
}

TEST(designOperations, fourierCoefficientSumsTheUncentredPhases)
{
    // z = exp(-i (fx x + fy y)) with x = i dx, y = j dy puts every term in phase: the sum is N.
    const int sizeI = 5, sizeJ = 3;
    const double dx = 2e-6, dy = 3e-6, fx = 1.1e5, fy = -4.0e4;
    std::vector<double> phases;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            phases.push_back(-(fx * i * dx + fy * j * dy));
    ComplexField f = phaseField(sizeI, sizeJ, phases, 1.0);
    f->setPixelSize(dx, dy);
    expectComplexNear(fourierCoefficient(f, fx, fy), {15.0f, 0.0f}, 1e-5);
    // The sign of the kernel is +: the opposite frequency sees twice the phase.
    std::complex<double> expected = 0.0;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            expected += std::polar(1.0, -2.0 * (fx * i * dx + fy * j * dy));
    const complexFloat opposite = fourierCoefficient(f, -fx, -fy);
    EXPECT_NEAR(opposite.re, expected.real(), 1e-5);
    EXPECT_NEAR(opposite.im, expected.imag(), 1e-5);
    expectComplexNear(fourierCoefficient(complexField(4, 4, {}), fx, fy), {0, 0}, 0.0);
}

TEST(designOperations, complexOverlapIsTheLeastSquaresFactor)
{
    ComplexField a = randomComplexField(4, 3, 1);
    const std::complex<double> factor(0.5, -2.0);
    ComplexField b = complexField(4, 3, {});
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i) {
            const complexFloat z = a->getValue(i, j);
            const std::complex<double> w = factor * std::complex<double>(z.re, z.im);
            b->setValue(i, j, {float(w.real()), float(w.imag())});
        }
    expectComplexNear(overlapCoefficient(*a, *b), {0.5f, -2.0f}, 1e-5);

    // A larger b is read at its own elements (i, j).
    ComplexField wide = randomComplexField(7, 5, 2);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i)
            wide->setValue(i, j, b->getValue(i, j));
    expectComplexNear(overlapCoefficient(*a, *wide), {0.5f, -2.0f}, 1e-5);

    ComplexField zero = complexField(4, 3, {});
    expectComplexNear(overlapCoefficient(*zero, *b), {0.0f, 0.0f}, 0.0);
}

TEST(designOperations, realOverlapIsTheLeastSquaresFactor)
{
    RealField a = realField(3, 2, {1, -2, 3, 0.5f, 0, 4});
    RealField b = realField(3, 2, {-3, 6, -9, -1.5f, 0, -12});
    DataField2D& ra = *a;
    DataField2D& rb = *b;
    EXPECT_NEAR(overlapCoefficient(ra, rb), -3.0, 1e-12);
    RealField wide = realField(5, 4, {}, 7.0f);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i)
            wide->setValue(i, j, b->getValue(i, j));
    EXPECT_NEAR(overlapCoefficient(ra, *wide), -3.0, 1e-12);
    EXPECT_EQ(overlapCoefficient(*realField(3, 2), rb), 0.0);
}

TEST(designOperations, overlapOfASmallerSecondFieldReadsNothing)
{
    MessageRecorder boxes;
    ComplexField a = randomComplexField(8, 8, 3);
    ComplexField narrow = randomComplexField(2, 8, 4);
    ComplexField short_ = randomComplexField(8, 2, 5);
    expectComplexNear(overlapCoefficient(*a, *narrow), {0, 0}, 0.0);
    expectComplexNear(overlapCoefficient(*a, *short_), {0, 0}, 0.0);
    RealField ra = realField(6, 6, {}, 1.0f);
    RealField rb = realField(6, 1, {}, 1.0f);
    EXPECT_EQ(overlapCoefficient(*ra, *rb), 0.0);
    ASSERT_EQ(boxes.messages().size(), 3u);
    for (const RecordedMessage& box : boxes.messages()) {
        EXPECT_EQ(box.caption, QStringLiteral("Error!"));
        EXPECT_TRUE(box.text.contains(QLatin1String("overlapCoefficient")))
            << box.text.toStdString();
    }
}

TEST(designOperations, diffractionEfficiencyOfPlaneWaves)
{
    // 8 x 8 grid, pitch 1 um: frequency k / (8 um) is k cycles across the grid.
    const double pitch = 1e-6;
    auto frequency = [&](int k) { return float(k / (8 * pitch)); };
    auto newGrid = [&] { return complexField(8, 8, {}, pitch, pitch); };
    auto orderAt = [&](int kx, int ky) {
        signalOrder o;
        o.fx = frequency(kx);
        o.fy = frequency(ky);
        o.targetAmplitude = 1;
        return o;
    };

    ComplexField one = newGrid();
    one->setPlaneWave(double(frequency(2)), double(frequency(-1)), complexFloat{1, 0});
    ComplexField two = newGrid();
    two->setPlaneWave(double(frequency(2)), double(frequency(-1)), complexFloat{1, 0});
    two->addPlaneWave(double(frequency(-3)), double(frequency(0)), complexFloat{0, 1});

    struct Case
    {
        const char* name;
        ComplexField field;
        std::vector<std::pair<int, int>> orders;
        double expected;
    };
    const Case cases[] = {{"all power in the listed order", one, {{2, -1}}, 1.0},
                          {"an empty order adds nothing", one, {{2, -1}, {1, 1}}, 1.0},
                          {"the wrong order", one, {{1, 1}}, 0.0},
                          {"one of two equal waves", two, {{2, -1}}, 0.5},
                          {"both waves", two, {{2, -1}, {-3, 0}}, 1.0},
                          {"zero field", newGrid(), {{0, 0}}, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        signalOrderList list;
        for (const auto& k : c.orders)
            list.addOrder(orderAt(k.first, k.second));
        EXPECT_NEAR(diffractionEfficiency(c.field, list, true), c.expected, 1e-5);
    }

    // Without resampling the stored amplitudes count: 8 of the 64 units of power.
    signalOrderList stored;
    signalOrder o = orderAt(2, -1);
    o.amplitude = {8.0f, 0.0f};
    stored.addOrder(o);
    EXPECT_NEAR(diffractionEfficiency(one, stored, false), 64.0 / (64.0 * 64.0), 1e-7);
    EXPECT_FLOAT_EQ(stored.getSumIntensity(), 64.0f);
    EXPECT_EQ(pixelCount(*one), 64.0);
}

TEST(designOperations, lensFieldWritesEveryElementInTransformOrder)
{
    const double dx = 8e-6, dy = 6e-6, wavelength = 633e-9, fX = 0.2, fY = -0.5;
    const double cx = pi * dx * dx / (wavelength * fX);
    const double cy = pi * dy * dy / (wavelength * fY);
    // The centred index of element i: 0, 1, .., then negative from (n + 1) / 2 on.
    auto centred = [](int i, int n) { return i <= (n - 1) / 2 ? i : i - n; };
    const std::pair<int, int> sizes[] = {{4, 4}, {5, 3}, {1, 1}, {6, 5}, {7, 2}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        ComplexField lens = lensField(size.first, size.second, dx, dy, wavelength, fX, fY);
        ASSERT_EQ(lens->getSizeI(), size.first);
        ASSERT_EQ(lens->getSizeJ(), size.second);
        EXPECT_EQ(lens->getDx(), dx);
        EXPECT_EQ(lens->getDy(), dy);
        for (int j = 0; j < size.second; ++j)
            for (int i = 0; i < size.first; ++i) {
                SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
                const int ci = centred(i, size.first), cj = centred(j, size.second);
                const float phase = float(cx * ci * ci + cy * cj * cj);
                expectComplexNear(lens->getValue(i, j), {std::cos(phase), std::sin(phase)}, 1e-6);
            }
    }
}

TEST(designOperations, lensFieldWithoutFocusIsZeroWithThePitch)
{
    struct Case
    {
        const char* name;
        double wavelength, fX, fY;
    };
    const Case cases[] = {{"wavelength 0", 0.0, 0.1, 0.1},
                          {"negative wavelength", -1e-6, 0.1, 0.1},
                          {"focal length x 0", 633e-9, 0.0, 0.1},
                          {"focal length y 0", 633e-9, 0.1, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComplexField lens = lensField(3, 4, 2e-6, 5e-6, c.wavelength, c.fX, c.fY);
        EXPECT_EQ(lens->getDx(), 2e-6);
        EXPECT_EQ(lens->getDy(), 5e-6);
        expectFieldsNear(*lens, *complexField(3, 4, {}), 0.0);
    }
}

TEST(designOperations, randomPhaseFieldDrawsOnePhasePerElementFromTheClockSeed)
{
    RealField amplitude = realField(3, 2, {1, 2, 0, 0.5f, 4, 3}, 0.0f, 5e-6, 7e-6);
    ComplexField field;
    ComplexField again;
    std::vector<double> expectedPhases;
    withinOneSecond([&] {
        field = randomPhaseField(amplitude);
        again = randomPhaseField(amplitude);
        expectedPhases.clear();
        phasedeckSrand(unsigned(std::time(nullptr)));
        for (int k = 0; k < 6; ++k)
            expectedPhases.push_back(phasedeckRand() * pi * 2.0 / 32767.0);
    });
    ASSERT_EQ(field->getSizeI(), 3);
    ASSERT_EQ(field->getSizeJ(), 2);
    EXPECT_EQ(field->getDx(), 5e-6);
    EXPECT_EQ(field->getDy(), 7e-6);
    EXPECT_EQ(field->getDomainFlag(), 0);
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
            const float a = amplitude->getValue(i, j);
            expectComplexNear(field->getValue(i, j),
                              phasor(a, expectedPhases[std::size_t(3 * j + i)]), 4e-6);
            EXPECT_EQ(field->getValue(i, j).re, again->getValue(i, j).re);
            EXPECT_EQ(field->getValue(i, j).im, again->getValue(i, j).im);
        }
    EXPECT_EQ(amplitude->getValue(1, 0), 2.0f);
}

// The draws go to the elements in the amplitude's order, j outside, over whole lines of any
// length: the field is drawRandomPhasor() times the amplitude, element by element, bit for bit.
TEST(designOperations, randomPhaseFieldIsThePhasorDrawTimesTheAmplitudeInElementOrder)
{
    for (const auto& sizes : {std::pair<int, int>{300, 7}, {1, 600}, {257, 3}}) {
        SCOPED_TRACE(testing::Message() << sizes.first << " x " << sizes.second);
        std::vector<float> values(std::size_t(sizes.first * sizes.second));
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = float(k % 7) * 0.25f;
        RealField amplitude = realField(sizes.first, sizes.second, values);
        ComplexField field;
        std::vector<complexFloat> expected;
        withinOneSecond([&] {
            field = randomPhaseField(amplitude);
            seedRandomPhasesFromClock();
            expected.clear();
            for (int j = 0; j < sizes.second; ++j)
                for (int i = 0; i < sizes.first; ++i)
                    expected.push_back(drawRandomPhasor() * amplitude->getValue(i, j));
        });
        for (int j = 0; j < sizes.second; ++j)
            for (int i = 0; i < sizes.first; ++i) {
                const complexFloat z = field->getValue(i, j);
                const complexFloat e = expected[std::size_t(sizes.first * j + i)];
                ASSERT_TRUE(z.re == e.re && z.im == e.im) << "(" << i << ", " << j << ")";
            }
    }
}

TEST(designOperations, randomPhasesKeepTheModulus)
{
    const ComplexField original = randomComplexField(5, 4, 7);
    ComplexField applied = copyOf(original);
    applyRandomPhase(applied);
    complexDataField2D& ref = *original;
    const complexDataField2D randomized = randomizePhase(ref);
    ComplexField unit = randomPhaseField(5, 4);
    EXPECT_EQ(unit->getDx(), opticalParameters.defaultPixelSizeX);
    int moved = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 5; ++i) {
            const double m = modulusOf(original->getValue(i, j));
            EXPECT_NEAR(modulusOf(applied->getValue(i, j)), m, 1e-5);
            EXPECT_NEAR(modulusOf(randomized.getValue(i, j)), m, 1e-5);
            EXPECT_NEAR(modulusOf(unit->getValue(i, j)), 1.0, 1e-6);
            if (phaseDistance(phaseOf(randomized.getValue(i, j)), phaseOf(original->getValue(i, j)))
                > 1e-3)
                ++moved;
        }
    EXPECT_GT(moved, 10);
}

TEST(designOperations, fillWithRandomPhaseRefusesASmallerOutput)
{
    MessageRecorder boxes;
    RealField amplitude = realField(4, 4, {}, 1.0f);
    ComplexField out = complexField(4, 3, {});
    fillWithRandomPhase(amplitude, out);
    ASSERT_EQ(boxes.messages().size(), 1u);
    expectFieldsNear(*out, *complexField(4, 3, {}), 0.0);
}

TEST(designOperations, hermitianRandomPhasesPairMirroredElements)
{
    const std::pair<int, int> sizes[] = {{4, 4}, {6, 5}, {3, 3}, {5, 2}};
    for (const auto& size : sizes) {
        const int sizeI = size.first, sizeJ = size.second;
        SCOPED_TRACE(testing::Message() << sizeI << " x " << sizeJ);
        ComplexField f = randomComplexField(sizeI, sizeJ, 11);
        // Unit moduli first: every visited pair is then a conjugate pair.
        ComplexField unit = copyOf(f);
        unit->makePhaseOnly();
        const complexDataField2D paired = randomizePhaseHermitian(*unit);
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i) {
                SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
                const complexFloat z = paired.getValue(i, j);
                if (sizeJ % 2 == 0 && j == sizeJ / 2) {
                    // Neither visited nor mirrored: the input value.
                    EXPECT_EQ(z.re, unit->getValue(i, j).re);
                    EXPECT_EQ(z.im, unit->getValue(i, j).im);
                    continue;
                }
                const int mi = (sizeI - i) % sizeI, mj = (sizeJ - j) % sizeJ;
                EXPECT_NEAR(modulusOf(z), 1.0, 1e-6);
                if (mi == i && mj == j)
                    continue; // its own mirror
                expectComplexNear(paired.getValue(mi, mj), conj(z), 1e-6);
            }
    }

    // The mirrored element takes the modulus of the visited one.
    ComplexField f = complexField(2, 3, {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}});
    const complexDataField2D paired = randomizePhaseHermitian(*f);
    // Column 1 (j = 1 < 2) is visited; its mirrors lie in column 2.
    EXPECT_NEAR(modulusOf(paired.getValue(0, 2)), 3.0, 1e-5);
    EXPECT_NEAR(modulusOf(paired.getValue(1, 2)), 4.0, 1e-5);
}

TEST(designOperations, binarizePhasePartiallySnapsToZeroAndPi)
{
    struct Case
    {
        double phase;
        double fraction;
        double expected;
    };
    const Case cases[] = {
        {-3.0, 0.1, pi},    // b = 2.98 < 3: beyond b also for negative phases
        {3.0, 0.1, pi},     //
        {-3.0, 0.05, -3.0}, // b = 3.06: left alone
        {0.1, 0.1, 0.0},    // a = 0.157
        {-0.15, 0.1, 0.0},  //
        {0.2, 0.1, 0.2},    //
        {1.5, 0.9, 1.5},    // a = 1.414 .. b = 1.728: 1.5 is neither
        {1.5, 1.0, 0.0},    // a = b = pi / 2
        {2.0, 1.0, pi},     //
        {1.0, 0.0, 1.0},    // fraction 0 moves nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "phase " << c.phase << ", fraction " << c.fraction);
        ComplexField f = phaseField(1, 1, {c.phase}, 2.0);
        binarizePhasePartially(f, c.fraction);
        EXPECT_NEAR(modulusOf(f->getValue(0, 0)), 1.0, 1e-6);
        EXPECT_LT(phaseDistance(phaseOf(f->getValue(0, 0)), c.expected), 1e-6);
    }
}

TEST(designOperations, binarizePhaseGraduallyMovesPhasesTowardsTheirSide)
{
    struct Case
    {
        double phase;
        double fraction;
        double expected;
    };
    const double h = pi / 2;
    const Case cases[] = {
        {1.0, 0.5, 0.5},                    // a = 0.785: halved once
        {1.5, 0.5, 0.75},                   // halved until <= a
        {0.7, 0.5, 0.7},                    // already below a
        {2.0, 0.5, 2.0 + (pi - 2.0) / 2},   // b = 2.356: one step half-way to pi
        {-2.0, 0.5, -2.0 - (pi - 2.0) / 2}, // towards -pi
        {2.0, 0.2, pi - (pi - 2.0) / 4},    // b = 2.83: two steps
        {1.5, 0.2, 1.5 / 8},                // a = 0.314: halved three times
        {h, 0.5, h},                        // pi / 2 stays
        {1.0, 1.0, 1.0},                    // fraction 1 changes nothing
        {2.0, 1.2, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "phase " << c.phase << ", fraction " << c.fraction);
        ComplexField f = phaseField(1, 1, {c.phase}, 3.0);
        const complexDataField2D result = binarizePhaseGradually(*f, c.fraction);
        EXPECT_NEAR(modulusOf(result.getValue(0, 0)), 3.0, 1e-5);
        EXPECT_NEAR(phaseOf(result.getValue(0, 0)), c.expected, 1e-6);
        EXPECT_NEAR(phaseOf(f->getValue(0, 0)), c.phase, 1e-6); // input unchanged
    }
}

TEST(designOperations, binarizePhaseGraduallyEndsForFractionsAtOrBelowZero)
{
    // With a <= 0 the walks would never reach their stop: they end once a step no longer moves.
    for (double fraction : {0.0, -0.5}) {
        SCOPED_TRACE(fraction);
        ComplexField f = phaseField(3, 1, {1.0, 2.0, -2.5});
        const complexDataField2D result = binarizePhaseGradually(*f, fraction);
        EXPECT_NEAR(phaseOf(result.getValue(0, 0)), 0.0, 1e-6);
        EXPECT_NEAR(std::fabs(phaseOf(result.getValue(1, 0))), pi, 1e-6);
        EXPECT_NEAR(std::fabs(phaseOf(result.getValue(2, 0))), pi, 1e-6);
    }
}

TEST(designOperations, quantizePhasePartiallySnapsWithinTheFraction)
{
    struct Case
    {
        const char* name;
        double phase;
        double fraction;
        int levels;
        double expected;
    };
    const double step4 = pi / 2;     // 4 levels: -pi, -pi/2, 0, pi/2, pi
    const double step256 = pi / 128; // 256 levels
    const Case cases[] = {
        {"near 0, fraction 1", 0.3, 1.0, 4, 0.0},
        {"near pi/2, fraction 1", 1.2, 1.0, 4, step4},
        {"near -pi/2, fraction 1", -1.9, 1.0, 4, -step4},
        {"far from a level, small fraction", 0.3, 0.1, 4, 0.3},
        {"close to a level, small fraction", 0.05, 0.1, 4, 0.0},
        {"fraction 0 snaps nothing", 0.01, 0.0, 4, 0.01},
        {"half-way stays", pi / 4, 1.0, 4, pi / 4},
        {"near +pi goes to level k = N", 3.1, 1.0, 4, pi},
        {"256 levels", 10 * step256 - pi + 0.3 * step256, 1.0, 256, 10 * step256 - pi},
        {"256 levels, above", 0.6 * step256, 1.0, 256, step256},
        {"256 levels, fraction 0.5", 0.3 * step256, 0.5, 256, 0.3 * step256},
        {"256 levels, fraction 0.7", 0.3 * step256, 0.7, 256, 0.0},
        {"one level", 1.0, 1.0, 1, pi},
        {"levels 0 only normalises", 1.0, 1.0, 0, 1.0},
        {"negative levels only normalise", -2.0, 1.0, -3, -2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComplexField f = phaseField(1, 1, {c.phase}, 3.0);
        quantizePhasePartially(f, c.fraction, c.levels);
        EXPECT_NEAR(modulusOf(f->getValue(0, 0)), 1.0, 1e-6);
        EXPECT_LT(phaseDistance(phaseOf(f->getValue(0, 0)), c.expected), 1e-6);
    }
}

TEST(designOperations, quantizedPhaseCopyLeavesTheOriginal)
{
    ComplexField f = randomComplexField(4, 2, 9);
    f->setPixelSize(3e-6, 4e-6);
    f->setDomainFlag(1);
    const ComplexField before = copyOf(f);
    ComplexField q = quantizedPhaseCopy(f, 1.0, 8);
    expectFieldsNear(*f, *before, 0.0);
    EXPECT_EQ(q->getDx(), 3e-6);
    EXPECT_EQ(q->getDy(), 4e-6);
    EXPECT_EQ(q->getDomainFlag(), 1);
    EXPECT_TRUE(q->hasAtMostNValues(8));
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 4; ++i) {
            const double phase = phaseOf(q->getValue(i, j));
            const double k = (phase + pi) / (pi / 4);
            EXPECT_NEAR(k, std::round(k), 1e-5);
            EXPECT_LT(phaseDistance(phase, phaseOf(f->getValue(i, j))), pi / 8 + 1e-6);
        }
}

TEST(designOperations, sincPrecompensationOnFourByFour)
{
    // s(i, j) = sinc((i - 2) / 4) sinc((j - 2) / 4); sinc(1/4) = 0.9003163, sinc(1/2) = 2 / pi;
    // the factor is s(0, 0) / s(i, j) with s(0, 0) = (2 / pi)^2 = 0.4052847.
    struct Case
    {
        int i, j;
        double factor;
    };
    const Case cases[]
        = {{0, 0, 1.0}, {2, 2, 0.4052847}, {1, 2, 0.4501582}, {2, 1, 0.4501582}, {3, 3, 0.5},
           {1, 1, 0.5}, {0, 2, 0.6366198}, {3, 0, 0.7071068}, {0, 1, 0.7071068}};
    std::vector<float> values(16);
    for (int k = 0; k < 16; ++k)
        values[std::size_t(k)] = 1.0f + k;
    values[5] = 0.0f;   // (1, 1) stays 0
    values[10] = -2.0f; // (2, 2): negative values are scaled too
    for (int period : {4, 0}) {
        SCOPED_TRACE(period);
        RealField target = realField(4, 4, values);
        precompensateSincEnvelope(target, period, period, 1.0);
        RealField squared = realField(4, 4, values);
        precompensateSincEnvelopeSquared(squared, period, period, 1.0);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "(" << c.i << ", " << c.j << ")");
            const float v = values[std::size_t(4 * c.j + c.i)];
            EXPECT_NEAR(target->getValue(c.i, c.j), v * c.factor, 2e-6 * std::fabs(v) + 1e-7);
            EXPECT_NEAR(squared->getValue(c.i, c.j), v * c.factor * c.factor,
                        2e-6 * std::fabs(v) + 1e-7);
        }
        EXPECT_EQ(target->getValue(0, 0), values[0]);
        EXPECT_EQ(target->getValue(1, 1), 0.0f);
    }
}

// Element by element the definition, in double with pow for every exponent, bit for bit: odd
// and even sizes, the default and a short period, exponents 1, 2 and 0.5, zeros and negatives.
TEST(designOperations, sincPrecompensationIsTheDefinitionBitForBit)
{
    struct Case
    {
        int sizeI, sizeJ, periodX, periodY;
        double exponent;
    };
    const Case cases[] = {{8, 8, 8, 8, 1.0}, {7, 5, 0, 0, 1.0},   {6, 9, 0, 4, 2.0},
                          {5, 4, 3, 0, 0.5}, {16, 1, 16, 1, 1.0}, {1, 1, 0, 0, 1.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sizeI << " x " << c.sizeJ << ", periods " << c.periodX
                                        << ", " << c.periodY << ", exponent " << c.exponent);
        std::vector<float> values(std::size_t(c.sizeI * c.sizeJ));
        for (std::size_t k = 0; k < values.size(); ++k)
            values[k] = k % 5 == 2 ? 0.0f : (k % 3 == 1 ? -1.5f : 1.0f) * float(k + 1);
        RealField target = realField(c.sizeI, c.sizeJ, values);
        precompensateSincEnvelope(target, c.periodX, c.periodY, c.exponent);
        const double px = c.periodX ? c.periodX : c.sizeI, py = c.periodY ? c.periodY : c.sizeJ;
        auto envelope = [&](int i, int j) {
            return sinc((i - c.sizeI / 2) / px) * sinc((j - c.sizeJ / 2) / py);
        };
        const double reference = std::pow(envelope(0, 0), c.exponent);
        for (int j = 0; j < c.sizeJ; ++j)
            for (int i = 0; i < c.sizeI; ++i) {
                const float v = values[std::size_t(c.sizeI * j + i)];
                const double local = std::pow(envelope(i, j), c.exponent);
                const float expected = v == 0.0f || local == 0.0 ? v : float(reference / local * v);
                const float actual = target->getValue(i, j);
                EXPECT_EQ(std::memcmp(&actual, &expected, sizeof(float)), 0)
                    << "(" << i << ", " << j << "): " << actual << " against " << expected;
            }
    }
}

TEST(designOperations, sincPrecompensationLeavesAVanishingEnvelopeAlone)
{
    // 10 x 1 with period 4: elements 1 and 9 sit at sinc(-+1), whose 20th power underflows to 0;
    // they keep their value instead of becoming infinite.
    RealField target = realField(10, 1, {}, 1.0f);
    precompensateSincEnvelope(target, 4, 1, 20.0);
    EXPECT_EQ(target->getValue(1, 0), 1.0f);
    EXPECT_EQ(target->getValue(9, 0), 1.0f);
    EXPECT_EQ(target->getValue(0, 0), 1.0f);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(std::isfinite(target->getValue(i, 0))) << i;
    // The centre: sinc(-5/4)^20 relative to 1.
    EXPECT_NEAR(target->getValue(5, 0), std::pow(std::sin(1.25 * pi) / (1.25 * pi), 20.0), 1e-18);
}
