// The full-screen pattern window: a phase pattern at the full-screen resolution with a tool band
// at its right edge for gray levels, gamma, lens and prism phases, shift, zoom and inversion.
#pragma once

#include "views/fullScreenComposition.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

class qFullScreenFieldWidget : public QWidget
{
    Q_OBJECT

public:
    // A parentless top-level window for `image` (any format; it is used as 8-bit gray values)
    // with `caption` ("Optical transmission function" when empty). Closing it deletes it. It is
    // neither shown nor listed: openFullScreenWindow does both.
    qFullScreenFieldWidget(QWidget* parent, const char* name, Qt::WindowFlags flags,
                           QString caption, QImage image);
    // Releases the SLM output if this window feeds it and leaves the list of open windows.
    ~qFullScreenFieldWidget() override;

    // On the primary screen: maximised when it has the full-screen size, else shown at that size,
    // which is also its maximum, at its top left corner.
    void showOnFullScreen();

    void hideLensButton();
    void hidePrismButton();

    // Composes the bitmap anew for the current background image and gray range (the values of
    // the window's controls stay), repaints and hands it to the SLM output when connected.
    void preferencesChanged();

    // The 8-bit indexed bitmap that is displayed, handed to the SLM and saved.
    const QImage& displayedBitmap() const { return composedImage; }
    bool isConnectedToSLM() const { return slmConnected; }

public slots:
    // true: this window becomes the one that feeds the SLM output; false: it stops feeding it.
    // Only with an SLM screen in use.
    void connectToSLM(bool on);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private slots:
    void hideAllSlidersAndBoxes();
    void syncGraylevelSlider();
    void syncGraylevelBox();
    void syncOffsetSliders();
    void syncOffsetBoxes();
    void syncLensSlider();
    void syncLensBox();
    void syncBlazeGratingSliders();
    void syncBlazeGratingBoxes();
    void selectGraylevelToolbarElement();
    void activateGraylevelElements();
    void activateLensElements();
    void activateBlazeGratingElements();
    void activatePositionOffsetElements();
    void invertDisplay();
    void zoomIn();
    void zoomOut();
    void copyBitmapToClipboard();
    void saveDisplayedFullscreenBitmap();
    void activateMainWindow();

private:
    enum class Mode { Gray, Lens, Prism, Shift };

    void buildToolStrip();
    QSlider* addSlider(const char* name, int minimum, int maximum, int value);
    QSpinBox* addBox(const char* name, int minimum, int maximum, int value);
    void layoutControls();
    void enterMode(Mode mode);
    void showActivePair();
    void updateBandWidgets();
    void updateAddedPhaseState();
    void applyZoom(int level);
    void showZoomLabel(const QString& text);
    CompositionParameters compositionParameters() const;
    PatternLevels patternLevels() const;
    // The composition after a control changed a value.
    void recompose();
    // The composition of the current values and preferences into composedImage.
    void composeBitmap();
    // What the window shows for its values: the given image itself while it has the full-screen
    // size, no control has changed it and the palette path would compose it; else composeBitmap.
    void showComposition();
    // Takes the bitmap that is painted; its 32-bit colours and the pixmap for the SLM output are
    // made from it on demand.
    void setDisplayed(const QImage& bitmap);
    const QImage& colouredImage();
    const QPixmap& slmPixmap();
    void releaseColours();
    void updateCaption();

    bool toolStripVisible = false;
    QSlider* graySlider = nullptr;
    QSpinBox* grayBox = nullptr;
    QSlider* gray2Slider = nullptr;
    QSlider* gray1Slider = nullptr;
    QSpinBox* gray2Box = nullptr;
    QSpinBox* gray1Box = nullptr;
    QSlider* shiftXSlider = nullptr;
    QSlider* shiftYSlider = nullptr;
    QSpinBox* shiftXBox = nullptr;
    QSpinBox* shiftYBox = nullptr;
    QSlider* lensSlider = nullptr;
    QSpinBox* lensBox = nullptr;
    QSlider* prismXSlider = nullptr;
    QSlider* prismYSlider = nullptr;
    QSpinBox* prismXBox = nullptr;
    QSpinBox* prismYBox = nullptr;

    int areaWidth = 0;
    int areaHeight = 0;
    int visibleWidth = 0;
    int visibleHeight = 0;
    int fullWidth = 0;
    int fullHeight = 0;
    const int bandWidth = 54;
    const int margin = 10;
    const int sliderWidth = 25;
    int sliderHeight = 0;
    int sliderMaxHeight = 0;
    int sliderX = 0;
    int sliderY = 0;
    const int boxHeight = 24;
    const int boxWidth = 50;
    int boxX = 0;
    int boxY = 0;

    int zoomLevel = 0;
    double zoomFactor = 1.0;
    int imageWidth = 0;
    int imageHeight = 0;
    int scaledWidth = 0;
    int scaledHeight = 0;
    int gammaValue = 127;
    int grayValue2 = 0;
    int grayValue1 = 0;
    int lensValue = 0;
    int prismXValue = 0;
    int prismYValue = 0;
    int shiftX = 0;
    int shiftY = 0;
    GrayTable grayTable{};

    QImage sourceImage;   // the given image as 8-bit gray values
    QImage workImage;     // sourceImage at the current zoom
    QImage composedImage; // the displayed full-screen bitmap
    QImage paintedImage;  // composedImage in 32-bit colours when asked for, reused
    bool coloursCurrent = false;
    QPixmap displayPixmap; // paintedImage for the SLM output, once asked for
    QWidget* toolStrip = nullptr;

    bool twoLevelImage = false;
    bool levelsDirty = false;
    unsigned char level1Gray = 0;
    unsigned char level2Gray = 0;
    bool oneLevelImage = false;
    bool phaseOnLevelImage = false;
    bool inverted = false;
    bool grayControlsActive = false;
    bool level1Selected = false;
    bool level2Selected = false;
    bool lensControlsActive = false;
    bool prismControlsActive = false;
    bool prismXSelected = false;
    bool prismYSelected = false;
    bool shiftControlsActive = false;
    bool shiftXSelected = false;
    bool shiftYSelected = false;
    bool slmConnected = false;
    bool adjusted = false; // a control has recomposed the bitmap

    QString captionArgument;
    QString captionText;
    QString windowCaption;
    QLabel* zoomLabel = nullptr;
    QLabel* controlLabel = nullptr;
    QToolButton* grayButton = nullptr;
    QToolButton* lensButton = nullptr;
    QToolButton* prismButton = nullptr;
    QToolButton* shiftButton = nullptr;
    QToolButton* zoomInButton = nullptr;
    QToolButton* zoomOutButton = nullptr;
    QToolButton* invertButton = nullptr;
    QToolButton* saveButton = nullptr;
    QToolButton* slmButton = nullptr; // only with an SLM screen in use

    QIcon gammaIcon, gray1Icon, gray2Icon;
    QIcon prismXIcon, prismYIcon, shiftXIcon, shiftYIcon;
    QIcon slmOffIcon, slmOnIcon;
};
