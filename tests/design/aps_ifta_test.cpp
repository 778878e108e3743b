// Tests of the aps_ifta signal-order design: construction, the log lines of the loops, the guards,
// the stagnation test, the output-grid shortcut, the binary DOE and a 1-to-3 design.
#include "design/aps_ifta.h"

#include "designTestFields.h"
#include "design/designOperations.h"
#include "design/signalOrderList.h"
#include "fields/binaryArray2D.h"
#include "support/logLines.h"
#include "support/messageRecorder.h"

#include <regex>
#include <sstream>

using namespace designTest;
using testLog::LogFolderEnvironment;
using testLog::LogTail;

namespace {

testing::Environment* const logFolder = testing::AddGlobalTestEnvironment(new LogFolderEnvironment);

constexpr int N = 16;

signalOrder order(float fx, float fy, float a)
{
    signalOrder o;
    o.fx = fx;
    o.fy = fy;
    o.targetAmplitude = a;
    return o;
}

// Unit-modulus phases from a fixed seed, unit pitch.
ComplexField randomPhaseStart(int sizeI, int sizeJ, unsigned seed)
{
    ComplexField field = randomComplexField(sizeI, sizeJ, seed);
    field->setPixelSize(1.0, 1.0);
    field->makePhaseOnly();
    return field;
}

// A 1-to-3 beam splitter along i on an N x N grid of unit pitch: orders -1, 0, +1 of the
// period N, each with target amplitude 1; the mask removes the noise at those three orders.
struct OneToThree
{
    signalOrderList orders;
    ComplexField field = randomPhaseStart(N, N, 7);
    RealField mask = realField(N, N);

    OneToThree()
    {
        for (int m = -1; m <= 1; ++m) {
            orders.addOrder(order(float(m) / N, 0.0f, 1.0f));
            mask->setValue((m + N) % N, 0, 1.0f);
        }
    }
};

std::string percentText(double fraction)
{
    std::ostringstream text;
    text << fraction * 100.0;
    return text.str();
}

// The efficiency in percent of a line "... , Diffraction efficiciency is DE %." or
// "..., Diffraction efficiciency is DE %.".
double loggedPercent(const std::string& message)
{
    static const std::regex line(".*, Diffraction efficiciency is (\\S+) %\\.");
    std::smatch match;
    EXPECT_TRUE(std::regex_match(message, match, line)) << message;
    return match.size() == 2 ? std::stod(match[1]) : -1.0;
}

// "<label>k/n , Diffraction efficiciency is ": a step line up to its number.
std::string stepHead(const char* label, int k, int n)
{
    std::ostringstream text;
    text << label << k << "/" << n << " , Diffraction efficiciency is ";
    return text.str();
}

bool startsWith(const std::string& text, const std::string& head)
{
    return text.compare(0, head.size(), head) == 0;
}

bool sameValues(const complexDataField2D& a, const complexDataField2D& b)
{
    for (int j = 0; j < a.getSizeJ(); ++j)
        for (int i = 0; i < a.getSizeI(); ++i) {
            const complexFloat x = a.getValue(i, j);
            const complexFloat y = b.getValue(i, j);
            if (x.re != y.re || x.im != y.im)
                return false;
        }
    return true;
}

class apsIftaTest : public testing::Test
{
protected:
    void SetUp() override { log.take(); }
    LogTail log;
};

TEST_F(apsIftaTest, constructorsChooseTheOutputGridAndBuildTheNoiseWeight)
{
    signalOrderList orders;
    RealField mask = realField(4, 2, {1, 0, 0, 0, 0, 0.25f, 0, 0});
    ComplexField field = complexField(4, 2, {});
    struct Case
    {
        const char* name;
        aps_ifta design;
        bool hasField;
        int outI, outJ;
        bool differs;
    };
    Case cases[] = {
        {"mask only", aps_ifta(&orders, mask, 0.5f), false, 4, 2, false},
        {"field", aps_ifta(&orders, field, mask, 0.5f), true, 4, 2, false},
        {"mask, other size", aps_ifta(&orders, mask, 0.5f, 8, 2), false, 8, 2, true},
        {"mask, same size", aps_ifta(&orders, mask, 0.5f, 4, 2), false, 4, 2, false},
        {"field, other size", aps_ifta(&orders, field, mask, 0.5f, 4, 3), true, 4, 3, true},
        {"field, same size", aps_ifta(&orders, field, mask, 0.5f, 4, 2), true, 4, 2, false},
        {"negative size", aps_ifta(&orders, field, mask, 0.5f, -3, 2), true, 0, 2, true},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bool(c.design.getField()), c.hasField);
        EXPECT_EQ(c.design.getOutputSizeI(), c.outI);
        EXPECT_EQ(c.design.getOutputSizeJ(), c.outJ);
        EXPECT_EQ(c.design.outputSizeDiffers(), c.differs);
        EXPECT_FALSE(c.design.getBinaryDOE());
        EXPECT_EQ(c.design.getScale(), 0.0f);
        RealField weight = c.design.getNoiseWeight();
        ASSERT_TRUE(weight);
        EXPECT_FLOAT_EQ(weight->getValue(0, 0), 0.0f);
        EXPECT_FLOAT_EQ(weight->getValue(1, 1), 0.375f);
        EXPECT_FLOAT_EQ(weight->getValue(3, 1), 0.5f);
    }
    EXPECT_FLOAT_EQ(mask->getValue(1, 1), 0.25f); // the mask is not changed
    EXPECT_TRUE(log.take().empty());
}

