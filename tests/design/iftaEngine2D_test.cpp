// Tests of the IFTA engine: the amplitude constraint in both modes, a target without energy, the
// stages against their building blocks and a direct-DFT reference, a spot-array design, the
// agreement of modes 1 and 2 and of the two vector paths.
#include "design/iftaEngine2D.h"

#include "design/designOperations.h"
#include "designTestFields.h"
#include "support/messageRecorder.h"
#include "support/vectorPaths.h"

#include <algorithm>
#include <complex>
#include <string>

// The internal edition has its own engine (tests/lab/iftaEngine2D_test.cpp).
#if !PHASEDECK_LAB

using namespace designTest;

namespace {

constexpr int N = 16;

class iftaEngine : public testing::Test
{
protected:
    ComplexField start(unsigned seed) const { return phaseOnlyStart(N, N, seed); }

    RealField target = blockOfOrders(N, N, 3, 8, 2, 6, 4, 3);
    RealField mask = target->binarize(1e-4f);
};

} // namespace

TEST_F(iftaEngine, targetPowerIsTheSumOfSquares)
{
    const iftaEngine2D engine(target, mask, 1.0f, 2);
    double sum = 0.0;
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i)
            sum += double(target->getValue(i, j)) * target->getValue(i, j);
    EXPECT_NEAR(engine.getTargetPower(), sum, 1e-4);
}

TEST_F(iftaEngine, amplitudeConstraintFitsTheSignalAndScalesTheNoise)
{
    struct Case
    {
        int mode;
        float gamma;
    };
    const Case cases[] = {{2, 1.0f}, {1, 1.0f}, {2, 0.5f}, {1, 0.5f}, {2, 0.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", gamma " << c.gamma);
        iftaEngine2D engine(target, mask, c.gamma, c.mode);
        ComplexField far = randomComplexField(N, N, 21);
        far->setValue(5, 4, {0.0f, 0.0f});  // a zero pixel inside the signal region
        far->setValue(12, 9, {0.0f, 0.0f}); // and one outside
        const ComplexField before = copyOf(far);

        double fit = 0.0, power = 0.0;
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i) {
                const double t = target->getValue(i, j);
                fit += t * mask->getValue(i, j) * modulusOf(before->getValue(i, j));
                power += t * t;
            }
        const double s = fit / power;

        engine.applyAmplitudeConstraint(far);
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i) {
                SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
                const complexFloat z = far->getValue(i, j);
                const complexFloat old = before->getValue(i, j);
                if (old.re == 0.0f && old.im == 0.0f) {
                    EXPECT_EQ(z.re, 0.0f);
                    EXPECT_EQ(z.im, 0.0f);
                    continue;
                }
                const bool signal = mask->getValue(i, j) > 0.5f;
                const double expectedModulus
                    = signal ? s * target->getValue(i, j) : c.gamma * modulusOf(old);
                EXPECT_NEAR(modulusOf(z), expectedModulus, 1e-5);
                if (expectedModulus > 1e-3) {
                    EXPECT_LT(phaseDistance(phaseOf(z), phaseOf(old)), 1e-5);
                }
                if (!signal && c.gamma == 1.0f)
                    expectComplexNear(z, old, 2e-7);
            }
    }
}

TEST_F(iftaEngine, aTargetWithoutEnergyGivesScaleZero)
{
    RealField dark = realField(N, N);
    RealField noSignal = dark->binarize(1e-4f);
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        iftaEngine2D engine(dark, noSignal, 1.0f, mode);
        EXPECT_EQ(engine.getTargetPower(), 0.0f);
        ComplexField far = randomComplexField(N, N, 22);
        const ComplexField before = copyOf(far);
        engine.applyAmplitudeConstraint(far);
        expectFieldsNear(*far, *before, 2e-7);

        ComplexField doe = start(23);
        engine.iterateSecondStage(doe, 2);
        engine.iterateQuantizationStage(doe, 2, 256);
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i)
                EXPECT_NEAR(modulusOf(doe->getValue(i, j)), 1.0, 1e-6);
    }
}

