// Tests of the grating optimiser: the evaluation report, the gradient step, the
// critical-dimension correction and the iteration log.
#include "design/binLinGratingOptimizer.h"

#include "designTestFields.h"

#include <algorithm>
#include <complex>
#include <numeric>
#include <sstream>

using namespace designTest;

namespace {

RealField row(const std::vector<float>& values)
{
    return realField(int(values.size()), 1, values);
}

std::vector<float> valuesOf(const RealField& f)
{
    std::vector<float> values;
    for (int i = 0; i < f->getSizeI(); ++i)
        values.push_back(f->getValue(i, 0));
    return values;
}

// Target 1 on orders -a .. a of 2K + 1 samples.
RealField signalTarget(int a, int K)
{
    std::vector<float> values(2 * K + 1, 0.0f);
    for (int m = -a; m <= a; ++m)
        values[K + m] = 1.0f;
    return row(values);
}

struct GratingSetup
{
    std::vector<float> widths;
    int signalOrders = 1;
    int noiseOrders = 2;
    double criticalDimension = 0.05;
    double scalingFactor = 1.0;
    int errorFunctionOrder = 2;
};

std::unique_ptr<binLinGratingOptimizer> optimizerFor(const GratingSetup& s, RealField target = {})
{
    const int K = s.signalOrders + s.noiseOrders;
    if (!target)
        target = signalTarget(s.signalOrders, K);
    return std::make_unique<binLinGratingOptimizer>(
        row(s.widths), target, realField(1, 1),
        new binLinGratingOptimizerParameters(s.signalOrders, s.noiseOrders, s.criticalDimension,
                                             s.scalingFactor, s.errorFunctionOrder));
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The number after the label on a line that starts with it.
double valueAfter(const std::string& line, const std::string& label)
{
    EXPECT_EQ(line.substr(0, label.size()), label);
    return std::stod(line.substr(label.size()));
}

// Order intensities in double from the points x_1 .. x_L: C_m, S_m the sums of
// (-1)^j cos(2 pi m x_j) and (-1)^j sin(...), D the sum of (-1)^j x_j.
double referenceIntensity(const std::vector<double>& x, int m)
{
    double C = 0.0, S = 0.0, D = 0.0;
    for (std::size_t j = 1; j <= x.size(); ++j) {
        const double sign = j % 2 == 0 ? 1.0 : -1.0;
        C += sign * std::cos(2 * pi * m * x[j - 1]);
        S += sign * std::sin(2 * pi * m * x[j - 1]);
        D += sign * x[j - 1];
    }
    if (m == 0)
        return 1 - 4 * D * (1 - D);
    return (C * C + S * S) / std::pow(pi * m, 2);
}

// I_0 .. I_K of the grating with these widths, the points summed as the optimiser sums them.
std::vector<double> referenceIntensities(const std::vector<float>& widths, int K)
{
    std::vector<double> x;
    double sum = 0.0;
    for (float w : widths) {
        sum += w;
        x.push_back(float(sum));
    }
    std::vector<double> I;
    for (int m = 0; m <= K; ++m)
        I.push_back(referenceIntensity(x, m));
    return I;
}

} // namespace

TEST(binLinGratingOptimizer, evaluationReportOfTheHalfPeriodGrating)
{
    // Widths 0.5, 0.5: I_0 = 0, I_1 = 4 / pi^2, I_2 = 0, I_3 = 4 / (9 pi^2).
    auto optimizer = optimizerFor({{0.5f, 0.5f}});
    const double i1 = 4 / (pi * pi);
    const double i3 = i1 / 9;
    // The average divides the signal power by the 3 target samples > 0.
    const double average = i1 / 3;
    const double rms = std::sqrt(i1 * i1 - average * average);
    const std::vector<std::string> lines = linesOf(optimizer->evaluate());
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "Number of transition points: 2");
    EXPECT_EQ(lines[1], "Critical Dimension: 0.5");
    EXPECT_EQ(lines[2], "q_CD: 0.5");
    EXPECT_EQ(lines[3], "");
    EXPECT_NEAR(valueAfter(lines[4], "Diffraction efficiency: (%) "), 200 * i1, 1e-4);
    EXPECT_EQ(lines[5], "");
    EXPECT_NEAR(valueAfter(lines[6], "Average power: (%) \t "), 100 * average, 1e-4);
    EXPECT_EQ(lines[7], "Power in ZO: (%) 0");
    EXPECT_NEAR(valueAfter(lines[8], "Power in weakest signal order: (%) "), 100 * i1, 1e-4);
    EXPECT_NEAR(valueAfter(lines[9], "Power in strongest signal order: (%) "), 100 * i1, 1e-4);
    EXPECT_NEAR(valueAfter(lines[10], "Power in strongest noise order: (%) "), 100 * i3, 1e-4);
    EXPECT_EQ(lines[11], "");
    EXPECT_NEAR(valueAfter(lines[12], "rms uniformity error: (%)\t "), 100 / average * rms, 1e-3);
    EXPECT_EQ(lines[13], "Signal P_min/P_max: 1");
    EXPECT_NEAR(valueAfter(lines[14], "Weakest signal to strongest noise ratio: "), 9.0, 1e-5);
    EXPECT_EQ(lines[15], "");
    EXPECT_EQ(lines[16], "Suppression of adjacent undesired orders (SAUO)");
    // Signal sample 1 is the empty zero order here.
    EXPECT_EQ(lines[17], "SAOU_1 : 0");
}

