// The generator commands driven from the keyboard: each dialog opens on its first value with the
// preset text selected, digits typed replace it, and Return accepts.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "app/generatorFrame.h"
#include "app/generatorParameters.h"
#include "dialogs/dialogSeams.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs the dialog modally, types `keys` into whatever has the focus once the dialog is active and
// presses Return; a dialog still open after two seconds ends with -1.
int typeAndReturn(QDialog& dialog, const QString& keys, QString* focused)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&dialog] { dialog.done(-1); });
    QTimer::singleShot(0, &dialog, [&] {
        watchdog.start(2000);
        if (!QTest::qWaitForWindowActive(&dialog) || !QApplication::focusWidget())
            return;
        QWidget* input = QApplication::focusWidget();
        *focused = input->objectName();
        QTest::keyClicks(input, keys);
        QTest::keyClick(input, Qt::Key_Return);
    });
    const int result = dialog.exec();
    watchdog.stop();
    return result;
}

struct KeyboardCase
{
    const char* slot;
    const char* firstInput;
    const char* typed;
    std::function<int(const GeneratorParameters&)> stored;
};

TEST(GeneratorKeyboard, TypedValueReplacesThePresetAndReturnAccepts)
{
    using P = GeneratorParameters;
    const KeyboardCase cases[] = {
        {"showRectangularAperture", "SlitWidthSpinBox", "45",
         [](const P& p) { return p.rectangularAperture.width; }},
        {"showCircularAperture", "radiusSpinBox", "77",
         [](const P& p) { return p.circularApertureRadius; }},
        {"showSingleSlit", "slitWidthSpinBox", "31", [](const P& p) { return p.singleSlitWidth; }},
        {"showDoubleSlit", "SlitWidthSpinBox", "17", [](const P& p) { return p.doubleSlit.width; }},
        {"showBinaryFresnelZoneLens", "radiusSpinBox", "55",
         [](const P& p) { return p.binaryFresnelZoneLensRadius; }},
        {"showFresnelZoneLens", "radiusSpinBox", "66",
         [](const P& p) { return p.fresnelZoneLens.radius; }},
        {"showCylindricFresnelZoneLens", "value1_SpinBox", "33",
         [](const P& p) { return p.cylindricalFresnelZoneLens.width; }},
        {"showBinaryAxicon", "radiusSpinBox", "44",
         [](const P& p) { return p.binaryAxiconRadius; }},
        {"showAxicon", "radiusSpinBox", "22", [](const P& p) { return p.axicon.radius; }},
        {"showVortexPhase", "value1_SpinBox", "12", [](const P& p) { return p.vortexPhase.width; }},
        {"showConcentricRingSegments", "value1_SpinBox", "88",
         [](const P& p) { return p.concentricRingSegments.radius; }},
        {"showBinaryLinearGrating", "HoriGrooveXSpinBox", "9",
         [](const P& p) { return p.binaryLinearGrating.grooveH; }},
        {"showBinaryLinear45degGrating", "value1_SpinBox", "7",
         [](const P& p) { return p.binaryLinear45degGrating.width; }},
#if !PHASEDECK_LAB
        {"showBinaryLinearOrSeparable2DGrating", "spinBox_TPX", "4",
         [](const P& p) { return p.transitionPointsX.count; }},
#endif
        {"showSinusoidalGrating", "value1_SpinBox", "250",
         [](const P& p) { return p.sinusoidalGrating.width; }},
        {"showBlazedGrating", "value1_SpinBox", "150",
         [](const P& p) { return p.blazedGrating.width; }},
    };

    const int savedWidth = theSettings.fullScreenWidth;
    const int savedHeight = theSettings.fullScreenHeight;
    theSettings.fullScreenWidth = 1920;
    theSettings.fullScreenHeight = 1080;
    int opened = 0;
    const PatternOpener previousOpener
        = setPatternOpener([&opened](const QImage&, const QString&, bool, bool) { ++opened; });
    QString focused;
    QString typed;
    const DialogRunner previousRunner
        = setDialogRunner([&](QDialog& dialog) { return typeAndReturn(dialog, typed, &focused); });
    auto window = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);

    for (const KeyboardCase& c : cases) {
        SCOPED_TRACE(c.slot);
        rememberedGeneratorParameters = GeneratorParameters();
        focused.clear();
        typed = QString::fromLatin1(c.typed);
        opened = 0;
        ASSERT_TRUE(QMetaObject::invokeMethod(window.get(), c.slot));
        EXPECT_EQ(focused.toStdString(), c.firstInput);
        EXPECT_EQ(c.stored(rememberedGeneratorParameters), typed.toInt());
        EXPECT_EQ(opened, 1);
    }

    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setDialogRunner(previousRunner);
    setPatternOpener(previousOpener);
    theSettings.fullScreenWidth = savedWidth;
    theSettings.fullScreenHeight = savedHeight;
    rememberedGeneratorParameters = GeneratorParameters();
}

} // namespace
