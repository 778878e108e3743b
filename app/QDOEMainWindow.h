// The application's main window: menu bar over the workspace of field windows.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <boost/shared_ptr.hpp>

class QFrame;
class QMdiArea;
class QMenu;
class QMenuBar;
class QSLMWidget;
class DataField2D;
class complexDataField2D;

class QDOEMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    QDOEMainWindow(QWidget* parent, const char* name, Qt::WindowFlags flags, int argc,
                   char** argv);
    ~QDOEMainWindow() override;

    QMdiArea* workspaceArea() const { return workspace; }
    QMenu* windowsPopup() const { return windowsMenu; }
    QSLMWidget* slmOutputWidget() const { return slmWidget; }

    // Window management.
    void openComplexFieldWindow(boost::shared_ptr<complexDataField2D> field, int displayMode,
                                QString caption, QString second);
    void openRealFieldWindow(boost::shared_ptr<DataField2D> field, QString caption,
                             QString second);
    void openComplexFieldWindowCopy(const complexDataField2D& source, int displayMode,
                                    QString caption, QString second);
    void openComplexFieldWindowCopy(boost::shared_ptr<complexDataField2D> source,
                                    int displayMode, QString caption, QString second);
    void openRealFieldWindowCopy(const DataField2D& source, QString caption, QString second);
    void showOnSLM(QPixmap pixmap);
    void hideSLM();

    // Image opening.
    void openFileByName(QString name);
    void openImageFileByName(QString name);
    void showImage(QImage image, QString title);

    // Job files: one binary Fresnel job; failures go to the log as ERROR lines.
    void runCJ_BINARY_FRESNEL(QString jobFileName);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private slots:
    void paste();
    void loadBackgroundImageFromFile();
    void unloadBackgroundImage();
    void setGraylevelRange();
    void openImageFile();
    void openTextFile();
    void openRBBFile();
    void openDOE();
#if PHASEDECK_LAB
    void openLinearDOE_TP();
    void openLinearDOE_TP_EOM();
    void openDiffractionPattern(); // openDEFile(1); openDOE() is openDEFile(0)
#else
    void binLinDOE_TP_GSO();
#endif
    void batchConversionImage_2_gdsII();
    void computeParameters_VELMORA();
    void costumized_Batch_IFTA_VELMORA();
    void createRandomBinaryBitmapFile();
    void computeDOESpecs();
#if !PHASEDECK_LAB
    void computeDOEAngles();
#endif
    void fftSpeedtest();
    void runComputationalJobs();
    void analyticBeamShapingExamples();
    void analyticIsotropicBeamShaperDesign();
    void analyticEllipticBeamShaperDesign();
    void analyticSeparableBeamShaperDesign();
    void numericalGeometricBeamShaperDesign();
    void showBlankScreen();
    void showHorizDividedScreen();
    void showRectangularAperture();
    void showCircularAperture();
    void showBinaryFresnelZoneLens();
    void showFresnelZoneLens();
    void showCylindricFresnelZoneLens();
    void showBinaryAxicon();
    void showAxicon();
    void showVortexPhase();
    void showConcentricRingSegments();
    void showSingleSlit();
    void showDoubleSlit();
    void showBinaryLinearGrating();
    void showBinaryLinear45degGrating();
#if !PHASEDECK_LAB
    void showBinaryLinearOrSeparable2DGrating();
#endif
    void showLinearDammannGrating();
    void showSepa2x2ArrayBeamsplitterGrating();
    void showSepa5x5ArrayBeamsplitterGrating();
    void showNonsepa5x5ArrayBeamsplitterGrating();
    void showSinusoidalGrating();
    void showBlazedGrating();
    void showRandomBitmap();
    void showRandomBinaryBitmap();
    void windowsMenuAboutToShow();
    void windowsMenuActivated(int index);
    void openOpticalPrefsDialog();
    void openGUIPrefsDialog();
    void openFontDialog();
    void closeAllInternalField2DWidgets();
    void closeAllExternalField2DWidgets();
    void about();
    void openManual();
    void test();

#if PHASEDECK_LAB
public:
    // Element files (".de"): the open dialog ("DE File (*.de)") from the open folder, then
    // openDEFileByName on the chosen file; kind makes no difference.
    void openDEFile(int kind);
    // Reads the file as a complex field and opens a field window on its real part, captioned
    // with the name; after a failed read (its message shown) no window opens.
    void openDEFileByName(QString name);
#endif

private:
    // The menus of the edition; both end with the Windows and Help menus.
    void buildMenus();
    void addWindowsAndHelpMenus();
    // Puts a new field window into the workspace and shows it; null is ignored.
    void addFieldWindow(QWidget* window);

    int clipboardImageCount = 0;
    QFrame* centralBox = nullptr;
    QMdiArea* workspace = nullptr;
    QMenuBar* menuBarWidget = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* opticalFunctionsMenu = nullptr;
    QMenu* apertureMenu = nullptr;
    QMenu* zoneLensMenu = nullptr;
    QMenu* beamSplitterMenu = nullptr;
    QMenu* exemplaryDesignsMenu = nullptr;
    QMenu* windowsMenu = nullptr;
    QMenu* helpMenu = nullptr;
#if PHASEDECK_LAB
    QMenu* preferencesMenu = nullptr;
#endif
    QSLMWidget* slmWidget = nullptr;
};
