// The pattern generator dialogs: structure, presets, accepting and the grating check boxes.
#include "formChecks.h"

#include "dialogs/dialog_binFZLParametersImpl.h"
#include "dialogs/dialog_circularApertureImpl.h"
#include "dialogs/dialog_contFZLParametersImpl.h"
#include "dialogs/dialog_doubleSlitParametersImpl.h"
#include "dialogs/dialog_linearGrating2DImpl.h"
#include "dialogs/dialog_singleSlitImpl.h"

#include <gtest/gtest.h>

namespace {

const QRect placed; // placed by a layout

struct GeneratorCase
{
    FormSpec form;
    std::vector<SpinSpec> spins;
    std::vector<TextSpec> texts;
    std::vector<CheckSpec> states;
};

// Rows of one label and one spin box in a layout-holding widget.
std::vector<ChildSpec> row(const char* holder, const char* layout, QRect geometry,
                           const char* label, const char* spin)
{
    return {{holder, "QWidget", geometry},
            {layout, "QHBoxLayout", placed},
            {label, "QLabel", placed},
            {spin, "QSpinBox", placed}};
}

std::vector<ChildSpec> join(std::vector<std::vector<ChildSpec>> parts)
{
    std::vector<ChildSpec> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

const std::vector<GeneratorCase>& generatorCases()
{
    static const std::vector<GeneratorCase> cases = {
        {{"dialog_binFZLParametersImpl",
          "dialog_binFZLParameters",
          factoryOf<dialog_binFZLParametersImpl>(),
          "Radius of smallest ring",
          QSize(236, 128),
          join({row("Layout4", "Layout4Layout", QRect(30, 20, 190, 23), "TextLabel1",
                    "radiusSpinBox"),
                {{"Ok", "QPushButton", QRect(110, 70, 81, 31)}}}),
          {},
          {}},
         {{"radiusSpinBox", 0, 1000, 1, 100, true}},
         {{"TextLabel1", "Radius of smallest ring"}, {"Ok", "Ok"}},
         {}},

        {{"dialog_circularApertureImpl",
          "dialog_circularAperture",
          factoryOf<dialog_circularApertureImpl>(),
          "Radius of aperture",
          QSize(236, 128),
          join({row("Layout4", "Layout4Layout", QRect(30, 20, 190, 23), "TextLabel1",
                    "radiusSpinBox"),
                {{"Ok", "QPushButton", QRect(110, 70, 81, 31)}}}),
          {"languageChange()"},
          {}},
         {{"radiusSpinBox", 0, 1200, 1, 200, true}},
         {{"TextLabel1", "Radius of aperture"}, {"Ok", "Ok"}},
         {}},

        {{"dialog_contFZLParametersImpl",
          "dialog_contFZLParameters",
          factoryOf<dialog_contFZLParametersImpl>(),
          "Radius of smallest Fresnel zone",
          QSize(264, 150),
          join({row("Layout4", "Layout4Layout", QRect(30, 20, 190, 23), "TextLabel1",
                    "radiusSpinBox"),
                {{"checkBoxProfileInversion", "QCheckBox", QRect(30, 60, 191, 20)},
                 {"Ok", "QPushButton", QRect(120, 100, 81, 31)}}}),
          {"languageChange()"},
          {}},
         {{"radiusSpinBox", 0, 1000, 1, 100, true}},
         {{"TextLabel1", "Radius of smallest zone"},
          {"checkBoxProfileInversion", "invert phase profile"},
          {"Ok", "Ok"}},
         {{"checkBoxProfileInversion", false, true}}},

        {{"dialog_doubleSlitParametersImpl",
          "dialog_doubleSlitParameters",
          factoryOf<dialog_doubleSlitParametersImpl>(),
          "Enter Double Slit Parameters",
          QSize(260, 168),
          join({{{"Ok", "QPushButton", QRect(150, 120, 81, 31)}},
                row("Layout3", "Layout3Layout", QRect(50, 30, 170, 23), "TextLabel3",
                    "SlitWidthSpinBox"),
                row("Layout4", "Layout4Layout", QRect(50, 70, 170, 23), "TextLabel4",
                    "SlitDistanceSpinBox")}),
          {"languageChange()"},
          {}},
         {{"SlitWidthSpinBox", 1, 1000, 1, 35, false},
          {"SlitDistanceSpinBox", 1, 1000, 1, 100, false}},
         {{"TextLabel3", "Slit width"}, {"TextLabel4", "Slit distance"}, {"Ok", "Ok"}},
         {}},

        {{"dialog_singleSlitImpl",
          "dialog_singleSlit",
          factoryOf<dialog_singleSlitImpl>(),
          "Slit width",
          QSize(236, 128),
          join({row("Layout4", "Layout4Layout", QRect(30, 20, 190, 23), "TextLabel1",
                    "slitWidthSpinBox"),
                {{"Ok", "QPushButton", QRect(110, 70, 81, 31)}}}),
          {"languageChange()"},
          {}},
         {{"slitWidthSpinBox", 0, 1200, 1, 200, true}},
         {{"TextLabel1", "Slit width"}, {"Ok", "Ok"}},
         {}},

        {{"dialog_linearGrating2DImpl",
          "dialog_linearGrating2D",
          factoryOf<dialog_linearGrating2DImpl>(),
          "Select Grating Parameters",
          QSize(337, 365),
          join({{{"GroupBox1", "QGroupBox", QRect(50, 41, 230, 110)}},
                row("Layout3", "Layout3Layout", QRect(40, 30, 170, 23), "TextLabel3",
                    "HoriGrooveXSpinBox"),
                row("Layout4", "Layout4Layout", QRect(40, 60, 170, 23), "TextLabel4",
                    "HoriLineSpinBox"),
                {{"HoriGratingCheckBox", "QCheckBox", QRect(60, 31, 110, 21)},
                 {"Ok", "QPushButton", QRect(190, 310, 81, 31)},
                 {"GroupBox1_2", "QGroupBox", QRect(50, 180, 230, 110)}},
                row("Layout4_2", "Layout4_2Layout", QRect(40, 60, 170, 23), "TextLabel4_2",
                    "VertiLineSpinBox"),
                row("Layout3_2", "Layout3_2Layout", QRect(40, 30, 170, 23), "TextLabel3_2",
                    "VertiGrooveXSpinBox"),
                {{"VertiGratingCheckBox", "QCheckBox", QRect(60, 170, 100, 20)}}}),
          {"languageChange()"},
          {}},
         {{"HoriGrooveXSpinBox", 1, 1000, 1, 50, false},
          {"HoriLineSpinBox", 1, 1000, 1, 50, false},
          {"VertiLineSpinBox", 1, 1000, 1, 50, false},
          {"VertiGrooveXSpinBox", 1, 1000, 1, 50, false}},
         {{"GroupBox1", nullptr},
          {"TextLabel3", "Groove"},
          {"TextLabel4", "Line"},
          {"HoriGratingCheckBox", "Horizontal Grating"},
          {"Ok", "Ok"},
          {"GroupBox1_2", nullptr},
          {"TextLabel4_2", "Line"},
          {"TextLabel3_2", "Groove"},
          {"VertiGratingCheckBox", "Vertical Grating"}},
         {{"HoriGratingCheckBox", false, true}, {"VertiGratingCheckBox", false, true}}},
    };
    return cases;
}

TEST(GeneratorDialogs, FormsChildrenAndSlots)
{
    for (const GeneratorCase& c : generatorCases())
        checkForm(c.form);
}

TEST(GeneratorDialogs, Presets)
{
    for (const GeneratorCase& c : generatorCases()) {
        SCOPED_TRACE(c.form.className);
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        checkSpinBoxes(*d, c.spins);
        checkTexts(*d, c.texts);
        checkStates(*d, c.states);
    }
}

// None has a Cancel button: Ok accepts on the press, Escape and closing the window reject.
TEST(GeneratorDialogs, OkAcceptsOnPressEscapeAndCloseReject)
{
    for (const GeneratorCase& c : generatorCases()) {
        SCOPED_TRACE(c.form.className);
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        EXPECT_EQ(d->findChild<QObject*>("Cancel"), nullptr);
        checkButtons(c.form.make, {{"Ok", QDialog::Accepted, Trigger::Press}});
    }
}

// Each direction's check box switches its group's two spin boxes; the values stay readable.
TEST(GeneratorDialogs, GratingCheckBoxesEnableTheirSpinBoxes)
{
    dialog_linearGrating2DImpl d(nullptr, "", true);
    QSpinBox* const boxes[]
        = {d.HoriGrooveXSpinBox, d.HoriLineSpinBox, d.VertiGrooveXSpinBox, d.VertiLineSpinBox};

    // The command's presets: horizontal on, vertical off with its spin boxes disabled by hand.
    d.HoriGrooveXSpinBox->setValue(2);
    d.HoriLineSpinBox->setValue(2);
    d.VertiGrooveXSpinBox->setValue(3);
    d.VertiLineSpinBox->setValue(3);
    d.VertiGrooveXSpinBox->setEnabled(false);
    d.VertiLineSpinBox->setEnabled(false);

    const struct
    {
        QCheckBox* box;
        bool checked;
        bool enabled[4]; // hori groove, hori line, verti groove, verti line
    } steps[] = {
        {d.HoriGratingCheckBox, true, {true, true, false, false}},
        {d.VertiGratingCheckBox, true, {true, true, true, true}},
        {d.HoriGratingCheckBox, false, {false, false, true, true}},
        {d.VertiGratingCheckBox, false, {false, false, false, false}},
        {d.HoriGratingCheckBox, true, {true, true, false, false}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.box->objectName().toStdString() + (s.checked ? " on" : " off"));
        s.box->setChecked(s.checked);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(boxes[i]->isEnabled(), s.enabled[i]) << boxes[i]->objectName().toStdString();
    }
    EXPECT_EQ(d.HoriGrooveXSpinBox->value(), 2);
    EXPECT_EQ(d.HoriLineSpinBox->value(), 2);
    EXPECT_EQ(d.VertiGrooveXSpinBox->value(), 3);
    EXPECT_EQ(d.VertiLineSpinBox->value(), 3);
}

// A user's click on a check box goes through the same connection.
TEST(GeneratorDialogs, ClickingVerticalGratingEnablesItsGroup)
{
    dialog_linearGrating2DImpl d(nullptr, "", true);
    d.VertiGrooveXSpinBox->setEnabled(false);
    d.VertiLineSpinBox->setEnabled(false);
    d.VertiGratingCheckBox->click();
    EXPECT_TRUE(d.VertiGratingCheckBox->isChecked());
    EXPECT_TRUE(d.VertiGrooveXSpinBox->isEnabled());
    EXPECT_TRUE(d.VertiLineSpinBox->isEnabled());
    EXPECT_TRUE(d.HoriGrooveXSpinBox->isEnabled());
}

} // namespace
