// The element-wise kernels of the quantisation and the amplitude constraint: the same decisions
// as the exact element function also next to every decision boundary, the constraint against a
// double-precision reference, on both vector paths, and bit-identical paths.
#include "design/designKernels.h"

#include "designTestFields.h"
#include "support/vectorPaths.h"

#include <cstring>
#include <limits>

using namespace designTest;

namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

// Random values of moduli 1e-3 .. 1e5 and phases everywhere, followed by values next to every
// decision boundary of the quantisation (each level, each half-way point, each snap limit, at
// distances from 0 to 3e-5 rad on both sides), by phases +-pi with signed zero parts, and by
// values outside the fast range.
std::vector<float> quantizationInput(int levels, double fraction, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<float> z;
    auto add = [&](double modulus, double phase) {
        z.push_back(float(modulus * std::cos(phase)));
        z.push_back(float(modulus * std::sin(phase)));
    };
    for (int k = 0; k < 1000; ++k)
        add(std::pow(10.0, -3.0 + 8.0 * unit(gen)), pi * (2.0 * unit(gen) - 1.0));
    const double step = 2.0 * pi / levels;
    const double snap = step * fraction * 0.5;
    const double offsets[] = {0.0, 1e-7, 3e-7, 1e-6, 3e-6, 9e-6, 1.1e-5, 3e-5};
    const int shown = std::min(levels, 40);
    for (int k = 0; k <= shown; ++k) {
        const double level = (k == shown ? levels : k) * step - pi;
        for (double centre : {level, level + step / 2, level + snap, level - snap})
            for (double offset : offsets)
                for (double sign : {-1.0, 1.0})
                    add(0.5 + unit(gen), centre + sign * offset);
    }
    const float special[][2] = {{-1.0f, 0.0f},    {-1.0f, -0.0f},  {-3.0f, 1e-9f}, {-3.0f, -1e-9f},
                                {0.0f, 0.0f},     {-0.0f, -0.0f},  {nan, 1.0f},    {1.0f, inf},
                                {1e-30f, 1e-31f}, {2e19f, -3e19f}, {0.0f, 2.0f},   {-2.0f, 0.0f}};
    for (const auto& v : special) {
        z.push_back(v[0]);
        z.push_back(v[1]);
    }
    return z;
}

struct QuantizationCase
{
    int levels;
    double fraction;
};

const QuantizationCase quantizationCases[]
    = {{256, 1.0}, {256, 0.1}, {256, 0.0}, {256, 0.55}, {8, 0.3}, {3, 1.0}, {1, 0.5}, {65536, 0.7}};

std::vector<complexFloat> levelPhasors(int levels)
{
    std::vector<complexFloat> table(std::size_t(levels) + 1);
    for (int k = 0; k <= levels; ++k)
        table[std::size_t(k)] = polarUnit(float(k * (2.0 * pi / levels) - pi));
    return table;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

class designKernels : public vectorPathTest
{
};

INSTANTIATE_TEST_SUITE_P(paths, designKernels, testing::ValuesIn(bothVectorPaths()),
                         vectorPathParameterName);

} // namespace

TEST_P(designKernels, quantizationTakesTheExactDecisionForEveryValue)
{
    for (const QuantizationCase& c : quantizationCases) {
        SCOPED_TRACE(testing::Message() << c.levels << " levels, fraction " << c.fraction);
        const std::vector<complexFloat> table = levelPhasors(c.levels);
        const phaseQuantization q = makePhaseQuantization(c.fraction, c.levels, table.data());
        const std::vector<float> input = quantizationInput(c.levels, c.fraction, 3);
        const std::size_t n = input.size() / 2;
        std::vector<float> expected = input;
        std::vector<int> expectedLevels(n);
        for (std::size_t k = 0; k < n; ++k)
            expectedLevels[k] = quantizeElement(expected[2 * k], expected[2 * k + 1], q);
        std::vector<float> z = input;
        std::vector<int> levels(n, -2);
        quantizePhases(z.data(), n, q, levels.data());
        for (std::size_t k = 0; k < n; ++k)
            if (std::memcmp(&z[2 * k], &expected[2 * k], 2 * sizeof(float)) != 0
                || levels[k] != expectedLevels[k]) {
                ADD_FAILURE() << "value " << k << " (" << input[2 * k] << ", " << input[2 * k + 1]
                              << ") gives (" << z[2 * k] << ", " << z[2 * k + 1] << ") at level "
                              << levels[k] << ", not (" << expected[2 * k] << ", "
                              << expected[2 * k + 1] << ") at level " << expectedLevels[k];
                break;
            }
        // Without the levels asked for, the same values.
        std::vector<float> alone = input;
        quantizePhases(alone.data(), n, q);
        EXPECT_TRUE(sameBits(alone, z));
    }
}

