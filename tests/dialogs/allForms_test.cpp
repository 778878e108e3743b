// Every dialog form as the commands open it: texts fit the default font and the program's own
// (also with the texts and captions the callers put in), captions fit the title bar, Return
// accepts, and the first input opens focused with its text selected.
#include "formChecks.h"

#include "dialogs/applicationFont.h"
#include "dialogs/dialogForm.h"
#include "dialogs/dialog_BrimcoveTutoramaAbout.h"
#include "dialogs/dialog_IFTAImpl.h"
#include "dialogs/dialog_IFTA_tutoramaImpl.h"
#include "dialogs/dialog_QV_PhasedeckAppAbout.h"
#include "dialogs/dialog_WL_and_FLImpl.h"
#include "dialogs/dialog_Zandor_IFTA_ParametersImpl.h"
#include "dialogs/dialog_binFZLParametersImpl.h"
#include "dialogs/dialog_binLinGratingTextlibExportImpl.h"
#include "dialogs/dialog_binLinGratingsOptimizationImpl.h"
#include "dialogs/dialog_circularApertureImpl.h"
#include "dialogs/dialog_contFZLParametersImpl.h"
#include "dialogs/dialog_doubleSlitParametersImpl.h"
#include "dialogs/dialog_fourIntValuesImpl.h"
#include "dialogs/dialog_fourOptionsImpl.h"
#include "dialogs/dialog_guiprefsImpl.h"
#include "dialogs/dialog_openImageImpl.h"
#include "dialogs/dialog_saveProfileValuesImpl.h"
#include "dialogs/dialog_gdsIIfileParametersImpl.h"
#include "dialogs/dialog_isoBeamShaperParamsImpl.h"
#include "dialogs/dialog_linearGrating2DImpl.h"
#include "dialogs/dialog_linear_and_separable2D_gratingsImpl.h"
#include "dialogs/dialog_one_real_number_correctionImpl.h"
#include "dialogs/dialog_rayGliderAbout.h"
#include "dialogs/dialog_sepaBeamShaperParamsImpl.h"
#include "dialogs/dialog_singleIntValueImpl.h"
#include "dialogs/dialog_singleSlitImpl.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "dialogs/dialog_twoOptionsImpl.h"
#include "dialogs/dialog_two_real_numbersImpl.h"
#include "dialogs/dialog_velmora_parametersImpl.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Texts that one caller puts into a form before running it; a null text: the caller hides that
// widget.
using Relabelling = std::vector<TextSpec>;
constexpr const char* hidden = nullptr;
// The name under which a relabelling gives the caption the caller sets.
constexpr const char captionName[] = "windowTitle";

struct FormRow
{
    const char* form; // the designer form, named like its .ui file
    DialogFactory make;
    const char* defaultButton;
    const char* firstInput; // nullptr: a box without inputs
    std::vector<Relabelling> callers;
};

// The about command's text: title, product line, an empty line and four lines of the maker.
const char aboutText[] = "QUORVEL Phasedeck\nfor the Quorvel SLM KTR-1080P, version 2.2\n\n"
                         "QUORVEL Photonics\nOptics Park 12\n00000 Sampletown\n"
                         "www.quorvel.example";

