// Main window: construction, menus, keys, drag acceptance, destruction and the slots that
// this edition leaves empty.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "views/QSLMWidget.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QVBoxLayout>

QDOEMainWindow::QDOEMainWindow(QWidget* parent, const char* name, Qt::WindowFlags flags, int argc,
                               char** argv)
    : QMainWindow(parent, flags)
{
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(fullApplicationName));

    opticalParameters.defaultPixelSizeX = slmPixelPitch;
    opticalParameters.defaultPixelSizeY = slmPixelPitch;

    centralBox = new QFrame(this);
    centralBox->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(centralBox);
    layout->setContentsMargins(0, 0, 0, 0);
    workspace = new QMdiArea(centralBox);
    workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(workspace);
    setCentralWidget(centralBox);

    menuBarWidget = menuBar();
    buildMenus();

    setMouseTracking(true);
    setAcceptDrops(true);

#if PHASEDECK_LAB
    theSettings.slmOnExtendedDesktop = false;
#else
    if (theSettings.slmOnExtendedDesktop) {
        // Yes, the first button, is the default.
        theSettings.slmOnExtendedDesktop = askQuestion(
            QStringLiteral("Extended desktop support"),
            QStringLiteral("This software can adress the SLM as an\nextra screen within the "
                           "extended desktop.\nDo you want to use this feature ?"),
            QuestionButton::Yes);
        const QList<QScreen*> screens = QGuiApplication::screens();
        if (theSettings.slmOnExtendedDesktop && theSettings.slmScreenIndex >= 0
            && theSettings.slmScreenIndex < screens.size()) {
            slmWidget = new QSLMWidget();
            slmWidget->setGeometry(screens[theSettings.slmScreenIndex]->geometry());
        } else {
            theSettings.slmOnExtendedDesktop = false;
        }
    }
#endif

    if (argc > 0) {
        setWaitCursor(true);
        for (int k = 0; k < argc; ++k)
            openFileByName(QString::fromLocal8Bit(argv[k]));
        setWaitCursor(false);
    }
}

QDOEMainWindow::~QDOEMainWindow()
{
    closeAllExternalField2DWidgets();
    closeAllInternalField2DWidgets();
    // The SLM window has no parent; it goes with the main window, before the application.
    delete slmWidget;
    slmWidget = nullptr;
    if (theMainWindow == this)
        theMainWindow = nullptr;
}

#if !PHASEDECK_LAB
void QDOEMainWindow::buildMenus()
{
    fileMenu = menuBarWidget->addMenu(tr("&File"));
    fileMenu->addAction(tr("Open &Image file"), QKeySequence(Qt::CTRL | Qt::Key_I), this,
                        &QDOEMainWindow::openImageFile);
    fileMenu->addSeparator();
    fileMenu->addAction(tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), qApp,
                        &QCoreApplication::quit);

    opticalFunctionsMenu = menuBarWidget->addMenu(tr("&Elementary Optical Functions"));
    QMenu* m = opticalFunctionsMenu;
    m->addAction(tr("Show Blank Screen"), this, &QDOEMainWindow::showBlankScreen);
    m->addAction(tr("Show Horizontally Divided Screen"), this,
                 &QDOEMainWindow::showHorizDividedScreen);
    m->addSeparator();
    m->addAction(tr("Show Random Bitmap"), this, &QDOEMainWindow::showRandomBitmap);
    m->addAction(tr("Show Random Binary Bitmap"), this, &QDOEMainWindow::showRandomBinaryBitmap);
    m->addSeparator();

    apertureMenu = m->addMenu(tr("Aperture functions"));
    apertureMenu->addAction(tr("Show Rectangular Aperture"), this,
                            &QDOEMainWindow::showRectangularAperture);
    apertureMenu->addAction(tr("Show Circular Aperture"), this,
                            &QDOEMainWindow::showCircularAperture);
    apertureMenu->addSeparator();
    apertureMenu->addAction(tr("Show Single Slit"), this, &QDOEMainWindow::showSingleSlit);
    apertureMenu->addAction(tr("Show Double Slit"), this, &QDOEMainWindow::showDoubleSlit);

    m->addSeparator();
    zoneLensMenu = m->addMenu(tr("Fresnel Zone Lenses"));
    zoneLensMenu->addAction(tr("Show Binary Fresnel Zone Lens"), this,
                            &QDOEMainWindow::showBinaryFresnelZoneLens);
    zoneLensMenu->addAction(tr("Show Fresnel Zone Lens"), this,
                            &QDOEMainWindow::showFresnelZoneLens);
    zoneLensMenu->addAction(tr("Show Cylindrical Fresnel Zone Lens"), this,
                            &QDOEMainWindow::showCylindricFresnelZoneLens);

    m->addSeparator();
    m->addAction(tr("Show Binary Axicon"), this, &QDOEMainWindow::showBinaryAxicon);
    m->addAction(tr("Show Axicon"), this, &QDOEMainWindow::showAxicon);
    m->addSeparator();
    m->addAction(tr("Show Vortex Phase"), this, &QDOEMainWindow::showVortexPhase);
    m->addAction(tr("Show Concentric Ring Segments"), this,
                 &QDOEMainWindow::showConcentricRingSegments);
    m->addSeparator();

    beamSplitterMenu = m->addMenu(tr("Binary Beam-Splitter Gratings"));
    beamSplitterMenu->addAction(tr("Show Binary Linear Grating"), this,
                                &QDOEMainWindow::showBinaryLinearGrating);
    beamSplitterMenu->addSeparator();
    exemplaryDesignsMenu = beamSplitterMenu->addMenu(tr("Exemplary Binary Beam-Splitter Designs"));
    exemplaryDesignsMenu->addAction(tr("Show Binary 1-to-5 Linear Beamsplitter Grating"), this,
                                    &QDOEMainWindow::showLinearDammannGrating);
    exemplaryDesignsMenu->addAction(
        tr("Show Binary 1-to-(2x2) Separable Array Beamsplitter Grating"), this,
        &QDOEMainWindow::showSepa2x2ArrayBeamsplitterGrating);
    exemplaryDesignsMenu->addAction(
        tr("Show Binary 1-to-(5x5) Separable Array Beamsplitter Grating"), this,
        &QDOEMainWindow::showSepa5x5ArrayBeamsplitterGrating);
    exemplaryDesignsMenu->addAction(
        tr("Show Binary 1-to-(5x5) Non-separable Array Beamsplitter Grating"), this,
        &QDOEMainWindow::showNonsepa5x5ArrayBeamsplitterGrating);

    m->addSeparator();
    m->addAction(tr("Show Sinusoidal Grating"), this, &QDOEMainWindow::showSinusoidalGrating);
    m->addAction(tr("Show Blazed Grating"), this, &QDOEMainWindow::showBlazedGrating);

    addWindowsAndHelpMenus();
}
#endif

