// Field window: construction and sampling, tool bar, zoom, layout, painting, profile points and
// the status line.
#include "views/qComplexDataGrscMapWidget.h"

#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "base/visibleText.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/grayImageScaling.h"
#include "fieldio/imageColours.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>
#include <sys/mman.h>

namespace {

// Every field window of the run gets the next number; numbers are never reused.
int fieldWindowCount = 0;

// Checks left until the one that the test seam makes fail; 0 for none.
int allocationChecksToFailure = 0;

// The memory a window leaves free (leavesSpare).
constexpr std::size_t memoryToSpare = std::size_t(768) << 20;

} // namespace

bool qComplexDataGrscMapWidget::leavesSpare()
{
    // Address space only: an inaccessible mapping commits no memory, so this never refuses a
    // window for memory that the system would lend when it is touched.
    void* reserve = mmap(nullptr, memoryToSpare, PROT_NONE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserve == MAP_FAILED)
        return false;
    munmap(reserve, memoryToSpare);
    return true;
}

namespace {

constexpr float displayPi = 3.141592653589793f;

enum class Pictogram { Save, ZoomIn, ZoomOut, Replicate, Doe, Window };

// The 32 x 32 pictures of the tool buttons and the window.
QIcon pictogramIcon(Pictogram kind)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(32, 32, 48);
    p.setPen(QPen(ink, 2));
    switch (kind) {
    case Pictogram::Save:
        p.setBrush(QColor(70, 110, 170));
        p.drawRect(5, 5, 22, 22);
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(10, 5, 12, 8);
        p.drawRect(9, 18, 14, 9);
        break;
    case Pictogram::ZoomIn:
    case Pictogram::ZoomOut:
        p.setBrush(QColor(230, 240, 255));
        p.drawEllipse(4, 4, 17, 17);
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(19, 19, 28, 28);
        p.setPen(QPen(ink, 2));
        p.drawLine(8, 12, 17, 12);
        if (kind == Pictogram::ZoomIn)
            p.drawLine(12, 8, 12, 17);
        break;
    case Pictogram::Replicate:
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                p.setBrush((x + y) % 2 ? QColor(90, 90, 90) : QColor(200, 200, 200));
                p.drawRect(3 + 9 * x, 3 + 9 * y, 8, 8);
            }
        break;
    case Pictogram::Doe:
        p.setBrush(Qt::NoBrush);
        for (int r = 3; r <= 13; r += 5)
            p.drawEllipse(QPoint(16, 16), r, r);
        p.setBrush(ink);
        p.drawEllipse(QPoint(16, 16), 1, 1);
        break;
    case Pictogram::Window:
        for (int x = 0; x < 28; ++x) {
            const int g = x * 255 / 27;
            p.setPen(QColor(g, g, g));
            p.drawLine(2 + x, 2, 2 + x, 29);
        }
        break;
    }
    return QIcon(picture);
}

} // namespace

void reportFieldWindowMemory(const QString& caption, QSize pixels)
{
    errorMessage(QStringLiteral("Not enough memory to show the field (%1 x %2 pixels):\n%3")
                     .arg(pixels.width())
                     .arg(pixels.height())
                     .arg(caption)
                     .toStdString());
}

void failFieldWindowAllocation(int n)
{
    allocationChecksToFailure = n;
}

bool qComplexDataGrscMapWidget::allocationSucceeded(bool ok)
{
    if (allocationChecksToFailure > 0 && --allocationChecksToFailure == 0)
        return false;
    return ok;
}

