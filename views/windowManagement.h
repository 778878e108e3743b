// Opening full-screen pattern windows and releasing the SLM output from all of them.
#pragma once

#include <QImage>
#include <QString>

class QWidget;
class qFullScreenFieldWidget;

// A new full-screen pattern window for the image (tiled to the full-screen size), without the
// "Add lens Phase" or "Add prism phase" button when its flag is false, shown by
// showOnFullScreen and appended to openFullScreenWindows. The window deletes itself when closed.
qFullScreenFieldWidget* openFullScreenWindow(QImage image, QString caption, bool keepLensButton,
                                             bool keepPrismButton);

// Puts a top-level window that is not yet shown at the top left corner of the primary screen, so
// that no window manager places it under the SLM output on the SLM screen.
void placeOnPrimaryScreen(QWidget* window);

// Every listed full-screen window stops feeding the SLM output (connectToSLM(false)).
void disconnectAllFromSLM();