// A snapped value is its level's phasor exactly, every other value keeps its phase: the level
// indices tell the two apart.
TEST_P(designKernels, levelIndicesNameTheLevelPhasorOfEverySnappedValue)
{
    for (const QuantizationCase& c : quantizationCases) {
        SCOPED_TRACE(testing::Message() << c.levels << " levels, fraction " << c.fraction);
        const std::vector<complexFloat> table = levelPhasors(c.levels);
        for (const complexFloat* levelPhasors : {table.data(), (const complexFloat*)nullptr}) {
            const phaseQuantization q = makePhaseQuantization(c.fraction, c.levels, levelPhasors);
            std::vector<float> z = quantizationInput(c.levels, c.fraction, 6);
            const std::size_t n = z.size() / 2;
            std::vector<int> levels(n, -2);
            quantizePhases(z.data(), n, q, levels.data());
            std::size_t snapped = 0;
            for (std::size_t k = 0; k < n; ++k) {
                SCOPED_TRACE(testing::Message() << "value " << k);
                ASSERT_GE(levels[k], -1);
                ASSERT_LE(levels[k], c.levels);
                if (levels[k] < 0)
                    continue;
                ++snapped;
                const complexFloat p = table[std::size_t(levels[k])];
                EXPECT_EQ(z[2 * k], p.re);
                EXPECT_EQ(z[2 * k + 1], p.im);
            }
            if (c.fraction == 0.0)
                EXPECT_EQ(snapped, 0u);
            else
                EXPECT_GT(snapped, n / 4);
        }
    }
}

TEST(designKernelElements, quantizeElementFollowsTheDefinition)
{
    // Level phasors for snapped phases, the unit phasor for the others, modulus 1 everywhere.
    const int levels = 8;
    const std::vector<complexFloat> table = levelPhasors(levels);
    const double step = 2.0 * pi / levels;
    struct Case
    {
        double phase, fraction;
        int level; // -1: not snapped
    };
    const Case cases[] = {{0.1, 1.0, 4},
                          {0.1, 0.1, -1},
                          {-pi, 0.5, 0},
                          {pi - 1e-9, 0.5, 8},
                          {step / 2 - pi + 1e-6, 1.0, 1},
                          {step / 2 - pi - 1e-6, 1.0, 0},
                          {0.3, 0.0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "phase " << c.phase << ", fraction " << c.fraction);
        const phaseQuantization q = makePhaseQuantization(c.fraction, levels, table.data());
        float re = float(3.0 * std::cos(c.phase)), im = float(3.0 * std::sin(c.phase));
        const double phase = std::atan2(double(im), double(re));
        EXPECT_EQ(quantizeElement(re, im, q), c.level);
        EXPECT_NEAR(std::hypot(re, im), 1.0, 2e-7);
        if (c.level >= 0) {
            EXPECT_EQ(re, table[std::size_t(c.level)].re);
            EXPECT_EQ(im, table[std::size_t(c.level)].im);
        } else {
            EXPECT_NEAR(std::atan2(im, re), phase, 3e-7);
        }
    }
    // Without a table the snapped phasor is computed; zero becomes the phasor of phase 0.
    const phaseQuantization untabulated = makePhaseQuantization(1.0, levels, nullptr);
    float re = 0.0f, im = 0.0f;
    quantizeElement(re, im, untabulated);
    EXPECT_EQ(re, 1.0f);
    EXPECT_EQ(im, 0.0f);
}

