// The grating design and export dialogs: forms, presets, closing buttons, the enabling
// connections, the step rules of the spin boxes and the slot warnings.
#include "formChecks.h"

#include "dialogs/dialog_WL_and_FLImpl.h"
#include "dialogs/dialog_Zandor_IFTA_ParametersImpl.h"
#include "dialogs/dialog_binLinGratingTextlibExportImpl.h"
#include "dialogs/dialog_binLinGratingsOptimizationImpl.h"
#include "dialogs/dialog_gdsIIfileParametersImpl.h"
#include "dialogs/dialog_one_real_number_correctionImpl.h"
#include "dialogs/dialog_velmora_parametersImpl.h"

#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRect placed; // placed by a layout

struct GratingCase
{
    FormSpec form;
    std::vector<SpinSpec> spins;
    std::vector<TextSpec> texts;
    std::vector<CheckSpec> states;
    std::vector<ButtonSpec> buttons;
    const char* defaultButton;
    const char* firstInput;
};

const std::vector<GratingCase>& gratingCases()
{
    static const std::vector<GratingCase> cases = {
        {{"dialog_binLinGratingsOptimizationImpl",
          "dialog_binLinGratingsOptimization",
          factoryOf<dialog_binLinGratingsOptimizationImpl>(),
          "Gradient search optimization of binary linear gratings",
          QSize(511, 301),
          {{"frame3", "QFrame", QRect(20, 20, 230, 120)},
           {"textLabel1", "QLabel", QRect(10, 12, 120, 22)},
           {"SignalOrderNrSpinBox", "QSpinBox", QRect(140, 12, 75, 22)},
           {"textLabel1_2", "QLabel", QRect(10, 46, 120, 22)},
           {"NoiseOrderNrSpinBox", "QSpinBox", QRect(140, 46, 75, 22)},
           {"loadSignalCheckBox", "QCheckBox", QRect(10, 82, 205, 22)},
           {"frame5", "QFrame", QRect(20, 160, 230, 90)},
           {"textLabel2", "QLabel", QRect(10, 12, 120, 22)},
           {"IterationNumberSpinBox", "QSpinBox", QRect(140, 12, 75, 22)},
           {"textLabel3", "QLabel", QRect(10, 50, 120, 22)},
           {"StepSizeLineEdit", "QLineEdit", QRect(140, 50, 75, 22)},
           {"frame6", "QFrame", QRect(270, 20, 221, 130)},
           {"textLabel1_3", "QLabel", QRect(10, 12, 120, 22)},
           {"CD_lineEdit", "QLineEdit", QRect(135, 12, 75, 22)},
           {"textLabel2_2", "QLabel", QRect(10, 52, 120, 22)},
           {"SF_lineEdit", "QLineEdit", QRect(135, 52, 75, 22)},
           {"textLabel2_2_2", "QLabel", QRect(10, 92, 120, 22)},
           {"efo_spinBox", "QSpinBox", QRect(135, 92, 75, 22)},
           {"pushButton1", "QPushButton", QRect(290, 219, 81, 31)},
           {"pushButton2", "QPushButton", QRect(400, 219, 81, 31)}},
          {"languageChange()"},
          {}},
         {{"SignalOrderNrSpinBox", 3, 2001, 2, 3, false},
          {"NoiseOrderNrSpinBox", 0, 99, 1, 0, false},
          {"IterationNumberSpinBox", 1, 30000, 1, 1, false},
          {"efo_spinBox", 0, 100000, 2, 0, false}},
         {{"textLabel1", "Signal orders"},
          {"textLabel1_2", "Noise orders"},
          {"loadSignalCheckBox", "load signal field from file"},
          {"textLabel2", "Iteration steps"},
          {"textLabel3", "Iteration stepsize"},
          {"StepSizeLineEdit", "0.001"},
          {"textLabel1_3", "critical dimension"},
          {"CD_lineEdit", ""},
          {"textLabel2_2", "scaling factor"},
          {"SF_lineEdit", "1.0"},
          {"textLabel2_2_2", "error function order"},
          {"pushButton1", "Ok"},
          {"pushButton2", "Cancel"}},
         {{"loadSignalCheckBox", false, true}},
         {{"pushButton1", QDialog::Accepted, Trigger::Click},
          {"pushButton2", QDialog::Rejected, Trigger::Click}},
         "pushButton1",
         "SignalOrderNrSpinBox"},

        {{"dialog_binLinGratingTextlibExportImpl",
          "dialog_exportBLG2Textlib",
          factoryOf<dialog_binLinGratingTextlibExportImpl>(),
          "Export binary linear grating to Textlib format",
          QSize(335, 239),
          {{"textLabel1", "QLabel", QRect(30, 25, 90, 22)},
           {"lineEdit_pixelsize", "QLineEdit", QRect(130, 25, 120, 22)},
           {"textLabel1_2_2_2_2_2", "QLabel", QRect(260, 25, 30, 22)},
           {"frame3", "QFrame", QRect(20, 65, 295, 100)},
           {"textLabel1_2", "QLabel", QRect(10, 18, 90, 22)},
           {"lineEdit_fieldSizeX", "QLineEdit", QRect(110, 18, 120, 22)},
           {"textLabel1_2_2_2", "QLabel", QRect(240, 18, 30, 22)},
           {"textLabel1_2_2", "QLabel", QRect(10, 58, 90, 22)},
           {"lineEdit_fieldSizeY", "QLineEdit", QRect(110, 58, 120, 22)},
           {"textLabel1_2_2_2_3", "QLabel", QRect(240, 58, 30, 22)},
           {"pushButton1", "QPushButton", QRect(60, 188, 81, 31)},
           {"pushButton2", "QPushButton", QRect(190, 188, 81, 31)}},
          {"languageChange()"},
          {}},
         {},
         {{"textLabel1", "Pixelsize"},
          {"lineEdit_pixelsize", ""},
          {"textLabel1_2_2_2_2_2", "nm"},
          {"textLabel1_2", "FieldSizeX"},
          {"lineEdit_fieldSizeX", ""},
          {"textLabel1_2_2_2", "mm"},
          {"textLabel1_2_2", "FieldSizeY"},
          {"lineEdit_fieldSizeY", ""},
          {"textLabel1_2_2_2_3", "mm"},
          {"pushButton1", "Ok"},
          {"pushButton2", "Cancel"}},
         {},
         {{"pushButton1", QDialog::Accepted, Trigger::Click},
          {"pushButton2", QDialog::Rejected, Trigger::Click}},
         "pushButton1",
         "lineEdit_pixelsize"},

        {{"dialog_gdsIIfileParametersImpl",
          "dialog_gdsIIfileParameters",
          factoryOf<dialog_gdsIIfileParametersImpl>(),
          "Select Parameters for GDSII file",
          QSize(333, 349),
          {{"buttonGroup1", "QGroupBox", QRect(20, 20, 293, 165)},
           {"radioButton1", "QRadioButton", QRect(15, 25, 260, 22)},
           {"Layout3", "QWidget", QRect(30, 55, 90, 24)},
           {"Layout3Layout", "QHBoxLayout", placed},
           {"TextLabel3", "QLabel", placed},
           {"RepeatXSpinBox", "QSpinBox", placed},
           {"Layout4", "QWidget", QRect(130, 55, 90, 24)},
           {"Layout4Layout", "QHBoxLayout", placed},
           {"TextLabel4", "QLabel", placed},
           {"RepeatYSpinBox", "QSpinBox", placed},
           {"TextLabel5", "QLabel", QRect(230, 55, 50, 24)},
           {"radioButton2", "QRadioButton", QRect(15, 95, 260, 22)},
           {"textLabel2", "QLabel", QRect(30, 125, 16, 24)},
           {"lineEdit_X", "QLineEdit", QRect(50, 125, 70, 24)},
           {"textLabel2_2", "QLabel", QRect(130, 125, 16, 24)},
           {"lineEdit_Y", "QLineEdit", QRect(150, 125, 70, 24)},
           {"Layout1", "QWidget", QRect(20, 205, 293, 24)},
           {"Layout1Layout", "QHBoxLayout", placed},
           {"TextLabel1", "QLabel", placed},
           {"PixelSizeEdit", "QLineEdit", placed},
           {"checkBox_write_L0_only", "QCheckBox", QRect(20, 245, 200, 22)},
           {"Ok", "QPushButton", QRect(60, 295, 81, 31)},
           {"Cancel", "QPushButton", QRect(190, 295, 81, 31)}},
          {"languageChange()"},
          {}},
         {{"RepeatXSpinBox", 1, 10000, 1, 1, false}, {"RepeatYSpinBox", 1, 10000, 1, 1, false}},
         {{"buttonGroup1", "Field size definition"},
          {"radioButton1", "Repetition of structure"},
          {"TextLabel3", "X"},
          {"TextLabel4", "Y"},
          {"TextLabel5", "times"},
          {"radioButton2", "Absolute field size in mm"},
          {"textLabel2", "X"},
          {"lineEdit_X", ""},
          {"textLabel2_2", "Y"},
          {"lineEdit_Y", ""},
          {"TextLabel1", "Structure pixel size in \u00b5m"},
          {"PixelSizeEdit", ""},
          {"checkBox_write_L0_only", "write layer L0 only"},
          {"Ok", "Ok"},
          {"Cancel", "Cancel"}},
         {{"radioButton1", true, true},
          {"radioButton2", false, true},
          {"checkBox_write_L0_only", true, true}},
         {{"Ok", QDialog::Accepted, Trigger::Press}, {"Cancel", QDialog::Rejected, Trigger::Press}},
         "Ok",
         "radioButton1"},

        {{"dialog_Zandor_IFTA_ParametersImpl",
          "dialog_Zandor_IFTA_Parameters",
          factoryOf<dialog_Zandor_IFTA_ParametersImpl>(),
          "Computation of diffractive pattern",
          QSize(314, 327),
          {{"textLabel1", "QLabel", QRect(20, 15, 270, 22)},
           {"gratingPeriodListBox", "QListWidget", QRect(20, 40, 270, 120)},
           {"checkBoxProfileInversion", "QCheckBox", QRect(20, 170, 270, 22)},
           {"textLabel_pixelSize", "QLabel", QRect(20, 205, 140, 22)},
           {"lineEdit_Pixelsize", "QLineEdit", QRect(170, 205, 80, 22)},
           {"textLabel_unitPixelSize", "QLabel", QRect(260, 205, 30, 22)},
           {"textLabel_wavelength", "QLabel", QRect(20, 237, 140, 22)},
           {"lineEdit_wavelength", "QLineEdit", QRect(170, 237, 80, 22)},
           {"textLabel_unitWavelength", "QLabel", QRect(260, 237, 30, 22)},
           {"Ok", "QPushButton", QRect(210, 280, 81, 31)}},
          {"languageChange()"},
          {}},
         {},
         {{"textLabel1", "Select grating period in LCD pixels"},
          {"checkBoxProfileInversion", "save diffraction angles table"},
          {"textLabel_pixelSize", "LC display pixel size"},
          {"lineEdit_Pixelsize", "8.1"},
          {"textLabel_unitPixelSize", "\u00b5m"},
          {"textLabel_wavelength", "wavelength"},
          {"lineEdit_wavelength", "633"},
          {"textLabel_unitWavelength", "nm"},
          {"Ok", "Ok"}},
         {{"checkBoxProfileInversion", false, true}},
         {{"Ok", QDialog::Accepted, Trigger::Press}},
         "Ok",
         "gratingPeriodListBox"},

        {{"dialog_velmora_parametersImpl",
          "dialog_velmora_parameters",
          factoryOf<dialog_velmora_parametersImpl>(),
          "Compute angular range of diffraction",
          QSize(357, 409),
          {{"GroupBox1", "QGroupBox", QRect(15, 15, 327, 170)},
           {"TextLabel_PN", "QLabel", QRect(10, 25, 242, 22)},
           {"spinBox_PN", "QSpinBox", QRect(258, 25, 60, 22)},
           {"TextLabel_WL_min", "QLabel", QRect(10, 60, 150, 22)},
           {"LineEdit_WL_min", "QLineEdit", QRect(170, 60, 90, 22)},
           {"TextLabelUnit_1", "QLabel", QRect(270, 60, 30, 22)},
           {"TextLabel_WL_max", "QLabel", QRect(10, 95, 150, 22)},
           {"LineEdit_WL_max", "QLineEdit", QRect(170, 95, 90, 22)},
           {"TextLabelUnit_2", "QLabel", QRect(270, 95, 30, 22)},
           {"TextLabel_Warning_1", "QLabel", QRect(10, 130, 307, 22)},
           {"groupBox2", "QGroupBox", QRect(15, 200, 327, 135)},
           {"textLabel_angleMin", "QLabel", QRect(10, 25, 150, 22)},
           {"lineEdit_angleMin", "QLineEdit", QRect(170, 25, 90, 22)},
           {"TextLabelUnit_3", "QLabel", QRect(270, 25, 30, 22)},
           {"textLabel_angleMax", "QLabel", QRect(10, 60, 150, 22)},
           {"lineEdit_angleMax", "QLineEdit", QRect(170, 60, 90, 22)},
           {"TextLabelUnit_4", "QLabel", QRect(270, 60, 30, 22)},
           {"textLabel_warning_2", "QLabel", QRect(10, 95, 307, 22)},
           {"Ok", "QPushButton", QRect(70, 355, 81, 31)},
           {"Cancel", "QPushButton", QRect(200, 355, 81, 31)}},
          {"updateValues()", "languageChange()"},
          {"updateValues()"}},
         {{"spinBox_PN", 0, 2000, 1, 240, false}},
         {{"GroupBox1", "Computational parameters"},
          {"TextLabel_PN", "Pixel number of 'hologram signal' image"},
          {"TextLabel_WL_min", "smallest wavelength"},
          {"LineEdit_WL_min", "600"},
          {"TextLabelUnit_1", "nm"},
          {"TextLabel_WL_max", "largest wavelength"},
          {"LineEdit_WL_max", "800"},
          {"TextLabelUnit_2", "nm"},
          {"TextLabel_Warning_1", nullptr},
          {"groupBox2", "Possible angular range of diffraction"},
          {"textLabel_angleMin", "minimum angle"},
          {"lineEdit_angleMin", ""},
          {"TextLabelUnit_3", "deg"},
          {"textLabel_angleMax", "maximum angle"},
          {"lineEdit_angleMax", ""},
          {"TextLabelUnit_4", "deg"},
          {"textLabel_warning_2", nullptr},
          {"Ok", "Ok"},
          {"Cancel", "Cancel"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press}, {"Cancel", QDialog::Rejected, Trigger::Click}},
         "Ok",
         "spinBox_PN"},

        {{"dialog_WL_and_FLImpl",
          "dialog_WL_and_FL",
          factoryOf<dialog_WL_and_FLImpl>(),
          "Select wavelength and lens focal length",
          QSize(306, 223),
          {{"GroupBox3", "QGroupBox", QRect(30, 20, 240, 110)},
           {"Layout5", "QWidget", QRect(20, 30, 193, 56)},
           {"Layout5Layout", "QGridLayout", placed},
           {"TextLabel_WaveLength", "QLabel", placed},
           {"WaveLengthEdit", "QLineEdit", placed},
           {"TextLabel_WaveLength_2", "QLabel", placed},
           {"TextLabel2_2", "QLabel", placed},
           {"FocalLengthEdit", "QLineEdit", placed},
           {"TextLabel_WaveLength_2_2", "QLabel", placed},
           {"Ok", "QPushButton", QRect(40, 160, 90, 40)},
           {"Cancel", "QPushButton", QRect(180, 160, 90, 40)}},
          {"updateValues()", "languageChange()"},
          {"updateValues()"}},
         {},
         {{"GroupBox3", "optical configuration"},
          {"TextLabel_WaveLength", "wavelength"},
          {"WaveLengthEdit", ""},
          {"TextLabel_WaveLength_2", "nm"},
          {"TextLabel2_2", "focal length of \nFourier lens"},
          {"FocalLengthEdit", ""},
          {"TextLabel_WaveLength_2_2", "mm"},
          {"Ok", "Ok"},
          {"Cancel", "Cancel"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press}, {"Cancel", QDialog::Rejected, Trigger::Click}},
         "Ok",
         "WaveLengthEdit"},

        {{"dialog_one_real_number_correctionImpl",
          "dialog_one_real_number_correction",
          factoryOf<dialog_one_real_number_correctionImpl>(),
          "Select steering angle",
          QSize(315, 236),
          {{"GroupBox1", "QGroupBox", QRect(15, 15, 285, 150)},
           {"TextLabel_message", "QLabel", QRect(15, 25, 257, 60)},
           {"TextLabel_variable", "QLabel", QRect(15, 105, 100, 22)},
           {"LineEdit_variable", "QLineEdit", QRect(120, 105, 100, 22)},
           {"TextLabelUnit", "QLabel", QRect(230, 105, 30, 22)},
           {"Ok", "QPushButton", QRect(200, 185, 81, 31)}},
          {"updateValues()", "languageChange()"},
          {"updateValues()"}},
         {},
         {{"GroupBox1", "Parameter correction"},
          {"TextLabel_message", "Specified steering angle is too large.\nPlease provide a new "
                                "steering angle value \nsmaller than the maximum possible value:"},
          {"TextLabel_variable", "steering angle"},
          {"LineEdit_variable", ""},
          {"TextLabelUnit", "deg"},
          {"Ok", "Ok"}},
         {},
         {{"Ok", QDialog::Accepted, Trigger::Press}},
         "Ok",
         "LineEdit_variable"},
    };
    return cases;
}

