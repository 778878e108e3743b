// The beam shaper dialogs: forms, presets, closing buttons and which edits reach updateValues().
#include "formChecks.h"

#include "dialogs/dialog_isoBeamShaperParamsImpl.h"
#include "dialogs/dialog_sepaBeamShaperParamsImpl.h"

#include <QFrame>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRect placed; // placed by a layout

std::vector<ChildSpec> join(std::vector<std::vector<ChildSpec>> parts)
{
    std::vector<ChildSpec> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The optical configuration and sampling groups that both dialogs open with.
std::vector<ChildSpec> commonChildren(QRect groupBox3)
{
    return {{"GroupBox3", "QGroupBox", groupBox3},
            {"Layout5", "QWidget", QRect(20, 30, 193, 56)},
            {"Layout5Layout", "QGridLayout", placed},
            {"TextLabel_WaveLength_2_2", "QLabel", placed},
            {"TextLabel_WaveLength_2", "QLabel", placed},
            {"TextLabel_WaveLength", "QLabel", placed},
            {"TextLabel2_2", "QLabel", placed},
            {"WaveLengthEdit", "QLineEdit", placed},
            {"FocalLengthEdit", "QLineEdit", placed},
            {"GroupBox4", "QGroupBox", QRect(270, 20, 231, 110)},
            {"Layout7", "QWidget", QRect(31, 30, 163, 24)},
            {"Layout7Layout", "QHBoxLayout", placed},
            {"TextLabel1", "QLabel", placed},
            {"PixelSizeEdit", "QLineEdit", placed},
            {"TextLabel_WaveLength_2_3", "QLabel", placed},
            {"Layout13", "QWidget", QRect(32, 60, 160, 23)},
            {"Layout13Layout", "QGridLayout", placed},
            {"PixelNrSpinBox", "QSpinBox", placed},
            {"TextLabel2", "QLabel", placed}};
}

std::vector<ChildSpec> hboxRow(const char* holder, QRect geometry,
                               std::vector<std::pair<const char*, const char*>> items)
{
    static std::vector<QByteArray> names;
    names.reserve(100);
    names.push_back(QByteArray(holder) + "Layout");
    std::vector<ChildSpec> row
        = {{holder, "QWidget", geometry}, {names.back().constData(), "QHBoxLayout", placed}};
    for (const auto& [name, kind] : items)
        row.push_back({name, kind, placed});
    return row;
}

// An axis block of the separable dialog: a 2 x 4 grid of waist and order.
std::vector<ChildSpec> block(const char* holder, const char* layout, QRect geometry, const char* mm,
                             const char* edit, const char* waist, const char* order,
                             const char* spin)
{
    return {{holder, "QWidget", geometry}, {layout, "QGridLayout", placed},
            {mm, "QLabel", placed},        {edit, "QLineEdit", placed},
            {waist, "QLabel", placed},     {order, "QLabel", placed},
            {spin, "QSpinBox", placed}};
}

// Texts common to both dialogs, and the "Show Data Fields" group.
const std::vector<TextSpec> commonTexts
    = {{"GroupBox3", "optical configuration"},
       {"TextLabel_WaveLength_2_2", "mm"},
       {"TextLabel_WaveLength_2", "nm"},
       {"TextLabel_WaveLength", "wavelength"},
       {"TextLabel2_2", "focal length of \nFourier lens"},
       {"WaveLengthEdit", ""},
       {"FocalLengthEdit", ""},
       {"GroupBox4", "Sampling parameters for element function"},
       {"TextLabel1", "pixel size"},
       {"PixelSizeEdit", ""},
       {"TextLabel_WaveLength_2_3", "\u00b5m"},
       {"TextLabel2", "number of pixels"},
       {"GroupBox1", "input beam"},
       {"GroupBox2", "output beam"},
       {"GroupBox5", "Show Data Fields"},
       {"ShowTransFunction_CheckBox", "Show complex transmission function of beamshaper"},
       {"ShowIllumWave_CheckBox", "Show illumination wave"},
       {"ShowWavefront_CheckBox", "Show wavefront of beamshaper"},
       {"Ok", "Ok"},
       {"Cancel", "Cancel"}};

const std::vector<CheckSpec> showStates = {{"ShowWavefront_CheckBox", true, true},
                                           {"ShowTransFunction_CheckBox", false, true},
                                           {"ShowIllumWave_CheckBox", false, true}};

struct BeamCase
{
    FormSpec form;
    std::vector<SpinSpec> spins;
    std::vector<TextSpec> texts;
    std::vector<const char*> edits; // every line edit
};

SpinSpec order(const char* name)
{
    return {name, 1, 99, 1, 1, false};
}

const std::vector<BeamCase>& beamCases()
{
    static const std::vector<BeamCase> cases = {
        {{"dialog_isoBeamShaperParamsImpl",
          "dialog_isoBeamShaperParameters",
          factoryOf<dialog_isoBeamShaperParamsImpl>(),
          "Select Parameters for isotropic beamshaper",
          QSize(551, 481),
          join({commonChildren(QRect(20, 20, 230, 110)),
                {{"GroupBox1", "QGroupBox", QRect(20, 160, 231, 110)}},
                hboxRow("Layout11", QRect(20, 30, 190, 24),
                        {{"TextLabel2_3", "QLabel"},
                         {"InputBeamWaistEdit", "QLineEdit"},
                         {"TextLabel_WaveLength_2_2_3", "QLabel"}}),
                hboxRow("Layout15", QRect(21, 59, 190, 23),
                        {{"TextLabel2_3_2", "QLabel"}, {"InputGaussianSpinBox", "QSpinBox"}}),
                {{"GroupBox2", "QGroupBox", QRect(270, 160, 241, 110)}},
                hboxRow("Layout12", QRect(21, 30, 190, 24),
                        {{"TextLabel2_3_3", "QLabel"},
                         {"OutputBeamWaistEdit", "QLineEdit"},
                         {"TextLabel_WaveLength_2_2_2", "QLabel"}}),
                hboxRow("Layout14", QRect(21, 59, 190, 23),
                        {{"TextLabel2_3_2_2", "QLabel"}, {"OutputGaussianSpinBox", "QSpinBox"}}),
                {{"Ok", "QPushButton", QRect(390, 370, 90, 60)},
                 {"Cancel", "QPushButton", QRect(390, 300, 90, 40)},
                 {"GroupBox5", "QGroupBox", QRect(20, 290, 311, 141)},
                 {"ShowTransFunction_CheckBox", "QCheckBox", QRect(20, 60, 280, 30)},
                 {"ShowIllumWave_CheckBox", "QCheckBox", QRect(20, 100, 251, 30)},
                 {"ShowWavefront_CheckBox", "QCheckBox", QRect(20, 20, 251, 30)}}}),
          {"updateValues()"},
          {"updateValues()"}},
         {{"PixelNrSpinBox", 1, 16384, 1, 1, false},
          order("InputGaussianSpinBox"),
          order("OutputGaussianSpinBox")},
         {{"TextLabel2_3", "beam waist diameter"},
          {"InputBeamWaistEdit", ""},
          {"TextLabel_WaveLength_2_2_3", "mm"},
          {"TextLabel2_3_2", "order of Super-Gaussian"},
          {"TextLabel2_3_3", "beam waist diameter"},
          {"OutputBeamWaistEdit", ""},
          {"TextLabel_WaveLength_2_2_2", "mm"},
          {"TextLabel2_3_2_2", "order of Super-Gaussian"}},
         {"WaveLengthEdit", "FocalLengthEdit", "PixelSizeEdit", "InputBeamWaistEdit",
          "OutputBeamWaistEdit"}},

        {{"dialog_sepaBeamShaperParamsImpl",
          "dialog_sepaBeamShaperParameters",
          factoryOf<dialog_sepaBeamShaperParamsImpl>(),
          "Select Parameters for separable beamshaper",
          QSize(516, 549),
          join({commonChildren(QRect(20, 20, 240, 110)),
                {{"GroupBox1", "QGroupBox", QRect(20, 160, 240, 200)},
                 {"TextLabel3_2", "QLabel", QRect(10, 130, 16, 31)}},
                block("Layout27", "Layout27Layout", QRect(30, 40, 200, 51),
                      "TextLabel_WaveLength_2_2_2", "InputBeamWaistEdit_X", "TextLabel2_3_4",
                      "TextLabel2_3_2_3", "InputGaussianSpinBox_X"),
                {{"TextLabel3", "QLabel", QRect(10, 50, 16, 31)}},
                block("Layout27_2", "Layout27_2Layout", QRect(30, 120, 200, 51),
                      "TextLabel_WaveLength_2_2_2_3", "InputBeamWaistEdit_Y", "TextLabel2_3_4_2",
                      "TextLabel2_3_2_3_2", "InputGaussianSpinBox_Y"),
                {{"Line1", "QFrame", QRect(31, 100, 190, 20)},
                 {"GroupBox2", "QGroupBox", QRect(270, 160, 241, 200)},
                 {"TextLabel3_3", "QLabel", QRect(10, 50, 16, 31)}},
                block("Layout27_3", "Layout27_3Layout", QRect(30, 40, 200, 51),
                      "TextLabel_WaveLength_2_2_2_4", "OutputBeamWaistEdit_X", "TextLabel2_3_4_2_2",
                      "TextLabel2_3_2_3_3", "OutputGaussianSpinBox_X"),
                block("Layout27_4", "Layout27_4Layout", QRect(30, 120, 200, 51),
                      "TextLabel_WaveLength_2_2_2_5", "OutputBeamWaistEdit_Y", "TextLabel2_3_4_3",
                      "TextLabel2_3_2_3_4", "OutputGaussianSpinBox_Y"),
                {{"TextLabel3_2_2", "QLabel", QRect(10, 130, 16, 31)},
                 {"Line2", "QFrame", QRect(20, 100, 210, 20)},
                 {"GroupBox5", "QGroupBox", QRect(20, 380, 311, 141)},
                 {"ShowWavefront_CheckBox", "QCheckBox", QRect(20, 20, 251, 30)},
                 {"ShowTransFunction_CheckBox", "QCheckBox", QRect(20, 60, 280, 30)},
                 {"ShowIllumWave_CheckBox", "QCheckBox", QRect(20, 100, 251, 30)},
                 {"Cancel", "QPushButton", QRect(380, 390, 90, 40)},
                 {"Ok", "QPushButton", QRect(380, 460, 90, 60)}}}),
          {"updateValues()"},
          {"updateValues()"}},
         {{"PixelNrSpinBox", 1, 16384, 1, 1, false},
          order("InputGaussianSpinBox_X"),
          order("InputGaussianSpinBox_Y"),
          order("OutputGaussianSpinBox_X"),
          order("OutputGaussianSpinBox_Y")},
         {{"TextLabel3", "X"},
          {"TextLabel3_2", "Y"},
          {"TextLabel3_3", "X"},
          {"TextLabel3_2_2", "Y"},
          {"TextLabel_WaveLength_2_2_2", "mm"},
          {"TextLabel2_3_4", "beam waist diameter"},
          {"TextLabel2_3_2_3", "order of Super-Gaussian"},
          {"TextLabel_WaveLength_2_2_2_3", "mm"},
          {"TextLabel2_3_4_2", "beam waist diameter"},
          {"TextLabel2_3_2_3_2", "order of Super-Gaussian"},
          {"TextLabel_WaveLength_2_2_2_4", "mm"},
          {"TextLabel2_3_4_2_2", "beam waist diameter"},
          {"TextLabel2_3_2_3_3", "order of Super-Gaussian"},
          {"TextLabel_WaveLength_2_2_2_5", "mm"},
          {"TextLabel2_3_4_3", "beam waist diameter"},
          {"TextLabel2_3_2_3_4", "order of Super-Gaussian"}},
         {"WaveLengthEdit", "FocalLengthEdit", "PixelSizeEdit", "InputBeamWaistEdit_X",
          "InputBeamWaistEdit_Y", "OutputBeamWaistEdit_X", "OutputBeamWaistEdit_Y"}},
    };
    return cases;
}

TEST(BeamShaperDialogs, FormsPresetsAndButtons)
{
    for (const BeamCase& c : beamCases()) {
        SCOPED_TRACE(c.form.className);
        checkForm(c.form);
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        checkSpinBoxes(*d, c.spins);
        checkTexts(*d, commonTexts);
        checkTexts(*d, c.texts);
        checkStates(*d, showStates);
        for (const char* edit : c.edits)
            EXPECT_EQ(d->findChild<QLineEdit*>(edit)->validator(), nullptr) << edit;
        d->show();
        checkTextsFit(*d);
        d->hide();
        checkButtons(c.form.make, {{"Ok", QDialog::Accepted, Trigger::Press},
                                   {"Cancel", QDialog::Rejected, Trigger::Click}});
        checkDefaultAndFocus(c.form.make, "Ok", "WaveLengthEdit");
    }
}

// The unit label decodes to the micro sign, one character, followed by m.
TEST(BeamShaperDialogs, MicroSignIsOneCharacter)
{
    for (const BeamCase& c : beamCases()) {
        std::unique_ptr<QDialog> d = c.form.make(nullptr);
        const QString unit = d->findChild<QLabel*>("TextLabel_WaveLength_2_3")->text();
        EXPECT_EQ(unit, QString(QChar(0xB5)) + 'm');
    }
}

TEST(BeamShaperDialogs, SeparatorsAreSunkenLines)
{
    dialog_sepaBeamShaperParamsImpl d;
    for (const QFrame* line : {d.Line1, d.Line2}) {
        EXPECT_EQ(line->frameShape(), QFrame::HLine);
        EXPECT_EQ(line->frameShadow(), QFrame::Sunken);
    }
}

const QString isoImplLine = "dialog_isoBeamShaperParamsImpl::updateValues() not yet implemented!";

// Wavelength and focal length reach updateValues() once per change of their text, typed or set;
// the other edits and everything in the separable dialog reach nothing.
TEST(BeamShaperDialogs, WhichEditsReachUpdateValues)
{
    dialog_isoBeamShaperParamsImpl iso;
    dialog_sepaBeamShaperParamsImpl sepa;
    WarningRecorder warnings;

    QTest::keyClicks(iso.WaveLengthEdit, "633");
    EXPECT_EQ(warnings.lines, QStringList(3, isoImplLine));
    QTest::keyClick(iso.WaveLengthEdit, Qt::Key_Backspace);
    iso.FocalLengthEdit->setText("200");
    iso.FocalLengthEdit->setText("200"); // unchanged: no signal
    EXPECT_EQ(warnings.lines, QStringList(5, isoImplLine));

    warnings.lines.clear();
    QTest::keyClicks(iso.PixelSizeEdit, "8");
    QTest::keyClicks(iso.InputBeamWaistEdit, "1.5");
    iso.OutputBeamWaistEdit->setText("2");
    iso.PixelNrSpinBox->setValue(512);
    iso.InputGaussianSpinBox->setValue(4);
    iso.ShowIllumWave_CheckBox->click();
    for (QLineEdit* e : {sepa.WaveLengthEdit, sepa.FocalLengthEdit, sepa.PixelSizeEdit,
                         sepa.InputBeamWaistEdit_X, sepa.OutputBeamWaistEdit_Y})
        QTest::keyClicks(e, "12");
    sepa.OutputGaussianSpinBox_Y->setValue(3);
    EXPECT_TRUE(warnings.lines.isEmpty()) << warnings.lines.join('\n').toStdString();
}

TEST(BeamShaperDialogs, SlotBodiesOnlyWarn)
{
    dialog_isoBeamShaperParameters isoForm;
    dialog_sepaBeamShaperParameters sepaForm;
    dialog_isoBeamShaperParamsImpl iso;
    dialog_sepaBeamShaperParamsImpl sepa;
    WarningRecorder warnings;
    isoForm.updateValues();
    QTest::keyClicks(isoForm.FocalLengthEdit, "5");
    sepaForm.updateValues();
    static_cast<dialog_isoBeamShaperParameters&>(iso).updateValues();
    static_cast<dialog_sepaBeamShaperParameters&>(sepa).updateValues();
    EXPECT_EQ(warnings.lines,
              QStringList({"dialog_isoBeamShaperParameters::updateValues(): Not implemented yet!",
                           "dialog_isoBeamShaperParameters::updateValues(): Not implemented yet!",
                           "dialog_sepaBeamShaperParameters::updateValues(): Not implemented yet!",
                           isoImplLine,
                           "dialog_sepaBeamShaperParamsImpl::updateValues() not yet "
                           "implemented!"}));
    EXPECT_TRUE(iso.WaveLengthEdit->text().isEmpty());
    EXPECT_TRUE(iso.ShowWavefront_CheckBox->isChecked());
}

} // namespace