void QDOEMainWindow::addWindowsAndHelpMenus()
{
    windowsMenu = menuBarWidget->addMenu(tr("&Windows"));
    connect(windowsMenu, &QMenu::aboutToShow, this, &QDOEMainWindow::windowsMenuAboutToShow);
    // Ctrl+E wherever the focus is in the main window, also before the menu was first opened.
    auto* closeOutsideKey = new QAction(this);
    closeOutsideKey->setObjectName(QStringLiteral("closeOutsideKey"));
    closeOutsideKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    closeOutsideKey->setShortcutContext(Qt::WindowShortcut);
    addAction(closeOutsideKey);
    connect(closeOutsideKey, &QAction::triggered, this,
            &QDOEMainWindow::closeAllExternalField2DWidgets);

    helpMenu = menuBarWidget->addMenu(tr("&Help"));
    helpMenu->addAction(tr("&About"), QKeySequence(Qt::CTRL | Qt::Key_A), this,
                        &QDOEMainWindow::about);
}

void QDOEMainWindow::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_V && (e->modifiers() & Qt::ControlModifier))
        paste();
}

void QDOEMainWindow::dragEnterEvent(QDragEnterEvent* e)
{
    const QMimeData* data = e->mimeData();
    if (data->hasText() || data->hasUrls() || data->hasImage())
        e->acceptProposedAction();
    else
        e->ignore();
}

// Declared for the meta-object; this edition gives them no work.
void QDOEMainWindow::openTextFile() {}
void QDOEMainWindow::openRBBFile() {}
#if PHASEDECK_LAB
void QDOEMainWindow::openLinearDOE_TP() {}
void QDOEMainWindow::openLinearDOE_TP_EOM() {}
#else
void QDOEMainWindow::openDOE() {}
void QDOEMainWindow::binLinDOE_TP_GSO() {}
#endif
void QDOEMainWindow::batchConversionImage_2_gdsII() {}
void QDOEMainWindow::computeParameters_VELMORA() {}
void QDOEMainWindow::costumized_Batch_IFTA_VELMORA() {}
void QDOEMainWindow::createRandomBinaryBitmapFile() {}
void QDOEMainWindow::computeDOESpecs() {}
#if !PHASEDECK_LAB
void QDOEMainWindow::computeDOEAngles() {}
#endif
void QDOEMainWindow::fftSpeedtest() {}
void QDOEMainWindow::runComputationalJobs() {}
void QDOEMainWindow::analyticBeamShapingExamples() {}
void QDOEMainWindow::analyticIsotropicBeamShaperDesign() {}
void QDOEMainWindow::analyticEllipticBeamShaperDesign() {}
void QDOEMainWindow::analyticSeparableBeamShaperDesign() {}
void QDOEMainWindow::numericalGeometricBeamShaperDesign() {}
#if !PHASEDECK_LAB
void QDOEMainWindow::openGUIPrefsDialog() {}
#endif
void QDOEMainWindow::openManual() {}
void QDOEMainWindow::test() {}
