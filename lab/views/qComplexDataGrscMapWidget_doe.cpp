// Field window of the internal edition: the DOE design behind "Compute DOE phase function",
// asked for in the IFTA parameter dialog and run on the FFTW transforms.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_IFTAImpl.h"
#include "fieldio/fieldToImage.h"
#include "fieldio/imageToField.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "lab/design/doeFromBitmap.h"

#include <QtGlobal>

namespace {

// Runs "Set IFTA parameters" preset from p, the tile between the two limits. All seven values
// are read back into p whatever closed the dialog; true when it was accepted.
bool askIftaParameters(iftaParameters& p, int minimumTile, int maximumTile, int maximumLevels)
{
    dialog_IFTAImpl dialog(nullptr, nullptr, true);
    dialog.setWindowTitle(QStringLiteral("Set IFTA parameters"));
    dialog.value_TileSize_SpinBox->setRange(minimumTile, maximumTile);
    dialog.value_TileSize_SpinBox->setValue(p.tileSize);
    dialog.value1_SpinBox->setValue(p.iterationsPhaseI);
    dialog.value2_SpinBox->setValue(p.iterationsPhaseII);
    dialog.value3_SpinBox->setValue(p.iterationsPhaseIII);
    // The phase levels never offer fewer than 2.
    dialog.value4_SpinBox->setRange(2, qMax(2, maximumLevels));
    dialog.value4_SpinBox->setValue(p.phaseLevels);
    // The shift ranges of the tile shown and the phase-levels switch, also when no preset
    // above changed a value; the ranges go before the shifts.
    dialog.checkValues();
    dialog.value_ShiftX_SpinBox->setValue(p.shiftX);
    dialog.value_ShiftY_SpinBox->setValue(p.shiftY);

    const int result = runDialog(dialog);
    p.tileSize = dialog.value_TileSize_SpinBox->value();
    p.iterationsPhaseI = dialog.value1_SpinBox->value();
    p.iterationsPhaseII = dialog.value2_SpinBox->value();
    p.iterationsPhaseIII = dialog.value3_SpinBox->value();
    p.phaseLevels = dialog.value4_SpinBox->value();
    p.shiftX = dialog.value_ShiftX_SpinBox->value();
    p.shiftY = dialog.value_ShiftY_SpinBox->value();
    return result == QDialog::Accepted;
}

} // namespace

// A real field at zoom 1 is the picture as stored, a zoomed one its displayed image; both are
// intensities. A complex field gives the modulus of its sampled parts, already an amplitude.
void qComplexDataGrscMapWidget::computeDOEforBitmap()
{
    iftaParameters& p = theIftaParameters;
    const int minimumTile = iftaMinimumTileSize(displayedWidth, displayedHeight);
    if (p.tileSize == 0)
        p.tileSize = minimumTile;
    if (theSettings.showIFTAOptionsDialog
        && !askIftaParameters(
            p, minimumTile,
            iftaMaximumTileSize(theSettings.fullScreenWidth, theSettings.fullScreenHeight),
            iftaMaximumPhaseLevels(graylevelPhase0, graylevelPhase2Pi)))
        return;

    boost::shared_ptr<DataField2D> target;
    if (windowKind == complexFieldWindow) {
        if (!amplitudeView)
            amplitudeView = derivedView(displayAmplitude);
        if (!amplitudeView) {
            reportMemory();
            return;
        }
        target = iftaTargetAmplitude(*amplitudeView, p.tileSize, false, p.shiftX, p.shiftY);
    } else {
        const boost::shared_ptr<DataField2D> picture
            = zoomFactorValue == 1.0 && realFieldValue
                  ? realFieldValue
                  : imageToDataField2D(displayedImageValue, 0, 3, 11, 16, 5);
        target = iftaTargetAmplitude(*picture, p.tileSize, true, p.shiftX, p.shiftY);
    }

    setWaitCursor(true);
    boost::shared_ptr<complexDataField2D> doe = designDoeByIfta(target, p);
    setWaitCursor(false);
    if (!doe) {
        errorMessage("The target of the DOE design holds no signal (no amplitude of at least "
                     "0.0001) or values that are not numbers.\nAborting.");
        return;
    }
    if (!theMainWindow)
        return;
    // Named after the target's short name, so that the design's own short name and the windows
    // derived from it tell it from its target.
    theMainWindow->openComplexFieldWindowCopy(
        doe, displayPhase, QStringLiteral("DOE for signal ") + shortNameText, QString());
    doe->fft();
    theMainWindow->openComplexFieldWindow(doe, displayIntensity, QStringLiteral("FFT of DOE"),
                                          QString());
}
