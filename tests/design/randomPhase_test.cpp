// Random phases of the design code: the tabulated phasor draw against the phase draw.
#include "design/randomPhase.h"

#include "base/phasedeckRandom.h"

#include <gtest/gtest.h>

#include <cstring>
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

// Seeded alike, single draws and a batch of n between single draws give the same sequence.
template<typename T, typename Single, typename Batch>
void expectBatchContinuesSingleDraws(std::size_t n, Single single, Batch batch)
{
    phasedeckSrand(77);
    std::vector<T> expected(n + 2);
    for (T& v : expected)
        v = single();
    phasedeckSrand(77);
    std::vector<T> drawn(n + 2);
    drawn[0] = single();
    batch(drawn.data() + 1, n);
    drawn[n + 1] = single();
    for (std::size_t k = 0; k < n + 2; ++k)
        ASSERT_EQ(std::memcmp(&drawn[k], &expected[k], sizeof(T)), 0) << "draw " << k;
}

// Lengths below, at and above the batches the draws are made in.
TEST(randomPhase, batchDrawsContinueTheSequenceOfSingleDraws)
{
    for (std::size_t n : {std::size_t(0), std::size_t(1), std::size_t(255), std::size_t(256),
                          std::size_t(257), std::size_t(1000)}) {
        SCOPED_TRACE(n);
        expectBatchContinuesSingleDraws<int>(n, phasedeckRand, phasedeckRandFill);
        expectBatchContinuesSingleDraws<complexFloat>(n, drawRandomPhasor, drawRandomPhasors);
    }
}
