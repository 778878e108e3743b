// Entry point of the program.
#include "app/runPhasedeck.h"

int main(int argc, char** argv)
{
    return runPhasedeck(argc, argv);
}
