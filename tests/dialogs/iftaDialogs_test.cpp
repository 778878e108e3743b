// The IFTA parameter dialogs and the power-of-two spin box: forms, presets, the dependent ranges
// of checkValues(), the stub warnings and the doubling and halving steps.
#include "formChecks.h"

#include "dialogs/dialog_IFTAImpl.h"
#include "dialogs/dialog_IFTA_tutoramaImpl.h"
#include "dialogs/pow2QSpinBox.h"

#include <QLineEdit>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

namespace {

const QRect placed; // placed by a layout

// A layout-holding row: holder widget, its box layout, the label and the spin box.
std::vector<ChildSpec> row(const char* holder, const char* layout, QRect geometry,
                           const char* label, const char* spin, const char* spinKind = "QSpinBox")
{
    return {{holder, "QWidget", geometry},
            {layout, "QHBoxLayout", placed},
            {label, "QLabel", placed},
            {spin, spinKind, placed}};
}

std::vector<ChildSpec> join(std::vector<std::vector<ChildSpec>> parts)
{
    std::vector<ChildSpec> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct IftaCase
{
    FormSpec form;
    std::vector<SpinSpec> spins;
    std::vector<TextSpec> texts;
    const char* firstInput;
};

const std::vector<IftaCase>& iftaCases()
{
    static const std::vector<IftaCase> cases
        = { {{"dialog_IFTAImpl",
              "dialog_IFTAParameters",
              factoryOf<dialog_IFTAImpl>(),
              "Select IFTA Parameters",
              QSize(305, 399),
              join({row("Layout1", "Layout1Layout", QRect(50, 20, 200, 23), "TextLabel1",
                        "value1_SpinBox"),
                    row("Layout2", "Layout2Layout", QRect(50, 60, 200, 23), "TextLabel2",
                        "value2_SpinBox"),
                    row("Layout3", "Layout3Layout", QRect(50, 100, 200, 23), "TextLabel3",
                        "value3_SpinBox"),
                    row("Layout1_2", "Layout1_2Layout", QRect(50, 180, 200, 23),
                        "TextLabel_TileSize", "value_TileSize_SpinBox"),
                    row("Layout1_2_2", "Layout1_2_2Layout", QRect(50, 220, 200, 23),
                        "TextLabel_shiftX", "value_ShiftX_SpinBox"),
                    row("Layout1_2_3", "Layout1_2_3Layout", QRect(50, 260, 200, 23),
                        "TextLabel_shiftY", "value_ShiftY_SpinBox"),
                    row("Layout4", "Layout4Layout", QRect(50, 310, 200, 23), "TextLabel4",
                        "value4_SpinBox"),
                    {{"Ok", "QPushButton", QRect(160, 350, 81, 31)}}}),
              {"checkValues()", "languageChange()"},
              {"checkValues()"}},
             {{"value1_SpinBox", 0, 1000, 1, 10, false},
              {"value2_SpinBox", 0, 1000, 1, 10, false},
              {"value3_SpinBox", 0, 1000, 1, 100, false},
              {"value_TileSize_SpinBox", 0, 1000, 1, 10, false},
              {"value_ShiftX_SpinBox", -43, 1000, 1, 0, true, true},
              {"value_ShiftY_SpinBox", -58, 1000, 1, 0, true, true},
              {"value4_SpinBox", 2, 1000, 1, 16, false}},
             {{"TextLabel1", "Iterations Phase I "},
              {"TextLabel2", "Iterations Phase II"},
              {"TextLabel3", "Iterations Phase III"},
              {"TextLabel_TileSize", "Tile size of DOE"},
              {"TextLabel_shiftX", "Center shift X"},
              {"TextLabel_shiftY", "Center shift Y"},
              {"TextLabel4", "Phase levels"},
              {"Ok", "Ok"}},
             "value1_SpinBox"},
#if !PHASEDECK_LAB
            {{"dialog_IFTA_tutoramaImpl",
              "dialog_IFTAParameters_Tutorama",
              factoryOf<dialog_IFTA_tutoramaImpl>(),
              "Select IFTA Parameters",
              QSize(254, 178),
              join({row("Layout3", "Layout3Layout", QRect(30, 30, 200, 23), "TextLabel1",
                        "value1_SpinBox"),
                    row("Layout4", "Layout4Layout", QRect(30, 80, 200, 23), "TextLabel2",
                        "value2_SpinBox", "pow2QSpinBox"),
                    {{"Ok", "QPushButton", QRect(90, 130, 81, 31)}}}),
              {"checkValues()", "languageChange()"},
              {"checkValues()"}},
             {{"value1_SpinBox", 0, 1000, 1, 100, false}, {"value2_SpinBox", 2, 256, 1, 16, false}},
             {{"TextLabel1", "Quantization iteration steps"},
              {"TextLabel2", "DOE phase quantization levels"},
              {"Ok", "Ok"}},
             "value1_SpinBox"},
#endif
          };
    return cases;
}

TEST(IftaDialogs, FormsPresetsAndButtons)
{
    for (const IftaCase& c : iftaCases()) {
        SCOPED_TRACE(c.form.className);
        checkForm(c.form);
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        checkSpinBoxes(*d, c.spins);
        checkTexts(*d, c.texts);
        d->show();
        checkTextsFit(*d);
        d->hide();
        EXPECT_EQ(d->findChild<QObject*>("Cancel"), nullptr);
        checkButtons(c.form.make, {{"Ok", QDialog::Accepted, Trigger::Press}});
        checkDefaultAndFocus(c.form.make, "Ok", c.firstInput);
    }
}

struct Ranges
{
    int low;
    int high;
};

// Tile size t: shifts range over -(t / 2) .. (t + 1) / 2.
TEST(IftaDialogs, TileSizeSetsTheShiftRanges)
{
    const struct
    {
        int tile;
        Ranges shift;
    } rows[] = {{7, {-3, 4}}, {10, {-5, 5}},       {1, {0, 1}},
                {0, {0, 0}},  {1000, {-500, 500}}, {2, {-1, 1}}};
    dialog_IFTAImpl d(nullptr, "", true);
    d.value_ShiftX_SpinBox->setValue(900);
    d.value_ShiftY_SpinBox->setValue(-40);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.tile);
        d.value_TileSize_SpinBox->setValue(r.tile);
        for (QSpinBox* shift : {d.value_ShiftX_SpinBox, d.value_ShiftY_SpinBox}) {
            EXPECT_EQ(shift->minimum(), r.shift.low);
            EXPECT_EQ(shift->maximum(), r.shift.high);
            EXPECT_GE(shift->value(), r.shift.low);
            EXPECT_LE(shift->value(), r.shift.high);
        }
    }
    // Tile 0 left both shifts at 0, the only value.
    d.value_TileSize_SpinBox->setValue(0);
    EXPECT_EQ(d.value_ShiftX_SpinBox->value(), 0);
    EXPECT_EQ(d.value_ShiftY_SpinBox->value(), 0);
}

