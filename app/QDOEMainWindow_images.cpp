// Main window: opening images (file, command line, drop, paste) and the preference commands.
#include "app/QDOEMainWindow.h"

#include "app/base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_QV_PhasedeckAppAbout.h"

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
void QDOEMainWindow::about()
{
    // The maker's lines: name, postal address (two lines) and web address.
    static const char makerLines[] = "QUORVEL Photonics\n"
                                     "Optics Park 12\n"
                                     "00000 Sampletown\n"
                                     "www.quorvel.example";
#if PHASEDECK_LAB
    const std::string text = productTitle + "\nfor QUORVEL _internal_ use only.\n" + makerLines;
#else
    const std::string text = productTitle + "\nfor the Quorvel SLM " + deviceModel + ", version "
                             + productVersion + "\n\n" + makerLines;
#endif
    dialog_QV_PhasedeckAppAbout box;
    box.setWindowTitle(QString::fromStdString("About " + productTitle));
    box.InfoTextLabel->setText(QString::fromStdString(text));
    runDialog(box);
}
