// Tests of the signal-order list: statistics of added orders, envelope steps, rescaling, random
// phases, sampling and plane-wave synthesis.
#include "design/signalOrderList.h"

#include "designTestFields.h"
#include "fields/complexDataField2D.h"

#include <algorithm>
#include <complex>
#include <stdexcept>

using namespace designTest;

namespace {

signalOrder order(float fx, float fy, float a, complexFloat c = {0.0f, 0.0f})
{
    signalOrder o;
    o.fx = fx;
    o.fy = fy;
    o.targetAmplitude = a;
    o.amplitude = c;
    return o;
}

} // namespace

TEST(signalOrderList, emptyListHasNoRecordsAndAtThrowsVector)
{
    signalOrderList list;
    EXPECT_EQ(list.size(), 0);
    try {
        list.at(0);
        FAIL() << "at(0) did not throw";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "vector");
    }
    const signalOrderList& constList = list;
    EXPECT_THROW(constList.at(0), std::out_of_range);

    list.addOrder(order(1, 1, 1));
    EXPECT_NO_THROW(list.at(0));
    EXPECT_THROW(list.at(1), std::out_of_range);
}

TEST(signalOrderList, addOrderKeepsExtentsAndTargetStatistics)
{
    signalOrderList list;
    list.addOrder(order(3, -4, 2));
    EXPECT_FLOAT_EQ(list.getMaxX(), 3);
    EXPECT_FLOAT_EQ(list.getMinX(), 0);
    EXPECT_FLOAT_EQ(list.getMaxY(), 0);
    EXPECT_FLOAT_EQ(list.getMinY(), -4);
    EXPECT_FLOAT_EQ(list.getMaxRadius(), 5);
    EXPECT_FLOAT_EQ(list.getSumTargetIntensity(), 4);
    EXPECT_FLOAT_EQ(list.getSumSquaredTargetIntensity(), 16);
    EXPECT_FLOAT_EQ(list.getMinTargetIntensity(), 4);
    EXPECT_FLOAT_EQ(list.getMaxTargetIntensity(), 4);

    list.addOrder(order(-1, 2, 1));
    list.addOrder(order(std::nanf(""), std::nanf(""), 3));
    EXPECT_FLOAT_EQ(list.getMaxX(), 3);
    EXPECT_FLOAT_EQ(list.getMinX(), -1);
    EXPECT_FLOAT_EQ(list.getMaxY(), 2);
    EXPECT_FLOAT_EQ(list.getMinY(), -4);
    EXPECT_FLOAT_EQ(list.getMaxRadius(), 5);
    EXPECT_FLOAT_EQ(list.getSumTargetIntensity(), 4 + 1 + 9);
    EXPECT_FLOAT_EQ(list.getSumSquaredTargetIntensity(), 16 + 1 + 81);
    EXPECT_FLOAT_EQ(list.getMinTargetIntensity(), 1);
    EXPECT_FLOAT_EQ(list.getMaxTargetIntensity(), 9);
    EXPECT_EQ(list.size(), 3);
}

TEST(signalOrderList, recordsKeepTheirAuxValuesAndOrder)
{
    signalOrderList list;
    signalOrder first = order(1, 2, 3, {4, 5});
    first.aux0 = 7;
    first.aux1 = 8;
    first.aux2 = 9;
    list.addOrder(first);
    list.addOrder(order(-1, -2, 1));
    list.rescaleToTarget();
    list.applyEnvelope(1e-6, 1e-6, 1.0);
    EXPECT_EQ(list.at(0).aux0, 7);
    EXPECT_EQ(list.at(0).aux1, 8);
    EXPECT_EQ(list.at(0).aux2, 9);
    EXPECT_EQ(list.at(1).fx, -1);
    list.at(1).targetAmplitude = 6;
    EXPECT_EQ(list.at(1).targetAmplitude, 6);
}