qComplexDataGrscMapWidget::qComplexDataGrscMapWidget(boost::shared_ptr<complexDataField2D> field,
                                                     int displayMode, QWidget* parent,
                                                     const char* name, Qt::WindowFlags flags,
                                                     QString caption, QString)
    : QWidget(parent, flags)
    , parentArea(parent)
    , windowKind(complexFieldWindow)
    , complexFieldValue(field ? field : boost::make_shared<complexDataField2D>(0, 0, 0))
    , captionText(caption)
{
    setObjectName(QString::fromLatin1(name));
    domainFlag = complexFieldValue->getDomainFlag();
    fieldSizeI = complexFieldValue->getSizeI();
    fieldSizeJ = complexFieldValue->getSizeJ();
    pitchI = complexFieldValue->getDx();
    pitchJ = complexFieldValue->getDy();

    modeCount = 5;
    rangeMin.assign(6, 0.0f);
    rangeMax.assign(6, 0.0f);
    float minRe, maxRe, minIm, maxIm, minAbs, maxAbs;
    complexFieldValue->getStatistics(minRe, maxRe, minIm, maxIm, minAbs, maxAbs);
    rangeMin[displayRealPart] = minRe;
    rangeMax[displayRealPart] = maxRe;
    rangeMin[displayImaginaryPart] = minIm;
    rangeMax[displayImaginaryPart] = maxIm;
    rangeMin[displayAmplitude] = minAbs;
    rangeMax[displayAmplitude] = maxAbs;
    rangeMin[displayPhase] = -displayPi;
    rangeMax[displayPhase] = displayPi;
    rangeMin[displayIntensity] = minAbs * minAbs;
    rangeMax[displayIntensity] = maxAbs * maxAbs;

    chooseSampling(theSettings.autoShrinkFieldWindows);
    sampleComplexField();

    currentModeValue = 0;
    setupToolBar();
    if (complete && displayMode >= displayRealPart && displayMode <= displayIntensity)
        complete = showView(displayMode);
    complete = complete && leavesSpare();
    displayedImageValue = baseImageValue;
    plainScaling = false;
}

qComplexDataGrscMapWidget::qComplexDataGrscMapWidget(boost::shared_ptr<DataField2D> field,
                                                     QWidget* parent, const char* name,
                                                     Qt::WindowFlags flags, QString caption,
                                                     QString)
    : QWidget(parent, flags)
    , parentArea(parent)
    , windowKind(realFieldWindow)
    , realFieldValue(field ? field
                           : boost::make_shared<DataField2D>(0, 0, 0.0, 0.0, 1.0, 1.0, 0.0f))
    , captionText(caption)
{
    setObjectName(QString::fromLatin1(name));
    domainFlag = 0;
    fieldSizeI = realFieldValue->getSizeI();
    fieldSizeJ = realFieldValue->getSizeJ();
    pitchI = realFieldValue->getDx();
    pitchJ = realFieldValue->getDy();

    modeCount = 1;
    rangeMin.assign(2, 0.0f);
    rangeMax.assign(2, 0.0f);
    realFieldValue->getMinMax(rangeMin[1], rangeMax[1]);

    // Real fields are never shrunk.
    chooseSampling(false);
    sampleRealField();

    currentModeValue = 1;
    shownFieldValue = realPart;
    setupToolBar();
    complete = complete && updateImage() && leavesSpare();
    displayedImageValue = baseImageValue;

    // Two gray levels zoom by pixel replication, so that their edges stay sharp.
    int levels = 0;
    bool allGray = true;
    analyzeImageGrayLevels(baseImageValue, levels, allGray);
    plainScaling = !baseImageValue.isNull() && levels == 2;
}

qComplexDataGrscMapWidget::~qComplexDataGrscMapWidget()
{
    shownFieldValue.reset();
    amplitudeView.reset();
    phaseView.reset();
    intensityView.reset();
    imagPart.reset();
    realPart.reset();
    realFieldValue.reset();
    complexFieldValue.reset();
}

QSize qComplexDataGrscMapWidget::sizeHint() const
{
    return windowSize.isValid() ? windowSize : QWidget::sizeHint();
}

float qComplexDataGrscMapWidget::rangeMinimum(int mode) const
{
    return mode >= 1 && mode <= modeCount ? rangeMin[size_t(mode)] : 0.0f;
}

float qComplexDataGrscMapWidget::rangeMaximum(int mode) const
{
    return mode >= 1 && mode <= modeCount ? rangeMax[size_t(mode)] : 0.0f;
}

