// Main window: the slots of the "&Elementary Optical Functions" menu. Each presets its dialog
// from the remembered values, reads them back only when the dialog is accepted, and opens the
// pattern in a full-screen window.
#include "app/QDOEMainWindow.h"

#include "base/phasedeckRandom.h"
#include "app/generatorFrame.h"
#include "app/generatorParameters.h"
#include "patterns/patternGenerators.h"
#include "dialogs/dialog_binFZLParametersImpl.h"
#include "dialogs/dialog_circularApertureImpl.h"
#include "dialogs/dialog_contFZLParametersImpl.h"
#include "dialogs/dialog_doubleSlitParametersImpl.h"
#include "dialogs/dialog_linearGrating2DImpl.h"
#include "dialogs/dialog_linear_and_separable2D_gratingsImpl.h"
#include "dialogs/dialog_singleSlitImpl.h"
#include "dialogs/dialog_twoIntValuesImpl.h"

#include <QChar>
#include <algorithm>

namespace {

GeneratorParameters& remembered()
{
    return rememberedGeneratorParameters;
}

QString number(int value)
{
    return QString::number(value, 10);
}

// Lens and axicon radii below 1 (the radius spin boxes admit 0) are taken as 1, so that the
// remembered value, the caption and the pattern agree.
int lensRadius(const QSpinBox* box)
{
    return std::max(1, box->value());
}

// Runs a continuous-profile dialog preset from p; on Accepted stores radius and inversion.
bool askRadiusAndInversion(dialog_contFZLParametersImpl& d, GeneratorParameters::Radius& p)
{
    d.radiusSpinBox->setValue(p.radius);
    d.checkBoxProfileInversion->setChecked(p.invert);
    if (!acceptedParameterDialog(d))
        return false;
    p.radius = lensRadius(d.radiusSpinBox);
    p.invert = d.checkBoxProfileInversion->isChecked();
    return true;
}

// "<name>, smallest radius= r", with "Inverted " in front for the inverted profile.
QString invertibleCaption(const char* name, const GeneratorParameters::Radius& p)
{
    return QString(p.invert ? "Inverted " : "") + name + ", smallest radius= " + number(p.radius);
}

// The two-integer dialog relabelled for one generator; each range is set before its value.
struct TwoIntSetup
{
    const char* caption;
    const char* label1;
    int minimum1, maximum1, value1;
    const char* label2;
    int minimum2, maximum2, step2, value2;
    bool wrapping2;
};

void setUpTwoInts(dialog_twoIntValuesImpl& d, const TwoIntSetup& s)
{
    d.value1_SpinBox->setRange(s.minimum1, s.maximum1);
    d.value1_SpinBox->setValue(s.value1);
    d.TextLabel_1->setText(QString::fromLatin1(s.label1));
    d.value2_SpinBox->setRange(s.minimum2, s.maximum2);
    d.value2_SpinBox->setSingleStep(s.step2);
    d.value2_SpinBox->setWrapping(s.wrapping2);
    d.value2_SpinBox->setValue(s.value2);
    d.TextLabel_2->setText(QString::fromLatin1(s.label2));
    d.setWindowTitle(QString::fromLatin1(s.caption));
}

// Period and angle of the sinusoidal and blazed gratings; false when the dialog was not accepted.
bool askGratingParameters(GeneratorParameters::WidthAndAngle& grating)
{
    dialog_twoIntValuesImpl d(nullptr, "", true);
    setUpTwoInts(d, {"Grating parameters", "Grating period", 1, d.value1_SpinBox->maximum(),
                     grating.width, "Angle", 0, 359, d.value2_SpinBox->singleStep(), grating.angle,
                     false});
    if (!acceptedParameterDialog(d))
        return false;
    grating.width = d.value1_SpinBox->value();
    grating.angle = d.value2_SpinBox->value();
    return true;
}

QString gratingCaption(const char* kind, const GeneratorParameters::WidthAndAngle& grating)
{
    return QString::fromLatin1(kind) + ", period= " + number(grating.width)
           + ", angle= " + number(grating.angle) + QChar(0xB0);
}

#if !PHASEDECK_LAB
// Presets one axis of the transition-point dialog from its remembered values; the symmetry box is
// set and then hidden.
void presetAxis(const GeneratorParameters::TransitionAxis& axis, QSpinBox* count, QCheckBox* check,
                QSpinBox* const (&widths)[6])
{
    count->setValue(axis.count);
    check->setChecked(axis.evenOrderMissing);
    check->hide();
    for (int k = 0; k < 6; ++k)
        widths[k]->setValue(axis.widths[k]);
}

void readAxis(GeneratorParameters::TransitionAxis& axis, const QSpinBox* count,
              const QCheckBox* check, QSpinBox* const (&widths)[6])
{
    axis.count = count->value();
    axis.evenOrderMissing = check->isChecked();
    for (int k = 0; k < 6; ++k)
        axis.widths[k] = widths[k]->value();
}

#endif

} // namespace

