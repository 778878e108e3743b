// Random phases of the design code, drawn from the program's 15-bit generator.
#pragma once

// Seeds the generator with the current time in seconds: two seedings within one second repeat
// the same sequence.
void seedRandomPhasesFromClock();
// rand() * pi * 2 / 32767: a phase in radians from 0 to 2 pi, both ends included.
double drawRandomPhase();
