// Field window commands: saving and exporting, the part views of a complex field, the
// replicated full-screen view and the far-field propagation.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_twoOptionsImpl.h"
#include "fieldio/asciiExport.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/grayImageScaling.h"
#include "fieldio/imageColours.h"
#include "fieldio/imageFileExport.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/saveFileName.h"
#include "views/windowManagement.h"
#if PHASEDECK_LAB
#include "lab/fieldio/diffractiveElementFile.h"
#endif

#include <QFileInfo>
#include <QStringList>

namespace {

// The export choice of the run: false "Original data", true "Zoomed data".
bool exportZoomedData = false;

} // namespace

QString fieldWindowSaveStart(const QString& caption, const QString& saveFolder)
{
    static const char* const cutEndings[]
        = {".de", ".bmp", ".png", ".xpm", ".jpg", ".jpeg", ".gif", ".gds", ".txt", ".dat", ".rbb"};
    QString suggestion = caption;
    const QString lower = suggestion.toLower();
    for (const char* ending : cutEndings) {
        if (lower.endsWith(QLatin1String(ending))) {
            suggestion.chop(int(qstrlen(ending)));
            break;
        }
    }
    if (QFileInfo::exists(suggestion))
        return suggestion;
    // Only the name changes: the folders of the path stay as they are.
    QString name = suggestion.mid(suggestion.lastIndexOf(QLatin1Char('/')) + 1);
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    if (saveFolder.isEmpty())
        return name;
    return saveFolder.endsWith(QLatin1Char('/')) ? saveFolder + name
                                                 : saveFolder + QLatin1Char('/') + name;
}

bool qComplexDataGrscMapWidget::isResampled() const
{
    return displayedWidth != fieldSizeI || displayedHeight != fieldSizeJ;
}

void qComplexDataGrscMapWidget::saveDataToFile()
{
    SaveNameRequest request;
    request.start
        = fieldWindowSaveStart(captionText, QString::fromStdString(theSettings.saveFileDir));
#if PHASEDECK_LAB
    request.filters = QStringList{pngFileFilter, bmpFileFilter, deFileFilter, asciiFileFilter};
#else
    request.filters = QStringList{pngFileFilter, bmpFileFilter, asciiFileFilter};
#endif
    const SaveNameResult chosen = chooseSaveFileName(request);
    if (!chosen.accepted || chosen.fileName.isEmpty())
        return;
#if PHASEDECK_LAB
    // An element file holds the whole field: there is no export choice.
    if (chosen.selectedFilter == deFileFilter) {
        setWaitCursor(true);
        // The writers show their own failure box, which names the file.
        const bool written = windowKind == complexFieldWindow
                                 ? saveComplexDE20File(chosen.fileName, complexFieldValue)
                                 : saveDE20File(chosen.fileName, realFieldValue);
        setWaitCursor(false);
        if (written)
            rememberSaveFolder(chosen);
        return;
    }
#endif

    bool zoomed = false;
    if (isResampled()) {
        dialog_twoOptionsImpl choice(nullptr, nullptr, false);
        choice.setWindowTitle(QStringLiteral("Select data export option"));
        choice.buttonGroup1->setTitle(QStringLiteral("Export"));
        choice.radioButton1->setText(QStringLiteral("Original data"));
        choice.radioButton2->setText(QStringLiteral("Zoomed data"));
        if (exportZoomedData)
            choice.radioButton2->setChecked(true);
        else
            choice.radioButton1->setChecked(true);
        const int result = runDialog(choice);
        exportZoomedData = choice.radioButton2->isChecked();
        if (result != QDialog::Accepted)
            return;
        zoomed = exportZoomedData;
    }
    if (writeExport(chosen.fileName, chosen.selectedFilter, zoomed))
        rememberSaveFolder(chosen);
    else
        reportFailedSave(chosen);
}

bool qComplexDataGrscMapWidget::writeExport(const QString& fileName, const QString& filter,
                                            bool zoomed)
{
    bool written = false;
    if (filter == asciiFileFilter) {
        if (zoomed) {
            infoMessage(QStringLiteral("Saved data is taken from interpolated field values,\nan "
                                       "array of %1 x %2 data points.")
                            .arg(displayedWidth)
                            .arg(displayedHeight)
                            .toStdString());
            // One displayed pixel covers samplingStep / zoomFactor field pixels.
            setWaitCursor(true);
            written = exportImageAscii(fileName, displayedImageValue,
                                       pitchI * samplingStepValue / zoomFactorValue,
                                       pitchJ * samplingStepValue / zoomFactorValue);
            setWaitCursor(false);
        } else {
            setWaitCursor(true);
            if (windowKind == complexFieldWindow)
                written
                    = exportComplexDataField2DAscii(fileName, complexFieldValue, currentModeValue);
            else
                written = exportDataField2DAscii(fileName, realFieldValue);
            setWaitCursor(false);
        }
        return written;
    }

    const bool bitmap = filter == bmpFileFilter;
    if (!bitmap && filter != pngFileFilter)
        return true;
    setWaitCursor(true);
    QImage image;
    if (zoomed)
        image = displayedImageValue;
    else if (windowKind == complexFieldWindow)
        image = complexDataField2DToImage(complexFieldValue, currentModeValue, 256);
    else
        image = dataField2DToImageAutoRange(realFieldValue, 256);
    written = writeImageFile(reduceImageDepth(image), fileName, bitmap ? "BMP" : "PNG",
                             bitmap ? 100 : -1);
    setWaitCursor(false);
    return written;
}

