// Main window: the Windows menu, the window openers and the SLM output feed.
#include "app/QDOEMainWindow.h"

void QDOEMainWindow::windowsMenuAboutToShow() {}
void QDOEMainWindow::windowsMenuActivated(int) {}
void QDOEMainWindow::closeAllInternalField2DWidgets() {}
void QDOEMainWindow::closeAllExternalField2DWidgets() {}
void QDOEMainWindow::openComplexFieldWindow(boost::shared_ptr<complexDataField2D>, int, QString,
                                            QString)
{}
void QDOEMainWindow::openRealFieldWindow(boost::shared_ptr<DataField2D>, QString, QString) {}
void QDOEMainWindow::openComplexFieldWindowCopy(const complexDataField2D&, int, QString, QString)
{}
void QDOEMainWindow::openComplexFieldWindowCopy(boost::shared_ptr<complexDataField2D>, int,
                                                QString, QString)
{}
void QDOEMainWindow::openRealFieldWindowCopy(const DataField2D&, QString, QString) {}
void QDOEMainWindow::showOnSLM(QPixmap) {}
void QDOEMainWindow::hideSLM() {}
