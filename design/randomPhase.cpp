// Clock seeding and the phase drawn from one random value.
#include "design/randomPhase.h"

#include "base/phasedeckRandom.h"

#include <ctime>
#include <vector>

void seedRandomPhasesFromClock()
{
    phasedeckSrand(static_cast<unsigned int>(std::time(nullptr)));
}

namespace {

double phaseOfDraw(int draw)
{
    const double pi = 3.141592653589793;
    return draw * pi * 6.103701895199438e-05;
}

} // namespace

double drawRandomPhase()
{
    return phaseOfDraw(phasedeckRand());
}

namespace {

// The phasor of every possible draw.
const std::vector<complexFloat>& phasorOfDraw()
{
    static const std::vector<complexFloat> phasors = [] {
        std::vector<complexFloat> table(std::size_t(phasedeckRandMax) + 1);
        for (int draw = 0; draw <= phasedeckRandMax; ++draw)
            table[std::size_t(draw)] = polarUnit(float(phaseOfDraw(draw)));
        return table;
    }();
    return phasors;
}

} // namespace

complexFloat drawRandomPhasor()
{
    return phasorOfDraw()[std::size_t(phasedeckRand())];
}

void drawRandomPhasors(complexFloat* out, std::size_t n)
{
    const complexFloat* table = phasorOfDraw().data();
    // In chunks, so that the draws stay in the first-level cache.
    int draws[256];
    for (std::size_t done = 0; done < n;) {
        const std::size_t chunk = n - done < 256 ? n - done : 256;
        phasedeckRandFill(draws, chunk);
        for (std::size_t k = 0; k < chunk; ++k)
            out[done + k] = table[std::size_t(draws[k])];
        done += chunk;
    }
}