TEST_F(iftaEngine, quantizationStageEndsOnUnitModulusAndPhaseLevels)
{
    struct Case
    {
        int rounds;
        int levels;
    };
    const Case cases[] = {{10, 256}, {1, 256}, {3, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rounds << " rounds, " << c.levels << " levels");
        iftaEngine2D engine(target, mask, 1.0f, 2);
        ComplexField doe = start(31);
        engine.iterateSecondStage(doe, 2);
        engine.iterateQuantizationStage(doe, c.rounds, c.levels);
        EXPECT_TRUE(doe->hasAtMostNValues(c.levels));
        const double step = 2.0 * pi / c.levels;
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i) {
                const complexFloat z = doe->getValue(i, j);
                EXPECT_NEAR(modulusOf(z), 1.0, 1e-6);
                const double k = (phaseOf(z) + pi) / step;
                EXPECT_NEAR(k, std::round(k), 1e-4) << "(" << i << ", " << j << ")";
            }
    }
}

// The levels the last round leaves name every element that sits exactly on a level; the other
// stages drop them, since they no longer describe the field.
TEST_F(iftaEngine, lastQuantizationRoundKeepsTheLevelOfEveryElement)
{
    struct Case
    {
        int rounds;
        int levels;
    };
    const Case cases[] = {{10, 256}, {1, 256}, {3, 8}, {2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rounds << " rounds, " << c.levels << " levels");
        iftaEngine2D engine(target, mask, 1.0f, 2);
        EXPECT_EQ(engine.lastQuantizationLevels(), nullptr);
        ComplexField doe = start(33);
        engine.iterateSecondStage(doe, 2);
        engine.iterateQuantizationStage(doe, c.rounds, c.levels);
        const int* levels = engine.lastQuantizationLevels();
        ASSERT_NE(levels, nullptr);
        ASSERT_EQ(engine.lastQuantizationLevelCount(), doe->elementCount());
        int snapped = 0;
        for (int j = 0; j < N; ++j)
            for (int i = 0; i < N; ++i) {
                SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
                const int k = levels[doe->elementIndex(i, j)];
                ASSERT_GE(k, -1);
                ASSERT_LE(k, c.levels);
                if (k < 0)
                    continue;
                ++snapped;
                const complexFloat expected = quantizationLevelPhasor(k, c.levels);
                EXPECT_EQ(doe->getValue(i, j).re, expected.re);
                EXPECT_EQ(doe->getValue(i, j).im, expected.im);
            }
        // The last round snaps with fraction 1: every element but an exact half-way one.
        EXPECT_GE(snapped, N * N - 2);
        engine.iterateSecondStage(doe, 1);
        EXPECT_EQ(engine.lastQuantizationLevels(), nullptr);
        engine.iterateQuantizationStage(doe, 1, c.levels);
        EXPECT_NE(engine.lastQuantizationLevels(), nullptr);
        engine.iterateFirstStage(doe, 1);
        EXPECT_EQ(engine.lastQuantizationLevels(), nullptr);
    }
}

TEST_F(iftaEngine, quantizationStageWithoutRoundsDoesNothing)
{
    iftaEngine2D engine(target, mask, 1.0f, 2);
    ComplexField doe = start(32);
    const ComplexField before = copyOf(doe);
    engine.iterateQuantizationStage(doe, 0, 256);
    expectFieldsNear(*doe, *before, 0.0);
}

TEST_F(iftaEngine, stagesKeepTheDoePhaseOnlyAndRaiseTheSignalShare)
{
    iftaEngine2D engine(target, mask, 1.0f, 2);
    ComplexField doe = start(33);
    const double initial = signalShare(doe, mask);
    engine.iterateFirstStage(doe, 5);
    const double afterFirst = signalShare(doe, mask);
    const double errorAfterFirst = signalError(doe, target, mask);
    engine.iterateSecondStage(doe, 5);
    const double errorAfterSecond = signalError(doe, target, mask);
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i)
            EXPECT_NEAR(modulusOf(doe->getValue(i, j)), 1.0, 1e-5);
    // A random start puts about the mask's share of the pixels (19 of 256) into the signal.
    EXPECT_LT(initial, 0.3);
    EXPECT_GT(afterFirst, 2.0 * initial);
    // The free noise region lets the second stage fit the signal closer.
    EXPECT_LT(errorAfterSecond, errorAfterFirst);
}