TEST(binLinGratingOptimizer, sauoSumsSignalSamplesAgainstTheOrdersBeyond)
{
    GratingSetup s{{0.2f, 0.35f, 0.15f, 0.3f}};
    s.signalOrders = 2;
    s.noiseOrders = 3;
    const std::vector<double> I = referenceIntensities(s.widths, 5);
    const std::vector<std::string> lines = linesOf(optimizerFor(s)->evaluate());
    ASSERT_EQ(lines.size(), 19u);
    // Sample n of the signal orders is order n - a; the noise sums run over orders a + n.
    EXPECT_NEAR(valueAfter(lines[17], "SAOU_1 : "), I[1] / I[3], 1e-4 * I[1] / I[3]);
    EXPECT_NEAR(valueAfter(lines[18], "SAOU_2 : "), (I[1] + I[0]) / (I[3] + I[4]),
                1e-4 * (I[1] + I[0]) / (I[3] + I[4]));
    EXPECT_NEAR(valueAfter(lines[4], "Diffraction efficiency: (%) "),
                100 * (I[0] + 2 * I[1] + 2 * I[2]), 1e-3);
}

TEST(binLinGratingOptimizer, oddPointCountKeepsThePeriodEndOutOfTheSums)
{
    // Widths 0.2, 0.35, 0.45: the level switches at 0.2 and 0.55 only, a duty cycle of 0.35.
    GratingSetup s{{0.2f, 0.35f, 0.45f}};
    s.criticalDimension = 0.0;
    auto optimizer = optimizerFor(s);
    const std::vector<std::string> lines = linesOf(optimizer->evaluate());
    const double f = double(float(0.2f + 0.35f)) - double(0.2f);
    EXPECT_NEAR(valueAfter(lines[7], "Power in ZO: (%) "), 100 * (1 - 4 * f * (1 - f)), 1e-3);
    EXPECT_NEAR(valueAfter(lines[9], "Power in strongest signal order: (%) "),
                100 * 4 * std::pow(std::sin(pi * f), 2) / (pi * pi), 1e-3);
    optimizer->optimize(2, 0.01);
    const std::vector<float> points = valuesOf(optimizer->getTransitionPoints());
    EXPECT_EQ(points[2], 1.0f);
    EXPECT_NE(points[0], 0.2f);
}

