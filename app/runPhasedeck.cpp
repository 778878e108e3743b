// Start-up and shut-down of the program around the event loop.
#include "app/runPhasedeck.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/applicationFont.h"
#include "dialogs/screenPlacement.h"
#include "fieldio/imageFileReader.h"
#include "app/messageBoxes.h"
#include "views/backgroundImage.h"
#if PHASEDECK_LAB
#include "lab/app/displaySizeQuestion.h"
#endif

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <memory>

int runPhasedeck(int argc, char** argv)
{
    // Patterns must reach the SLM 1:1 in device pixels.
    if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");

    std::unique_ptr<QApplication> ownApp;
    if (!QCoreApplication::instance()) {
        ownApp = std::make_unique<QApplication>(argc, argv);
        installToolkitMessageBoxes();
    }

    // Large images (up to 16384 x 16384 in colour) load; larger ones are refused with a warning.
    applyImageAllocationLimit();

#if PHASEDECK_LAB
    // The display's pixel numbers, asked before any window exists.
    theSettings.load(*qApp, askDisplaySize);
#else
    // Settings folder, settings file and the SLM screen, before any window exists.
    theSettings.load(*qApp);
#endif

    // An empty background compensation image (replacing one of an earlier run); it lives until
    // the process ends.
    delete theBackgroundImage;
    theBackgroundImage = new backgroundImage();

    graylevelPhase0 = 0;
    graylevelPhase2Pi = 255;

    QApplication::setFont(phasedeckApplicationFont());

    homeFolder = QDir::homePath();
    applicationFolder = QCoreApplication::applicationDirPath();

    QPointer<QDOEMainWindow> window
        = new QDOEMainWindow(nullptr, "new window", Qt::Window, argc, argv);
    theMainWindow = window;
    placeOnPrimaryScreen(window);
    window->showMaximized();
    const int result = QApplication::exec();

    // Closing the window only schedules its deletion; run its destructor before leaving.
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    theMainWindow = nullptr;
    return result;
}
