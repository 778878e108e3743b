// Full-screen pattern window: feeding the SLM output, showing on the screen, saving the
// displayed bitmap and raising the main window.
#include "views/qFullScreenFieldWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fieldio/asciiExport.h"
#include "fieldio/imageColours.h"
#include "views/saveFileName.h"
#include "views/windowManagement.h"

#include <QGuiApplication>
#include <QScreen>
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
            theMainWindow->showOnSLM(displayPixmap);
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

#if PHASEDECK_LAB
namespace {

// The whole desktop in device pixels.
QSize desktopPixels()
{
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop |= QRect(screen->geometry().topLeft(),
                         screen->geometry().size() * screen->devicePixelRatio());
    return desktop.size();
}

} // namespace
#endif

void qFullScreenFieldWidget::showOnFullScreen()
{
#if PHASEDECK_LAB
    const QSize desktop = desktopPixels();
    if (desktop == QSize(fullWidth, fullHeight)) {
#else
    if (theSettings.primaryScreenWidth == fullWidth
        && theSettings.primaryScreenHeight == fullHeight) {
#endif
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
    if (chosen.selectedFilter == pngFileFilter)
        reduceImageDepth(bitmap).save(chosen.fileName, "PNG", 0);
    else if (chosen.selectedFilter == bmpFileFilter)
        reduceImageDepth(bitmap).save(chosen.fileName, "BMP", 100);
    else if (chosen.selectedFilter == asciiFileFilter)
        exportImageAscii(chosen.fileName, bitmap, 1.0, 1.0);
}

void qFullScreenFieldWidget::activateMainWindow()
{
    if (!theMainWindow)
        return;
    theMainWindow->raise();
    theMainWindow->show();
    theMainWindow->activateWindow();
}
