// The program's 15-bit linear congruential generator.
#include "base/phasedeckRandom.h"

#include <cstdint>

namespace {
std::uint32_t state = 1;
}

int phasedeckRand()
{
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

void phasedeckSrand(unsigned int seed)
{
    state = seed;
}
