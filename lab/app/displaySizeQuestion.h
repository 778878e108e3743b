// The internal edition's start-up question for the display's pixel numbers.
#pragma once

// Runs the two-integer dialog "Please specify display pixel number " preset with width and
// height (at most 2000 x 1500); true and the entered numbers when it was accepted.
bool askDisplaySize(int& width, int& height);
