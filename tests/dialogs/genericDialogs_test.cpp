// The generic value dialogs: structure, presets, closing buttons and the stub slot warnings.
#include "formChecks.h"

#include "dialogs/dialog_fourIntValuesImpl.h"
#include "dialogs/dialog_fourOptionsImpl.h"
#include "dialogs/dialog_singleIntValueImpl.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "dialogs/dialog_twoOptionsImpl.h"
#include "dialogs/dialog_two_real_numbersImpl.h"

#include <QMetaMethod>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

const QRect placed; // placed by a layout

struct GenericCase
{
    FormSpec form;
    std::vector<SpinSpec> spins;
    std::vector<TextSpec> texts;
    std::vector<CheckSpec> states;
    std::vector<ButtonSpec> buttons;
};

const std::vector<GenericCase>& genericCases()
{
    static const std::vector<GenericCase> cases = {
        {{"dialog_twoIntValuesImpl",
          "dialog_twoIntValues",
          factoryOf<dialog_twoIntValuesImpl>(),
          "Caption",
          QSize(260, 168),
          {{"Ok", "QPushButton", QRect(150, 120, 81, 31)},
           {"value1_SpinBox", "QSpinBox", QRect(138, 31, 81, 20)},
           {"value2_SpinBox", "QSpinBox", QRect(138, 71, 81, 20)},
           {"TextLabel_1", "QLabel", QRect(22, 31, 110, 21)},
           {"TextLabel_2", "QLabel", QRect(22, 71, 110, 21)}},
          {"languageChange()"},
          {}},
         {{"value1_SpinBox", 1, 1000, 1, 35, false}, {"value2_SpinBox", 1, 1000, 1, 100, false}},
         {{"Ok", "Ok"}, {"TextLabel_1", "Variable 1"}, {"TextLabel_2", "Variable 2"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press}}},

        {{"dialog_two_real_numbersImpl",
          "dialog_two_real_numbers",
          factoryOf<dialog_two_real_numbersImpl>(),
          "Select ...",
          QSize(306, 223),
          {{"Ok", "QPushButton", QRect(40, 160, 90, 40)},
           {"Cancel", "QPushButton", QRect(180, 160, 90, 40)},
           {"GroupBox1", "QGroupBox", QRect(30, 20, 240, 110)},
           {"Layout5", "QWidget", QRect(20, 30, 193, 56)},
           {"Layout5Layout", "QGridLayout", placed},
           {"TextLabel_variable1", "QLabel", placed},
           {"LineEdit_variable_1", "QLineEdit", placed},
           {"TextLabelUnit_1", "QLabel", placed},
           {"TextLabel_variable2", "QLabel", placed},
           {"LineEdit_variable_2", "QLineEdit", placed},
           {"TextLabelUnit_2", "QLabel", placed}},
          {"updateValues()", "languageChange()"},
          {"updateValues()"}},
         {},
         {{"Ok", "Ok"},
          {"Cancel", "Cancel"},
          {"GroupBox1", "Title"},
          {"TextLabel_variable1", "a"},
          {"LineEdit_variable_1", ""},
          {"TextLabelUnit_1", "??"},
          {"TextLabel_variable2", "b"},
          {"LineEdit_variable_2", ""},
          {"TextLabelUnit_2", "??"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press},
          {"Cancel", QDialog::Rejected, Trigger::Click}}},

        {{"dialog_twoOptionsImpl",
          "dialog_twoOptions",
          factoryOf<dialog_twoOptionsImpl>(),
          "Caption",
          QSize(333, 194),
          {{"Cancel", "QPushButton", QRect(200, 140, 81, 31)},
           {"Ok", "QPushButton", QRect(60, 140, 81, 31)},
           {"buttonGroup1", "QGroupBox", QRect(30, 20, 270, 90)},
           {"radioButton1", "QRadioButton", QRect(20, 20, 131, 21)},
           {"radioButton2", "QRadioButton", QRect(20, 50, 201, 20)}},
          {"languageChange()"},
          {}},
         {},
         {{"Ok", "Ok"},
          {"Cancel", "Cancel"},
          {"buttonGroup1", "Title"},
          {"radioButton1", "Option1"},
          {"radioButton2", "Option2"}},
         {{"radioButton1", true, true}, {"radioButton2", false, true}},
         {{"Ok", QDialog::Accepted, Trigger::Press},
          {"Cancel", QDialog::Rejected, Trigger::Press}}},

        {{"dialog_singleIntValueImpl",
          "dialog_singleIntValue",
          factoryOf<dialog_singleIntValueImpl>(),
          nullptr,
          QSize(236, 128),
          {{"Layout4", "QWidget", QRect(30, 20, 190, 23)},
           {"Layout4Layout", "QHBoxLayout", placed},
           {"TextLabel1", "QLabel", placed},
           {"valueSpinBox", "QSpinBox", placed},
           {"Ok", "QPushButton", QRect(110, 70, 81, 31)}},
          {"languageChange()"},
          {}},
         {{"valueSpinBox", 0, 1200, 1, 200, true}},
         {{"Ok", "Ok"}, {"TextLabel1", "Variable name"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press}}},

        {{"dialog_fourIntValuesImpl",
          "dialog_fourIntValues",
          factoryOf<dialog_fourIntValuesImpl>(),
          "Caption",
          QSize(262, 271),
          {{"TextLabel1", "QLabel", QRect(22, 31, 110, 21)},
           {"TextLabel2", "QLabel", QRect(22, 71, 110, 21)},
           {"TextLabel3", "QLabel", QRect(22, 111, 110, 21)},
           {"TextLabel4", "QLabel", QRect(22, 151, 110, 21)},
           {"value1_SpinBox", "QSpinBox", QRect(168, 31, 60, 20)},
           {"value2_SpinBox", "QSpinBox", QRect(168, 71, 60, 20)},
           {"value3_SpinBox", "QSpinBox", QRect(168, 111, 60, 20)},
           {"value4_SpinBox", "QSpinBox", QRect(168, 151, 60, 20)},
           {"Cancel", "QPushButton", QRect(140, 220, 81, 31)},
           {"Ok", "QPushButton", QRect(40, 220, 81, 31)}},
          {"languageChange()"},
          {}},
         {{"value1_SpinBox", 1, 1000, 1, 35, false},
          {"value2_SpinBox", 1, 1000, 1, 100, false},
          {"value3_SpinBox", 1, 1000, 1, 35, false},
          {"value4_SpinBox", 1, 1000, 1, 35, false}},
         {{"Ok", "Ok"},
          {"Cancel", "Cancel"},
          {"TextLabel1", "Variable 1"},
          {"TextLabel2", "Variable 2"},
          {"TextLabel3", "Variable 3"},
          {"TextLabel4", "Variable 4"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press},
          {"Cancel", QDialog::Rejected, Trigger::Press}}},

        {{"dialog_fourOptionsImpl",
          "dialog_fourOptions",
          factoryOf<dialog_fourOptionsImpl>(),
          "Caption",
          QSize(333, 255),
          {{"Ok", "QPushButton", QRect(60, 200, 81, 31)},
           {"Cancel", "QPushButton", QRect(200, 200, 81, 31)},
           {"buttonGroup1", "QGroupBox", QRect(40, 20, 270, 150)},
           {"radioButton1", "QRadioButton", QRect(21, 25, 228, 19)},
           {"radioButton2", "QRadioButton", QRect(21, 54, 228, 19)},
           {"radioButton3", "QRadioButton", QRect(21, 83, 228, 19)},
           {"radioButton4", "QRadioButton", QRect(21, 112, 228, 19)}},
          {"languageChange()"},
          {}},
         {},
         {{"Ok", "Ok"},
          {"Cancel", "Cancel"},
          {"buttonGroup1", "Title"},
          {"radioButton1", "Option1"},
          {"radioButton2", "Option2"},
          {"radioButton3", "Option3"},
          {"radioButton4", "Option4"}},
         {{"radioButton1", true, true},
          {"radioButton2", false, true},
          {"radioButton3", false, true},
          {"radioButton4", false, true}},
         {{"Ok", QDialog::Accepted, Trigger::Press},
          {"Cancel", QDialog::Rejected, Trigger::Press}}},
    };
    return cases;
}