const std::vector<FormRow>& formRows()
{
    static const std::vector<FormRow> rows = {
        {"dialog_BrimcoveTutoramaAbout",
         factoryOf<dialog_BrimcoveTutoramaAbout>(),
         "OKButton",
         nullptr,
         {}},
        {"dialog_QV_PhasedeckAppAbout",
         factoryOf<dialog_QV_PhasedeckAppAbout>(),
         "OKButton",
         nullptr,
         {{{captionName, "About QUORVEL Phasedeck"}, {"InfoTextLabel", aboutText}}}},
        {"dialog_rayGliderAbout", factoryOf<dialog_rayGliderAbout>(), "OKButton", nullptr, {}},
        {"dialog_IFTAParameters",
         factoryOf<dialog_IFTAImpl>(),
         "Ok",
         "value1_SpinBox",
         {{{captionName, "Set IFTA parameters"}}}},
#if !PHASEDECK_LAB
        {"dialog_IFTAParameters_Tutorama",
         factoryOf<dialog_IFTA_tutoramaImpl>(),
         "Ok",
         "value1_SpinBox",
         {}},
#endif
        {"dialog_WL_and_FL", factoryOf<dialog_WL_and_FLImpl>(), "Ok", "WaveLengthEdit", {}},
        {"dialog_Zandor_IFTA_Parameters",
         factoryOf<dialog_Zandor_IFTA_ParametersImpl>(),
         "Ok",
         "gratingPeriodListBox",
         {}},
        {"dialog_binFZLParameters",
         factoryOf<dialog_binFZLParametersImpl>(),
         "Ok",
         "radiusSpinBox",
         {{{captionName, "Radius of smallest ring of axicon "}}}},
        {"dialog_binLinGratingsOptimization",
         factoryOf<dialog_binLinGratingsOptimizationImpl>(),
         "pushButton1",
         "SignalOrderNrSpinBox",
         {}},
        {"dialog_circularAperture",
         factoryOf<dialog_circularApertureImpl>(),
         "Ok",
         "radiusSpinBox",
         {}},
        {"dialog_contFZLParameters",
         factoryOf<dialog_contFZLParametersImpl>(),
         "Ok",
         "radiusSpinBox",
         {{{captionName, "Radius of smallest ring of axicon "}, {"TextLabel1", "Smallest zone:"}}}},
        {"dialog_doubleSlitParameters",
         factoryOf<dialog_doubleSlitParametersImpl>(),
         "Ok",
         "SlitWidthSpinBox",
         {{{captionName, "Set Aperture parameters"},
           {"TextLabel3", "Aperture width:"},
           {"TextLabel4", "Aperture height:"}}}},
        {"dialog_exportBLG2Textlib",
         factoryOf<dialog_binLinGratingTextlibExportImpl>(),
         "pushButton1",
         "lineEdit_pixelsize",
         {}},
        {"dialog_fourIntValues",
         factoryOf<dialog_fourIntValuesImpl>(),
         "Ok",
         "value1_SpinBox",
         {{{captionName, "Please specify parameters"},
           {"TextLabel1", "Maximum positive shift:"},
           {"TextLabel2", "Maximum negative shift:"},
           {"TextLabel3", "Lowest value to randomize:"},
           {"TextLabel4", "Highest value to randomize:"}}}},
        {"dialog_fourOptions", factoryOf<dialog_fourOptionsImpl>(), "Ok", "radioButton1", {}},
        {"dialog_GUIPrefs",
         factoryOf<dialog_guiprefsImpl>(),
         "buttonOk",
         "checkBox_imageOptions",
         {}},
        {"dialog_openImage",
         factoryOf<dialog_openImageImpl>(),
         "Ok",
         "radioButton1",
         {{{"textLabel_info",
            "Properties: Grayscale image with 5000 x 5000 pixels and 256 unique colors"},
           {"radioButton1", "Grayscale image"},
           {"radioButton11", "quantized phase with 256 equidistant levels"},
           {"spinBox_Levels", hidden},
           {"textLabel3", hidden}},
          {{"textLabel_info",
            "Properties: Color image with 16384 x 16384 pixels and 16777216 unique colors"},
           {"radioButton1", "Grayscale image - RGB mix as specified below"}}}},
        {"dialog_SaveProfileValues",
         factoryOf<dialog_saveProfileValuesImpl>(),
         "OKpushButton",
         "cursor1XspinBox",
         {}},
        {"dialog_gdsIIfileParameters",
         factoryOf<dialog_gdsIIfileParametersImpl>(),
         "Ok",
         "radioButton1",
         {}},
        {"dialog_isoBeamShaperParameters",
         factoryOf<dialog_isoBeamShaperParamsImpl>(),
         "Ok",
         "WaveLengthEdit",
         {}},
        {"dialog_linearGrating2D",
         factoryOf<dialog_linearGrating2DImpl>(),
         "Ok",
         "HoriGrooveXSpinBox",
         {}},
        {"dialog_linear_and_separable2D_gratings",
         factoryOf<dialog_linear_and_separable2D_gratingsImpl>(),
         "OkButton",
         "spinBox_TPX",
         {}},
        {"dialog_one_real_number_correction",
         factoryOf<dialog_one_real_number_correctionImpl>(),
         "Ok",
         "LineEdit_variable",
         {}},
        {"dialog_sepaBeamShaperParameters",
         factoryOf<dialog_sepaBeamShaperParamsImpl>(),
         "Ok",
         "WaveLengthEdit",
         {}},
        {"dialog_singleIntValue", factoryOf<dialog_singleIntValueImpl>(), "Ok", "valueSpinBox", {}},
        {"dialog_singleSlit", factoryOf<dialog_singleSlitImpl>(), "Ok", "slitWidthSpinBox", {}},
        {"dialog_twoIntValues",
         factoryOf<dialog_twoIntValuesImpl>(),
         "Ok",
         "value1_SpinBox",
         {{{captionName, "Graylevel range for fullscreen windows"},
           {"TextLabel_1", "Graylevel 0:"},
           {"TextLabel_2", "Graylevel 2Pi:"}},
          {{captionName, "Please specify display pixel number "},
           {"TextLabel_1", "Display size X:"},
           {"TextLabel_2", "Display size Y:"}},
          {{captionName, "Vortex phase parameters"},
           {"TextLabel_1", "Radius of central zone"},
           {"TextLabel_2", "Phase transition angle"}},
          {{captionName, "Concentring ring segment parameters"},
           {"TextLabel_1", "Radius of smallest ring"},
           {"TextLabel_2", "Number of segments"}},
          {{captionName, "Cylindrical Fresnel zone lens parameters"},
           {"TextLabel_1", "Width of central zone"},
           {"TextLabel_2", "Angle"}},
          {{captionName, "Linear Grating, duty cycle 50/50, 45deg rotation"},
           {"TextLabel_1", "Groove/ridge width"},
           {"TextLabel_2", "Rotation angle"}},
          {{captionName, "Grating parameters"},
           {"TextLabel_1", "Grating period"},
           {"TextLabel_2", "Angle"}}}},
        {"dialog_twoOptions",
         factoryOf<dialog_twoOptionsImpl>(),
         "Ok",
         "radioButton1",
         {{{captionName, "Select data export option"},
           {"buttonGroup1", "Export"},
           {"radioButton1", "Original data"},
           {"radioButton2", "Zoomed data"}}}},
        {"dialog_two_real_numbers",
         factoryOf<dialog_two_real_numbersImpl>(),
         "Ok",
         "LineEdit_variable_1",
         {{{captionName, "Please specify optical parameters"},
           {"GroupBox1", "Optical parameters"},
           {"TextLabel_variable1", "Wavelength: "},
           {"TextLabelUnit_1", "nm"},
           {"TextLabel_variable2", "Pixel size: "},
           {"TextLabelUnit_2", "\xc2\xb5m"}}}},
        {"dialog_velmora_parameters",
         factoryOf<dialog_velmora_parametersImpl>(),
         "Ok",
         "spinBox_PN",
         {}},
    };
    return rows;
}

