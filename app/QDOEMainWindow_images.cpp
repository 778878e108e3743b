// Main window: opening images (file, command line, drop, paste) and the preference commands.
#include "app/QDOEMainWindow.h"

#include <QDropEvent>

void QDOEMainWindow::dropEvent(QDropEvent*) {}
void QDOEMainWindow::paste() {}
void QDOEMainWindow::openFileByName(QString) {}
void QDOEMainWindow::openImageFile() {}
void QDOEMainWindow::openImageFileByName(QString) {}
void QDOEMainWindow::showImage(QImage, QString) {}
void QDOEMainWindow::loadBackgroundImageFromFile() {}
void QDOEMainWindow::unloadBackgroundImage() {}
void QDOEMainWindow::setGraylevelRange() {}
void QDOEMainWindow::openOpticalPrefsDialog() {}
void QDOEMainWindow::openFontDialog() {}
void QDOEMainWindow::about() {}
