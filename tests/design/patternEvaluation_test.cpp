// Tests of the diffraction-pattern evaluation: the one-spot example, report and row texts for
// uniform and non-uniform targets, the noise ratio lines, the sinc envelope of non-square DOEs,
// the signal/noise split, the evaluation against a signal-order list and the edition's far-field
// members.
#include "design/patternEvaluation.h"

#include "designTestFields.h"
#include "design/signalOrderList.h"

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

using namespace designTest;

namespace {

// A 4 x 4 DOE whose far field (forward transform) is 8 at order (0, 0), 4 at orders (1, 0) and
// (-1, 0) and 2 at order (2, 1): intensities 64, 16, 16 and 4 of P = 16^2 = 256. All values are
// exact in single precision.
ComplexField fourOrderDoe()
{
    ComplexField far = complexField(4, 4, {});
    far->setValue(0, 0, {8.0f, 0.0f});
    far->setValue(1, 0, {4.0f, 0.0f});
    far->setValue(3, 0, {4.0f, 0.0f});
    far->setValue(2, 1, {2.0f, 0.0f});
    ComplexField doe = far->ifftCopy();
    *doe *= 1.0f / 16.0f;
    return doe;
}

// Target amplitudes at orders (0, 0), (1, 0) and (-1, 0).
RealField threeOrderTarget(float zeroOrder, float firstOrders)
{
    RealField target = realField(4, 4);
    target->setValue(0, 0, zeroOrder);
    target->setValue(1, 0, firstOrders);
    target->setValue(3, 0, firstOrders);
    return target;
}

int columns(const std::string& row)
{
    int tabs = 0;
    for (char c : row)
        tabs += c == '\t' ? 1 : 0;
    return tabs;
}

template<typename T, typename = void>
struct hasGetFarField : std::false_type
{
};
template<typename T>
struct hasGetFarField<T, std::void_t<decltype(std::declval<T&>().getFarField())>> : std::true_type
{
};

} // namespace

TEST(patternEvaluation, tableHeaderNamesFourteenColumns)
{
    EXPECT_EQ(patternEvaluation::tableHeader(),
              "DE[%]\tSCDE[%]\tSF\tZO[%]\tSS[%]\tWS[%]\tSS2WS\tUE[%]\tSN\tWS2SN\tR_SS\tR_WS\t"
              "R_SS2WS\tR_UE[%]\t\n");
}

