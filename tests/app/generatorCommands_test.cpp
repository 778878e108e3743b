// The generator commands of the main window: dialog presets and read-back, remembered values,
// captions, lens-button flags, the patterns they open, and the value dialogs from the keyboard.
#include "app/QDOEMainWindow.h"

#include "patterns/phaseImageChecks.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "base/phasedeckRandom.h"
#include "app/generatorFrame.h"
#include "app/generatorParameters.h"
#include "patterns/patternGenerators.h"
#include "dialogs/dialogSeams.h"
#include "views/qFullScreenFieldWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

struct OpenedPattern
{
    QImage image;
    QString caption;
    bool keepLensButton;
    bool keepPrismButton;
};

// Runs the dialog modally, types `keys` into whatever has the focus once the dialog is active
// and presses Return; a dialog still open after two seconds ends with -1.
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

// A main window with the SLM's full-screen size, fresh remembered values, the opened patterns
// recorded instead of shown and dialogs answered by `answer`.
class GeneratorCommands : public testing::Test
{
protected:
    void SetUp() override
    {
        savedWidth = theSettings.fullScreenWidth;
        savedHeight = theSettings.fullScreenHeight;
        theSettings.fullScreenWidth = W;
        theSettings.fullScreenHeight = H;
        rememberedGeneratorParameters = GeneratorParameters();
        previousOpener = setPatternOpener(
            [this](const QImage& image, const QString& caption, bool keepLens, bool keepPrism) {
                opened.push_back({image, caption, keepLens, keepPrism});
            });
        previousRunner = setDialogRunner([this](QDialog& dialog) {
            ++dialogsRun;
            if (!answer) {
                ADD_FAILURE() << "unexpected dialog " << dialog.metaObject()->className();
                return int(QDialog::Rejected);
            }
            return answer(dialog);
        });
        window = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
    }

    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setDialogRunner(previousRunner);
        setPatternOpener(previousOpener);
        theSettings.fullScreenWidth = savedWidth;
        theSettings.fullScreenHeight = savedHeight;
        rememberedGeneratorParameters = GeneratorParameters();
    }

    void run(const char* slot)
    {
        ASSERT_TRUE(QMetaObject::invokeMethod(window.get(), slot)) << slot;
    }

    std::unique_ptr<QDOEMainWindow> window;
    std::vector<OpenedPattern> opened;
    std::function<int(QDialog&)> answer;
    int dialogsRun = 0;

private:
    int savedWidth = 0;
    int savedHeight = 0;
    PatternOpener previousOpener;
    DialogRunner previousRunner;
};

// ---- Commands without a dialog ----

TEST_F(GeneratorCommands, CommandsWithoutParameters)
{
    struct Case
    {
        const char* slot;
        const char* caption;
        std::function<QImage()> expected;
    };
    const Case cases[]
        = { {"showBlankScreen", "Blank screen (uniform grayscale value)",
             [] { return blankScreen(W, H); }},
            {"showHorizDividedScreen", "Horizontally divided screen (two grayscale values)",
             [] { return horizontallyDividedScreen(W, H); }},
            {"showLinearDammannGrating", "Dammann Linear 1-to-5 beamsplitter grating",
             linearDammannGratingCell},
            {"showSepa2x2ArrayBeamsplitterGrating",
             "1-to-(2x2) separable array beamsplitter grating", separable2x2GratingCell},
            {"showSepa5x5ArrayBeamsplitterGrating",
             "1-to-(5x5) separable array beamsplitter grating", separable5x5GratingCell},
#if !PHASEDECK_LAB
            {"showNonsepa5x5ArrayBeamsplitterGrating",
             "1-to-(5x5) non-separable array beamsplitter grating", nonSeparable5x5GratingCell},
#endif
          };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        opened.clear();
        run(c.slot);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].caption, c.caption);
        EXPECT_TRUE(opened[0].keepLensButton);
        EXPECT_TRUE(opened[0].keepPrismButton);
        EXPECT_EQ(opened[0].image, c.expected());
    }
    EXPECT_EQ(dialogsRun, 0);
}

