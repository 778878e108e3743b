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

void phasedeckRandFill(int* values, unsigned long n)
{
    std::uint32_t s = state;
    for (unsigned long k = 0; k < n; ++k) {
        s = s * 214013u + 2531011u;
        values[k] = static_cast<int>((s >> 16) & 0x7FFFu);
    }
    state = s;
}

void phasedeckSrand(unsigned int seed)
{
    state = seed;
}