TEST(IftaDialogs, ShrinkingTheTileClampsTheShifts)
{
    dialog_IFTAImpl d(nullptr, "", true);
    d.value_TileSize_SpinBox->setValue(12);
    d.value_TileSize_SpinBox->setValue(10);
    d.value_ShiftX_SpinBox->setValue(5);
    d.value_ShiftY_SpinBox->setValue(-5);
    d.value_TileSize_SpinBox->setValue(6);
    EXPECT_EQ(d.value_ShiftX_SpinBox->value(), 3);
    EXPECT_EQ(d.value_ShiftY_SpinBox->value(), -3);
    // Growing again keeps the clamped values.
    d.value_TileSize_SpinBox->setValue(20);
    EXPECT_EQ(d.value_ShiftX_SpinBox->value(), 3);
    EXPECT_EQ(d.value_ShiftY_SpinBox->value(), -3);
}

TEST(IftaDialogs, PhaseThreeCountEnablesPhaseLevels)
{
    dialog_IFTAImpl d(nullptr, "", true);
    EXPECT_TRUE(d.value4_SpinBox->isEnabled());
    const struct
    {
        int count;
        bool enabled;
    } steps[] = {{0, false}, {1, true}, {0, false}, {1000, true}, {0, false}, {37, true}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.count);
        d.value3_SpinBox->setValue(s.count);
        EXPECT_EQ(d.value4_SpinBox->isEnabled(), s.enabled);
    }
    EXPECT_EQ(d.value4_SpinBox->value(), 16);
}