TEST_F(GeneratorCommands, NonSeparableCellPerEdition)
{
    run("showNonsepa5x5ArrayBeamsplitterGrating");
    ASSERT_EQ(opened.size(), 1u);
    const QImage& image = opened[0].image;
    ASSERT_EQ(image.size(), QSize(26, 26));
    const QImage cell = nonSeparable5x5GratingCell();
#if PHASEDECK_LAB
    // The internal edition hands on the colour picture itself.
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    for (int line = 0; line < 26; ++line)
        for (int x = 0; x < 26; ++x)
            EXPECT_EQ(image.pixel(x, line), cell.pixel(x, line)) << x << ", " << line;
#else
    EXPECT_EQ(image, cell);
#endif
}

TEST_F(GeneratorCommands, RandomBitmapsContinueTheUnseededSequence)
{
    phasedeckSrand(77);
    run("showRandomBitmap");
    run("showRandomBinaryBitmap");
    run("showRandomBitmap");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].caption, "Random bitmap");
    EXPECT_EQ(opened[1].caption, "Random binary bitmap");
    EXPECT_TRUE(opened[1].keepLensButton);

    phasedeckSrand(77);
    const QImage first = randomBitmap(W, H, phasedeckRand);
    const QImage binary = randomBinaryBitmap(W, H, phasedeckRand);
    const QImage third = randomBitmap(W, H, phasedeckRand);
    EXPECT_EQ(opened[0].image, first);
    EXPECT_EQ(opened[1].image, binary);
    EXPECT_EQ(opened[2].image, third);
    EXPECT_NE(opened[0].image, opened[2].image);
}

TEST_F(GeneratorCommands, MenuEntryRunsItsCommand)
{
    QAction* entry = nullptr;
    for (QAction* a : window->menuBar()->actions())
        if (a->menu())
            for (QAction* item : a->menu()->actions())
                if (item->text() == "Show Horizontally Divided Screen")
                    entry = item;
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].caption, "Horizontally divided screen (two grayscale values)");
}

// ---- Commands with a dialog ----

QString visibleText(QDialog& dialog, const char* name)
{
    if (!*name)
        return dialog.windowTitle();
    QObject* child = dialog.findChild<QObject*>(name);
    if (auto* label = qobject_cast<QLabel*>(child))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(child))
        return button->text();
    ADD_FAILURE() << "no text widget " << name;
    return QString();
}

struct TextPreset
{
    const char* widget; // "" for the dialog caption
    const char* text;
};

struct SpinPreset
{
    const char* widget;
    int minimum, maximum, step, value;
    bool wrapping;
};

// A spin box value or a check box state (0 or 1), by object name.
struct WidgetValue
{
    const char* widget;
    int value;
};

void expectValues(QDialog& d, const std::vector<WidgetValue>& values)
{
    for (const WidgetValue& v : values) {
        SCOPED_TRACE(v.widget);
        if (auto* spin = d.findChild<QSpinBox*>(v.widget))
            EXPECT_EQ(spin->value(), v.value);
        else if (auto* check = d.findChild<QCheckBox*>(v.widget))
            EXPECT_EQ(check->isChecked(), v.value != 0);
        else
            ADD_FAILURE() << "no value widget";
    }
}

void setValues(QDialog& d, const std::vector<WidgetValue>& values)
{
    for (const WidgetValue& v : values) {
        if (auto* spin = d.findChild<QSpinBox*>(v.widget))
            spin->setValue(v.value);
        else if (auto* check = d.findChild<QCheckBox*>(v.widget))
            check->setChecked(v.value != 0);
        else
            ADD_FAILURE() << "no value widget " << v.widget;
    }
}

struct DialogCase
{
    const char* slot;
    const char* dialogClass;
    std::vector<TextPreset> texts;
    std::vector<SpinPreset> spins;
    std::vector<WidgetValue> checks;      // check box states at the first opening
    std::vector<const char*> disabled;    // widgets disabled at every opening
    std::vector<WidgetValue> edits;       // what the user changes before accepting
    std::vector<WidgetValue> nextPresets; // what the next opening shows
    const char* caption;
    bool keepLensButton;
    std::function<QImage()> expected;
};