TEST_F(iftaEngine, modesOneAndTwoAgree)
{
    iftaEngine2D perPixel(target, mask, 0.8f, 1);
    iftaEngine2D precomputed(target, mask, 0.8f, 2);
    ComplexField a = start(41);
    ComplexField b = copyOf(a);
    perPixel.iterateFirstStage(a, 3);
    precomputed.iterateFirstStage(b, 3);
    expectFieldsNear(*a, *b, 1e-4);
    perPixel.iterateSecondStage(a, 3);
    precomputed.iterateSecondStage(b, 3);
    expectFieldsNear(*a, *b, 1e-3);

    ComplexField farA = randomComplexField(N, N, 42);
    ComplexField farB = copyOf(farA);
    perPixel.applyAmplitudeConstraint(farA);
    precomputed.applyAmplitudeConstraint(farB);
    expectFieldsNear(*farA, *farB, 1e-5);
}

namespace {

// The largest modulus of the element-wise difference of two fields of equal sizes.
double largestDifference(const complexDataField2D& a, const complexDataField2D& b)
{
    double largest = 0.0;
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i) {
            const complexFloat x = a.getValue(i, j), y = b.getValue(i, j);
            largest = std::max(largest, std::hypot(double(x.re) - y.re, double(x.im) - y.im));
        }
    return largest;
}

} // namespace

TEST_F(iftaEngine, quantizationStageIsItsBuildingBlocksWithGrowingFractions)
{
    struct Case
    {
        int rounds;
        int levels;
    };
    const Case cases[] = {{2, 256}, {3, 8}, {10, 256}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rounds << " rounds, " << c.levels << " levels");
        iftaEngine2D engine(target, mask, 1.0f, 2);
        ComplexField stage = start(51);
        engine.iterateSecondStage(stage, 2);
        ComplexField blocks = copyOf(stage);
        engine.iterateQuantizationStage(stage, c.rounds, c.levels);
        for (int k = 0; k < c.rounds; ++k) {
            engine.forwardStep(blocks);
            engine.applyAmplitudeConstraint(blocks);
            engine.backwardStep(blocks);
            quantizePhasePartially(blocks, double(k + 1) / c.rounds, c.levels);
        }
        EXPECT_EQ(largestDifference(*stage, *blocks), 0.0);
    }
}

namespace {

using complexDouble = std::complex<double>;
using DoubleField = std::vector<complexDouble>; // element (i, j) at sizeI * j + i

// The unscaled 2-D DFT with exp(sign 2 pi i (i k / N + j l / N)) of an N x N field, summed
// directly in double.
DoubleField directDft(const DoubleField& f, int n, int sign)
{
    DoubleField out(f.size());
    for (int l = 0; l < n; ++l)
        for (int k = 0; k < n; ++k) {
            complexDouble sum = 0.0;
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i)
                    sum += f[size_t(n * j + i)]
                           * std::polar(1.0, sign * 2.0 * pi * double(i * k + j * l) / n);
            out[size_t(n * l + k)] = sum;
        }
    return out;
}

complexDouble unit(complexDouble z)
{
    const double m = std::abs(z);
    return m == 0.0 ? complexDouble(0.0) : z / m;
}

DoubleField toDouble(const complexDataField2D& f)
{
    const int n = f.getSizeI();
    DoubleField out(size_t(n) * n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            out[size_t(n * j + i)] = {f.getValue(i, j).re, f.getValue(i, j).im};
    return out;
}

// The sign of the exponent of the fields' forward transform: +1 for exp(+2 pi i jk / n). Read
// from a transformed impulse, so that the reference follows whichever transform the fields use.
int forwardSign()
{
    ComplexField impulse(new complexDataField2D(4, 4, 0));
    impulse->setValue(1, 0, {1.0f, 0.0f});
    impulse->fft();
    return impulse->getValue(1, 0).im > 0.0f ? +1 : -1;
}

// Rounds of the first stage (plain Gerchberg-Saxton: far-field modulus T everywhere) or of the
// second (the modulus fitted to the target inside the mask, gamma |F| outside), in double.
DoubleField referenceRounds(DoubleField f, const RealField& target, const RealField& mask,
                            float gamma, bool fitted, int rounds)
{
    const int n = target->getSizeI();
    const int sign = forwardSign();
    double power = 0.0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            power += double(target->getValue(i, j)) * target->getValue(i, j);
    for (int r = 0; r < rounds; ++r) {
        DoubleField far = directDft(f, n, sign);
        double fit = 0.0;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                fit += target->getValue(i, j) * mask->getValue(i, j)
                       * std::abs(far[size_t(n * j + i)]);
        const double s = fit / power;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                complexDouble& z = far[size_t(n * j + i)];
                const double t = target->getValue(i, j), m = mask->getValue(i, j);
                z = unit(z) * (fitted ? s * t * m + gamma * (1.0 - m) * std::abs(z) : t);
            }
        f = directDft(far, n, -sign);
        for (complexDouble& z : f)
            z = unit(z);
    }
    return f;
}

