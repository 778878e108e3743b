// The font the program installs for all its widgets at start-up.
#pragma once

#include <QFont>

// Helvetica 8 points, normal weight, upright, preferring the platform's match for the family
// (fontconfig usually resolves it to another sans-serif family).
QFont phasedeckApplicationFont();
