// Main window: the slots of the "&Elementary Optical Functions" menu.
#include "app/QDOEMainWindow.h"

void QDOEMainWindow::showBlankScreen() {}
void QDOEMainWindow::showHorizDividedScreen() {}
void QDOEMainWindow::showRectangularAperture() {}
void QDOEMainWindow::showCircularAperture() {}
void QDOEMainWindow::showBinaryFresnelZoneLens() {}
void QDOEMainWindow::showFresnelZoneLens() {}
void QDOEMainWindow::showCylindricFresnelZoneLens() {}
void QDOEMainWindow::showBinaryAxicon() {}
void QDOEMainWindow::showAxicon() {}
void QDOEMainWindow::showVortexPhase() {}
void QDOEMainWindow::showConcentricRingSegments() {}
void QDOEMainWindow::showSingleSlit() {}
void QDOEMainWindow::showDoubleSlit() {}
void QDOEMainWindow::showBinaryLinearGrating() {}
void QDOEMainWindow::showBinaryLinear45degGrating() {}
void QDOEMainWindow::showBinaryLinearOrSeparable2DGrating() {}
void QDOEMainWindow::showLinearDammannGrating() {}
void QDOEMainWindow::showSepa2x2ArrayBeamsplitterGrating() {}
void QDOEMainWindow::showSepa5x5ArrayBeamsplitterGrating() {}
void QDOEMainWindow::showNonsepa5x5ArrayBeamsplitterGrating() {}
void QDOEMainWindow::showSinusoidalGrating() {}
void QDOEMainWindow::showBlazedGrating() {}
void QDOEMainWindow::showRandomBitmap() {}
void QDOEMainWindow::showRandomBinaryBitmap() {}
