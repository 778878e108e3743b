// Main window of the internal edition: its menus and the user-interface preferences command.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_guiprefsImpl.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

void QDOEMainWindow::buildMenus()
{
    fileMenu = menuBarWidget->addMenu(tr("&File"));
    fileMenu->addAction(tr("Open &Image file"), QKeySequence(Qt::CTRL | Qt::Key_I), this,
                        &QDOEMainWindow::openImageFile);
    fileMenu->addAction(tr("&Open DOE"), this, &QDOEMainWindow::openDOE);
    fileMenu->addSeparator();
    fileMenu->addAction(tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), qApp,
                        &QCoreApplication::quit);

    struct Entry
    {
        const char* text;
        void (QDOEMainWindow::*slot)();
    };
    static const Entry generators[] = {
        {"Show Blank Screen", &QDOEMainWindow::showBlankScreen},
        {"Show Horizontally Divided Screen", &QDOEMainWindow::showHorizDividedScreen},
        {"Show Random Bitmap", &QDOEMainWindow::showRandomBitmap},
        {"Show Random Binary Bitmap", &QDOEMainWindow::showRandomBinaryBitmap},
        {"Show Rectangular Aperture", &QDOEMainWindow::showRectangularAperture},
        {"Show Circular Aperture", &QDOEMainWindow::showCircularAperture},
        {"Show Binary Fresnel Zone Lens", &QDOEMainWindow::showBinaryFresnelZoneLens},
        {"Show Fresnel Zone Lens", &QDOEMainWindow::showFresnelZoneLens},
        {"Show Cylindrical Fresnel Zone Lens", &QDOEMainWindow::showCylindricFresnelZoneLens},
        {"Show Binary Axicon", &QDOEMainWindow::showBinaryAxicon},
        {"Show Axicon", &QDOEMainWindow::showAxicon},
        {"Show Vortex Phase", &QDOEMainWindow::showVortexPhase},
        {"Show Concentric Ring Segments", &QDOEMainWindow::showConcentricRingSegments},
        {"Show Single Slit", &QDOEMainWindow::showSingleSlit},
        {"Show Double Slit", &QDOEMainWindow::showDoubleSlit},
        {"Show Binary Linear Grating", &QDOEMainWindow::showBinaryLinearGrating},
        {"Show Binary Linear Grating (45 degree rotation)",
         &QDOEMainWindow::showBinaryLinear45degGrating},
        {"Show Binary 1-to-5 Linear Beamsplitter Grating",
         &QDOEMainWindow::showLinearDammannGrating},
        {"Show Binary 1-to-(2x2) Separable Array Beamsplitter Grating",
         &QDOEMainWindow::showSepa2x2ArrayBeamsplitterGrating},
        {"Show Binary 1-to-(5x5) Separable Array Beamsplitter Grating",
         &QDOEMainWindow::showSepa5x5ArrayBeamsplitterGrating},
        {"Show Binary 1-to-(5x5) Non-separable Array Beamsplitter Grating",
         &QDOEMainWindow::showNonsepa5x5ArrayBeamsplitterGrating},
        {"Show Sinusoidal Grating", &QDOEMainWindow::showSinusoidalGrating},
        {"Show Blazed Grating", &QDOEMainWindow::showBlazedGrating},
    };
    opticalFunctionsMenu = menuBarWidget->addMenu(tr("&Elementary Optical Functions"));
    for (const Entry& entry : generators)
        opticalFunctionsMenu->addAction(tr(entry.text), this, entry.slot);

    preferencesMenu = menuBarWidget->addMenu(tr("&Preferences"));
    preferencesMenu->addAction(tr("Optical parameters"), this,
                               &QDOEMainWindow::openOpticalPrefsDialog);
    preferencesMenu->addAction(tr("Load &Background Compensation Image file"), this,
                               &QDOEMainWindow::loadBackgroundImageFromFile);
    preferencesMenu->addAction(tr("&Unload Background Compensation Image file"), this,
                               &QDOEMainWindow::unloadBackgroundImage);
    preferencesMenu->addAction(tr("&Set graylevel display range"), this,
                               &QDOEMainWindow::setGraylevelRange);

    addWindowsAndHelpMenus();
}

void QDOEMainWindow::openGUIPrefsDialog()
{
    dialog_guiprefsImpl dialog(nullptr, nullptr, true);
    dialog.checkBox_imageOptions->setChecked(theSettings.showImageOptionsDialog);
    dialog.checkBox_IFTAOptions->setChecked(theSettings.showIFTAOptionsDialog);
    dialog.checkBox_Autozoom->setChecked(theSettings.autoShrinkFieldWindows);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    theSettings.showImageOptionsDialog = dialog.checkBox_imageOptions->isChecked();
    theSettings.showIFTAOptionsDialog = dialog.checkBox_IFTAOptions->isChecked();
    theSettings.autoShrinkFieldWindows = dialog.checkBox_Autozoom->isChecked();
}