TEST(signalOrderList, setZeroOrderAmplitudeChangesZeroOrdersOrAddsOne)
{
    signalOrderList without;
    without.addOrder(order(1, 0, 1));
    without.setZeroOrderAmplitude(3);
    ASSERT_EQ(without.size(), 2);
    EXPECT_EQ(without.at(1).fx, 0);
    EXPECT_EQ(without.at(1).fy, 0);
    EXPECT_EQ(without.at(1).targetAmplitude, 3);
    EXPECT_EQ(without.at(1).amplitude.re, 0);
    EXPECT_EQ(without.at(1).amplitude.im, 0);
    EXPECT_FLOAT_EQ(without.getSumTargetIntensity(), 1 + 9);

    signalOrderList withTwo;
    withTwo.addOrder(order(0, 0, 1));
    withTwo.addOrder(order(2, 0, 1));
    withTwo.addOrder(order(0, 0, 2));
    withTwo.setZeroOrderAmplitude(5);
    ASSERT_EQ(withTwo.size(), 3);
    EXPECT_EQ(withTwo.at(0).targetAmplitude, 5);
    EXPECT_EQ(withTwo.at(1).targetAmplitude, 1);
    EXPECT_EQ(withTwo.at(2).targetAmplitude, 5);
}

TEST(signalOrderList, envelopeStepsScaleByThePixelSinc)
{
    // fx * pitch = 0.5: sinc(0.5) = 2 / pi.
    const double pitch = 2e-6;
    const float fx = float(0.5 / pitch);
    const double s = 2.0 / pi;
    struct Case
    {
        const char* name;
        double p;
        double amplitudeFactor; // applyEnvelope on c
        double targetFactor;    // precompensateEnvelope on a
    };
    const Case cases[] = {{"p = 0 does nothing", 0.0, 1.0, 1.0},
                          {"p = 1", 1.0, s, 1.0 / s},
                          {"p = 2", 2.0, s * s, 1.0 / (s * s)},
                          {"p = -1", -1.0, 1.0 / s, s}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        signalOrderList list;
        list.addOrder(order(0, 0, 2, {1, 1}));
        list.addOrder(order(fx, 0, 2, {3, -4}));
        list.addOrder(order(0, fx, 0, {0, 0}));
        list.applyEnvelope(pitch, pitch, c.p);
        list.precompensateEnvelope(pitch, pitch, c.p);
        // The zero order has envelope 1.
        EXPECT_FLOAT_EQ(list.at(0).amplitude.re, 1);
        EXPECT_FLOAT_EQ(list.at(0).amplitude.im, 1);
        EXPECT_FLOAT_EQ(list.at(0).targetAmplitude, 2);
        EXPECT_NEAR(list.at(1).amplitude.re, 3 * c.amplitudeFactor, 1e-6);
        EXPECT_NEAR(list.at(1).amplitude.im, -4 * c.amplitudeFactor, 1e-6);
        EXPECT_NEAR(list.at(1).targetAmplitude, 2 * c.targetFactor, 1e-6);
        // Zero amplitudes and zero targets are skipped.
        EXPECT_EQ(list.at(2).amplitude.re, 0);
        EXPECT_EQ(list.at(2).targetAmplitude, 0);
    }
}

TEST(signalOrderList, precompensateEnvelopeSkipsAVanishingEnvelope)
{
    // sinc(1)^60 underflows to 0: the target stays as it was instead of becoming infinite.
    signalOrderList list;
    list.addOrder(order(1e6f, 0, 2));
    list.precompensateEnvelope(1e-6, 1e-6, 60.0);
    EXPECT_EQ(list.at(0).targetAmplitude, 2);
}

TEST(signalOrderList, rescaleToTargetSetsTheModulusToTheTarget)
{
    signalOrderList list;
    list.addOrder(order(0, 0, 10, {3, 4}));
    list.addOrder(order(1, 0, 10, {0, 0}));
    list.addOrder(order(2, 0, 0.5f, {0, -2}));
    list.rescaleToTarget();
    EXPECT_FLOAT_EQ(list.at(0).amplitude.re, 6);
    EXPECT_FLOAT_EQ(list.at(0).amplitude.im, 8);
    EXPECT_EQ(list.at(1).amplitude.re, 0);
    EXPECT_EQ(list.at(1).amplitude.im, 0);
    EXPECT_FLOAT_EQ(list.at(2).amplitude.re, 0);
    EXPECT_FLOAT_EQ(list.at(2).amplitude.im, -0.5f);
}