const std::vector<DialogCase>& dialogCases()
{
    static const std::vector<DialogCase> cases = {
        {"showRectangularAperture",
         "dialog_doubleSlitParametersImpl",
         {{"", "Set Aperture parameters"},
          {"TextLabel3", "Aperture width:"},
          {"TextLabel4", "Aperture height:"}},
         {{"SlitWidthSpinBox", 1, 1000, 1, 30, false},
          {"SlitDistanceSpinBox", 1, 1000, 1, 20, false}},
         {},
         {},
         {{"SlitWidthSpinBox", 31}, {"SlitDistanceSpinBox", 21}},
         {{"SlitWidthSpinBox", 31}, {"SlitDistanceSpinBox", 21}},
         "Rectanguar aperture with width 31 and height 21",
         true,
         [] { return rectangularAperture(W, H, 31, 21); }},
        {"showCircularAperture",
         "dialog_circularApertureImpl",
         {{"", "Radius of aperture"}, {"TextLabel1", "Radius of aperture"}},
         {{"radiusSpinBox", 0, 1200, 1, 200, false}},
         {},
         {},
         {{"radiusSpinBox", 150}},
         {{"radiusSpinBox", 150}},
         "Circular Aperture (Pinhole) with radius 150",
         true,
         [] { return circularAperture(W, H, 150); }},
        {"showSingleSlit",
         "dialog_singleSlitImpl",
         {{"", "Slit width"}},
         {{"slitWidthSpinBox", 0, 1200, 1, 20, false}},
         {},
         {},
         {{"slitWidthSpinBox", 0}},
         {{"slitWidthSpinBox", 0}},
         "Slit with width 0",
         true,
         [] { return singleSlit(W, H, 0); }},
        {"showDoubleSlit",
         "dialog_doubleSlitParametersImpl",
         {{"", "Enter Double Slit Parameters"},
          {"TextLabel3", "Slit width"},
          {"TextLabel4", "Slit distance"}},
         {{"SlitWidthSpinBox", 1, 1000, 1, 10, false},
          {"SlitDistanceSpinBox", 1, 1000, 1, 300, false}},
         {},
         {},
         {{"SlitWidthSpinBox", 12}, {"SlitDistanceSpinBox", 301}},
         {{"SlitWidthSpinBox", 12}, {"SlitDistanceSpinBox", 301}},
         "Double slit with width 12, slit distance 301",
         true,
         [] { return doubleSlit(W, H, 12, 301); }},
        {"showBinaryFresnelZoneLens",
         "dialog_binFZLParametersImpl",
         {{"", "Radius of smallest ring"}, {"TextLabel1", "Radius of smallest ring"}},
         {{"radiusSpinBox", 0, 1000, 1, 100, false}},
         {},
         {},
         {{"radiusSpinBox", 0}}, // a radius of 0 is taken as 1
         {{"radiusSpinBox", 1}},
         "Binary Fresnel Zone Lens, smallest radius= 1",
         false,
         [] { return binaryFresnelZoneLens(W, H, 1); }},
        {"showFresnelZoneLens",
         "dialog_contFZLParametersImpl",
         {{"", "Radius of smallest Fresnel zone"}, {"TextLabel1", "Radius of smallest zone"}},
         {{"radiusSpinBox", 0, 1000, 1, 140, false}},
         {{"checkBoxProfileInversion", 0}},
         {},
         {{"radiusSpinBox", 99}, {"checkBoxProfileInversion", 1}},
         {{"radiusSpinBox", 99}, {"checkBoxProfileInversion", 1}},
         "Inverted Fresnel Zone Lens Phase, smallest radius= 99",
         false,
         [] { return fresnelZoneLens(W, H, 99, true); }},
        {"showCylindricFresnelZoneLens",
         "dialog_twoIntValuesImpl",
         {{"", "Cylindrical Fresnel zone lens parameters"},
          {"TextLabel_1", "Width of central zone"},
          {"TextLabel_2", "Angle"}},
         {{"value1_SpinBox", 1, 1000, 1, 280, false}, {"value2_SpinBox", 0, 359, 1, 0, false}},
         {},
         {},
         {{"value1_SpinBox", 50}, {"value2_SpinBox", 30}},
         {{"value1_SpinBox", 50}, {"value2_SpinBox", 30}},
         "Cylindrical Fresnel Zone Lens phase, inner zone width= 50",
         true,
         [] { return cylindricalFresnelZoneLens(W, H, 50, 30); }},
        {"showBinaryAxicon",
         "dialog_binFZLParametersImpl",
         {{"", "Radius of smallest ring of axicon "}, {"TextLabel1", "Radius of smallest ring"}},
         {{"radiusSpinBox", 0, 1000, 1, 40, false}},
         {},
         {},
         {{"radiusSpinBox", 25}},
         {{"radiusSpinBox", 25}},
         "Binary Axicon, smallest radius= 25",
         false,
         [] { return binaryAxicon(W, H, 25); }},
        {"showAxicon",
         "dialog_contFZLParametersImpl",
         {{"", "Radius of smallest ring of axicon "}, {"TextLabel1", "Smallest zone:"}},
         {{"radiusSpinBox", 0, 1000, 1, 30, false}},
         {{"checkBoxProfileInversion", 0}},
         {},
         {{"checkBoxProfileInversion", 1}},
         {{"radiusSpinBox", 30}, {"checkBoxProfileInversion", 1}},
         "Inverted Axicon Phase, smallest radius= 30",
         true,
         [] { return axicon(W, H, 30, true); }},
        {"showVortexPhase",
         "dialog_twoIntValuesImpl",
         {{"", "Vortex phase parameters"},
          {"TextLabel_1", "Radius of central zone"},
          {"TextLabel_2", "Phase transition angle"}},
         {{"value1_SpinBox", 0, 50, 1, 0, false}, {"value2_SpinBox", 0, 359, 1, 0, false}},
         {},
         {},
         {{"value1_SpinBox", 10}, {"value2_SpinBox", 270}},
         {{"value1_SpinBox", 10}, {"value2_SpinBox", 270}},
         "Vortex phase, angle of 0->2Pi phase transition [deg]:  270",
         true,
         [] { return vortexPhase(W, H, 10, 270); }},
        {"showConcentricRingSegments",
         "dialog_twoIntValuesImpl",
         {{"", "Concentring ring segment parameters"},
          {"TextLabel_1", "Radius of smallest ring"},
          {"TextLabel_2", "Number of segments"}},
         {{"value1_SpinBox", 1, 1000, 1, 40, false}, {"value2_SpinBox", 2, 20, 2, 2, false}},
         {},
         {},
         {{"value1_SpinBox", 33}, {"value2_SpinBox", 6}},
         {{"value1_SpinBox", 33}, {"value2_SpinBox", 6}},
         "6 concentric ring segments, smallest radius= 33",
         false,
         [] { return concentricRingSegments(W, H, 33, 6); }},
        {"showBinaryLinearGrating",
         "dialog_linearGrating2DImpl",
         {{"", "Select Grating Parameters"}},
         {{"HoriGrooveXSpinBox", 1, 1000, 1, 2, false},
          {"HoriLineSpinBox", 1, 1000, 1, 2, false},
          {"VertiGrooveXSpinBox", 1, 1000, 1, 3, false},
          {"VertiLineSpinBox", 1, 1000, 1, 3, false}},
         {{"HoriGratingCheckBox", 1}, {"VertiGratingCheckBox", 0}},
         {"VertiGrooveXSpinBox", "VertiLineSpinBox"},
         {{"VertiGratingCheckBox", 1},
          {"HoriGrooveXSpinBox", 1},
          {"HoriLineSpinBox", 2},
          {"VertiGrooveXSpinBox", 3},
          {"VertiLineSpinBox", 4}},
         // The grating switches start afresh; the widths are remembered.
         {{"HoriGratingCheckBox", 1},
          {"VertiGratingCheckBox", 0},
          {"HoriGrooveXSpinBox", 1},
          {"HoriLineSpinBox", 2},
          {"VertiGrooveXSpinBox", 3},
          {"VertiLineSpinBox", 4}},
         "2D Grating",
         true,
         [] { return binaryLinearGratingCell(true, 1, 2, true, 3, 4); }},
        {"showBinaryLinear45degGrating",
         "dialog_twoIntValuesImpl",
         {{"", "Linear Grating, duty cycle 50/50, 45deg rotation"},
          {"TextLabel_1", "Groove/ridge width"},
          {"TextLabel_2", "Rotation angle"}},
         {{"value1_SpinBox", 1, 500, 1, 2, false}, {"value2_SpinBox", -45, 45, 90, 45, true}},
         {},
         {},
         {{"value1_SpinBox", 3}, {"value2_SpinBox", 0}}, // 0 counts as -45
         {{"value1_SpinBox", 3}, {"value2_SpinBox", -45}},
         "Linear Grating, -45deg rotation, ridge/groove width [pixels]: 3",
         true,
         [] { return binaryLinear45degGratingCell(W, H, 3, -45); }},
        {"showSinusoidalGrating",
         "dialog_twoIntValuesImpl",
         {{"", "Grating parameters"}, {"TextLabel_1", "Grating period"}, {"TextLabel_2", "Angle"}},
         {{"value1_SpinBox", 1, 1000, 1, 100, false}, {"value2_SpinBox", 0, 359, 1, 0, false}},
         {},
         {},
         {{"value1_SpinBox", 50}, {"value2_SpinBox", 90}},
         {{"value1_SpinBox", 50}, {"value2_SpinBox", 90}},
         "Sinusoidal grating, period= 50, angle= 90\u00b0",
         true,
         [] { return sinusoidalGrating(W, H, 50, 90); }},
        {"showBlazedGrating",
         "dialog_twoIntValuesImpl",
         {{"", "Grating parameters"}, {"TextLabel_1", "Grating period"}, {"TextLabel_2", "Angle"}},
         {{"value1_SpinBox", 1, 1000, 1, 100, false}, {"value2_SpinBox", 0, 359, 1, 0, false}},
         {},
         {},
         {{"value1_SpinBox", 7}, {"value2_SpinBox", 33}},
         {{"value1_SpinBox", 7}, {"value2_SpinBox", 33}},
         "Blazed grating, period= 7, angle= 33\u00b0",
         true,
         [] { return blazedGrating(W, H, 7, 33); }},
    };
    return cases;
}

