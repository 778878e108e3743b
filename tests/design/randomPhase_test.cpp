// Random phases of the design code: the tabulated phasor draw against the phase draw.
#include "design/randomPhase.h"

#include "base/phasedeckRandom.h"

#include <gtest/gtest.h>

#include <vector>

TEST(randomPhase, phasorDrawIsThePolarUnitOfThePhaseDraw)
{
    // Far more draws than the generator has values, from two generators started alike.
    constexpr int draws = 100000;
    std::vector<float> phases(draws);
    phasedeckSrand(12345);
    for (float& t : phases)
        t = float(drawRandomPhase());
    phasedeckSrand(12345);
    for (int k = 0; k < draws; ++k) {
        const complexFloat expected = polarUnit(phases[std::size_t(k)]);
        const complexFloat drawn = drawRandomPhasor();
        ASSERT_EQ(drawn.re, expected.re) << "draw " << k;
        ASSERT_EQ(drawn.im, expected.im) << "draw " << k;
    }
}

// Lengths below, at and above the batches the draws are made in, between single draws.
TEST(randomPhase, batchDrawsContinueTheSequenceOfSingleDraws)
{
    for (std::size_t n : {std::size_t(0), std::size_t(1), std::size_t(255), std::size_t(256),
                          std::size_t(257), std::size_t(1000)}) {
        SCOPED_TRACE(n);
        phasedeckSrand(77);
        std::vector<int> values(n + 2);
        for (int& v : values)
            v = phasedeckRand();
        phasedeckSrand(77);
        std::vector<int> filled(n + 2);
        filled[0] = phasedeckRand();
        phasedeckRandFill(filled.data() + 1, n);
        filled[n + 1] = phasedeckRand();
        EXPECT_EQ(filled, values);

        phasedeckSrand(77);
        std::vector<complexFloat> expected(n + 2);
        for (complexFloat& z : expected)
            z = drawRandomPhasor();
        phasedeckSrand(77);
        std::vector<complexFloat> drawn(n + 2);
        drawn[0] = drawRandomPhasor();
        drawRandomPhasors(drawn.data() + 1, n);
        drawn[n + 1] = drawRandomPhasor();
        for (std::size_t k = 0; k < n + 2; ++k) {
            ASSERT_EQ(drawn[k].re, expected[k].re) << "draw " << k;
            ASSERT_EQ(drawn[k].im, expected[k].im) << "draw " << k;
        }
    }
}