TEST_F(apsIftaTest, zeroAndNegativeCountsWriteNothingAndChangeNothing)
{
    OneToThree setup;
    ComplexField before = copyOf(setup.field);
    aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f);
    for (int n : {0, -2}) {
        SCOPED_TRACE(n);
        design.iteratePhF(n);
        design.iterateAF(n);
        design.iterateQuantization(n, 2);
    }
    EXPECT_TRUE(log.take().empty());
    EXPECT_TRUE(sameValues(*setup.field, *before));
    for (int k = 0; k < setup.orders.size(); ++k) {
        EXPECT_EQ(setup.orders.at(k).amplitude.re, 0.0f);
        EXPECT_EQ(setup.orders.at(k).amplitude.im, 0.0f);
    }
    EXPECT_FALSE(design.getBinaryDOE());
}

TEST_F(apsIftaTest, methodsWithoutFieldOrdersOrMatchingMaskWarnAndReturn)
{
    OneToThree setup;
    signalOrderList noOrders;
    ComplexField before = copyOf(setup.field);
    struct Case
    {
        const char* name;
        aps_ifta design;
        const char* problem;
    };
    Case cases[] = {
        {"no field", aps_ifta(&setup.orders, setup.mask, 1.0f, 20, 20), "no working field"},
        {"empty order list", aps_ifta(&noOrders, setup.field, setup.mask, 1.0f),
         "no signal orders"},
        {"no order list", aps_ifta(nullptr, setup.field, setup.mask, 1.0f), "no signal orders"},
        {"smaller mask", aps_ifta(&setup.orders, setup.field, realField(N, N / 2), 1.0f),
         "the mask does not have the working field's size"},
        {"no mask", aps_ifta(&setup.orders, setup.field, RealField(), 1.0f),
         "the mask does not have the working field's size"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        aps_ifta& d = c.design;
        const std::pair<const char*, std::function<void()>> calls[] = {
            {"iteratePhF", [&d] { d.iteratePhF(2); }},
            {"iterateAF", [&d] { d.iterateAF(2); }},
            {"iterateQuantization", [&d] { d.iterateQuantization(2, 2); }},
            {"finalQuantization", [&d] { d.finalQuantization(2); }},
            {"weightNoise", [&d] { d.weightNoise(); }},
        };
        for (const auto& call : calls) {
            SCOPED_TRACE(call.first);
            call.second();
            const std::vector<std::string> lines = log.takeMessages("WARNING: ");
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0], std::string("aps_ifta::") + call.first + ": " + c.problem
                                    + ", nothing done.");
        }
        EXPECT_FALSE(d.getBinaryDOE());
        EXPECT_EQ(d.getScale(), 0.0f);
    }
    EXPECT_TRUE(sameValues(*setup.field, *before));
    EXPECT_EQ(setup.orders.at(0).amplitude.re, 0.0f);
}