void QDOEMainWindow::showBlankScreen()
{
    const QSize s = patternScreenSize();
    openPattern(blankScreen(s.width(), s.height()), "Blank screen (uniform grayscale value)", true);
}

void QDOEMainWindow::showHorizDividedScreen()
{
    const QSize s = patternScreenSize();
    openPattern(horizontallyDividedScreen(s.width(), s.height()),
                "Horizontally divided screen (two grayscale values)", true);
}

void QDOEMainWindow::showRectangularAperture()
{
    GeneratorParameters::Size& p = remembered().rectangularAperture;
    dialog_doubleSlitParametersImpl d(nullptr, "", true);
    d.setWindowTitle("Set Aperture parameters");
    d.TextLabel3->setText("Aperture width:");
    d.TextLabel4->setText("Aperture height:");
    d.SlitWidthSpinBox->setValue(p.width);
    d.SlitDistanceSpinBox->setValue(p.height);
    if (!acceptedParameterDialog(d))
        return;
    p.width = d.SlitWidthSpinBox->value();
    p.height = d.SlitDistanceSpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(rectangularAperture(s.width(), s.height(), p.width, p.height),
                "Rectanguar aperture with width " + number(p.width) + " and height "
                    + number(p.height),
                true);
}

void QDOEMainWindow::showCircularAperture()
{
    int& radius = remembered().circularApertureRadius;
    dialog_circularApertureImpl d(nullptr, "", true);
    d.radiusSpinBox->setValue(radius);
    if (!acceptedParameterDialog(d))
        return;
    radius = d.radiusSpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(circularAperture(s.width(), s.height(), radius),
                "Circular Aperture (Pinhole) with radius " + number(radius), true);
}

void QDOEMainWindow::showBinaryFresnelZoneLens()
{
    int& radius = remembered().binaryFresnelZoneLensRadius;
    dialog_binFZLParametersImpl d(nullptr, "", true);
    d.radiusSpinBox->setValue(radius);
    if (!acceptedParameterDialog(d))
        return;
    radius = lensRadius(d.radiusSpinBox);
    const QSize s = patternScreenSize();
    openPattern(binaryFresnelZoneLens(s.width(), s.height(), radius),
                "Binary Fresnel Zone Lens, smallest radius= " + number(radius), false);
}

void QDOEMainWindow::showFresnelZoneLens()
{
    GeneratorParameters::Radius& p = remembered().fresnelZoneLens;
    dialog_contFZLParametersImpl d(nullptr, "", true);
    if (!askRadiusAndInversion(d, p))
        return;
    const QSize s = patternScreenSize();
    openPattern(fresnelZoneLens(s.width(), s.height(), p.radius, p.invert),
                invertibleCaption("Fresnel Zone Lens Phase", p), false);
}

void QDOEMainWindow::showCylindricFresnelZoneLens()
{
    GeneratorParameters::WidthAndAngle& p = remembered().cylindricalFresnelZoneLens;
    dialog_twoIntValuesImpl d(nullptr, "", true);
    setUpTwoInts(d, {"Cylindrical Fresnel zone lens parameters", "Width of central zone", 1,
                     d.value1_SpinBox->maximum(), p.width, "Angle", 0, 359,
                     d.value2_SpinBox->singleStep(), p.angle, false});
    if (!acceptedParameterDialog(d))
        return;
    p.width = d.value1_SpinBox->value();
    p.angle = d.value2_SpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(cylindricalFresnelZoneLens(s.width(), s.height(), p.width, p.angle),
                "Cylindrical Fresnel Zone Lens phase, inner zone width= " + number(p.width), true);
}

void QDOEMainWindow::showBinaryAxicon()
{
    int& radius = remembered().binaryAxiconRadius;
    dialog_binFZLParametersImpl d(nullptr, "", true);
    d.radiusSpinBox->setValue(radius);
    d.setWindowTitle("Radius of smallest ring of axicon ");
    if (!acceptedParameterDialog(d))
        return;
    radius = lensRadius(d.radiusSpinBox);
    const QSize s = patternScreenSize();
    openPattern(binaryAxicon(s.width(), s.height(), radius),
                "Binary Axicon, smallest radius= " + number(radius), false);
}

void QDOEMainWindow::showAxicon()
{
    GeneratorParameters::Radius& p = remembered().axicon;
    dialog_contFZLParametersImpl d(nullptr, "", true);
    d.setWindowTitle("Radius of smallest ring of axicon ");
    d.TextLabel1->setText("Smallest zone:");
    if (!askRadiusAndInversion(d, p))
        return;
    const QSize s = patternScreenSize();
    openPattern(axicon(s.width(), s.height(), p.radius, p.invert),
                invertibleCaption("Axicon Phase", p), true);
}

