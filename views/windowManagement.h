// Opening full-screen pattern windows, releasing the SLM output from all of them and recomposing
// them for new preferences; windows open on the primary screen by placeOnPrimaryScreen.
#pragma once

#include "dialogs/screenPlacement.h"

#include <QImage>
#include <QString>

class qFullScreenFieldWidget;

// A new full-screen pattern window for the image (tiled to the full-screen size), without the
// "Add lens Phase" or "Add prism phase" button when its flag is false, shown by
// showOnFullScreen and appended to openFullScreenWindows. The window deletes itself when closed.
qFullScreenFieldWidget* openFullScreenWindow(QImage image, QString caption, bool keepLensButton,
                                             bool keepPrismButton);

// Every listed full-screen window stops feeding the SLM output (connectToSLM(false)).
void disconnectAllFromSLM();

// Every listed full-screen window composes its bitmap anew for the current background image and
// gray range, and the SLM output follows the window that feeds it.
void recomposeAllFullScreenWindows();