double qComplexDataGrscMapWidget::toFieldIndexI(double x) const
{
    double u = (domainFlag == 0 || domainFlag == 1) ? x - fieldSizeI / 2 : x;
    if (u <= 0)
        u += fieldSizeI;
    return u;
}

double qComplexDataGrscMapWidget::toFieldIndexJ(double y) const
{
    double v = (domainFlag == 0 || domainFlag == 1) ? y - fieldSizeJ / 2 : y;
    if (v <= 0)
        v += fieldSizeJ;
    return v;
}

void qComplexDataGrscMapWidget::chooseSampling(bool mayShrink)
{
    samplingStepValue = 1.0;
    sampledWidth = fieldSizeI;
    sampledHeight = fieldSizeJ;
    if (mayShrink && (fieldSizeI >= 801 || fieldSizeJ >= 601) && fieldSizeI != 1
        && fieldSizeJ != 1) {
        double divisor = zoomStep;
        double factor = 1.0 / divisor;
        sampledWidth = static_cast<int>(fieldSizeI * factor);
        sampledHeight = static_cast<int>(fieldSizeJ * factor);
        while (sampledWidth > 550 || sampledHeight > 550) {
            divisor *= zoomStep;
            factor = 1.0 / divisor;
            sampledWidth = static_cast<int>(fieldSizeI * factor);
            sampledHeight = static_cast<int>(fieldSizeJ * factor);
        }
        samplingStepValue = divisor;
    }
    displayedWidth = sampledWidth;
    displayedHeight = sampledHeight;
}

void qComplexDataGrscMapWidget::sampleComplexField()
{
    const double dx = opticalParameters.defaultPixelSizeX;
    const double dy = opticalParameters.defaultPixelSizeY;
    realPart = boost::make_shared<DataField2D>(sampledWidth, sampledHeight, 0.0, 0.0, dx, dy, 0.0f);
    imagPart = boost::make_shared<DataField2D>(sampledWidth, sampledHeight, 0.0, 0.0, dx, dy, 0.0f);
    if (!allocationSucceeded(realPart->isOk() && imagPart->isOk())) {
        realPart.reset();
        imagPart.reset();
        complete = false;
        return;
    }
    for (int j = 0; j < sampledHeight; ++j) {
        const int v = truncatedIndex(toFieldIndexJ((j + 0.5) * samplingStepValue - 0.5));
        for (int i = 0; i < sampledWidth; ++i) {
            const int u = truncatedIndex(toFieldIndexI((i + 0.5) * samplingStepValue - 0.5));
            const complexFloat z = complexFieldValue->getValuePeriodic(u, v);
            realPart->setValue(i, j, z.re);
            imagPart->setValue(i, j, z.im);
        }
    }
}

void qComplexDataGrscMapWidget::sampleRealField()
{
    realPart = boost::make_shared<DataField2D>(sampledWidth, sampledHeight, 0.0, 0.0,
                                               opticalParameters.defaultPixelSizeX,
                                               opticalParameters.defaultPixelSizeY, 0.0f);
    if (!allocationSucceeded(realPart->isOk())) {
        realPart.reset();
        complete = false;
        return;
    }
    for (int j = 0; j < sampledHeight; ++j)
        for (int i = 0; i < sampledWidth; ++i)
            realPart->setValue(i, j,
                               realFieldValue->sampleAt((i + 0.5) * samplingStepValue - 0.5,
                                                        (j + 0.5) * samplingStepValue - 0.5, 0));
}

QToolButton* qComplexDataGrscMapWidget::addToolButton(const QIcon& icon, const char* tip)
{
    auto* button = new QToolButton(toolBar);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setToolTip(QString::fromLatin1(tip));
    toolBar->layout()->addWidget(button);
    return button;
}

