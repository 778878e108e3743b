// Random phases of the design code, drawn from the program's 15-bit generator.
#pragma once

#include "fields/complexFloat.h"

#include <cstddef>

// Seeds the generator with the current time in seconds: two seedings within one second repeat
// the same sequence.
void seedRandomPhasesFromClock();
// rand() * pi * 2 / 32767: a phase in radians from 0 to 2 pi, both ends included.
double drawRandomPhase();
// polarUnit(float(drawRandomPhase())), from a table of the 32768 possible values built at the
// first call; the same draw as drawRandomPhase.
complexFloat drawRandomPhasor();
// The next n phasors into out[0 .. n - 1], the same as n calls of drawRandomPhasor.
void drawRandomPhasors(complexFloat* out, std::size_t n);