double largestDifference(const complexDataField2D& f, const DoubleField& reference)
{
    const int n = f.getSizeI();
    double largest = 0.0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const complexDouble z(f.getValue(i, j).re, f.getValue(i, j).im);
            largest = std::max(largest, std::abs(z - reference[size_t(n * j + i)]));
        }
    return largest;
}

} // namespace

TEST(iftaEngineReference, stagesFollowTheDirectTransformAlgorithm)
{
    constexpr int n = 8;
    // An asymmetric target: two orders of different height and a weaker row.
    RealField target = realField(n, n);
    target->setValue(1, 0, 1.0f);
    target->setValue(2, 1, 0.6f);
    for (int i = 5; i < 8; ++i)
        target->setValue(i, 6, 0.3f + 0.1f * float(i));
    RealField mask = target->binarize(1e-4f);
    struct Case
    {
        const char* stage;
        int mode;
        float gamma;
    };
    const Case cases[] = {{"first", 2, 1.0f}, {"second", 2, 1.0f}, {"second", 1, 0.7f}};
    // Single-precision transforms and maps against double precision; a changed algorithm misses
    // by far more.
    const double tolerance = 1e-6;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stage << " stage, mode " << c.mode);
        const bool second = std::string(c.stage) == "second";
        iftaEngine2D engine(target, mask, c.gamma, c.mode);
        ComplexField doe = randomComplexField(n, n, 61);
        doe->makePhaseOnly();
        const DoubleField start = toDouble(*doe);
        if (second)
            engine.iterateSecondStage(doe, 5);
        else
            engine.iterateFirstStage(doe, 5);
        EXPECT_LT(largestDifference(*doe, referenceRounds(start, target, mask, c.gamma, second, 5)),
                  tolerance);
    }
}

TEST(iftaEngineDesign, threeStagesMakeAnEfficientUniformSpotArray)
{
    // 3 x 3 orders 7 apart around the zero order, in transform order.
    constexpr int n = 64;
    constexpr int spacing = 7;
    RealField target = realField(n, n);
    for (int a = -1; a <= 1; ++a)
        for (int b = -1; b <= 1; ++b)
            target->setValue((a * spacing + n) % n, (b * spacing + n) % n, 1.0f);
    RealField mask = target->binarize(1e-4f);
    for (unsigned seed : {71u, 72u, 73u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        // The design's start: the target with random phases, back in the DOE plane, phase only.
        ComplexField doe = randomComplexField(n, n, seed);
        doe->makePhaseOnly();
        *doe *= target;
        doe->ifft();
        doe->makePhaseOnly();
        iftaEngine2D engine(target, mask, 1.0f, 2);
        engine.iterateFirstStage(doe, 10);
        engine.iterateSecondStage(doe, 10);
        engine.iterateQuantizationStage(doe, 10, 256);

        ComplexField far = doe->fftCopy();
        double inSpots = 0.0, total = 0.0, brightest = 0.0, weakest = 1e300;
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const complexFloat z = far->getValue(i, j);
                const double p = double(z.re) * z.re + double(z.im) * z.im;
                total += p;
                if (mask->getValue(i, j) > 0.5f) {
                    inSpots += p;
                    brightest = std::max(brightest, p);
                    weakest = std::min(weakest, p);
                }
            }
        const double efficiency = inSpots / total;
        const double uniformity = (brightest - weakest) / (brightest + weakest);
        EXPECT_GE(efficiency, 0.85);
        EXPECT_LE(uniformity, 0.01);
    }
}

