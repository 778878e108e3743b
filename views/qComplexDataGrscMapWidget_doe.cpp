// Field window: the DOE design command behind "Compute DOE phase function".
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "design/doeFromBitmap.h"
#include "fieldio/fieldToImage.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/windowManagement.h"

// The grid follows the displayed (zoomed) size. A real field at zoom 1 is taken as it is
// stored, a zoomed one from its displayed image; both are intensities. A complex field gives
// its amplitude view, already an amplitude.
void qComplexDataGrscMapWidget::computeDOEforBitmap()
{
    const int grid = doeGridSize(displayedWidth, displayedHeight);
    boost::shared_ptr<DataField2D> target;
    if (windowKind == complexFieldWindow) {
        if (!amplitudeView)
            amplitudeView = derivedView(displayAmplitude);
        if (!amplitudeView) {
            reportMemory();
            return;
        }
        target = doeTargetAmplitude(*amplitudeView, grid, false);
    } else if (zoomFactorValue == 1.0 && realFieldValue) {
        target = doeTargetAmplitude(*realFieldValue, grid, true);
    } else {
        target = doeTargetAmplitude(*doePictureFromImage(displayedImageValue), grid, true);
    }

    setWaitCursor(true);
    QImage phase;
    boost::shared_ptr<complexDataField2D> design
        = designDoeByIfta(target, doeDesignConstants, &phase);
    setWaitCursor(false);

    openFullScreenWindow(
        phase, QStringLiteral("Replicated full screen view of DOE for signal ") + shortNameText,
        true, true);

    design->fft();
    if (theMainWindow)
        theMainWindow->openComplexFieldWindow(
            design, displayIntensity,
            QStringLiteral(
                "Simulated intensity diffraction pattern of DOE, ignoring 'sinc' effect"),
            QString());
}