void QDOEMainWindow::showVortexPhase()
{
    GeneratorParameters::WidthAndAngle& p = remembered().vortexPhase;
    dialog_twoIntValuesImpl d(nullptr, "", true);
    setUpTwoInts(d, {"Vortex phase parameters", "Radius of central zone", 0, 50, p.width,
                     "Phase transition angle", 0, 359, d.value2_SpinBox->singleStep(), p.angle,
                     false});
    if (!acceptedParameterDialog(d))
        return;
    p.width = d.value1_SpinBox->value();
    p.angle = d.value2_SpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(vortexPhase(s.width(), s.height(), p.width, p.angle),
                "Vortex phase, angle of 0->2Pi phase transition [deg]:  " + number(p.angle), true);
}

void QDOEMainWindow::showConcentricRingSegments()
{
    GeneratorParameters::RingSegments& p = remembered().concentricRingSegments;
    dialog_twoIntValuesImpl d(nullptr, "", true);
    setUpTwoInts(d, {"Concentring ring segment parameters", "Radius of smallest ring",
                     d.value1_SpinBox->minimum(), d.value1_SpinBox->maximum(), p.radius,
                     "Number of segments", 2, 20, 2, p.segments, false});
    if (!acceptedParameterDialog(d))
        return;
    p.radius = d.value1_SpinBox->value();
    p.segments = d.value2_SpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(concentricRingSegments(s.width(), s.height(), p.radius, p.segments),
                number(p.segments)
                    + " concentric ring segments, smallest radius= " + number(p.radius),
                false);
}

void QDOEMainWindow::showSingleSlit()
{
    int& width = remembered().singleSlitWidth;
    dialog_singleSlitImpl d(nullptr, "", true);
    d.slitWidthSpinBox->setValue(width);
    if (!acceptedParameterDialog(d))
        return;
    width = d.slitWidthSpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(singleSlit(s.width(), s.height(), width), "Slit with width " + number(width), true);
}

void QDOEMainWindow::showDoubleSlit()
{
    GeneratorParameters::Slits& p = remembered().doubleSlit;
    dialog_doubleSlitParametersImpl d(nullptr, "", true);
    d.SlitWidthSpinBox->setValue(p.width);
    d.SlitDistanceSpinBox->setValue(p.distance);
    if (!acceptedParameterDialog(d))
        return;
    p.width = d.SlitWidthSpinBox->value();
    p.distance = d.SlitDistanceSpinBox->value();
    const QSize s = patternScreenSize();
    openPattern(doubleSlit(s.width(), s.height(), p.width, p.distance),
                "Double slit with width " + number(p.width) + ", slit distance "
                    + number(p.distance),
                true);
}

void QDOEMainWindow::showBinaryLinearGrating()
{
    GeneratorParameters::LineGrating& p = remembered().binaryLinearGrating;
    dialog_linearGrating2DImpl d(nullptr, "", true);
    d.HoriGratingCheckBox->setChecked(true);
    d.VertiGratingCheckBox->setChecked(false);
    d.HoriGrooveXSpinBox->setValue(p.grooveH);
    d.HoriLineSpinBox->setValue(p.lineH);
    d.VertiGrooveXSpinBox->setValue(p.grooveV);
    d.VertiLineSpinBox->setValue(p.lineV);
    d.VertiGrooveXSpinBox->setDisabled(true);
    d.VertiLineSpinBox->setDisabled(true);
    if (!acceptedParameterDialog(d))
        return;
    const bool horizontal = d.HoriGratingCheckBox->isChecked();
    const bool vertical = d.VertiGratingCheckBox->isChecked();
    p.grooveH = d.HoriGrooveXSpinBox->value();
    p.lineH = d.HoriLineSpinBox->value();
    p.grooveV = d.VertiGrooveXSpinBox->value();
    p.lineV = d.VertiLineSpinBox->value();
    const char* caption = horizontal && vertical   ? "2D Grating"
                          : horizontal || vertical ? "Linear Grating"
                                                   : "Blank Screen with adjustable transmission";
    openPattern(
        binaryLinearGratingCell(horizontal, p.grooveH, p.lineH, vertical, p.grooveV, p.lineV),
        caption, true);
}