TEST(iftaEngineDesign, bothVectorPathsGiveTheSameDesign)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    // A 128 x 128 picture-like target (a ring of orders and a bar) through the three stages.
    constexpr int n = 128;
    RealField target = realField(n, n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int ci = i < n / 2 ? i : i - n, cj = j < n / 2 ? j : j - n;
            const int r2 = ci * ci + cj * cj;
            if ((r2 > 100 && r2 < 200) || (ci > 20 && ci < 24 && cj > -10 && cj < 30))
                target->setValue(i, j, 1.0f + 0.01f * float(ci));
        }
    RealField mask = target->binarize(1e-4f);
    ComplexField designs[2];
    for (int k = 0; k < 2; ++k) {
        scopedVectorPath path(k == 0 ? vectorPath::portable : vectorPath::avx2Fma);
        ASSERT_TRUE(path.active());
        ComplexField doe = randomComplexField(n, n, 81);
        doe->makePhaseOnly();
        iftaEngine2D engine(target, mask, 1.0f, 2);
        engine.iterateFirstStage(doe, 10);
        engine.iterateSecondStage(doe, 10);
        engine.iterateQuantizationStage(doe, 10, 256);
        designs[k] = doe;
    }
    EXPECT_EQ(largestDifference(*designs[0], *designs[1]), 0.0);
}

// Target, mask and working field of different sizes: the engine refuses with the "Error!" box
// and leaves the field unchanged instead of reading past the smaller field.
TEST_F(iftaEngine, fieldsOfDifferentSizesAreRefusedWithTheBox)
{
    MessageRecorder boxes;
    struct Case
    {
        const char* name;
        int fieldI, fieldJ;
        int maskI, maskJ;
        const char* sizes; // of the box text after the function's name
    };
    const Case cases[] = {
        {"smaller field", N / 2, N / 2, N, N, "(): field of 8 x 8 elements where 16 x 16 are"},
        {"longer field", 2 * N, N, N, N, "(): field of 32 x 16 elements where 16 x 16 are"},
        {"narrower mask", N, N, N, N - 1, "(): field of 16 x 15 elements where 16 x 16 are"},
    };
    const char* const stages[] = {"iterateFirstStage", "iterateSecondStage",
                                  "iterateQuantizationStage", "applyAmplitudeConstraint"};
    for (const Case& c : cases) {
        for (int mode : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.name << ", mode " << mode);
            const RealField m = c.maskI == N && c.maskJ == N ? mask : realField(c.maskI, c.maskJ);
            boxes.clear();
            iftaEngine2D engine(target, m, 1.0f, mode);
            EXPECT_EQ(boxes.messages().size(), m == mask ? 0u : 1u);
            ComplexField doe = randomComplexField(c.fieldI, c.fieldJ, 51);
            const ComplexField before = copyOf(doe);
            for (const char* stage : stages) {
                SCOPED_TRACE(stage);
                boxes.clear();
                const std::string name = stage;
                if (name == "iterateFirstStage")
                    engine.iterateFirstStage(doe, 2);
                else if (name == "iterateSecondStage")
                    engine.iterateSecondStage(doe, 2);
                else if (name == "iterateQuantizationStage")
                    engine.iterateQuantizationStage(doe, 2, 256);
                else
                    engine.applyAmplitudeConstraint(doe);
                ASSERT_EQ(boxes.messages().size(), 1u);
                EXPECT_EQ(boxes.messages()[0].caption, QStringLiteral("Error!"));
                EXPECT_EQ(boxes.messages()[0].text,
                          QStringLiteral("Error in iftaEngine2D::") + QLatin1String(stage)
                              + QLatin1String(c.sizes) + QStringLiteral(" expected"));
                expectFieldsNear(*doe, *before, 0.0);
            }
        }
    }
}

TEST(iftaEngineHelpers, passFieldReturnsTheSamePointer)
{
    ComplexField f = randomComplexField(2, 2, 1);
    EXPECT_EQ(passField(f).get(), f.get());
}

#endif // !PHASEDECK_LAB
