// The field window: one real or complex 2-D field as a zoomable 8-bit gray-scale map with a tool
// bar above it and a status line below, living in the main window's workspace; the internal
// edition adds a gray-range strip under the map.
#pragma once

#if PHASEDECK_LAB
#include "lab/fieldio/grayRangeMarkers.h"
#endif

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>
#include <boost/shared_ptr.hpp>
#include <vector>

class DataField2D;
class complexDataField2D;
class QLabel;
class QPainter;
class QToolButton;

class qComplexDataGrscMapWidget : public QWidget
{
    Q_OBJECT

public:
    enum Kind { complexFieldWindow = 6, realFieldWindow = 7 };

    // A complex field shown centred (element (0, 0) at sampled position (sizeI / 2, sizeJ / 2))
    // in displayMode 1..5 (real part, imaginary part, amplitude, phase, intensity); any other mode
    // leaves the map empty. The gray-scale range of every mode is fixed here from the whole
    // field. With the settings' auto-shrink flag, fields of 801 or more along i or 601 or more
    // along j (and no side of 1) are sampled down in steps of 2^(1/3) until both sides are at
    // most 550. The last string is not used. A null field shows as an empty one.
    qComplexDataGrscMapWidget(boost::shared_ptr<complexDataField2D> field, int displayMode,
                              QWidget* parent, const char* name, Qt::WindowFlags flags,
                              QString caption, QString unused);
    // A real field shown as it is stored (never shrunk), over its own minimum and maximum.
    qComplexDataGrscMapWidget(boost::shared_ptr<DataField2D> field, QWidget* parent,
                              const char* name, Qt::WindowFlags flags, QString caption,
                              QString unused);
    ~qComplexDataGrscMapWidget() override;

    // The window size that setupToolBar and updateLayout choose; a workspace frame follows it.
    QSize sizeHint() const override;

    Kind kind() const { return windowKind; }
    // "n: shortname", n counting every field window of the run from 1.
    const QString& title() const { return windowTitleText; }
    const QString& shortName() const { return shortNameText; }
    const QString& caption() const { return captionText; }
    const QString& statusText() const { return statusTextValue; }
    QSize fieldSize() const { return QSize(fieldSizeI, fieldSizeJ); }
    QSize sampledSize() const { return QSize(sampledWidth, sampledHeight); }
    QSize displayedSize() const { return QSize(displayedWidth, displayedHeight); }
    int zoomLevel() const { return zoomLevelValue; }
    double zoomFactor() const { return zoomFactorValue; }
    double samplingStep() const { return samplingStepValue; }
    int currentMode() const { return currentModeValue; }
    bool usesPlainScaling() const { return plainScaling; }
    // Range of a display mode (1 .. mode count); (0, 0) for any other mode.
    float rangeMinimum(int mode) const;
    float rangeMaximum(int mode) const;
    // The 8-bit gray image as displayed (zoomed) and at the sampled size.
    const QImage& displayedImage() const { return displayedImageValue; }
    const QImage& baseImage() const { return baseImageValue; }
    // The shown field and the fields sampled for display.
    boost::shared_ptr<complexDataField2D> complexField() const { return complexFieldValue; }
    boost::shared_ptr<DataField2D> realField() const { return realFieldValue; }
    boost::shared_ptr<DataField2D> shownField() const { return shownFieldValue; }
    boost::shared_ptr<DataField2D> sampledRealPart() const { return realPart; }
    boost::shared_ptr<DataField2D> sampledImagPart() const { return imagPart; }
    // Profile points in image coordinates.
    QPoint profilePoint1() const { return profile1; }
    QPoint profilePoint2() const { return profile2; }

    // Gray image of the shown field over the range of `mode` with 256 levels; null for a mode
    // outside 1 .. mode count.
    QImage imageForMode(int mode) const;
    // false when memory for the window's sampled copies or its picture could not be had: such a
    // window is never shown (the openers delete it and report it with reportFieldWindowMemory).
    bool isComplete() const { return complete; }

#if PHASEDECK_LAB
    // The markers of the gray-range strip and where the strip lies below the displayed image.
    const grayRangeMarkers& rangeMarkers() const;
    grayRangeStrip rangeStrip() const;
#endif

signals:
    void profileUpdateNeeded();

private slots:
    void saveDataToFile();
    void showRealPart();
    void showImagPart();
    void showAmplitude();
    void showPhase();
    void showIntensity();
    void showProfileWindow();
    void updateProfileData(int);
    void changeProfileInterpolation();
    void saveProfileData();
    void deleteProfileWindow();
    void zoomIn();
    void zoomOut();
    // The DOE design for the window's picture; its body lives in
    // qComplexDataGrscMapWidget_doe.cpp.
    void computeDOEforBitmap();
    void computePropagation();
    void shuffleGrayscales();
    void openReplicatedFullScreenWindow();
    void openInterpolatedFullScreenWindow();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // Field index along i or j of a sampled position: centred by half the size, wrapped into
    // the field by the periodic read.
    double toFieldIndexI(double x) const;
    double toFieldIndexJ(double y) const;
    void chooseSampling(bool mayShrink);
    void sampleComplexField();
    void sampleRealField();
    // Names and title, tool bar, icon, first size and status label.
    void setupToolBar();
    QToolButton* addToolButton(const QIcon& icon, const char* tip);
    // The base image of the shown field in the current mode; false when it could not be made.
    bool updateImage();
    // The gray image of `field` in the range of `mode` (and, in the internal edition, its
    // markers); null when memory is short.
    QImage grayImageOf(const boost::shared_ptr<DataField2D>& field, int mode) const;
    // Makes the displayed image anew: the base image scaled to the displayed size, as 8-bit gray
    // with the gray ramp. The previous displayed image is released first.
    // false when the displayed image could not be made at the displayed size.
    bool rescaleDisplayedImage(bool smooth);
    void applyZoom(int step);
    void updateLayout();
    void resizeToContents();
    void placeStatusLabel();
    // Shows one part view: the mode's field becomes the shown field unless it is shown already;
    // false, with the view unchanged, when memory for it is short.
    bool showView(int mode);
    // showView, with the memory box when it fails.
    void showViewOrReport(int mode);
    void reportMemory() const;
    // Whether an allocation whose success is `ok` may be used; the test seam can refuse it.
    static bool allocationSucceeded(bool ok);
    // Whether 768 MiB of address space could still be had once the window holds its fields and
    // pictures: what it leaves to the rest of the program. The toolkit paints with up to one thread
    // a core, each with its stack and its own 64 MiB heap, and the libraries under it end the
    // process when they find no memory.
    static bool leavesSpare();
    // A new field of the sampled size whose elements are the display value of mode (3, 4 or 5)
    // of the sampled real and imaginary parts (the phase near +pi folds to -pi); null when it
    // could not be allocated.
    boost::shared_ptr<DataField2D> derivedView(int mode) const;
    // Whether the displayed size differs from the field size, so that "Zoomed data" means
    // something else than "Original data".
    bool isResampled() const;
    // Writes the export by its filter; false when the file could not be written. A filter
    // without a writer writes nothing and is not a failure.
    bool writeExport(const QString& fileName, const QString& filter, bool zoomed);

