// Test tear-down: deletes every listed full-screen window and empties the list.
#pragma once

#include "base/phasedeckGlobals.h"
#include "views/qFullScreenFieldWidget.h"

#include <vector>

inline void deleteOpenFullScreenWindows()
{
    const std::vector<qFullScreenFieldWidget*> windows = openFullScreenWindows;
    for (qFullScreenFieldWidget* w : windows)
        delete w;
    openFullScreenWindows.clear();
}