// Until the first change the shifts keep the form's ranges; a change of another count does not
// run checkValues(); running it twice is the same as once.
TEST(IftaDialogs, RangesUntilTheFirstCheckAndIdempotence)
{
    dialog_IFTAImpl d(nullptr, "", true);
    d.value1_SpinBox->setValue(3);
    d.value2_SpinBox->setValue(4);
    d.value4_SpinBox->setValue(8);
    EXPECT_EQ(d.value_ShiftX_SpinBox->minimum(), -43);
    EXPECT_EQ(d.value_ShiftY_SpinBox->minimum(), -58);
    EXPECT_EQ(d.value_ShiftY_SpinBox->maximum(), 1000);

    d.value_TileSize_SpinBox->setValue(7);
    d.value_ShiftX_SpinBox->setValue(4);
    d.value_ShiftY_SpinBox->setValue(-3);
    d.value3_SpinBox->setValue(0);
    for (int run = 0; run < 2; ++run) {
        d.checkValues();
        EXPECT_EQ(d.value_ShiftX_SpinBox->minimum(), -3);
        EXPECT_EQ(d.value_ShiftX_SpinBox->maximum(), 4);
        EXPECT_EQ(d.value_ShiftX_SpinBox->value(), 4);
        EXPECT_EQ(d.value_ShiftY_SpinBox->value(), -3);
        EXPECT_FALSE(d.value4_SpinBox->isEnabled());
    }
}

// The shifts wrap: one step past the maximum lands on the minimum and back.
TEST(IftaDialogs, ShiftsWrap)
{
    dialog_IFTAImpl d(nullptr, "", true);
    d.value_TileSize_SpinBox->setValue(9);
    for (QSpinBox* shift : {d.value_ShiftX_SpinBox, d.value_ShiftY_SpinBox}) {
        SCOPED_TRACE(shift->objectName().toStdString());
        shift->setValue(5);
        shift->stepUp();
        EXPECT_EQ(shift->value(), -4);
        shift->stepDown();
        EXPECT_EQ(shift->value(), 5);
    }
}

// Typing reaches checkValues() only when the entry is finished, not at every digit.
TEST(IftaDialogs, TypedTileSizeAppliesWhenFinished)
{
    dialog_IFTAImpl d(nullptr, "", true);
    d.value_TileSize_SpinBox->setValue(20);
    QLineEdit* editor = d.value_TileSize_SpinBox->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "7");
    EXPECT_EQ(d.value_ShiftX_SpinBox->maximum(), 10);
    d.value_TileSize_SpinBox->interpretText();
    EXPECT_EQ(d.value_ShiftX_SpinBox->maximum(), 4);
    EXPECT_EQ(d.value_ShiftX_SpinBox->minimum(), -3);

    d.value3_SpinBox->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(d.value3_SpinBox->findChild<QLineEdit*>(), "0");
    EXPECT_TRUE(d.value4_SpinBox->isEnabled());
    d.value3_SpinBox->interpretText();
    EXPECT_FALSE(d.value4_SpinBox->isEnabled());
}

TEST(IftaDialogs, FormSlotsOnlyWarn)
{
    dialog_IFTAParameters form;
    WarningRecorder warnings;
    form.value3_SpinBox->setValue(0);
    form.value_TileSize_SpinBox->setValue(4);
    form.value2_SpinBox->setValue(7);
    EXPECT_EQ(warnings.lines,
              QStringList(2, "dialog_IFTAParameters::checkValues(): Not implemented yet"));
    EXPECT_TRUE(form.value4_SpinBox->isEnabled());
    EXPECT_EQ(form.value_ShiftX_SpinBox->minimum(), -43);
}

#if !PHASEDECK_LAB
TEST(IftaDialogs, TutoramaStepCountOnlyWarns)
{
    dialog_IFTAParameters_Tutorama form;
    dialog_IFTA_tutoramaImpl impl;
    WarningRecorder warnings;
    form.value1_SpinBox->setValue(5);
    impl.value1_SpinBox->setValue(5);
    impl.value1_SpinBox->setValue(6);
    impl.value2_SpinBox->setValue(64);
    EXPECT_EQ(warnings.lines,
              QStringList({"dialog_IFTAParameters_Tutorama::checkValues(): Not implemented yet",
                           "dialog_IFTA_tutoramaImpl::checkValues() not yet implemented!",
                           "dialog_IFTA_tutoramaImpl::checkValues() not yet implemented!"}));
    EXPECT_EQ(impl.value2_SpinBox->value(), 64);
    EXPECT_EQ(impl.value2_SpinBox->minimum(), 2);
}
#endif

// pow2QSpinBox: each step doubles or halves, clamped to the range after every step.
struct StepCase
{
    const char* what;
    int minimum;
    int maximum;
    int start;
    int steps; // +1 up, -1 down per call
    std::vector<int> values;
};