TEST_F(apsIftaTest, phaseFreedomLogsEachStepAndSynthesisesThePhaseOnlyOrders)
{
    OneToThree setup;
    // The first line reports the start field's efficiency.
    signalOrderList reference = setup.orders;
    const double startEfficiency = diffractionEfficiency(copyOf(setup.field), reference, true);

    aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f);
    design.iteratePhF(3);
    const std::vector<std::string> lines = log.takeMessages();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], stepHead("aps_ifta PhF iteration step ", 1, 3)
                            + percentText(startEfficiency) + " %.");
    for (int k = 2; k <= 3; ++k)
        EXPECT_PRED2(startsWith, lines[std::size_t(k - 1)],
                     stepHead("aps_ifta PhF iteration step ", k, 3));
    EXPECT_GT(loggedPercent(lines[2]), loggedPercent(lines[0]));

    // The field is the phase of the three orders' waves at target modulus.
    for (int k = 0; k < setup.orders.size(); ++k)
        EXPECT_NEAR(modulusOf(setup.orders.at(k).amplitude), 1.0, 1e-5);
    ComplexField waves = complexField(N, N, {});
    setup.orders.synthesize(waves);
    waves->makePhaseOnly();
    expectFieldsNear(*setup.field, *waves, 1e-5);
    EXPECT_EQ(design.getScale(), 0.0f); // no signal/noise step
}

TEST_F(apsIftaTest, amplitudeFreedomLogsEachStepAndKeepsThePhaseOnlyField)
{
    OneToThree setup;
    aps_ifta design(&setup.orders, setup.field, setup.mask, 0.5f);
    design.iterateAF(2);
    const std::vector<std::string> lines = log.takeMessages();
    ASSERT_EQ(lines.size(), 2u);
    for (int k = 1; k <= 2; ++k) {
        const std::string& line = lines[std::size_t(k - 1)];
        EXPECT_PRED2(startsWith, line, stepHead("aps_ifta AF iteration step ", k, 2));
        EXPECT_GT(loggedPercent(line), 0.0);
    }
    EXPECT_GT(design.getScale(), 0.0f);
    for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i)
            ASSERT_NEAR(modulusOf(setup.field->getValue(i, j)), 1.0, 1e-5);
}

// A constant field with the single order (0, 0) is a fixed point: every round measures 100 %.
TEST_F(apsIftaTest, quantizationStopsAfterTheStagnationLineAndTheFinishingLine)
{
    signalOrderList orders;
    orders.addOrder(order(0.0f, 0.0f, 1.0f));
    ComplexField field = complexField(4, 4, std::vector<complexFloat>(16, {1.0f, 0.0f}));
    RealField mask = realField(4, 4, {1.0f});
    aps_ifta design(&orders, field, mask, 1.0f);
    design.iterateQuantization(5, 2);

    const std::vector<std::string> expected = {
        "aps_ifta quantization step 1/5 , Diffraction efficiciency is 100 %.",
        "aps_ifta quantization step 2/5 , Diffraction efficiciency is 100 %.",
        "Quantization iteration might have reached stagnation at step 2",
        "aps_ifta quantization step 3/5 , Diffraction efficiciency is 100 %.",
        "Quantization iteration is considered finished at step 3",
    };
    EXPECT_EQ(log.takeMessages(), expected);
    EXPECT_FALSE(design.getBinaryDOE());
    EXPECT_TRUE(field->hasAtMostNValues(1));
    expectComplexNear(field->getValue(2, 3), {1.0f, 0.0f}, 1e-6);
}

