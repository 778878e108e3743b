// Runs one test of the current test program again in a child process whose offscreen platform
// has the given screens, for what only shows on a real screen layout.
#pragma once

#include <QString>

// The child runs `childTest` (a gtest filter naming one test) with QT_QPA_PLATFORM
// "offscreen:configfile=..." listing `screens` (a JSON array of screen objects, the first one
// primary), a settings folder of its own and `variable` set to `value`; a child test skips itself
// when `variable` is not set. Fails the calling test unless the child passed that one test.
void expectChildPassesOnScreens(const char* screens, const QString& childTest, const char* variable,
                                const QString& value);