TEST_F(GeneratorCommands, DialogPresetsReadBackAndRememberedValues)
{
    for (const DialogCase& c : dialogCases()) {
        SCOPED_TRACE(c.slot);
        rememberedGeneratorParameters = GeneratorParameters();
        opened.clear();
        auto checkFirstPresets = [&](QDialog& d) {
            EXPECT_STREQ(d.metaObject()->className(), c.dialogClass);
            EXPECT_EQ(d.parent(), nullptr);
            EXPECT_TRUE(d.isModal());
            for (const TextPreset& t : c.texts)
                EXPECT_EQ(visibleText(d, t.widget), QString::fromUtf8(t.text)) << t.widget;
            for (const SpinPreset& s : c.spins) {
                SCOPED_TRACE(s.widget);
                const QSpinBox* box = d.findChild<QSpinBox*>(s.widget);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->minimum(), s.minimum);
                EXPECT_EQ(box->maximum(), s.maximum);
                EXPECT_EQ(box->singleStep(), s.step);
                EXPECT_EQ(box->value(), s.value);
                EXPECT_EQ(box->wrapping(), s.wrapping);
            }
            expectValues(d, c.checks);
            for (const char* name : c.disabled)
                EXPECT_FALSE(d.findChild<QWidget*>(name)->isEnabled()) << name;
        };

        // Rejected: nothing opens and nothing is stored, even after editing.
        answer = [&](QDialog& d) {
            checkFirstPresets(d);
            setValues(d, c.edits);
            return int(QDialog::Rejected);
        };
        run(c.slot);
        EXPECT_TRUE(opened.empty());

        // Accepted: the same presets again; the edited values make the pattern.
        answer = [&](QDialog& d) {
            checkFirstPresets(d);
            setValues(d, c.edits);
            return int(QDialog::Accepted);
        };
        run(c.slot);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(opened[0].keepLensButton, c.keepLensButton);
        EXPECT_TRUE(opened[0].keepPrismButton);
        EXPECT_EQ(opened[0].image, c.expected());

        // The next opening shows the accepted values.
        answer = [&](QDialog& d) {
            expectValues(d, c.nextPresets);
            for (const char* name : c.disabled)
                EXPECT_FALSE(d.findChild<QWidget*>(name)->isEnabled()) << name;
            return int(QDialog::Rejected);
        };
        run(c.slot);
        EXPECT_EQ(opened.size(), 1u);
    }
}