TEST_F(apsIftaTest, differingOutputSizeShortensTheLoopAndEndsWithTheBinaryStep)
{
    struct Case
    {
        int n;
        std::vector<std::string> quantizationSteps;
    };
    const Case cases[] = {
        {1, {}},
        {3,
         {stepHead("aps_ifta quantization step ", 1, 3),
          stepHead("aps_ifta quantization step ", 2, 3)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        OneToThree setup;
        aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f, 24, 20);
        ASSERT_TRUE(design.outputSizeDiffers());
        design.iterateQuantization(c.n, 8);

        const std::vector<std::string> lines = log.takeMessages();
        ASSERT_EQ(lines.size(), c.quantizationSteps.size() + 1);
        for (std::size_t k = 0; k < c.quantizationSteps.size(); ++k)
            EXPECT_PRED2(startsWith, lines[k], c.quantizationSteps[k]);
        EXPECT_PRED2(startsWith, lines.back(),
                     "Final aps_ifta quantization step, Diffraction efficiciency is ");
        EXPECT_GT(loggedPercent(lines.back()), 0.0);

        // The final step quantises with 2 levels, whatever the loop was given.
        ASSERT_TRUE(design.getBinaryDOE());
        EXPECT_EQ(design.getBinaryDOE()->getSizeI(), 24u);
        EXPECT_EQ(design.getBinaryDOE()->getSizeJ(), 20u);
        EXPECT_TRUE(setup.field->hasAtMostNValues(2));
    }

    // The same size as the field: no final step.
    OneToThree setup;
    aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f, N, N);
    design.iterateQuantization(1, 8);
    EXPECT_EQ(log.takeMessages().size(), 1u);
    EXPECT_FALSE(design.getBinaryDOE());
}

TEST_F(apsIftaTest, finalQuantizationWithOtherLevelsSetsNoBitButQuantises)
{
    OneToThree setup;
    aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f);
    design.iteratePhF(2);
    log.take();
    design.finalQuantization(4);
    ASSERT_EQ(log.takeMessages().size(), 1u);

    boost::shared_ptr<binaryArray2D> bits = design.getBinaryDOE();
    ASSERT_TRUE(bits);
    ASSERT_EQ(bits->getSizeI(), std::uint32_t(N));
    ASSERT_EQ(bits->getSizeJ(), std::uint32_t(N));
    for (std::uint32_t k = 0; k < bits->getByteCount(); ++k)
        EXPECT_EQ(bits->getBytes()[k], 0u);
    EXPECT_TRUE(setup.field->hasAtMostNValues(4));
    EXPECT_FALSE(setup.field->hasAtMostNValues(1));
}

// The binary DOE is the sign of the real part of signal plus noise: on the working grid that is
// the sign of the binarised field, beyond it the sign of the orders' waves alone.
TEST_F(apsIftaTest, binaryDOEHoldsTheSignOfTheSynthesisedFieldOnTheOutputGrid)
{
    OneToThree setup;
    const int outI = N + 8;
    const int outJ = N + 4;
    aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f, outI, outJ);
    design.iteratePhF(3);
    design.iterateAF(5);
    design.finalQuantization(2);
    boost::shared_ptr<binaryArray2D> bits = design.getBinaryDOE();
    ASSERT_TRUE(bits);
    ASSERT_TRUE(setup.field->hasAtMostNValues(2));

    const float w = float(2.0 * pi);
    int set = 0;
    int inside = 0;
    for (int p = 0; p < outI; ++p)
        for (int q = 0; q < outJ; ++q) {
            SCOPED_TRACE(testing::Message() << "bit (" << p << ", " << q << ")");
            const int X = p - outI / 2;
            const int Y = q - outJ / 2;
            bool expected;
            if (std::abs(X) < N / 2 && std::abs(Y) < N / 2) {
                ++inside;
                expected = setup.field->getValue((X + N) % N, (Y + N) % N).re > 0.0f;
            } else {
                expected
                    = design.getScale() * setup.orders.sumAt(float(X) * w, float(Y) * w).re > 0.0f;
            }
            EXPECT_EQ(bits->getBit(std::uint32_t(p), std::uint32_t(q)), expected);
            set += expected ? 1 : 0;
        }
    EXPECT_EQ(inside, (N - 1) * (N - 1));
    EXPECT_GT(set, outI * outJ / 8);
    EXPECT_LT(set, outI * outJ * 7 / 8);
}

