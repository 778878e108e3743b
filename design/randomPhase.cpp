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

complexFloat drawRandomPhasor()
{
    static const std::vector<complexFloat> phasors = [] {
        std::vector<complexFloat> table(std::size_t(phasedeckRandMax) + 1);
        for (int draw = 0; draw <= phasedeckRandMax; ++draw)
            table[std::size_t(draw)] = polarUnit(float(phaseOfDraw(draw)));
        return table;
    }();
    return phasors[std::size_t(phasedeckRand())];
}
