// Tests of the internal edition's IFTA engine on FFTW transforms: the amplitude constraint, a
// target without power, the stages on grids that are no power of two and the far field's sign.
#include "lab/design/iftaEngine2D.h"

#include "tests/design/designTestFields.h"

using namespace designTest;

namespace {

// A 12 x 10 grid (no power of two, not square) with a block of orders of varying amplitude and
// a hole in it, in transform order.
class labIftaEngine : public testing::Test
{
protected:
    static constexpr int sizeI = 12;
    static constexpr int sizeJ = 10;

    ComplexField start(unsigned seed) const { return phaseOnlyStart(sizeI, sizeJ, seed); }

    RealField target = blockOfOrders(sizeI, sizeJ, 2, 7, 1, 4, 4, 2);
    RealField mask = target->binarize(1e-4f);
};

} // namespace

TEST_F(labIftaEngine, amplitudeConstraintFitsTheSignalAndWeighsTheNoise)
{
    for (float gamma : {1.0f, 0.5f, 0.0f}) {
        SCOPED_TRACE(testing::Message() << "gamma " << gamma);
        iftaEngine2D engine(target, mask, gamma);
        EXPECT_EQ(engine.getGamma(), gamma);
        EXPECT_FALSE(engine.lastFarFieldAmplitude());
        double power = 0.0;
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i)
                power += std::pow(target->getValue(i, j), 2);
        EXPECT_NEAR(engine.getTargetPower(), power, 1e-4);

        ComplexField far = randomComplexField(sizeI, sizeJ, 21);
        far->setValue(5, 2, {0.0f, 0.0f}); // a zero element inside the signal region
        far->setValue(9, 7, {0.0f, 0.0f}); // and one outside
        const ComplexField before = copyOf(far);
        double fit = 0.0;
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i)
                fit += target->getValue(i, j) * mask->getValue(i, j)
                       * modulusOf(before->getValue(i, j));
        const double s = fit / power;

        engine.applyAmplitudeConstraint(far);
        const RealField amplitude = engine.lastFarFieldAmplitude();
        ASSERT_TRUE(amplitude);
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i) {
                SCOPED_TRACE(testing::Message() << "(" << i << ", " << j << ")");
                const complexFloat z = far->getValue(i, j);
                const complexFloat old = before->getValue(i, j);
                EXPECT_NEAR(amplitude->getValue(i, j), modulusOf(old), 1e-6);
                if (old.re == 0.0f && old.im == 0.0f) {
                    EXPECT_EQ(z.re, 0.0f);
                    EXPECT_EQ(z.im, 0.0f);
                    continue;
                }
                const bool signal = mask->getValue(i, j) > 0.5f;
                const double modulus = signal ? s * target->getValue(i, j) : gamma * modulusOf(old);
                EXPECT_NEAR(modulusOf(z), modulus, 1e-5);
                if (modulus > 1e-3) {
                    EXPECT_LT(phaseDistance(phaseOf(z), phaseOf(old)), 1e-5);
                }
            }
    }
}

// No power and no mask: the constraint leaves the far field as it is (scale 0, never NaN) and
// the stages keep a unit-modulus field.
TEST_F(labIftaEngine, aTargetWithoutPowerScalesByZero)
{
    RealField dark = realField(sizeI, sizeJ);
    iftaEngine2D engine(dark, dark->binarize(1e-4f), 1.0f);
    EXPECT_EQ(engine.getTargetPower(), 0.0f);
    ComplexField far = randomComplexField(sizeI, sizeJ, 22);
    const ComplexField before = copyOf(far);
    engine.applyAmplitudeConstraint(far);
    expectFieldsNear(*far, *before, 2e-7);

    ComplexField doe = start(23);
    engine.iterateSecondStage(doe, 2);
    engine.iterateQuantizationStage(doe, 2, 16);
    expectUnitModulus(doe, 1e-6);
}

TEST_F(labIftaEngine, stagesKeepTheDoePhaseOnlyAndFitTheTarget)
{
    iftaEngine2D engine(target, mask, 1.0f);
    ComplexField doe = start(33);
    const double initial = signalShare(doe, mask);
    engine.iterateFirstStage(doe, 5);
    expectUnitModulus(doe, 1e-5);
    const double afterFirst = signalShare(doe, mask);
    const double errorAfterFirst = signalError(doe, target, mask);
    engine.iterateSecondStage(doe, 5);
    expectUnitModulus(doe, 1e-5);
    // A random start puts about the mask's share of the elements (14 of 120) into the signal.
    EXPECT_LT(initial, 0.3);
    EXPECT_GT(afterFirst, 2.0 * initial);
    // The free noise region lets the second stage fit the signal closer.
    EXPECT_LT(signalError(doe, target, mask), errorAfterFirst);
}

TEST_F(labIftaEngine, quantizationStageEndsOnUnitModulusAndPhaseLevels)
{
    const struct
    {
        int rounds;
        int levels;
    } cases[] = {{10, 64}, {1, 256}, {3, 5}, {0, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rounds << " rounds, " << c.levels << " levels");
        iftaEngine2D engine(target, mask, 1.0f);
        ComplexField doe = start(31);
        engine.iterateSecondStage(doe, 2);
        const ComplexField before = copyOf(doe);
        engine.iterateQuantizationStage(doe, c.rounds, c.levels);
        if (c.rounds == 0) {
            expectFieldsNear(*doe, *before, 0.0);
            EXPECT_FALSE(doe->hasAtMostNValues(c.levels));
            continue;
        }
        expectUnitModulus(doe, 1e-6);
        EXPECT_TRUE(doe->hasAtMostNValues(c.levels));
        const double step = 2.0 * pi / c.levels;
        for (int j = 0; j < sizeJ; ++j)
            for (int i = 0; i < sizeI; ++i) {
                const double k = (phaseOf(doe->getValue(i, j)) + pi) / step;
                EXPECT_NEAR(k, std::round(k), 1e-4) << "(" << i << ", " << j << ")";
            }
    }
}

// The forward transform is FFTW's exp(-2 pi i jk / n): a single order at (3, 1) on an odd grid
// draws the far-field power to element (3, 1), not to its mirror (-3, -1).
TEST(labIftaEngineSign, aSingleOrderLandsAtItsOwnIndex)
{
    constexpr int n = 15;
    RealField spot = realField(n, n);
    spot->setValue(3, 1, 1.0f);
    iftaEngine2D engine(spot, spot->binarize(1e-4f), 1.0f);
    ComplexField doe = randomComplexField(n, n, 51);
    doe->makePhaseOnly();
    engine.iterateFirstStage(doe, 3);
    engine.iterateSecondStage(doe, 3);
    ComplexField far = doe->fftCopy();
    const double total = double(n) * n * double(n) * n; // N^2 elements of modulus 1
    EXPECT_GT(std::pow(modulusOf(far->getValue(3, 1)), 2) / total, 0.9);
    EXPECT_LT(std::pow(modulusOf(far->getValue(n - 3, n - 1)), 2) / total, 0.01);
}