TEST(signalOrderList, randomizePhasesKeepsTargetsAndRepeatsWithinOneSecond)
{
    signalOrderList first;
    signalOrderList second;
    for (int k = 0; k < 6; ++k) {
        first.addOrder(order(float(k), 0, float(k + 1)));
        second.addOrder(order(float(k), 0, float(k + 1)));
    }
    withinOneSecond([&] {
        first.randomizePhases();
        second.randomizePhases();
    });
    bool phasesDiffer = false;
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(modulusOf(first.at(unsigned(k)).amplitude), k + 1, 1e-5);
        EXPECT_EQ(first.at(unsigned(k)).amplitude.re, second.at(unsigned(k)).amplitude.re);
        EXPECT_EQ(first.at(unsigned(k)).amplitude.im, second.at(unsigned(k)).amplitude.im);
        if (k > 0
            && phaseDistance(phaseOf(first.at(unsigned(k)).amplitude),
                             phaseOf(first.at(0).amplitude))
                   > 1e-3)
            phasesDiffer = true;
    }
    EXPECT_TRUE(phasesDiffer);
}

TEST(signalOrderList, amplitudeScaleFitsModuliToTargets)
{
    struct Case
    {
        const char* name;
        float scale; // |c| = scale * a
        double expected;
    };
    const Case cases[] = {{"equal", 1.0f, 1.0}, {"twice", 2.0f, 2.0}, {"zero", 0.0f, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        signalOrderList list;
        list.addOrder(order(0, 0, 1, {c.scale * 0.6f, c.scale * 0.8f}));
        list.addOrder(order(1, 0, 3, {0, -3 * c.scale}));
        EXPECT_NEAR(list.amplitudeScale(), c.expected, 1e-6);
    }
    // No target at all: 0 rather than 0 / 0.
    signalOrderList empty;
    EXPECT_EQ(empty.amplitudeScale(), 0.0);
    signalOrderList noTarget;
    noTarget.addOrder(order(1, 0, 0, {1, 0}));
    EXPECT_EQ(noTarget.amplitudeScale(), 0.0);
}

TEST(signalOrderList, statisticsOfTheCurrentAmplitudes)
{
    signalOrderList list;
    list.addOrder(order(0, 0, 1, {1, 0}));   // I = 1, w = 1
    list.addOrder(order(1, 0, 2, {0, 3}));   // I = 9, w = 4
    list.addOrder(order(2, 0, 1, {0.5, 0})); // I = 0.25, w = 1
    list.computeStatistics();
    EXPECT_FLOAT_EQ(list.getSumIntensity(), 10.25f);
    EXPECT_FLOAT_EQ(list.getSumIntensityTimesTarget(), 1 + 36 + 0.25f);
    EXPECT_FLOAT_EQ(list.getMinIntensity(), 0.25f);
    EXPECT_FLOAT_EQ(list.getMaxIntensity(), 9);
    EXPECT_FLOAT_EQ(list.getMinRelativeIntensity(), 0.25f);
    EXPECT_FLOAT_EQ(list.getMaxRelativeIntensity(), 2.25f);

    list.at(1).amplitude = {0, 1};
    list.computeSignalIntensity();
    EXPECT_FLOAT_EQ(list.getSumIntensity(), 2.25f);
    EXPECT_FLOAT_EQ(list.getMaxIntensity(), 9); // only computeStatistics renews the extrema

    signalOrderList empty;
    empty.computeStatistics();
    EXPECT_EQ(empty.getSumIntensity(), 0);
    EXPECT_EQ(empty.getMaxRelativeIntensity(), 0);
}

TEST(signalOrderList, sumAtAddsThePhasedAmplitudes)
{
    signalOrderList list;
    EXPECT_EQ(list.sumAt(1, 2).re, 0);
    EXPECT_EQ(list.sumAt(1, 2).im, 0);
    list.addOrder(order(1, 0, 1, {1, 0}));
    list.addOrder(order(0, 2, 1, {0, 2}));
    // t1 = X = 0.5, t2 = 2 Y = 0.6 (no factor 2 pi).
    const std::complex<double> expected = std::complex<double>(1, 0) * std::polar(1.0, 0.5)
                                          + std::complex<double>(0, 2) * std::polar(1.0, 0.6);
    const complexFloat sum = list.sumAt(0.5f, 0.3f);
    EXPECT_NEAR(sum.re, expected.real(), 1e-6);
    EXPECT_NEAR(sum.im, expected.imag(), 1e-6);
}

class signalOrderSynthesis : public testing::Test
{
protected:
    // 8 x 4 grid with pitches 2 um and 3 um: frequency k / (n pitch) is k cycles across it.
    static constexpr int sizeI = 8;
    static constexpr int sizeJ = 4;
    static constexpr double dx = 2e-6;
    static constexpr double dy = 3e-6;
    static float frequencyI(int k) { return float(k / (sizeI * dx)); }
    static float frequencyJ(int k) { return float(k / (sizeJ * dy)); }
    ComplexField newField() const { return complexField(sizeI, sizeJ, {}, dx, dy); }
};

TEST_F(signalOrderSynthesis, oneRecordGivesItsPlaneWave)
{
    signalOrderList list;
    const complexFloat c = {0.5f, -1.5f};
    list.addOrder(order(frequencyI(1), frequencyJ(1), 1, c));
    ComplexField synthesized = randomComplexField(sizeI, sizeJ, 3);
    synthesized->setPixelSize(dx, dy);
    list.synthesize(synthesized);
    ComplexField wave = newField();
    wave->setPlaneWave(double(frequencyI(1)), double(frequencyJ(1)), c);
    expectFieldsNear(*synthesized, *wave, 1e-6);
}

TEST_F(signalOrderSynthesis, opposedOrdersGiveACosineOfTwiceTheAmplitude)
{
    signalOrderList list;
    list.addOrder(order(frequencyI(1), 0, 1, {1.5f, 0}));
    list.addOrder(order(-frequencyI(1), 0, 1, {1.5f, 0}));
    ComplexField field = newField();
    list.synthesize(field);
    float peak = 0.0f;
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat z = field->getValue(i, j);
            EXPECT_NEAR(z.im, 0.0, 1e-5);
            EXPECT_LE(std::fabs(z.re), 3.0f + 1e-5f);
            peak = std::max(peak, z.re);
        }
    EXPECT_NEAR(field->getValue(0, 0).re, 3.0, 1e-6);
    EXPECT_NEAR(peak, 3.0, 1e-6);
    EXPECT_NEAR(field->getValue(2, 1).re, 0.0, 1e-5); // a quarter period from the peak
}