TEST(binLinGratingOptimizer, evaluationWithoutNoiseOrdersOrTargetSamples)
{
    GratingSetup s{{0.3f, 0.7f}};
    s.noiseOrders = 0;
    const std::string report = optimizerFor(s)->evaluate();
    const std::string sauo = "Suppression of adjacent undesired orders (SAUO)\n";
    ASSERT_GE(report.size(), sauo.size());
    EXPECT_EQ(report.substr(report.size() - sauo.size()), sauo);

    // No target sample above 0: the averages over no samples are 0, never NaN.
    GratingSetup z{{0.3f, 0.7f}};
    auto optimizer = optimizerFor(z, row(std::vector<float>(7, 0.0f)));
    const std::vector<std::string> lines = linesOf(optimizer->evaluate());
    EXPECT_EQ(lines[6], "Average power: (%) \t 0");
    EXPECT_EQ(lines[12], "rms uniformity error: (%)\t 0");
    const std::string log = optimizer->optimize(3, 0.01);
    EXPECT_EQ(log.find("nan"), std::string::npos) << log;
    for (float x : valuesOf(optimizer->getTransitionPoints()))
        EXPECT_TRUE(std::isfinite(x));
}

TEST(binLinGratingOptimizer, firstStepFollowsTheNegativeGradient)
{
    // g is the gradient of F = sum over m = 1 .. K of (I_m - T_m)^p + I_0^p / 2 with the targets
    // T fixed by the current average.
    GratingSetup s{{0.23f, 0.31f, 0.16f, 0.30f}};
    s.signalOrders = 2;
    s.noiseOrders = 2;
    s.criticalDimension = 0.0;
    s.scalingFactor = 1.5;
    s.errorFunctionOrder = 2;
    const int K = 4;
    const RealField target = signalTarget(2, K);
    auto optimizer = optimizerFor(s, target);

    std::vector<double> x;
    double sum = 0.0;
    for (float w : s.widths) {
        sum += w;
        x.push_back(float(sum));
    }
    const double average = (referenceIntensity(x, 1) + referenceIntensity(x, 2)) / 5.0;
    auto F = [&](const std::vector<double>& points) {
        double f = std::pow(referenceIntensity(points, 0), 2) / 2;
        for (int m = 1; m <= K; ++m) {
            const double t = float(s.scalingFactor * average) * target->getValue(K + m, 0);
            f += std::pow(referenceIntensity(points, m) - t, 2);
        }
        return f;
    };

    const double step = 1e-3;
    optimizer->optimize(0, step);
    const std::vector<float> moved = valuesOf(optimizer->getTransitionPoints());
    ASSERT_EQ(moved.size(), x.size());
    for (std::size_t j = 0; j < x.size(); ++j) {
        SCOPED_TRACE(j);
        std::vector<double> plus = x, minus = x;
        plus[j] += 1e-6;
        minus[j] -= 1e-6;
        const double gradient = (F(plus) - F(minus)) / 2e-6;
        EXPECT_NEAR((moved[j] - x[j]) / -step, gradient, 2e-3 + 1e-3 * std::fabs(gradient));
    }
    // The widths are the differences of the new points.
    const std::vector<float> widths = valuesOf(optimizer->getWidths());
    EXPECT_FLOAT_EQ(widths[0], moved[0]);
    EXPECT_FLOAT_EQ(widths[2], moved[2] - moved[1]);
}