void qComplexDataGrscMapWidget::setupToolBar()
{
    if (QFileInfo::exists(captionText)) {
        shortNameText = QFileInfo(captionText).fileName();
    } else {
        captionText.replace(QLatin1Char('\\'), QLatin1Char('/'));
        shortNameText = captionText.mid(captionText.lastIndexOf(QLatin1Char('/')) + 1);
    }
    windowTitleText = QString::number(++fieldWindowCount) + QStringLiteral(": ")
                      + withVisibleControls(shortNameText);

    imageOrigin = QPoint(leftMargin, toolBarBand + topMargin);
    profile1 = QPoint(0, sampledHeight - 1);
    profile2 = QPoint(sampledWidth - 1, 0);
    profile1Widget = profile1 + imageOrigin;
    profile2Widget = profile2 + imageOrigin;

    toolBar = new QWidget(this);
    auto* row = new QHBoxLayout(toolBar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    saveButton = addToolButton(pictogramIcon(Pictogram::Save), "Save the data field");
    zoomInButton = addToolButton(pictogramIcon(Pictogram::ZoomIn), "Zoom In");
    zoomOutButton = addToolButton(pictogramIcon(Pictogram::ZoomOut), "Zoom Out");
    replicateButton = addToolButton(pictogramIcon(Pictogram::Replicate),
                                    "Show Replicated Field in Full Screen Window");
    doeButton = addToolButton(pictogramIcon(Pictogram::Doe), "Compute DOE phase function");
#if PHASEDECK_LAB
    addLabToolButtons();
#endif

    if (displayedWidth > 400 || displayedHeight > 400)
        doeButton->hide();
    toolBar->adjustSize();
    connect(saveButton, &QToolButton::clicked, this, &qComplexDataGrscMapWidget::saveDataToFile);
    connect(zoomInButton, &QToolButton::clicked, this, &qComplexDataGrscMapWidget::zoomIn);
    connect(zoomOutButton, &QToolButton::clicked, this, &qComplexDataGrscMapWidget::zoomOut);
    connect(replicateButton, &QToolButton::clicked, this,
            &qComplexDataGrscMapWidget::openReplicatedFullScreenWindow);
    // The internal edition designs from complex fields too.
    if (windowKind == realFieldWindow || PHASEDECK_LAB)
        connect(doeButton, &QToolButton::clicked, this,
                &qComplexDataGrscMapWidget::computeDOEforBitmap);

    setWindowIcon(pictogramIcon(Pictogram::Window));
    setWindowTitle(windowTitleText);
    resizeToContents();

    statusLabel = new QLabel(this);
    statusLabel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    statusLabel->setFixedHeight(statusLabel->fontMetrics().height() + 4);
    placeStatusLabel();
}

void qComplexDataGrscMapWidget::resizeToContents()
{
    windowSize
        = QSize(std::max(displayedWidth + leftMargin + rightMargin, toolBar->width() + leftMargin),
                toolBar->height() + displayedHeight + toolBarGap + topMargin + bottomBand);
    resize(windowSize);
    updateGeometry();
    // Inside the workspace the frame carries the size.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->adjustSize();
}

void qComplexDataGrscMapWidget::placeStatusLabel()
{
    statusTextValue = withVisibleControls(shortNameText) + QStringLiteral(", ")
                      + QString::number(fieldSizeI) + QStringLiteral(" x ")
                      + QString::number(fieldSizeJ) + QStringLiteral(" pixels")
                      + QStringLiteral(", Zoom: ")
                      + QString::number(zoomFactorValue * samplingStepValue * 100.0, 'g', 6)
                      + QStringLiteral("%");
    const QRect place(0, height() - statusLabel->height(), width(), statusLabel->height());
    if (statusLabel->geometry() != place)
        statusLabel->setGeometry(place);
    if (statusLabel->text() != statusTextValue)
        statusLabel->setText(statusTextValue);
}

QImage qComplexDataGrscMapWidget::grayImageOf(const boost::shared_ptr<DataField2D>& field,
                                              int mode) const
{
    if (!field || mode < 1 || mode > modeCount)
        return QImage();
#if PHASEDECK_LAB
    const QImage image = markers.grayImage(field, rangeMin[size_t(mode)], rangeMax[size_t(mode)]);
#else
    const QImage image
        = dataField2DToImage(field, rangeMin[size_t(mode)], rangeMax[size_t(mode)], 256);
#endif
    const bool empty = field->getSizeI() == 0 || field->getSizeJ() == 0;
    return allocationSucceeded(empty || !image.isNull()) ? image : QImage();
}

bool qComplexDataGrscMapWidget::updateImage()
{
    baseImageValue = QImage();
    if (!shownFieldValue || currentModeValue < 1 || currentModeValue > modeCount)
        return true;
    baseImageValue = grayImageOf(shownFieldValue, currentModeValue);
    return !baseImageValue.isNull() || shownFieldValue->getSizeI() == 0
           || shownFieldValue->getSizeJ() == 0;
}

void qComplexDataGrscMapWidget::reportMemory() const
{
    reportFieldWindowMemory(captionText, fieldSize());
}

QImage qComplexDataGrscMapWidget::imageForMode(int mode) const
{
    if (!shownFieldValue || mode < 1 || mode > modeCount)
        return QImage();
    return dataField2DToImage(shownFieldValue, rangeMin[size_t(mode)], rangeMax[size_t(mode)], 256);
}

bool qComplexDataGrscMapWidget::rescaleDisplayedImage(bool smooth)
{
    // Up to 16384 pixels a side: one 8-bit copy of the picture at a time, no 32-bit one.
    displayedImageValue = QImage();
    displayedImageValue = scaleGrayImage(baseImageValue, displayedWidth, displayedHeight, smooth);
    return allocationSucceeded((!displayedImageValue.isNull() || baseImageValue.isNull()
                                || displayedWidth < 1 || displayedHeight < 1)
                               && leavesSpare());
}

void qComplexDataGrscMapWidget::zoomIn()
{
    applyZoom(+1);
}

void qComplexDataGrscMapWidget::zoomOut()
{
    applyZoom(-1);
}

void qComplexDataGrscMapWidget::applyZoom(int step)
{
    constexpr int largestDisplayedSide = 16384;
    int level = zoomLevelValue + step;
    double factor = std::pow(zoomStep, level);
    int width = static_cast<int>(sampledWidth * factor);
    int height = static_cast<int>(sampledHeight * factor);
    if (step > 0 && (width > largestDisplayedSide || height > largestDisplayedSide))
        return;
    if (step < 0 && (width < 1 || height < 1)) {
        level -= step;
        factor = std::pow(zoomStep, level);
        width = static_cast<int>(sampledWidth * factor);
        height = static_cast<int>(sampledHeight * factor);
    }
    const int oldLevel = zoomLevelValue;
    const double oldFactor = zoomFactorValue;
    const QSize oldSize(displayedWidth, displayedHeight);
    zoomLevelValue = level;
    zoomFactorValue = factor;
    displayedWidth = width;
    displayedHeight = height;
    if (!rescaleDisplayedImage(!plainScaling)) {
        // The zoom is refused: the picture of the size before, which was there a moment ago.
        zoomLevelValue = oldLevel;
        zoomFactorValue = oldFactor;
        displayedWidth = oldSize.width();
        displayedHeight = oldSize.height();
        rescaleDisplayedImage(!plainScaling);
        update();
        reportMemory();
        return;
    }

    const double scale = step > 0 ? zoomStep : 1.0 / zoomStep;
    auto rescale = [&](QPoint p) {
        return QPoint(std::clamp(static_cast<int>(p.x() * scale + 0.499), 0, displayedWidth),
                      std::clamp(static_cast<int>(p.y() * scale + 0.499), 0, displayedHeight));
    };
    profile1 = rescale(profile1);
    profile2 = rescale(profile2);
    profile1Widget = profile1 + imageOrigin;
    profile2Widget = profile2 + imageOrigin;

    const bool large = displayedWidth > 400 || displayedHeight > 400;
    if (step > 0 && large && !doeButton->isHidden())
        doeButton->hide();
    else if (step < 0 && !large && doeButton->isHidden())
        doeButton->show();

    toolBar->adjustSize();
    toolBar->update();
    updateLayout();
    update();
}

void qComplexDataGrscMapWidget::updateLayout()
{
    imageOrigin = QPoint(leftMargin, toolBarBand + topMargin);
    setWindowTitle(windowTitleText);
    resizeToContents();
    placeStatusLabel();
}

void qComplexDataGrscMapWidget::paintEvent(QPaintEvent* e)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int top = imageOrigin.y();
    painter.fillRect(0, 0, w, top, backgroundColour);
    painter.fillRect(0, top, leftMargin, displayedHeight, backgroundColour);
    painter.fillRect(leftMargin + displayedWidth, top, w - displayedWidth - leftMargin,
                     displayedHeight, backgroundColour);
    painter.fillRect(0, top + displayedHeight, w, h - displayedHeight - top, backgroundColour);
    // Only the part to repaint becomes a pixmap: a zoomed picture may be far larger than the view.
    const QRect exposed = e->rect().intersected(QRect(imageOrigin, displayedImageValue.size()));
    if (!exposed.isEmpty()) {
        pixmap = QPixmap::fromImage(displayedImageValue.copy(exposed.translated(-imageOrigin)));
        painter.drawPixmap(exposed.topLeft(), pixmap);
    }
#if PHASEDECK_LAB
    paintRangeStrip(painter);
#endif

    statusLabel->setFixedHeight(statusLabel->fontMetrics().height() + 4);
    placeStatusLabel();
}

