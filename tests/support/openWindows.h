// The windows a test opened: the field windows of a main window's workspace, and a tear-down
// that deletes every listed full-screen window.
#pragma once

#include "app/QDOEMainWindow.h"
#include "base/phasedeckGlobals.h"
#include "views/qComplexDataGrscMapWidget.h"
#include "views/qFullScreenFieldWidget.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <vector>

inline std::vector<qComplexDataGrscMapWidget*> fieldWindowsOf(const QDOEMainWindow& window)
{
    std::vector<qComplexDataGrscMapWidget*> found;
    for (QMdiSubWindow* frame : window.workspaceArea()->subWindowList())
        if (auto* w = qobject_cast<qComplexDataGrscMapWidget*>(frame->widget()))
            found.push_back(w);
    return found;
}

inline void deleteOpenFullScreenWindows()
{
    const std::vector<qFullScreenFieldWidget*> windows = openFullScreenWindows;
    for (qFullScreenFieldWidget* w : windows)
        delete w;
    openFullScreenWindows.clear();
}