TEST_F(GeneratorCommands, AcceptingUnchangedValuesOpensTheDefaultsAndKeepsOthersApart)
{
    answer = [](QDialog&) { return int(QDialog::Accepted); };
    run("showAxicon");
    run("showFresnelZoneLens");
    run("showSinusoidalGrating");
    run("showBlazedGrating");
    run("showDoubleSlit");
    run("showRectangularAperture");
    ASSERT_EQ(opened.size(), 6u);
    EXPECT_EQ(opened[0].caption, "Axicon Phase, smallest radius= 30");
    EXPECT_EQ(opened[0].image, axicon(W, H, 30, false));
    EXPECT_EQ(opened[1].caption, "Fresnel Zone Lens Phase, smallest radius= 140");
    EXPECT_EQ(opened[1].image, fresnelZoneLens(W, H, 140, false));
    EXPECT_EQ(opened[2].image, sinusoidalGrating(W, H, 100, 0));
    EXPECT_EQ(opened[3].image, blazedGrating(W, H, 100, 0));
    EXPECT_EQ(opened[4].caption, "Double slit with width 10, slit distance 300");
    EXPECT_EQ(opened[5].caption, "Rectanguar aperture with width 30 and height 20");

    // The axicon's inversion and the double slit's values do not reach their neighbours.
    answer = [](QDialog& d) {
        if (QCheckBox* invert = d.findChild<QCheckBox*>("checkBoxProfileInversion"))
            invert->setChecked(true);
        if (QSpinBox* width = d.findChild<QSpinBox*>("SlitWidthSpinBox"))
            width->setValue(77);
        if (QSpinBox* period = d.findChild<QSpinBox*>("value1_SpinBox"))
            period->setValue(9);
        return int(QDialog::Accepted);
    };
    run("showAxicon");
    run("showDoubleSlit");
    run("showSinusoidalGrating");
    answer = [](QDialog&) { return int(QDialog::Accepted); };
    opened.clear();
    run("showFresnelZoneLens");
    run("showRectangularAperture");
    run("showBlazedGrating");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].caption, "Fresnel Zone Lens Phase, smallest radius= 140");
    EXPECT_EQ(opened[1].caption, "Rectanguar aperture with width 30 and height 20");
    EXPECT_EQ(opened[2].caption, "Blazed grating, period= 100, angle= 0\u00b0");
}

