// The program's 15-bit linear congruential generator.
#include "base/phasedeckRandom.h"

#include <cstdint>

namespace {

std::uint32_t state = 1;

int next(std::uint32_t& s)
{
    s = s * 214013u + 2531011u;
    return static_cast<int>((s >> 16) & 0x7FFFu);
}

} // namespace

int phasedeckRand()
{
    return next(state);
}

void phasedeckRandFill(int* values, unsigned long n)
{
    // The state in a local, so that the loop keeps it in a register.
    std::uint32_t s = state;
    for (unsigned long k = 0; k < n; ++k)
        values[k] = next(s);
    state = s;
}

void phasedeckSrand(unsigned int seed)
{
    state = seed;
}
