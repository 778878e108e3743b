// Clock seeding and the phase drawn from one random value.
#include "design/randomPhase.h"

#include "base/phasedeckRandom.h"

#include <ctime>

void seedRandomPhasesFromClock()
{
    phasedeckSrand(static_cast<unsigned int>(std::time(nullptr)));
}

double drawRandomPhase()
{
    const double pi = 3.141592653589793;
    return phasedeckRand() * pi * 6.103701895199438e-05;
}
