// The program's main function, callable from tests.
#pragma once

// Runs the program: uses the existing application object if there is one, otherwise creates
// it from argc/argv. Returns the event loop's result.
int runPhasedeck(int argc, char** argv);
