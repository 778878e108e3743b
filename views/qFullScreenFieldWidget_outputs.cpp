// Full-screen pattern window: feeding the SLM output, showing on the screen, saving the
// displayed bitmap and raising the main window.
#include "views/qFullScreenFieldWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/asciiExport.h"
#include "fieldio/imageFileExport.h"
#include "fieldio/imageColours.h"
#include "views/saveFileName.h"
#include "views/windowManagement.h"

#include <QToolButton>

void qFullScreenFieldWidget::connectToSLM(bool on)
{
#if PHASEDECK_LAB
    Q_UNUSED(on);
#else
    if (!theSettings.slmOnExtendedDesktop)
        return;
    if (on) {
        disconnectAllFromSLM();
        slmConnected = true;
        if (theMainWindow)
            theMainWindow->showOnSLM(slmPixmap());
        if (slmButton)
            slmButton->setIcon(slmOnIcon);
        update();
    } else if (slmConnected) {
        slmConnected = false;
        if (theMainWindow)
            theMainWindow->hideSLM();
        if (slmButton) {
            slmButton->setIcon(slmOffIcon);
            if (slmButton->isChecked())
                slmButton->setChecked(false);
        }
    }
#endif
}

void qFullScreenFieldWidget::showOnFullScreen()
{
    // The SLM output stays on top of the SLM screen and would cover the window there.
    placeOnPrimaryScreen(this);
    if (theSettings.primaryScreenWidth == fullWidth
        && theSettings.primaryScreenHeight == fullHeight) {
        // Never shown at a size of its own, the window would take the size of its children, the
        // tool strip at the right edge included, and span the SLM screen beside the primary one:
        // the window manager may then maximise it there.
        resize(fullWidth, fullHeight);
        showMaximized();
    } else {
        setMaximumSize(fullWidth, fullHeight);
        resize(fullWidth, fullHeight);
        show();
    }
}

void qFullScreenFieldWidget::saveDisplayedFullscreenBitmap()
{
    // What is displayed is what is saved.
    const QImage bitmap = composedImage;
    SaveNameRequest request;
    request.start = QString::fromStdString(theSettings.saveFileDir);
    request.filters = QStringList{pngFileFilter, bmpFileFilter, asciiFileFilter};
    const SaveNameResult chosen = chooseSaveFileName(request);
    if (!chosen.accepted || chosen.fileName.isEmpty())
        return;
    bool written = false;
    if (chosen.selectedFilter == pngFileFilter)
        written = writeImageFile(reduceImageDepth(bitmap), chosen.fileName, "PNG", 0);
    else if (chosen.selectedFilter == bmpFileFilter)
        written = writeImageFile(reduceImageDepth(bitmap), chosen.fileName, "BMP", 100);
    else if (chosen.selectedFilter == asciiFileFilter)
        written = exportImageAscii(chosen.fileName, bitmap, 1.0, 1.0);
    else
        return;
    if (written)
        rememberSaveFolder(chosen);
    else
        reportFailedSave(chosen);
}

void qFullScreenFieldWidget::activateMainWindow()
{
    if (!theMainWindow)
        return;
    theMainWindow->raise();
    theMainWindow->show();
    theMainWindow->activateWindow();
}