TEST(GenericDialogs, FormsChildrenAndSlots)
{
    for (const GenericCase& c : genericCases())
        checkForm(c.form);
}

TEST(GenericDialogs, Presets)
{
    for (const GenericCase& c : genericCases()) {
        SCOPED_TRACE(c.form.className);
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        checkSpinBoxes(*d, c.spins);
        checkTexts(*d, c.texts);
        checkStates(*d, c.states);
    }
}

TEST(GenericDialogs, OkAcceptsOnPressCancelEscapeAndCloseReject)
{
    for (const GenericCase& c : genericCases()) {
        SCOPED_TRACE(c.form.className);
        checkButtons(c.form.make, c.buttons);
    }
}

// The option groups are exclusive: a group box keeps one of its radio buttons on.
TEST(GenericDialogs, OptionGroupsAreExclusive)
{
    const struct
    {
        DialogFactory make;
        int count;
    } rows[] = {{factoryOf<dialog_twoOptionsImpl>(), 2}, {factoryOf<dialog_fourOptionsImpl>(), 4}};
    for (const auto& row : rows) {
        std::unique_ptr<QDialog> d = row.make(nullptr);
        SCOPED_TRACE(d->metaObject()->className());
        for (int on = row.count; on >= 1; --on) {
            d->findChild<QRadioButton*>(QString("radioButton%1").arg(on))->click();
            for (int i = 1; i <= row.count; ++i)
                EXPECT_EQ(d->findChild<QRadioButton*>(QString("radioButton%1").arg(i))->isChecked(),
                          i == on)
                    << "on " << on << ", button " << i;
        }
    }
}