TEST_P(designKernels, amplitudeConstraintFollowsTheDoubleReference)
{
    const std::size_t n = 1027;
    std::mt19937 gen(11);
    std::uniform_real_distribution<float> part(-300.0f, 300.0f), weight(0.0f, 2.0f);
    std::vector<float> z(2 * n), signal(n), noise(n);
    for (std::size_t k = 0; k < n; ++k) {
        z[2 * k] = part(gen);
        z[2 * k + 1] = part(gen);
        signal[k] = k % 3 == 0 ? weight(gen) : 0.0f;
        noise[k] = k % 3 == 0 ? 0.0f : 0.7f;
    }
    z[2 * 10] = z[2 * 10 + 1] = 0.0f; // a zero value stays zero
    z[2 * 1020] = 1e-30f;             // and tiny values keep their phase
    z[2 * 1020 + 1] = -1e-30f;
    const std::vector<float> input = z;

    std::vector<float> modulus(n);
    const double sum = moduliAndWeightedSum(z.data(), n, signal.data(), modulus.data());
    double expectedSum = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double m = std::hypot(double(input[2 * k]), double(input[2 * k + 1]));
        EXPECT_NEAR(modulus[k], m, 1.2e-7 * m) << "value " << k;
        expectedSum += signal[k] * m;
    }
    EXPECT_NEAR(sum, expectedSum, 1e-6 * expectedSum);
    EXPECT_TRUE(sameBits(z, input)) << "the modulus pass leaves the values alone";

    const float s = 0.37f;
    rescaleToWeightedModuli(z.data(), n, modulus.data(), signal.data(), noise.data(), s);
    for (std::size_t k = 0; k < n; ++k) {
        SCOPED_TRACE(testing::Message() << "value " << k);
        const double m = std::hypot(double(input[2 * k]), double(input[2 * k + 1]));
        if (m == 0.0) {
            EXPECT_EQ(z[2 * k], 0.0f);
            EXPECT_EQ(z[2 * k + 1], 0.0f);
            continue;
        }
        const double target = s * signal[k] + noise[k] * m;
        EXPECT_NEAR(z[2 * k], input[2 * k] / m * target, 3e-7 * (target + 1e-30));
        EXPECT_NEAR(z[2 * k + 1], input[2 * k + 1] / m * target, 3e-7 * (target + 1e-30));
    }
}

TEST(designKernelPaths, bothPathsGiveBitIdenticalResults)
{
    if (!processorHasAvx2Fma())
        GTEST_SKIP() << "the processor has no AVX2 + FMA";
    for (const QuantizationCase& c : quantizationCases) {
        SCOPED_TRACE(testing::Message() << c.levels << " levels, fraction " << c.fraction);
        const std::vector<complexFloat> table = levelPhasors(c.levels);
        const phaseQuantization q = makePhaseQuantization(c.fraction, c.levels, table.data());
        std::vector<float> portable = quantizationInput(c.levels, c.fraction, 4);
        std::vector<float> avx2 = portable;
        std::vector<int> portableLevels(portable.size() / 2), avx2Levels(avx2.size() / 2, -2);
        quantizePhasesPortable(portable.data(), portable.size() / 2, q, portableLevels.data());
        quantizePhasesAvx2(avx2.data(), avx2.size() / 2, q, avx2Levels.data());
        EXPECT_TRUE(sameBits(portable, avx2));
        EXPECT_EQ(portableLevels, avx2Levels);
    }

    std::vector<float> z = quantizationInput(256, 1.0, 5);
    for (std::size_t k = 0; k < z.size(); k += 7)
        z[k] *= 1e3f;
    const std::size_t n = z.size() / 2;
    std::vector<float> signal(n), noise(n);
    for (std::size_t k = 0; k < n; ++k) {
        signal[k] = float(k % 5) * 0.3f;
        noise[k] = k % 5 == 0 ? 1.0f : 0.0f;
    }
    std::vector<float> modulusPortable(n), modulusAvx2(n);
    const double sumPortable
        = moduliAndWeightedSumPortable(z.data(), n, signal.data(), modulusPortable.data());
    const double sumAvx2 = moduliAndWeightedSumAvx2(z.data(), n, signal.data(), modulusAvx2.data());
    EXPECT_EQ(std::memcmp(&sumPortable, &sumAvx2, sizeof(double)), 0);
    EXPECT_TRUE(sameBits(modulusPortable, modulusAvx2));
    std::vector<float> portable = z, avx2 = z;
    rescaleToWeightedModuliPortable(portable.data(), n, modulusPortable.data(), signal.data(),
                                    noise.data(), 0.8f);
    rescaleToWeightedModuliAvx2(avx2.data(), n, modulusPortable.data(), signal.data(), noise.data(),
                                0.8f);
    EXPECT_TRUE(sameBits(portable, avx2));
}
