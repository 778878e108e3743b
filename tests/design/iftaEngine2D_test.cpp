// Tests of the IFTA engine: the amplitude constraint in both modes, a target without energy, the
// quantisation stage and the agreement of modes 1 and 2.
#include "design/iftaEngine2D.h"

#include "designTestFields.h"
#include "support/messageRecorder.h"

#include <string>

// The internal edition has its own engine (tests/lab/iftaEngine2D_test.cpp).
#if !PHASEDECK_LAB

using namespace designTest;

namespace {

constexpr int N = 16;

// Far-field power inside the mask over the whole far-field power of the DOE-plane field.
double signalShare(const ComplexField& doe, const RealField& mask)
{
    ComplexField far = doe->fftCopy();
    double inside = 0.0, total = 0.0;
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
            const complexFloat z = far->getValue(i, j);
            const double p = double(z.re) * z.re + double(z.im) * z.im;
            total += p;
            if (mask->getValue(i, j) > 0.5f)
                inside += p;
        }
    return inside / total;
}

// Relative deviation of the far-field modulus from the best-scaled target inside the mask.
double signalError(const ComplexField& doe, const RealField& target, const RealField& mask)
{
    ComplexField far = doe->fftCopy();
    double fit = 0.0, power = 0.0;
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
            const double t = target->getValue(i, j) * mask->getValue(i, j);
            fit += t * modulusOf(far->getValue(i, j));
            power += t * t;
        }
    const double s = fit / power;
    double error = 0.0;
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i)
            if (mask->getValue(i, j) > 0.5f) {
                const double d = modulusOf(far->getValue(i, j)) - s * target->getValue(i, j);
                error += d * d;
            }
    return std::sqrt(error / (s * s * power));
}

class iftaEngine : public testing::Test
{
protected:
    iftaEngine()
        : target(realField(N, N))
    {
        // A block of orders in transform order, with varying amplitudes and a hole.
        for (int j = 2; j < 6; ++j)
            for (int i = 3; i < 8; ++i)
                target->setValue(i, j, 0.5f + 0.1f * float(i + j));
        target->setValue(4, 3, 0.0f);
        mask = target->binarize(1e-4f);
    }

    // A phase-only DOE-plane start.
    ComplexField start(unsigned seed) const
    {
        ComplexField f = randomComplexField(N, N, seed);
        f->makePhaseOnly();
        return f;
    }

    RealField target;
    RealField mask;
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