TEST(GratingDesignDialogs, FormsPresetsAndButtons)
{
    for (const GratingCase& c : gratingCases()) {
        SCOPED_TRACE(c.form.className);
        checkForm(c.form);
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        checkSpinBoxes(*d, c.spins);
        checkTexts(*d, c.texts);
        checkStates(*d, c.states);
        d->show();
        checkTextsFit(*d);
        d->hide();
        checkButtons(c.form.make, c.buttons);
        checkDefaultAndFocus(c.form.make, c.defaultButton, c.firstInput);
        for (const QLineEdit* e : d->findChildren<const QLineEdit*>()) {
            if (!qobject_cast<const QAbstractSpinBox*>(e->parentWidget())) {
                EXPECT_EQ(e->validator(), nullptr) << e->objectName().toStdString();
            }
        }
    }
}

// Arrow steps: the signal order count stays odd, the error function order even, and both and
// the iteration count stop at their bounds.
TEST(GratingDesignDialogs, OptimizationSpinBoxesStep)
{
    dialog_binLinGratingsOptimizationImpl d;
    const struct
    {
        QSpinBox* box;
        int from;
        int up;
        int last;
    } rows[] = {{d.SignalOrderNrSpinBox, 3, 5, 2001},
                {d.efo_spinBox, 0, 2, 100000},
                {d.IterationNumberSpinBox, 1, 2, 30000},
                {d.NoiseOrderNrSpinBox, 0, 1, 99}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.box->objectName().toStdString());
        QTest::keyClick(r.box, Qt::Key_Down);
        EXPECT_EQ(r.box->value(), r.from);
        QTest::keyClick(r.box, Qt::Key_Up);
        EXPECT_EQ(r.box->value(), r.up);
        r.box->setValue(r.last - r.box->singleStep());
        QTest::keyClick(r.box, Qt::Key_Up);
        EXPECT_EQ(r.box->value(), r.last);
        QTest::keyClick(r.box, Qt::Key_Up);
        EXPECT_EQ(r.box->value(), r.last);
    }
    d.SignalOrderNrSpinBox->setValue(3);
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(d.SignalOrderNrSpinBox, Qt::Key_Up);
        EXPECT_EQ(d.SignalOrderNrSpinBox->value() % 2, 1);
    }
}