TEST_F(GeneratorCommands, FortyFiveDegreeAngleToggles)
{
    int shownAfterUp = 0;
    int shownAfterSecondUp = 0;
    answer = [&](QDialog& d) {
        QSpinBox* angle = d.findChild<QSpinBox*>("value2_SpinBox");
        angle->stepBy(1);
        shownAfterUp = angle->value();
        angle->stepBy(1);
        shownAfterSecondUp = angle->value();
        return int(QDialog::Accepted);
    };
    run("showBinaryLinear45degGrating");
    EXPECT_EQ(shownAfterUp, -45);
    EXPECT_EQ(shownAfterSecondUp, 45);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].caption, "Linear Grating, 45deg rotation, ridge/groove width [pixels]: 2");
    EXPECT_EQ(opened[0].image, binaryLinear45degGratingCell(W, H, 2, 45));
}

TEST_F(GeneratorCommands, LinearGratingCaptionsByEnabledGratings)
{
    struct Case
    {
        bool horizontal, vertical;
        const char* caption;
    };
    const Case cases[] = {{true, false, "Linear Grating"},
                          {false, true, "Linear Grating"},
                          {true, true, "2D Grating"},
                          {false, false, "Blank Screen with adjustable transmission"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        opened.clear();
        answer = [&](QDialog& d) {
            d.findChild<QCheckBox*>("HoriGratingCheckBox")->setChecked(c.horizontal);
            d.findChild<QCheckBox*>("VertiGratingCheckBox")->setChecked(c.vertical);
            return int(QDialog::Accepted);
        };
        run("showBinaryLinearGrating");
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].caption, c.caption);
        EXPECT_EQ(opened[0].image, binaryLinearGratingCell(c.horizontal, 2, 2, c.vertical, 3, 3));
    }
}

#if !PHASEDECK_LAB

