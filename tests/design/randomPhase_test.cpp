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