TEST_F(signalOrderSynthesis, emptyListSynthesizesZero)
{
    signalOrderList list;
    ComplexField field = randomComplexField(sizeI, sizeJ, 4);
    list.synthesize(field);
    expectFieldsNear(*field, *newField(), 0.0);
}

TEST_F(signalOrderSynthesis, addThenSubtractRestoresTheField)
{
    signalOrderList list;
    list.addOrder(order(frequencyI(1), frequencyJ(-1), 1, {0.3f, 0.4f}));
    list.addOrder(order(frequencyI(3), 0, 1, {-1.0f, 0.2f}));
    const ComplexField original = randomComplexField(sizeI, sizeJ, 5);
    original->setPixelSize(dx, dy);
    ComplexField field = copyOf(original);
    list.addToField(field, 2.5);

    // addToField adds s times the synthesized waves.
    ComplexField waves = newField();
    list.synthesize(waves);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i) {
            const complexFloat o = original->getValue(i, j);
            const complexFloat w = waves->getValue(i, j);
            expectComplexNear(field->getValue(i, j), {o.re + 2.5f * w.re, o.im + 2.5f * w.im},
                              1e-5);
        }
    list.subtractFromField(field, 2.5);
    expectFieldsNear(*field, *original, 1e-5);
}

TEST_F(signalOrderSynthesis, sampleFieldReadsTheFourierComponents)
{
    signalOrderList waves;
    waves.addOrder(order(frequencyI(2), frequencyJ(1), 1, {1.0f, -0.5f}));
    waves.addOrder(order(frequencyI(-1), 0, 1, {0.25f, 0.0f}));
    ComplexField field = newField();
    waves.synthesize(field);

    signalOrderList probes;
    probes.addOrder(order(frequencyI(2), frequencyJ(1), 1));
    probes.addOrder(order(frequencyI(-1), 0, 1));
    probes.addOrder(order(frequencyI(1), frequencyJ(1), 1));
    probes.sampleField(field);
    const float n = sizeI * sizeJ;
    expectComplexNear(probes.at(0).amplitude, {n * 1.0f, n * -0.5f}, 1e-4);
    expectComplexNear(probes.at(1).amplitude, {n * 0.25f, 0.0f}, 1e-4);
    expectComplexNear(probes.at(2).amplitude, {0.0f, 0.0f}, 1e-4);
}