TEST_F(GeneratorCommands, TransitionPointGratingPresetsAndCells)
{
    bool checkedPresets = false;
    answer = [&](QDialog& d) {
        expectValues(d, {{"spinBox_TPX", 6},
                         {"spinBox_RX_1", 1},
                         {"spinBox_GX_1", 1},
                         {"spinBox_RX_2", 7},
                         {"spinBox_GX_2", 1},
                         {"spinBox_RX_3", 1},
                         {"spinBox_GX_3", 7},
                         {"spinBox_TPY", 2},
                         {"spinBox_RY_2", 1},
                         {"spinBox_GY_3", 1}});
        EXPECT_TRUE(d.findChild<QCheckBox*>("EOMCheckBox_X")->isHidden());
        EXPECT_TRUE(d.findChild<QCheckBox*>("EOMCheckBox_Y")->isHidden());
        // Both axes were refreshed before the dialog ran.
        EXPECT_EQ(d.findChild<QLabel*>("textlabel_TPX_3")->text(), "2");
        EXPECT_EQ(d.findChild<QLabel*>("textlabel_TPY_3")->text(), "2");
        EXPECT_TRUE(d.findChild<QLabel*>("textlabel_TPY_4")->isHidden());
        checkedPresets = true;
        return int(QDialog::Accepted);
    };
    run("showBinaryLinearOrSeparable2DGrating");
    EXPECT_TRUE(checkedPresets);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].caption, "Separable Binary 2D Grating");
    EXPECT_EQ(opened[0].image, transitionPointGratingCell({1, 2, 9, 10, 11, 18}, {1, 2}));
    // The zero widths came back as the spin boxes' minimum.
    const GeneratorParameters::TransitionAxis& y = rememberedGeneratorParameters.transitionPointsY;
    EXPECT_EQ(std::vector<int>(y.widths, y.widths + 6), std::vector<int>(6, 1));

    struct Case
    {
        const char* what;
        int countX, countY;
        std::vector<WidgetValue> widths;
        const char* caption;
        std::vector<int> pointsX, pointsY; // expected cell; both empty: the blank screen
    };
    const Case cases[] = {
        {"y only",
         0,
         2,
         {{"spinBox_RY_1", 3}, {"spinBox_GY_1", 5}},
         "Vertical Binary Linear Grating",
         {},
         {3, 8}},
        {"x only",
         2,
         0,
         {{"spinBox_RX_1", 4}, {"spinBox_GX_1", 4}},
         "Horizontal Binary Linear Grating",
         {4, 8},
         {}},
        {"neither", 0, 0, {}, "Blank screen (uniform grayscale value)", {}, {}},
        {"odd count 3 uses two points",
         3,
         0,
         {{"spinBox_RX_1", 2}, {"spinBox_GX_1", 3}},
         "Horizontal Binary Linear Grating",
         {2, 5},
         {}},
        {"odd count 1 counts as none", 1, 0, {}, "Blank screen (uniform grayscale value)", {}, {}},
        {"odd count 5 beside count 2",
         5,
         2,
         {},
         "Separable Binary 2D Grating",
         {1, 2, 9, 10},
         {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rememberedGeneratorParameters = GeneratorParameters();
        opened.clear();
        answer = [&](QDialog& d) {
            setValues(d, {{"spinBox_TPX", c.countX}, {"spinBox_TPY", c.countY}});
            setValues(d, c.widths);
            return int(QDialog::Accepted);
        };
        run("showBinaryLinearOrSeparable2DGrating");
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0].caption, c.caption);
        if (c.pointsX.empty() && c.pointsY.empty())
            EXPECT_EQ(opened[0].image, blankScreen(W, H));
        else
            EXPECT_EQ(opened[0].image, transitionPointGratingCell(c.pointsX, c.pointsY));
        EXPECT_EQ(rememberedGeneratorParameters.transitionPointsX.count, c.countX);
        EXPECT_EQ(rememberedGeneratorParameters.transitionPointsY.count, c.countY);
    }

    // Cancel stores nothing, the hidden symmetry flags included.
    opened.clear();
    rememberedGeneratorParameters = GeneratorParameters();
    answer = [](QDialog& d) {
        setValues(d, {{"spinBox_TPX", 4}, {"EOMCheckBox_X", 1}, {"spinBox_RY_1", 9}});
        return int(QDialog::Rejected);
    };
    run("showBinaryLinearOrSeparable2DGrating");
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(rememberedGeneratorParameters.transitionPointsX.count, 6);
    EXPECT_FALSE(rememberedGeneratorParameters.transitionPointsX.evenOrderMissing);
    EXPECT_EQ(rememberedGeneratorParameters.transitionPointsY.widths[0], 1);

    // Accepted flags are remembered although the pattern ignores them.
    answer = [](QDialog& d) {
        setValues(d, {{"EOMCheckBox_Y", 1}});
        return int(QDialog::Accepted);
    };
    run("showBinaryLinearOrSeparable2DGrating");
    EXPECT_TRUE(rememberedGeneratorParameters.transitionPointsY.evenOrderMissing);
    answer = [](QDialog& d) {
        expectValues(d, {{"EOMCheckBox_Y", 1}, {"EOMCheckBox_X", 0}});
        return int(QDialog::Rejected);
    };
    run("showBinaryLinearOrSeparable2DGrating");
}

#else