TEST(binLinGratingOptimizer, criticalDimensionCorrectionKeepsTheTotalWidth)
{
    struct Case
    {
        const char* name;
        std::vector<float> widths;
        std::vector<float> corrected;
    };
    const Case cases[] = {
        {"narrow middle segment", {0.45f, 0.1f, 0.45f}, {0.4f, 0.2f, 0.4f}},
        {"narrow first segment takes from the last", {0.1f, 0.45f, 0.45f}, {0.2f, 0.4f, 0.4f}},
        // Segment 2, lowered by segment 1, is corrected in its turn; segment 1 is not revisited.
        {"cascade", {0.15f, 0.15f, 0.7f}, {0.1625f, 0.2f, 0.6375f}},
        {"wide enough", {0.3f, 0.3f, 0.4f}, {0.3f, 0.3f, 0.4f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GratingSetup s{c.widths};
        s.criticalDimension = 0.2;
        auto optimizer = optimizerFor(s);
        // Step size 0: the step leaves the points, the correction alone acts.
        const std::string log = optimizer->optimize(0, 0.0);
        const bool corrects = c.widths != c.corrected;
        EXPECT_EQ(log.find("critical dimension correction \n") != std::string::npos, corrects);
        const std::vector<float> widths = valuesOf(optimizer->getWidths());
        ASSERT_EQ(widths.size(), c.corrected.size());
        for (std::size_t i = 0; i < widths.size(); ++i)
            EXPECT_NEAR(widths[i], c.corrected[i], 1e-6) << "segment " << i + 1;
        EXPECT_NEAR(std::accumulate(widths.begin(), widths.end(), 0.0), 1.0, 1e-6);
        const std::vector<float> points = valuesOf(optimizer->getTransitionPoints());
        EXPECT_NEAR(points[0], widths[0], 1e-7);
        EXPECT_NEAR(points[2], 1.0, 1e-6);
        // A later evaluation reports the corrected grating.
        EXPECT_NEAR(valueAfter(linesOf(optimizer->evaluate())[1], "Critical Dimension: "),
                    *std::min_element(c.corrected.begin(), c.corrected.end()), 1e-5);
    }
}

TEST(binLinGratingOptimizer, iterationLog)
{
    GratingSetup s{{0.5f, 0.5f}};
    s.criticalDimension = 0.1;
    auto optimizer = optimizerFor(s);
    optimizer->evaluate();
    const std::vector<std::string> lines = linesOf(optimizer->optimize(2, 0.01));
    const std::vector<std::string> head = {"",
                                           "Grating optimization",
                                           "====================",
                                           "",
                                           "Iteration number : 2",
                                           "Iteration step size : 0.01",
                                           "Critical dimension : 0.1",
                                           "Scaling factor : 1"};
    ASSERT_EQ(lines.size(), head.size() + 1 + 2 * 10);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), head);
    // The half-period grating sits at a stationary point: E = (I_1 - I_1 / 3)^2, and it stays.
    const double i1 = 4 / (pi * pi);
    EXPECT_NEAR(valueAfter(lines[8], "Error function 1:\t "), std::pow(i1 * 2 / 3, 2), 1e-5);
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        const auto block = lines.begin() + 9 + 10 * c;
        EXPECT_EQ(block[0], "");
        EXPECT_EQ(block[1], std::to_string(c));
        EXPECT_NEAR(valueAfter(block[2], "Average intensity:\t "), i1 / 3, 1e-6);
        EXPECT_NEAR(valueAfter(block[3], "Error function 1:\t "), std::pow(i1 * 2 / 3, 2), 1e-5);
        EXPECT_NEAR(valueAfter(block[4], "Power in ZO: (%) "), 0.0, 1e-4);
        EXPECT_NEAR(valueAfter(block[5], "Power in weakest signal order: (%) "), 100 * i1, 1e-3);
        // Here the zero order takes part in the maximum.
        EXPECT_NEAR(valueAfter(block[6], "Power in strongest signal order: (%) "), 100 * i1, 1e-3);
        EXPECT_NEAR(valueAfter(block[7], "Power in strongest noise order: (%) "), 100 * i1 / 9,
                    1e-3);
        EXPECT_EQ(block[8], "");
        EXPECT_NEAR(valueAfter(block[9], "Critical Dimension:\t "), 0.5, 1e-5);
    }
}

TEST(binLinGratingOptimizer, optimizeEvaluatesWhenTheOrdersAreNotCurrent)
{
    GratingSetup s{{0.2f, 0.35f, 0.45f}};
    s.signalOrders = 2;
    s.noiseOrders = 1;
    s.criticalDimension = 0.1;
    auto evaluated = optimizerFor(s);
    evaluated->evaluate();
    const std::string expected = evaluated->optimize(1, 0.005);
    // Without an evaluation first, the same log.
    EXPECT_EQ(optimizerFor(s)->optimize(1, 0.005), expected);

    // A second run starts from the stored grating, as a new optimiser on its widths would.
    GratingSetup next = s;
    next.widths = valuesOf(evaluated->getWidths());
    auto restarted = optimizerFor(next);
    restarted->optimize(0, 0.005);
    evaluated->optimize(0, 0.005);
    const std::vector<float> continued = valuesOf(evaluated->getTransitionPoints());
    const std::vector<float> fresh = valuesOf(restarted->getTransitionPoints());
    ASSERT_EQ(continued.size(), fresh.size());
    for (std::size_t j = 0; j < fresh.size(); ++j)
        EXPECT_NEAR(continued[j], fresh[j], 1e-6) << "point " << j + 1;
}