// Forms whose classes this edition does not build.
QSet<QString> formsOutsideThisEdition()
{
#if PHASEDECK_LAB
    return {"dialog_IFTAParameters_Tutorama"};
#else
    return {};
#endif
}

void relabel(QDialog& dialog, const Relabelling& texts)
{
    for (const TextSpec& t : texts) {
        if (t.name == captionName) {
            dialog.setWindowTitle(QString::fromUtf8(t.text));
            continue;
        }
        QObject* child = dialog.findChild<QObject*>(t.name);
        ASSERT_NE(child, nullptr) << t.name;
        if (t.text == hidden) {
            qobject_cast<QWidget*>(child)->hide();
            continue;
        }
        ASSERT_TRUE(child->setProperty(qobject_cast<QGroupBox*>(child) ? "title" : "text",
                                       QString::fromUtf8(t.text)));
    }
}

TEST(AllForms, TableNamesEveryForm)
{
    const QDir forms(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../dialogs");
    const QStringList files = forms.entryList({"dialog_*.ui"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty()) << "no forms in " << forms.absolutePath().toStdString();
    QSet<QString> inTable;
    for (const FormRow& row : formRows())
        inTable.insert(row.form);
    for (const QString& file : files) {
        const QString form = QFileInfo(file).completeBaseName();
        if (!formsOutsideThisEdition().contains(form)) {
            EXPECT_TRUE(inTable.contains(form)) << form.toStdString() << " is missing";
        }
    }
    EXPECT_EQ(inTable.size(), int(formRows().size()));
}

// The platform's default font, and the font the program installs at start-up.
enum class FormFont { PlatformDefault, Program, Large };

class AllFormsInFont : public testing::TestWithParam<FormFont>
{
protected:
    void SetUp() override
    {
        if (GetParam() == FormFont::Program)
            QApplication::setFont(phasedeckApplicationFont());
        if (GetParam() == FormFont::Large) {
            QFont large = platformFont;
            large.setPointSize(16);
            QApplication::setFont(large);
        }
    }
    void TearDown() override { QApplication::setFont(platformFont); }

    const QFont platformFont = QApplication::font();
};

TEST_P(AllFormsInFont, TextsFit)
{
    for (const FormRow& row : formRows()) {
        SCOPED_TRACE(row.form);
        std::vector<Relabelling> variants = row.callers;
        variants.insert(variants.begin(), Relabelling());
        for (const Relabelling& texts : variants) {
            SCOPED_TRACE(texts.empty() ? "form texts" : texts.front().text);
            std::unique_ptr<QDialog> d = row.make(nullptr);
            relabel(*d, texts);
            d->show();
            checkTextsFit(*d);
            checkTextWidgetsFit(*d);
            // The window manager shows the caption whole: the form is at least as wide as the
            // caption in the title font and the title bar's icon, buttons and margins (openbox
            // takes about seven lines of its font for them).
            const QFontMetrics title(windowTitleFont());
            EXPECT_GE(d->width(), title.horizontalAdvance(d->windowTitle()) + 7 * title.height())
                << d->windowTitle().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, AllFormsInFont,
                         testing::Values(FormFont::PlatformDefault, FormFont::Program,
                                         FormFont::Large),
                         [](const testing::TestParamInfo<FormFont>& info) {
                             return info.param == FormFont::Program ? "ProgramFont"
                                    : info.param == FormFont::Large ? "LargeFont"
                                                                    : "PlatformDefaultFont";
                         });

// With a font small enough for every text, showing a form moves and resizes nothing.
TEST(AllForms, FormsKeepTheirDesignedGeometryWhereTheTextsFit)
{
    const QFont platformFont = QApplication::font();
    QFont small = platformFont;
    small.setPointSize(6);
    QApplication::setFont(small);
    for (const FormRow& row : formRows()) {
        SCOPED_TRACE(row.form);
        std::unique_ptr<QDialog> d = row.make(nullptr);
        std::vector<std::pair<QWidget*, QRect>> designed;
        for (QWidget* w : d->findChildren<QWidget*>())
            designed.emplace_back(w, w->geometry());
        const QSize designedSize = d->size();
        d->show();
        // Only a caption wider than the form widens it, whatever the application font.
        EXPECT_EQ(d->size(),
                  QSize(std::max(designedSize.width(), captionFitWidth(d->windowTitle())),
                        designedSize.height()));
        for (const auto& [w, rect] : designed) {
            // What the form places by hand: children of the form, its groups, frames and
            // plain holders, where no layout places them.
            const QWidget* parent = w->parentWidget();
            const QMetaObject* kind = parent->metaObject();
            if (parent->layout()
                || !(parent == d.get() || qobject_cast<const QGroupBox*>(parent)
                     || kind == &QFrame::staticMetaObject || kind == &QWidget::staticMetaObject))
                continue;
            EXPECT_EQ(w->geometry(), rect) << w->objectName().toStdString();
        }
    }
    QApplication::setFont(platformFont);
}

TEST(AllForms, ReturnAcceptsAndTheFirstInputHasTheFocus)
{
    for (const FormRow& row : formRows()) {
        SCOPED_TRACE(row.form);
        checkDefaultAndFocus(row.make, row.defaultButton, row.firstInput);
    }
}

// A caller presets the first input; what the user types then replaces the shown value.
TEST(AllForms, TypingReplacesThePresetValue)
{
    for (const FormRow& row : formRows()) {
        SCOPED_TRACE(row.form);
        std::unique_ptr<QDialog> d = row.make(nullptr);
        if (!row.firstInput)
            continue;
        QWidget* input = d->findChild<QWidget*>(row.firstInput);
        ASSERT_NE(input, nullptr);
        auto* spin = qobject_cast<QSpinBox*>(input);
        auto* edit = qobject_cast<QLineEdit*>(input);
        if (!spin && !edit)
            continue;
        QString typed;
        if (spin) {
            spin->setValue(spin->maximum());
            typed = QString::number(spin->minimum() + (spin->maximum() - spin->minimum()) / 2);
        } else {
            edit->setText("12.5");
            typed = "3";
        }
        const int result = execWhile(*d, [&typed](QDialog& dialog) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        EXPECT_EQ(result, int(QDialog::Accepted));
        EXPECT_EQ((spin ? QString::number(spin->value()) : edit->text()).toStdString(),
                  typed.toStdString());
    }
}

} // namespace