boost::shared_ptr<DataField2D> qComplexDataGrscMapWidget::derivedView(int mode) const
{
    if (!realPart || !imagPart)
        return boost::shared_ptr<DataField2D>();
    boost::shared_ptr<DataField2D> view(new DataField2D(*realPart));
    if (!allocationSucceeded(view->isOk()))
        return boost::shared_ptr<DataField2D>();
    for (int j = 0; j < sampledHeight; ++j)
        for (int i = 0; i < sampledWidth; ++i)
            view->setValue(i, j,
                           complexDisplayValue(realPart->getValue(i, j), imagPart->getValue(i, j),
                                               mode, true));
    return view;
}

bool qComplexDataGrscMapWidget::showView(int mode)
{
    // A real-field window has the real part only.
    if (currentModeValue == mode || (windowKind != complexFieldWindow && mode != displayRealPart)) {
#if PHASEDECK_LAB
        // A click on the shown view's button leaves it down.
        markViewButtons(currentModeValue);
#endif
        return true;
    }
    boost::shared_ptr<DataField2D> field;
    switch (mode) {
    case displayRealPart:
        field = realPart;
        break;
    case displayImaginaryPart:
        field = imagPart;
        break;
    case displayAmplitude:
    case displayPhase:
    case displayIntensity:
        field = derivedView(mode);
        break;
    default:
        return true;
    }
#if PHASEDECK_LAB
    // Each mode keeps its own marker pair; the new view's button goes down.
    markers.switchMode(currentModeValue, mode);
#endif
    // The new pictures are made before anything changes, so that a failure keeps the view.
    QImage base;
    QImage displayed;
    if (field) {
        base = grayImageOf(field, mode);
        if (!base.isNull())
            displayed = scaleGrayImage(base, displayedWidth, displayedHeight, true);
    }
    const bool empty
        = displayedWidth < 1 || displayedHeight < 1 || sampledWidth < 1 || sampledHeight < 1;
    if (!field
        || (!empty
            && (base.isNull() || !allocationSucceeded(!displayed.isNull() && leavesSpare())))) {
#if PHASEDECK_LAB
        markers.switchMode(mode, currentModeValue);
        markViewButtons(currentModeValue);
#endif
        return false;
    }
    if (mode == displayAmplitude)
        amplitudeView = field;
    else if (mode == displayPhase)
        phaseView = field;
    else if (mode == displayIntensity)
        intensityView = field;
    shownFieldValue = field;
#if PHASEDECK_LAB
    markViewButtons(mode);
#endif
    currentModeValue = mode;
    baseImageValue = base;
    displayedImageValue = displayed;
    update();
    return true;
}

void qComplexDataGrscMapWidget::showViewOrReport(int mode)
{
    if (!showView(mode))
        reportMemory();
}

void qComplexDataGrscMapWidget::showRealPart()
{
    showViewOrReport(displayRealPart);
}

void qComplexDataGrscMapWidget::showImagPart()
{
    showViewOrReport(displayImaginaryPart);
}

void qComplexDataGrscMapWidget::showAmplitude()
{
    showViewOrReport(displayAmplitude);
}

void qComplexDataGrscMapWidget::showPhase()
{
    showViewOrReport(displayPhase);
}

void qComplexDataGrscMapWidget::showIntensity()
{
    showViewOrReport(displayIntensity);
}

void qComplexDataGrscMapWidget::openReplicatedFullScreenWindow()
{
    openFullScreenWindow(displayedImageValue,
                         QStringLiteral("Replicated full screen view of ") + shortNameText, true,
                         true);
}

void qComplexDataGrscMapWidget::openInterpolatedFullScreenWindow()
{
    infoMessage("FULLSCREEN_INTERPOLATE not implemented yet !");
}

void qComplexDataGrscMapWidget::computePropagation()
{
    if (windowKind != complexFieldWindow)
        return;
    setWaitCursor(true);
    boost::shared_ptr<complexDataField2D> far = complexFieldValue->fftCopy();
    setWaitCursor(false);
    if (theMainWindow)
        theMainWindow->openComplexFieldWindow(far, displayIntensity,
                                              QStringLiteral("Far field propagation simulated "
                                                             "by FFT"),
                                              QString());
}