const StepCase stepCases[] = {
    {"up from 16 in 2..256", 2, 256, 16, 1, {32, 64, 128, 256, 256}},
    {"down from 16 in 2..256", 2, 256, 16, -1, {8, 4, 2, 2}},
    {"typed 100 up", 2, 256, 100, 1, {200, 256, 256}},
    {"typed 100 down", 2, 256, 100, -1, {50, 25, 12, 6, 3, 2, 2}},
    {"up from 1 to the maximum", 1, 1000, 1, 1, {2, 4, 8, 16, 32, 64, 128, 256, 512, 1000, 1000}},
    {"down to the minimum", 3, 1000, 1000, -1, {500, 250, 125, 62, 31, 15, 7, 3, 3}},
    {"zero stays", 0, 100, 0, 1, {0, 0}},
    {"near INT_MAX", 1, INT_MAX, 1 << 30, 1, {INT_MAX, INT_MAX}},
    {"one below INT_MAX", 1, INT_MAX, INT_MAX - 1, 1, {INT_MAX}},
    {"INT_MAX halves", 1, INT_MAX, INT_MAX, -1, {1073741823, 536870911}},
    {"INT_MIN doubles to its bound", INT_MIN, INT_MAX, INT_MIN, 1, {INT_MIN}},
    {"INT_MIN halves", INT_MIN, INT_MAX, INT_MIN, -1, {-1073741824, -536870912}},
    {"negative halves toward zero", -100, 100, -7, -1, {-3, -1, 0, 0}},
};

TEST(Pow2SpinBox, StepSequences)
{
    for (const StepCase& c : stepCases) {
        SCOPED_TRACE(c.what);
        pow2QSpinBox box;
        box.setRange(c.minimum, c.maximum);
        box.setValue(c.start);
        for (int expected : c.values) {
            box.stepBy(c.steps);
            EXPECT_EQ(box.value(), expected);
        }
    }
}

// Several steps at once are that many doublings or halvings; the range holds throughout.
TEST(Pow2SpinBox, MultipleStepsAndLargeCounts)
{
    pow2QSpinBox box;
    box.setRange(2, 256);
    box.setValue(4);
    box.stepBy(3);
    EXPECT_EQ(box.value(), 32);
    box.stepBy(-2);
    EXPECT_EQ(box.value(), 8);
    box.stepBy(INT_MAX);
    EXPECT_EQ(box.value(), 256);
    box.stepBy(INT_MIN);
    EXPECT_EQ(box.value(), 2);
}

// Arrow keys, Page keys and the spin box's own stepUp()/stepDown() all double and halve; a typed
// value is taken as it stands before the step, also without keyboard tracking.
TEST(Pow2SpinBox, KeysAndTypedValues)
{
    for (bool tracking : {true, false}) {
        SCOPED_TRACE(tracking ? "keyboard tracking" : "no keyboard tracking");
        pow2QSpinBox box;
        box.setKeyboardTracking(tracking);
        box.setRange(2, 256);
        box.setValue(16);
        QTest::keyClick(&box, Qt::Key_Up);
        EXPECT_EQ(box.value(), 32);
        QTest::keyClick(&box, Qt::Key_Down);
        QTest::keyClick(&box, Qt::Key_Down);
        EXPECT_EQ(box.value(), 8);
        box.stepUp();
        EXPECT_EQ(box.value(), 16);
        box.stepDown();
        EXPECT_EQ(box.value(), 8);
        QTest::keyClick(&box, Qt::Key_PageUp);
        EXPECT_EQ(box.value(), 256);
        QTest::keyClick(&box, Qt::Key_PageDown);
        EXPECT_EQ(box.value(), 2);

        QLineEdit* editor = box.findChild<QLineEdit*>();
        editor->selectAll();
        QTest::keyClicks(editor, "100");
        QTest::keyClick(&box, Qt::Key_Up);
        EXPECT_EQ(box.value(), 200);
        editor->selectAll();
        QTest::keyClicks(editor, "100");
        QTest::keyClick(&box, Qt::Key_Down);
        EXPECT_EQ(box.value(), 50);
    }
}

// It sets nothing of its own: the toolkit's defaults until the owner sets range and value.
TEST(Pow2SpinBox, ConstructionKeepsDefaults)
{
    const QSpinBox plain;
    const pow2QSpinBox named(nullptr, "levels");
    EXPECT_EQ(named.objectName(), "levels");
    EXPECT_EQ(named.minimum(), plain.minimum());
    EXPECT_EQ(named.maximum(), plain.maximum());
    EXPECT_EQ(named.value(), plain.value());
    EXPECT_EQ(named.singleStep(), plain.singleStep());
    EXPECT_TRUE(pow2QSpinBox().objectName().isEmpty());
}

} // namespace