    QWidget* parentArea = nullptr;
    Kind windowKind;
    int domainFlag = 0;
    boost::shared_ptr<complexDataField2D> complexFieldValue;
    boost::shared_ptr<DataField2D> realFieldValue;
    int fieldSizeI = 0;
    int fieldSizeJ = 0;
    int sampledWidth = 0;
    int sampledHeight = 0;
    int displayedWidth = 0;
    int displayedHeight = 0;
    double pitchI = 1.0;
    double pitchJ = 1.0;
    int zoomLevelValue = 0;
    const double zoomStep = 1.2599210498948732; // 2^(1/3)
    double samplingStepValue = 1.0;
    double zoomFactorValue = 1.0;
    int currentModeValue = 0;
    int modeCount = 1;
    std::vector<float> rangeMin; // entry m: mode m; entry 0 unused
    std::vector<float> rangeMax;
    boost::shared_ptr<DataField2D> realPart;
    boost::shared_ptr<DataField2D> imagPart;
    boost::shared_ptr<DataField2D> amplitudeView;
    boost::shared_ptr<DataField2D> phaseView;
    boost::shared_ptr<DataField2D> intensityView;
    boost::shared_ptr<DataField2D> shownFieldValue;
    QImage displayedImageValue;
    QImage baseImageValue;
    QPixmap pixmap;
    bool plainScaling = false;
    bool complete = true;

    QWidget* toolBar = nullptr;
    QToolButton* saveButton = nullptr;
    QToolButton* zoomInButton = nullptr;
    QToolButton* zoomOutButton = nullptr;
    QToolButton* replicateButton = nullptr;
    QToolButton* doeButton = nullptr;
    QLabel* statusLabel = nullptr;

    QString captionText;
    QString shortNameText;
    QString windowTitleText;
    QString statusTextValue;
    const QColor backgroundColour{58, 110, 165};
    const int toolBarBand = 42;
    const int bottomBand = 50;
    const int topMargin = 15;
    const int leftMargin = 15;
    const int rightMargin = 15;
    const int toolBarGap = 10;
    QPoint imageOrigin{15, 57};
    QPoint profile1;
    QPoint profile2;
    QPoint profile1Widget;
    QPoint profile2Widget;
    QSize windowSize;

#if PHASEDECK_LAB
    // The part views, shuffle and propagation buttons, placed among the five shared ones.
    void addLabToolButtons();
    // The button of the view `mode` is down, the others up.
    void markViewButtons(int mode);
    // updateImage, then the displayed image smoothly scaled from the base image.
    void rebuildDisplayedImage();
    void paintRangeStrip(QPainter& painter);
    // A press outside the image may take hold of a marker.
    void pressRangeStrip(QMouseEvent* e);
    // Moves a held marker; false when none is held.
    bool moveRangeMarker(QMouseEvent* e);
    void releaseRangeMarker(QMouseEvent* e);

    grayRangeMarkers markers;
    bool draggingLow = false;
    bool draggingHigh = false;
    // A marker moved with the right button: the image is rebuilt on release.
    bool deferredLow = false;
    bool deferredHigh = false;
    QToolButton* viewButtons[5] = {};
    QToolButton* shuffleButton = nullptr;
    QToolButton* propagationButton = nullptr;
#endif
};

// The "ERROR !" box for a field that memory cannot show in a window: "Not enough memory to show
// the field (" width " x " height " pixels):\n" and the caption (as a rule the file's name).
void reportFieldWindowMemory(const QString& caption, QSize pixels);

// Test seam: the n-th allocation check of the field windows from now on fails as if memory were
// exhausted (1: the next one); 0 lets every check pass.
void failFieldWindowAllocation(int n);

// Where the field window's save dialog starts for a window caption: the caption without one of
// the endings ".de", ".bmp", ".png", ".xpm", ".jpg", ".jpeg", ".gif", ".gds", ".txt", ".dat",
// ".rbb" (in any letter case). When a file of that name exists it is the start as it is;
// otherwise the blanks of its file-name part become "_" and that name is placed in saveFolder
// (left without a folder when saveFolder is empty).
QString fieldWindowSaveStart(const QString& caption, const QString& saveFolder);