// A constant DOE puts all its power N^2 into order (0, 0).
TEST(patternEvaluation, oneSpotExampleHasFullEfficiencyAndNoNoise)
{
    ComplexField doe = complexField(4, 4, std::vector<complexFloat>(16, {1.0f, 0.0f}));
    RealField target = realField(4, 4, {1.0f});
    patternEvaluation evaluation(doe, target, RealField());
    EXPECT_EQ(evaluation.getKind(), 2);
    evaluation.evaluate();

    EXPECT_DOUBLE_EQ(evaluation.getDiffractionEfficiency(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getSincCorrectedEfficiency(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getScaleFactor(), 16.0);
    EXPECT_DOUBLE_EQ(evaluation.getZerothOrder(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getStrongestSignal(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getWeakestSignal(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getUniformityError(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getStrongestNoise(), 0.0);
    EXPECT_EQ(evaluation.report(), "Diffraction efficiency: 100 %\n"
                                   "Diffraction efficiency with sinc correction: 100 %\n"
                                   "Signal energy scale factor: 16\n"
                                   "Zeroth order power: 100 %\n\n"
                                   "Strongest signal order: 100 %\n"
                                   "Weakest signal order: 100 %\n"
                                   "Strongest signal to weakest signal ratio is 1 : 1\n"
                                   "Uniformity Error: 0 %\n"
                                   "Strongest noise order: 0 %\n");
    EXPECT_EQ(evaluation.tableRow(), "100\t100\t16\t100\t100\t100\t1\t0\t0\t\t\n");
    EXPECT_EQ(evaluation.str(), "0\t0\t100%\t100%\n");
    // The DOE field itself now holds the far field.
    expectComplexNear(doe->getValue(0, 0), {16.0f, 0.0f}, 0.0);

    // A second evaluation reuses the far field: same figures, the order lines once more.
    const std::string row = evaluation.tableRow();
    evaluation.evaluate();
    EXPECT_EQ(evaluation.tableRow(), row);
    EXPECT_EQ(evaluation.str(), "0\t0\t100%\t100%\n0\t0\t100%\t100%\n");
}

TEST(patternEvaluation, nonUniformTargetAddsTheRelativeSection)
{
    patternEvaluation evaluation(fourOrderDoe(), threeOrderTarget(2.0f, 1.0f), RealField());
    EXPECT_FLOAT_EQ(evaluation.getMinTargetIntensity(), 1.0f);
    EXPECT_FLOAT_EQ(evaluation.getMaxTargetIntensity(), 4.0f);
    evaluation.evaluate();

    // Orders (+-1, 0) see the pixel envelope sinc(1/4)^2 = 0.810569.
    EXPECT_EQ(evaluation.report(),
              "Diffraction efficiency: 37.5 %\n"
              "Diffraction efficiency with sinc correction: 35.1321 %\n"
              "Signal energy scale factor: 1\n"
              "Zeroth order power: 25 %\n\n"
              "Strongest signal order: 25 %\n"
              "Weakest signal order: 6.25 %\n"
              "Strongest signal to weakest signal ratio is 4 : 1\n"
              "Uniformity Error: 60 %\n"
              "Strongest noise order: 1.5625 %\n"
              "Weakest signal to strongest noise ratio is 4 : 1\n"
              "\nSignal intensity variation relative to signal definition:\n"
              "Strongest relative signal order: 100 % (deviation: +0 %)\n"
              "Weakest relative signal order: 100 % (deviation: -0 %)\n"
              "Strongest relative signal to weakest relative signal ratio is 1 : 1\n"
              "Relative Uniformity Error: 0 %\n");
    const std::string row = evaluation.tableRow();
    EXPECT_EQ(row, "37.5\t35.1321\t1\t25\t25\t6.25\t4\t60\t1.5625\t4\t0\t0\t1\t0\t\n");
    EXPECT_EQ(columns(row), columns(patternEvaluation::tableHeader()));
    EXPECT_EQ(evaluation.str(), "0\t0\t25%\t25%\n1\t0\t6.25%\t5.06606%\n-1\t0\t6.25%\t5.06606%\n");
}

TEST(patternEvaluation, uniformTargetOmitsTheRelativeSectionAndNoiseAboveSignalIsRatioed)
{
    patternEvaluation evaluation(fourOrderDoe(), threeOrderTarget(0.0f, 1.0f), RealField());
    evaluation.evaluate();

    // The zeroth order is noise now and four times stronger than each signal order.
    EXPECT_EQ(evaluation.report(), "Diffraction efficiency: 12.5 %\n"
                                   "Diffraction efficiency with sinc correction: 10.1321 %\n"
                                   "Signal energy scale factor: 1\n"
                                   "Zeroth order power: 25 %\n\n"
                                   "Strongest signal order: 6.25 %\n"
                                   "Weakest signal order: 6.25 %\n"
                                   "Strongest signal to weakest signal ratio is 1 : 1\n"
                                   "Uniformity Error: 0 %\n"
                                   "Strongest noise order: 25 %\n"
                                   "Weakest signal to strongest noise ratio is 1 : 4\n");
    const std::string row = evaluation.tableRow();
    EXPECT_EQ(row, "12.5\t10.1321\t1\t25\t6.25\t6.25\t1\t0\t25\t0.25\t\n");
    EXPECT_EQ(columns(row), columns(patternEvaluation::tableHeader()) - 4);
    EXPECT_DOUBLE_EQ(evaluation.getRelativeStrongestSignal(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getRelativeUniformityError(), 1.0);
}

TEST(patternEvaluation, targetWithoutSignalGivesDefinedFigures)
{
    patternEvaluation evaluation(fourOrderDoe(), realField(4, 4), RealField());
    evaluation.evaluate();
    EXPECT_DOUBLE_EQ(evaluation.getDiffractionEfficiency(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getScaleFactor(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getStrongestSignal(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getWeakestSignal(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getUniformityError(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getRelativeUniformityError(), 1.0);
    EXPECT_DOUBLE_EQ(evaluation.getStrongestNoise(), 0.25);
    EXPECT_EQ(evaluation.str(), "");
    const std::string report = evaluation.report();
    EXPECT_EQ(report.find("nan"), std::string::npos) << report;
    EXPECT_NE(report.find("Strongest signal to weakest signal ratio is 0 : 1\n"), std::string::npos)
        << report;
}

// Non-square DOEs whose far field holds the zeroth order and two orders off both axes: the pixel
// envelope of order (ci, cj) is sinc(ci / NI)^2 sinc(cj / NJ)^2, each axis with its own size.
TEST(patternEvaluation, sincCorrectionDividesEachOrderByItsOwnAxisSize)
{
    struct Order
    {
        int ci, cj;
        float amplitude;
    };
    struct Case
    {
        const char* name;
        int sizeI, sizeJ;
        std::vector<Order> orders;
    };
    const std::vector<Case> cases = {
        {"tall", 4, 8, {{0, 0, 16.0f}, {1, 2, 8.0f}, {-1, 3, 4.0f}}},
        {"wide", 8, 4, {{0, 0, 16.0f}, {2, 1, 8.0f}, {-3, -1, 4.0f}}},
    };
    const auto sincSquared = [](double x) {
        const double s = x == 0.0 ? 1.0 : std::sin(pi * x) / (pi * x);
        return s * s;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = c.sizeI * c.sizeJ;
        const double P = double(n) * n;
        ComplexField far = complexField(c.sizeI, c.sizeJ, {});
        RealField target = realField(c.sizeI, c.sizeJ);
        double sumI = 0.0;
        double sumIs = 0.0;
        std::map<std::pair<int, int>, double> correctedPercent;
        for (const Order& o : c.orders) {
            const int i = (o.ci + c.sizeI) % c.sizeI;
            const int j = (o.cj + c.sizeJ) % c.sizeJ;
            far->setValue(i, j, {o.amplitude, 0.0f});
            target->setValue(i, j, 1.0f);
            const double I = double(o.amplitude) * o.amplitude;
            const double s
                = sincSquared(double(o.ci) / c.sizeI) * sincSquared(double(o.cj) / c.sizeJ);
            sumI += I;
            sumIs += I * s;
            correctedPercent[{o.ci, o.cj}] = 100.0 * I / P * s;
        }
        ComplexField doe = far->ifftCopy();
        *doe *= 1.0f / float(n);
        patternEvaluation evaluation(doe, target, RealField());
        evaluation.evaluate();
        EXPECT_NEAR(evaluation.getDiffractionEfficiency(), sumI / P, 1e-6);
        EXPECT_NEAR(evaluation.getSincCorrectedEfficiency(), sumIs / P, 1e-6);

        // Each order line: ci, cj, 100 I / P "%", 100 I / P times its envelope "%".
        std::istringstream lines(evaluation.str());
        std::string line;
        std::size_t count = 0;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            int ci = 0;
            int cj = 0;
            double percent = 0.0;
            double corrected = 0.0;
            char sign = 0;
            fields >> ci >> cj >> percent >> sign >> corrected;
            ASSERT_TRUE(fields && sign == '%') << line;
            const auto expected = correctedPercent.find({ci, cj});
            ASSERT_NE(expected, correctedPercent.end()) << line;
            EXPECT_NEAR(corrected, expected->second, 1e-5 * expected->second) << line;
            ++count;
        }
        EXPECT_EQ(count, c.orders.size());
    }
}

TEST(patternEvaluation, thresholdConstructorBuildsTheMask)
{
    RealField target = realField(4, 2, {0.5f, 3.0f, 0.0f, 1.5f, 0.2f, 1.0f, 2.0f, 0.9f});
    patternEvaluation evaluation(fourOrderDoe(), target, 0.9);
    RealField mask = evaluation.getMask();
    ASSERT_TRUE(mask);
    ASSERT_EQ(mask->getSizeI(), 4);
    ASSERT_EQ(mask->getSizeJ(), 2);
    const float expected[8] = {1, 1, 0, 1, 0, 1, 1, 0};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(mask->getValue(k % 4, k / 4), expected[k]) << "element " << k;
    // The range starts at element (0, 0), below the threshold.
    EXPECT_FLOAT_EQ(evaluation.getMinTargetIntensity(), 0.25f);
    EXPECT_FLOAT_EQ(evaluation.getMaxTargetIntensity(), 9.0f);
}

TEST(patternEvaluation, splitGivesTheDoePlaneFieldsOfSignalAndNoise)
{
    ComplexField doe = fourOrderDoe();
    ComplexField original = copyOf(doe);
    patternEvaluation evaluation(doe, threeOrderTarget(2.0f, 1.0f), RealField());
    ComplexField signal = evaluation.getSignalPart();
    ComplexField noise = evaluation.getNoisePart();
    ASSERT_TRUE(signal && noise);
    expectFieldsNear(*doe, *original, 0.0); // the split works on a transformed copy

    // signal + noise is the DOE, times 16 from the unscaled transform pair; the noise part
    // holds the one noise order only.
    ComplexField sum = signal + noise;
    expectFieldsNear(*sum, *(original * 16.0f), 1e-5);
    ComplexField noiseFar = noise->fftCopy();
    const ComplexField originalFar = original->fftCopy();
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message() << "element (" << i << ", " << j << ")");
            const bool isSignal = j == 0 && (i == 0 || i == 1 || i == 3);
            const complexFloat expected
                = isSignal ? complexFloat{0.0f, 0.0f} : originalFar->getValue(i, j) * 16.0f;
            expectComplexNear(noiseFar->getValue(i, j), expected, 1e-3);
        }

    // A later evaluation uses the far field the split made.
    evaluation.evaluate();
    EXPECT_DOUBLE_EQ(evaluation.getDiffractionEfficiency(), 0.375);
    expectFieldsNear(*doe, *original, 0.0);
}

TEST(patternEvaluation, orderListEvaluationSamplesTheOrdersAndConsumesTheDoe)
{
    signalOrderList orders;
    for (const auto& o :
         {std::make_pair(0.0f, 2.0f), std::make_pair(0.25f, 1.0f), std::make_pair(-0.25f, 1.0f)}) {
        signalOrder record;
        record.fx = o.first;
        record.targetAmplitude = o.second;
        orders.addOrder(record);
    }
    ComplexField doe = fourOrderDoe();
    patternEvaluation evaluation(doe, &orders, realField(4, 4));
    EXPECT_EQ(evaluation.getKind(), 3);
    EXPECT_FLOAT_EQ(evaluation.getMinTargetIntensity(), 1.0f);
    EXPECT_FLOAT_EQ(evaluation.getMaxTargetIntensity(), 4.0f);
    evaluation.evaluate();

    // P is the far-field power 64 + 16 + 16 + 4 = 100.
    EXPECT_NEAR(evaluation.getDiffractionEfficiency(), 0.96, 1e-6);
    EXPECT_DOUBLE_EQ(evaluation.getSincCorrectedEfficiency(), 0.0);
    EXPECT_NEAR(evaluation.getScaleFactor(), 1.6, 1e-6);
    EXPECT_NEAR(evaluation.getZerothOrder(), 0.64, 1e-6);
    EXPECT_NEAR(evaluation.getStrongestSignal(), 0.64, 1e-6);
    EXPECT_NEAR(evaluation.getWeakestSignal(), 0.16, 1e-6);
    EXPECT_NEAR(evaluation.getUniformityError(), 0.6, 1e-6);
    EXPECT_NEAR(evaluation.getStrongestNoise(), 0.04, 1e-6);
    EXPECT_NEAR(evaluation.getRelativeStrongestSignal(), 1.0, 1e-6);
    EXPECT_NEAR(evaluation.getRelativeWeakestSignal(), 1.0, 1e-6);
    EXPECT_NEAR(modulusOf(orders.at(0).amplitude), 8.0, 1e-5);
    EXPECT_NEAR(modulusOf(orders.at(1).amplitude), 4.0, 1e-5);
    EXPECT_EQ(evaluation.str(), "");

    // The DOE now holds the far field of the noise alone: the order (2, 1), or (2, -1) with a
    // forward transform of the other sign.
    double total = 0.0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            total += modulusOf(doe->getValue(i, j));
    EXPECT_NEAR(total, 2.0, 1e-5);
    EXPECT_NEAR(modulusOf(doe->getValue(2, 1)) + modulusOf(doe->getValue(2, 3)), 2.0, 1e-5);

    // Evaluating again would sample a spectrum: the figures stay.
    const std::string report = evaluation.report();
    evaluation.evaluate();
    EXPECT_EQ(evaluation.report(), report);
    EXPECT_NEAR(modulusOf(orders.at(0).amplitude), 8.0, 1e-5);
    EXPECT_FALSE(evaluation.getSignalPart());
    EXPECT_FALSE(evaluation.getNoisePart());
}

TEST(patternEvaluation, emptyOrderListGivesDefinedFigures)
{
    signalOrderList orders;
    patternEvaluation evaluation(fourOrderDoe(), &orders, realField(4, 4));
    evaluation.evaluate();
    EXPECT_DOUBLE_EQ(evaluation.getDiffractionEfficiency(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getScaleFactor(), 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getUniformityError(), 1.0);
    EXPECT_NEAR(evaluation.getStrongestNoise(), 0.64, 1e-6);
    const std::string row = evaluation.tableRow();
    EXPECT_EQ(row.find("nan"), std::string::npos) << row;
    EXPECT_EQ(columns(row), 10);
}

TEST(patternEvaluation, farFieldMembersBelongToTheReleaseEdition)
{
    EXPECT_EQ(hasGetFarField<patternEvaluation>::value, !PHASEDECK_LAB);
#if !PHASEDECK_LAB
    ComplexField doe = fourOrderDoe();
    const ComplexField expected = doe->fftCopy();
    patternEvaluation evaluation(doe, threeOrderTarget(1.0f, 1.0f), RealField());
    ComplexField far = evaluation.getFarField();
    EXPECT_EQ(far, doe); // transformed in place
    expectFieldsNear(*far, *expected, 0.0);
    evaluation.evaluate(); // not transformed again
    expectFieldsNear(*doe, *expected, 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getDiffractionEfficiency(), 96.0 / 256.0);
#else
    // The internal edition transforms the held DOE with its own forward transform.
    ComplexField doe = fourOrderDoe();
    const ComplexField expected = doe->fftCopy();
    patternEvaluation evaluation(doe, threeOrderTarget(1.0f, 1.0f), RealField());
    evaluation.evaluate();
    expectFieldsNear(*doe, *expected, 0.0);
    EXPECT_DOUBLE_EQ(evaluation.getDiffractionEfficiency(), 96.0 / 256.0);
#endif
}