TEST(GenericDialogs, UpdateValuesStubsWarn)
{
    const QString formLine = "dialog_two_real_numbers::updateValues(): Not implemented yet";
    const QString implLine = "dialog_two_real_numbersImpl::updateValues() not yet implemented!";

    dialog_two_real_numbers form;
    dialog_two_real_numbersImpl impl;
    dialog_two_real_numbers& implAsForm = impl;
    const QString before = impl.LineEdit_variable_1->text();

    // A connection resolved against the form's own meta-object, as the form's constructor makes
    // them, still reaches the subclass override.
    const QMetaMethod formSlot = dialog_two_real_numbers::staticMetaObject.method(
        dialog_two_real_numbers::staticMetaObject.indexOfSlot("updateValues()"));
    const QMetaMethod textChanged = QMetaMethod::fromSignal(&QLineEdit::textChanged);
    ASSERT_TRUE(QObject::connect(impl.LineEdit_variable_2, textChanged, &impl, formSlot));

    WarningRecorder warnings;
    form.updateValues();
    implAsForm.updateValues();
    QMetaObject::invokeMethod(&form, "updateValues");
    QMetaObject::invokeMethod(&impl, "updateValues");
    impl.LineEdit_variable_2->setText("1.5");
    EXPECT_EQ(warnings.lines, QStringList({formLine, implLine, formLine, implLine, implLine}));
    EXPECT_EQ(impl.LineEdit_variable_1->text(), before);
}

// The rotation row of the 45-degree grating command: -45..45, step 90, wrapping.
TEST(GenericDialogs, WrappingRowTogglesBetweenItsBounds)
{
    dialog_twoIntValuesImpl d(nullptr, "", true);
    d.value2_SpinBox->setMinimum(-45);
    d.value2_SpinBox->setMaximum(45);
    d.value2_SpinBox->setSingleStep(90);
    d.value2_SpinBox->setWrapping(true);
    d.value2_SpinBox->setValue(45);
    const int expected[] = {-45, 45, -45};
    for (int v : expected) {
        d.value2_SpinBox->stepUp();
        EXPECT_EQ(d.value2_SpinBox->value(), v);
    }
    for (int v : expected) {
        d.value2_SpinBox->stepDown();
        EXPECT_EQ(d.value2_SpinBox->value(), -v);
    }
}

} // namespace
