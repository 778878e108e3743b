// The full-screen window opener, the SLM release and the recomposition over the list of open
// full-screen windows.
#include "views/windowManagement.h"

#include "base/phasedeckGlobals.h"
#include "views/qFullScreenFieldWidget.h"

#include <vector>

qFullScreenFieldWidget* openFullScreenWindow(QImage image, QString caption, bool keepLensButton,
                                             bool keepPrismButton)
{
    auto* window = new qFullScreenFieldWidget(nullptr, "new window", Qt::Window, caption, image);
    if (!keepLensButton)
        window->hideLensButton();
    if (!keepPrismButton)
        window->hidePrismButton();
    window->showOnFullScreen();
    openFullScreenWindows.push_back(window);
    return window;
}

void disconnectAllFromSLM()
{
    // A copy: a window may leave the list while it is released.
    const std::vector<qFullScreenFieldWidget*> windows = openFullScreenWindows;
    for (qFullScreenFieldWidget* window : windows)
        if (window)
            window->connectToSLM(false);
}

void recomposeAllFullScreenWindows()
{
    const std::vector<qFullScreenFieldWidget*> windows = openFullScreenWindows;
    for (qFullScreenFieldWidget* window : windows)
        if (window)
            window->preferencesChanged();
}