// (max - min) / (max + min) of the orders' intensities in the field's far field.
double uniformityError(const ComplexField& field, const signalOrderList& orders)
{
    signalOrderList sampled = orders;
    sampled.sampleField(field);
    sampled.computeStatistics();
    return (sampled.getMaxIntensity() - sampled.getMinIntensity())
           / (sampled.getMaxIntensity() + sampled.getMinIntensity());
}

TEST_F(apsIftaTest, oneToThreeDesignRaisesTheEfficiency)
{
    OneToThree setup;
    aps_ifta design(&setup.orders, setup.field, setup.mask, 1.0f);
    design.iteratePhF(5);
    std::vector<std::string> lines = log.takeMessages();
    ASSERT_EQ(lines.size(), 5u);
    const double start = loggedPercent(lines.front());
    const double phaseFreedom = diffractionEfficiency(setup.field, setup.orders, true);
    const double phaseFreedomError = uniformityError(setup.field, setup.orders);
    EXPECT_LT(start, 10.0);
    EXPECT_GT(loggedPercent(lines.back()), 80.0);
    EXPECT_GT(phaseFreedom, 0.8);

    // Amplitude freedom evens the three orders out at a similar efficiency (the continuous
    // 1-to-3 optimum is about 92.6 %, the binary one about 66.4 %).
    design.iterateAF(10);
    EXPECT_EQ(log.takeMessages().size(), 10u);
    const double amplitudeFreedom = diffractionEfficiency(setup.field, setup.orders, true);
    EXPECT_GT(amplitudeFreedom, 0.9);
    EXPECT_GT(phaseFreedomError, 0.1);
    EXPECT_LT(uniformityError(setup.field, setup.orders), 0.01);

    // Two phase levels: the field is binary and keeps most of the light in the three orders.
    design.iterateQuantization(10, 2);
    EXPECT_FALSE(log.takeMessages().empty());
    EXPECT_TRUE(setup.field->hasAtMostNValues(2));
    const double binary = diffractionEfficiency(setup.field, setup.orders, true);
    EXPECT_GT(binary, 0.6);
}

TEST_F(apsIftaTest, noiseWeightScalesTheModulusAndWeightNoiseRescalesTheOrders)
{
    signalOrderList orders;
    signalOrder o = order(0.0f, 0.0f, 2.0f);
    o.amplitude = {3.0f, 4.0f};
    orders.addOrder(o);
    RealField mask = realField(2, 2, {1.0f, 0.0f, 0.5f, 0.0f});
    ComplexField field
        = complexField(2, 2, {{1.0f, 1.0f}, {0.0f, -2.0f}, {-4.0f, 0.0f}, {0.0f, 0.0f}});
    aps_ifta design(&orders, field, mask, 2.0f);

    ComplexField other = copyOf(field);
    design.multiplyByNoiseWeight(other);
    expectComplexNear(other->getValue(0, 0), {0.0f, 0.0f}, 1e-6);
    expectComplexNear(other->getValue(1, 0), {0.0f, -4.0f}, 1e-6);
    expectComplexNear(other->getValue(0, 1), {-4.0f, 0.0f}, 1e-6);
    expectComplexNear(other->getValue(1, 1), {0.0f, 0.0f}, 1e-6);
    expectComplexNear(field->getValue(0, 0), {1.0f, 1.0f}, 0.0); // only the given field changes

    design.weightNoise();
    expectComplexNear(orders.at(0).amplitude, {1.2f, 1.6f}, 1e-6);
    expectFieldsNear(*field, *other, 1e-6);

    // A field larger than the weight: the "Error!" box, nothing changed.
    MessageRecorder recorder;
    ComplexField larger = complexField(3, 2, std::vector<complexFloat>(6, {1.0f, 0.0f}));
    design.multiplyByNoiseWeight(larger);
    EXPECT_EQ(recorder.messages().size(), 1u);
    expectComplexNear(larger->getValue(2, 1), {1.0f, 0.0f}, 0.0);
    EXPECT_TRUE(log.take().empty());
}

} // namespace
