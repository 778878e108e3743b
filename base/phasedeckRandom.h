// The program's random generator: 15-bit output (0..32767) on every platform, seeded only on
// request, so that unseeded draws repeat from run to run.
#pragma once

constexpr int phasedeckRandMax = 32767;

// Next value in 0..32767 (s = s * 214013 + 2531011, output (s >> 16) & 0x7FFF).
int phasedeckRand();
// The next n values into values[0 .. n - 1], the same as n calls of phasedeckRand.
void phasedeckRandFill(int* values, unsigned long n);
// Restarts the sequence; the state is 1 until the first call.
void phasedeckSrand(unsigned int seed);