void QDOEMainWindow::showBinaryLinear45degGrating()
{
    GeneratorParameters::WidthAndAngle& p = remembered().binaryLinear45degGrating;
    dialog_twoIntValuesImpl d(nullptr, "", true);
    setUpTwoInts(d, {"Linear Grating, duty cycle 50/50, 45deg rotation", "Groove/ridge width", 1,
                     500, p.width, "Rotation angle", -45, 45, 90, p.angle, true});
    if (!acceptedParameterDialog(d))
        return;
    p.width = d.value1_SpinBox->value();
    p.angle = d.value2_SpinBox->value() > 0 ? 45 : -45;
    const QSize s = patternScreenSize();
    openPattern(binaryLinear45degGratingCell(s.width(), s.height(), p.width, p.angle),
                "Linear Grating, " + number(p.angle)
                    + "deg rotation, ridge/groove width [pixels]: " + number(p.width),
                true);
}

#if !PHASEDECK_LAB
void QDOEMainWindow::showBinaryLinearOrSeparable2DGrating()
{
    GeneratorParameters::TransitionAxis& x = remembered().transitionPointsX;
    GeneratorParameters::TransitionAxis& y = remembered().transitionPointsY;
    dialog_linear_and_separable2D_gratingsImpl d(nullptr, "", true);
    QSpinBox* const widthsX[6] = {d.spinBox_RX_1, d.spinBox_GX_1, d.spinBox_RX_2,
                                  d.spinBox_GX_2, d.spinBox_RX_3, d.spinBox_GX_3};
    QSpinBox* const widthsY[6] = {d.spinBox_RY_1, d.spinBox_GY_1, d.spinBox_RY_2,
                                  d.spinBox_GY_2, d.spinBox_RY_3, d.spinBox_GY_3};
    presetAxis(x, d.spinBox_TPX, d.EOMCheckBox_X, widthsX);
    d.updateParametersX();
    presetAxis(y, d.spinBox_TPY, d.EOMCheckBox_Y, widthsY);
    d.updateParametersY();
    if (!acceptedParameterDialog(d))
        return;
    readAxis(x, d.spinBox_TPX, d.EOMCheckBox_X, widthsX);
    readAxis(y, d.spinBox_TPY, d.EOMCheckBox_Y, widthsY);
    // An odd count uses count - 1 points (so 1 counts as 0), which always end with a period.
    const std::vector<int> pointsX = d.getTransitionPointsX();
    const std::vector<int> pointsY = d.getTransitionPointsY();
    if (pointsX.empty() && pointsY.empty()) {
        showBlankScreen();
        return;
    }
    const char* caption = pointsX.empty()   ? "Vertical Binary Linear Grating"
                          : pointsY.empty() ? "Horizontal Binary Linear Grating"
                                            : "Separable Binary 2D Grating";
    openPattern(transitionPointGratingCell(pointsX, pointsY), caption, true);
}
#endif

void QDOEMainWindow::showLinearDammannGrating()
{
    openPattern(linearDammannGratingCell(), "Dammann Linear 1-to-5 beamsplitter grating", true);
}

void QDOEMainWindow::showSepa2x2ArrayBeamsplitterGrating()
{
    openPattern(separable2x2GratingCell(), "1-to-(2x2) separable array beamsplitter grating", true);
}

void QDOEMainWindow::showSepa5x5ArrayBeamsplitterGrating()
{
    openPattern(separable5x5GratingCell(), "1-to-(5x5) separable array beamsplitter grating", true);
}

void QDOEMainWindow::showNonsepa5x5ArrayBeamsplitterGrating()
{
    QImage cell = nonSeparable5x5GratingCell();
#if PHASEDECK_LAB
    // This edition hands on the stored picture as the display's colour image.
    cell = cell.convertToFormat(QImage::Format_RGB32);
#endif
    openPattern(cell, "1-to-(5x5) non-separable array beamsplitter grating", true);
}

void QDOEMainWindow::showSinusoidalGrating()
{
    GeneratorParameters::WidthAndAngle& p = remembered().sinusoidalGrating;
    if (!askGratingParameters(p))
        return;
    const QSize s = patternScreenSize();
    openPattern(sinusoidalGrating(s.width(), s.height(), p.width, p.angle),
                gratingCaption("Sinusoidal grating", p), true);
}

void QDOEMainWindow::showBlazedGrating()
{
    GeneratorParameters::WidthAndAngle& p = remembered().blazedGrating;
    if (!askGratingParameters(p))
        return;
    const QSize s = patternScreenSize();
    openPattern(blazedGrating(s.width(), s.height(), p.width, p.angle),
                gratingCaption("Blazed grating", p), true);
}

void QDOEMainWindow::showRandomBitmap()
{
    const QSize s = patternScreenSize();
    openPattern(randomBitmap(s.width(), s.height(), phasedeckRand), "Random bitmap", true);
}

void QDOEMainWindow::showRandomBinaryBitmap()
{
    const QSize s = patternScreenSize();
    openPattern(randomBinaryBitmap(s.width(), s.height(), phasedeckRand), "Random binary bitmap",
                true);
}