void qComplexDataGrscMapWidget::resizeEvent(QResizeEvent*)
{
    if (statusLabel)
        placeStatusLabel();
    update();
}

void qComplexDataGrscMapWidget::mousePressEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    const bool inside = p.x() >= imageOrigin.x() && p.x() < imageOrigin.x() + displayedWidth - 1
                        && p.y() >= imageOrigin.y()
                        && p.y() < imageOrigin.y() + displayedHeight - 1;
    if (!inside) {
#if PHASEDECK_LAB
        pressRangeStrip(e);
#endif
        return;
    }
    if (e->button() == Qt::LeftButton)
        profile1Widget = p;
    else if (e->button() == Qt::RightButton)
        profile2Widget = p;
}

void qComplexDataGrscMapWidget::mouseReleaseEvent(QMouseEvent* e)
{
#if PHASEDECK_LAB
    releaseRangeMarker(e);
#else
    Q_UNUSED(e);
#endif
}

void qComplexDataGrscMapWidget::mouseMoveEvent(QMouseEvent* e)
{
#if PHASEDECK_LAB
    if (moveRangeMarker(e))
        return;
#endif
    const QPoint raw = e->position().toPoint();
    const QPoint p(std::clamp(raw.x(), imageOrigin.x(),
                              std::max(imageOrigin.x(), imageOrigin.x() + displayedWidth - 1)),
                   std::clamp(raw.y(), imageOrigin.y(),
                              std::max(imageOrigin.y(), imageOrigin.y() + displayedHeight - 1)));
    if (e->buttons() == Qt::LeftButton)
        profile1Widget = p;
    else if (e->buttons() == Qt::RightButton)
        profile2Widget = p;
    profile1 = profile1Widget - imageOrigin;
    profile2 = profile2Widget - imageOrigin;
    update();
}

// The profile display belongs to another edition; these slots have no work here.
void qComplexDataGrscMapWidget::showProfileWindow() {}
void qComplexDataGrscMapWidget::updateProfileData(int) {}
void qComplexDataGrscMapWidget::changeProfileInterpolation() {}
void qComplexDataGrscMapWidget::saveProfileData() {}
void qComplexDataGrscMapWidget::deleteProfileWindow() {}
#if !PHASEDECK_LAB
void qComplexDataGrscMapWidget::shuffleGrayscales() {}
#endif