// The two ways of defining the field: the checked one's inputs are enabled, the other's not.
TEST(GratingDesignDialogs, GdsFieldDefinitionSwitchesInputs)
{
    dialog_gdsIIfileParametersImpl d;
    auto expectRepetition = [&d](bool repetition) {
        EXPECT_EQ(d.radioButton1->isChecked(), repetition);
        EXPECT_EQ(d.radioButton2->isChecked(), !repetition);
        EXPECT_EQ(d.RepeatXSpinBox->isEnabled(), repetition);
        EXPECT_EQ(d.RepeatYSpinBox->isEnabled(), repetition);
        EXPECT_EQ(d.lineEdit_X->isEnabled(), !repetition);
        EXPECT_EQ(d.lineEdit_Y->isEnabled(), !repetition);
    };
    expectRepetition(true);
    d.radioButton2->click();
    expectRepetition(false);
    d.radioButton2->click(); // already on: stays
    expectRepetition(false);
    d.radioButton1->click();
    expectRepetition(true);
    d.radioButton2->setChecked(true);
    expectRepetition(false);
    EXPECT_TRUE(d.checkBox_write_L0_only->isEnabled());
    EXPECT_TRUE(d.PixelSizeEdit->isEnabled());
}

// The angle table's optics can be edited only while the table is asked for; the list starts
// empty and takes the caller's periods.
TEST(GratingDesignDialogs, ZandorTableOptionEnablesOptics)
{
    dialog_Zandor_IFTA_ParametersImpl d;
    EXPECT_EQ(d.gratingPeriodListBox->count(), 0);
    EXPECT_EQ(d.gratingPeriodListBox->toolTip(), "Please select grating period in pixels");
    EXPECT_FALSE(d.lineEdit_Pixelsize->isEnabled());
    EXPECT_FALSE(d.lineEdit_wavelength->isEnabled());
    for (const QLineEdit* e : {d.lineEdit_Pixelsize, d.lineEdit_wavelength})
        EXPECT_EQ(e->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    d.checkBoxProfileInversion->click();
    EXPECT_TRUE(d.lineEdit_Pixelsize->isEnabled());
    EXPECT_TRUE(d.lineEdit_wavelength->isEnabled());
    d.checkBoxProfileInversion->click();
    EXPECT_FALSE(d.lineEdit_Pixelsize->isEnabled());
    EXPECT_FALSE(d.lineEdit_wavelength->isEnabled());

    d.gratingPeriodListBox->addItems({"2", "4", "8"});
    d.gratingPeriodListBox->setCurrentRow(1);
    EXPECT_EQ(execWhile(d, [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }),
              int(QDialog::Accepted));
    EXPECT_EQ(d.gratingPeriodListBox->currentItem()->text(), "4");
}

// The subclass's updateValues() is empty: construction and edits print nothing and change
// nothing; the form's own body warns. languageChange() empties the two warning lines.
TEST(GratingDesignDialogs, VelmoraUpdatesAreSilent)
{
    WarningRecorder warnings;
    dialog_velmora_parametersImpl d;
    QTest::keyClicks(d.LineEdit_WL_min, "5");
    QTest::keyClick(d.LineEdit_WL_max, Qt::Key_Backspace);
    d.spinBox_PN->setValue(512);
    EXPECT_TRUE(warnings.lines.isEmpty()) << warnings.lines.join('\n').toStdString();
    EXPECT_EQ(d.LineEdit_WL_min->text(), "6005");
    EXPECT_EQ(d.LineEdit_WL_max->text(), "80");
    EXPECT_TRUE(d.lineEdit_angleMin->text().isEmpty());
    EXPECT_TRUE(d.TextLabel_Warning_1->text().isNull());

    for (const QLabel* l : {d.TextLabel_Warning_1, d.textLabel_warning_2})
        EXPECT_TRUE(l->font().bold());
    d.TextLabel_Warning_1->setText("too large");
    d.textLabel_warning_2->setText("too small");
    QMetaObject::invokeMethod(&d, "languageChange");
    EXPECT_TRUE(d.TextLabel_Warning_1->text().isNull());
    EXPECT_TRUE(d.textLabel_warning_2->text().isNull());

    dialog_velmora_parameters form;
    form.updateValues();
    QTest::keyClicks(form.LineEdit_WL_max, "1");
    form.spinBox_PN->setValue(100);
    EXPECT_EQ(warnings.lines,
              QStringList(3, "dialog_velmora_parameters::updateValues(): Not implemented yet"));
}

TEST(GratingDesignDialogs, StubSlotsWarn)
{
    dialog_WL_and_FL wlForm;
    dialog_WL_and_FLImpl wl;
    dialog_one_real_number_correction correctionForm;
    dialog_one_real_number_correctionImpl correction;
    WarningRecorder warnings;
    wlForm.updateValues();
    static_cast<dialog_WL_and_FL&>(wl).updateValues();
    correctionForm.updateValues();
    static_cast<dialog_one_real_number_correction&>(correction).updateValues();
    QTest::keyClicks(wl.WaveLengthEdit, "633");
    QTest::keyClicks(correction.LineEdit_variable, "12");
    EXPECT_EQ(warnings.lines,
              QStringList({"dialog_WL_and_FL::updateValues(): Not implemented yet",
                           "dialog_WL_and_FLImpl::updateValues() not yet implemented!",
                           "dialog_one_real_number_correction::updateValues(): Not implemented yet",
                           "dialog_one_real_number_correctionImpl::updateValues() not yet "
                           "implemented!"}));
}

} // namespace