TEST_F(GeneratorCommands, NoTransitionPointGratingInThisEdition)
{
    EXPECT_EQ(window->metaObject()->indexOfSlot("showBinaryLinearOrSeparable2DGrating()"), -1);
}

#endif

// ---- Real full-screen windows ----

class GeneratorWindows : public GeneratorCommands
{
protected:
    void SetUp() override
    {
        GeneratorCommands::SetUp();
        recorder = setPatternOpener(nullptr); // the full-screen window opener
        listedBefore = openFullScreenWindows.size();
        // The gray values for phase 0 and 2 pi that the program sets at start-up.
        savedPhase0 = graylevelPhase0;
        savedPhase2Pi = graylevelPhase2Pi;
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
    }
    void TearDown() override
    {
        setPatternOpener(recorder);
        GeneratorCommands::TearDown();
        graylevelPhase0 = savedPhase0;
        graylevelPhase2Pi = savedPhase2Pi;
        EXPECT_EQ(openFullScreenWindows.size(), listedBefore);
    }

    qFullScreenFieldWidget* newestWindow()
    {
        return openFullScreenWindows.size() > listedBefore ? openFullScreenWindows.back() : nullptr;
    }

    PatternOpener recorder;
    std::size_t listedBefore = 0;
    unsigned char savedPhase0 = 0;
    unsigned char savedPhase2Pi = 0;
};

TEST_F(GeneratorWindows, GratingCellIsTiledOverTheScreen)
{
    run("showSepa2x2ArrayBeamsplitterGrating");
    qFullScreenFieldWidget* w = newestWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "1-to-(2x2) separable array beamsplitter grating");
    EXPECT_TRUE(w->isVisible());
    const QImage cell = separable2x2GratingCell();
    const QImage& shown = w->displayedBitmap();
    ASSERT_EQ(shown.size(), QSize(W, H));
    // The cell's centre sits on the screen centre: the tile starts at
    // ((W/2 - 9) mod 18, (H/2 - 9) mod 18) = (15, 9).
    int mismatches = 0;
    for (int line = 0; line < H; ++line)
        for (int x = 0; x < W; ++x)
            mismatches
                += qGray(shown.pixel(x, line))
                   != cell.pixelIndex(((x - 15) % 18 + 18) % 18, ((line - 9) % 18 + 18) % 18);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(GeneratorWindows, LensButtonByGenerator)
{
    answer = [](QDialog&) { return int(QDialog::Accepted); };
    struct Case
    {
        const char* slot;
        bool lensButton;
    };
    const Case cases[] = {{"showFresnelZoneLens", false},
                          {"showConcentricRingSegments", false},
                          {"showAxicon", true},
                          {"showLinearDammannGrating", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        run(c.slot);
        qFullScreenFieldWidget* w = newestWindow();
        ASSERT_NE(w, nullptr);
        const QToolButton* lens = w->findChild<QToolButton*>("lensButton");
        const QToolButton* prism = w->findChild<QToolButton*>("prismButton");
        ASSERT_NE(lens, nullptr);
        ASSERT_NE(prism, nullptr);
        EXPECT_EQ(lens->isHidden(), !c.lensButton);
        EXPECT_FALSE(prism->isHidden());
    }
}

TEST_F(GeneratorWindows, RejectedDialogOpensNoWindow)
{
    answer = [](QDialog&) { return int(QDialog::Rejected); };
    run("showVortexPhase");
    run("showBinaryLinearGrating");
    EXPECT_EQ(newestWindow(), nullptr);
}

// ---- Keyboard ----

// Each value dialog opens on its first input with the preset selected: typed digits replace it
// and Return accepts.
TEST_F(GeneratorCommands, TypedValueReplacesThePresetAndReturnAccepts)
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

    QString focused;
    QString typed;
    answer = [&](QDialog& dialog) { return typeAndReturn(dialog, typed, &focused); };

    for (const KeyboardCase& c : cases) {
        SCOPED_TRACE(c.slot);
        rememberedGeneratorParameters = GeneratorParameters();
        focused.clear();
        typed = QString::fromLatin1(c.typed);
        opened.clear();
        run(c.slot);
        EXPECT_EQ(focused.toStdString(), c.firstInput);
        EXPECT_EQ(c.stored(rememberedGeneratorParameters), typed.toInt());
        EXPECT_EQ(opened.size(), 1u);
    }
}

} // namespace
