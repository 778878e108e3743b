// The image options, user-interface preferences and profile dialogs: structure, presets, how they
// close, the enabling between their choices, keyboard defaults and texts that fit their font.
#include "formChecks.h"

#include "dialogs/dialog_guiprefsImpl.h"
#include "dialogs/dialog_openImageImpl.h"
#include "dialogs/dialog_saveProfileValuesImpl.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QRect placed; // placed by a layout

FormSpec openImageForm()
{
    return {"dialog_openImageImpl",
            "dialog_openImage",
            factoryOf<dialog_openImageImpl>(),
            "Select options for image conversion to datafield",
            QSize(450, 626),
            {{"textLabel_info", "QLabel", QRect(20, 12, 410, 44)},
             {"buttonGroup1", "QGroupBox", QRect(20, 66, 410, 166)},
             {"radioButton1", "QRadioButton", QRect(14, 28, 380, 24)},
             {"textLabel1", "QLabel", QRect(38, 60, 124, 26)},
             {"textLabel_R", "QLabel", QRect(170, 60, 16, 26)},
             {"spinBox_R", "QSpinBox", QRect(188, 60, 54, 26)},
             {"textLabel_G", "QLabel", QRect(270, 126, 16, 26)},
             {"spinBox_G", "QSpinBox", QRect(288, 126, 54, 26)},
             {"textLabel_B", "QLabel", QRect(352, 126, 16, 26)},
             {"spinBox_B", "QSpinBox", QRect(370, 126, 54, 26)},
             {"radioButton2", "QRadioButton", QRect(14, 94, 380, 24)},
             {"radioButton3", "QRadioButton", QRect(14, 126, 380, 24)},
             {"buttonGroup2", "QGroupBox", QRect(20, 246, 410, 300)},
             {"radioButton_realField", "QRadioButton", QRect(14, 28, 380, 24)},
             {"buttonGroup3", "QGroupBox", QRect(34, 54, 360, 100)},
             {"radioButton7", "QRadioButton", QRect(12, 8, 336, 24)},
             {"radioButton8", "QRadioButton", QRect(12, 38, 336, 24)},
             {"radioButton9", "QRadioButton", QRect(12, 68, 336, 24)},
             {"radioButton_complexFieldPhase", "QRadioButton", QRect(14, 166, 380, 24)},
             {"buttonGroup4", "QGroupBox", QRect(34, 192, 360, 92)},
             {"radioButton10", "QRadioButton", QRect(12, 10, 336, 24)},
             {"radioButton11", "QRadioButton", QRect(12, 50, 160, 26)},
             {"spinBox_Levels", "QSpinBox", QRect(178, 50, 70, 26)},
             {"textLabel3", "QLabel", QRect(256, 50, 60, 26)},
             {"Ok", "QPushButton", QRect(90, 566, 110, 38)},
             {"Cancel", "QPushButton", QRect(250, 566, 110, 38)}},
            {"languageChange()"},
            {}};
}

FormSpec guiPrefsForm()
{
    return {"dialog_guiprefsImpl",
            "dialog_GUIPrefs",
            factoryOf<dialog_guiprefsImpl>(),
            "GUI Preferences",
            QSize(512, 227),
            {{"dialog_GUIPrefsLayout", "QVBoxLayout", placed},
             {"tabWidget", "QTabWidget", placed},
             {"Widget8", "QWidget", placed},
             {"Widget9", "QWidget", placed},
             {"checkBox_imageOptions", "QCheckBox", placed},
             {"checkBox_IFTAOptions", "QCheckBox", placed},
             {"checkBox_Autozoom", "QCheckBox", placed},
             {"Layout1", "QHBoxLayout", placed},
             {"buttonHelp", "QPushButton", placed},
             {"buttonOk", "QPushButton", placed},
             {"buttonCancel", "QPushButton", placed}},
            {"languageChange()"},
            {}};
}

FormSpec saveProfileForm()
{
    return {"dialog_saveProfileValuesImpl",
            "dialog_SaveProfileValues",
            factoryOf<dialog_saveProfileValuesImpl>(),
            "Save profile values",
            QSize(312, 404),
            {{"Cursor1Box", "QGroupBox", QRect(10, 8, 292, 60)},
             {"textLabel1_1", "QLabel", QRect(14, 24, 18, 26)},
             {"cursor1XspinBox", "QSpinBox", QRect(34, 24, 90, 26)},
             {"textLabel1_2", "QLabel", QRect(150, 24, 18, 26)},
             {"cursor1YspinBox", "QSpinBox", QRect(170, 24, 90, 26)},
             {"Cursor2Box", "QGroupBox", QRect(10, 72, 292, 60)},
             {"textLabel2_1", "QLabel", QRect(14, 24, 18, 26)},
             {"cursor2XspinBox", "QSpinBox", QRect(34, 24, 90, 26)},
             {"textLabel2_2", "QLabel", QRect(150, 24, 18, 26)},
             {"cursor2YspinBox", "QSpinBox", QRect(170, 24, 90, 26)},
             {"textLabel2", "QLabel", QRect(10, 140, 190, 26)},
             {"samplingPointsSpinBox", "QSpinBox", QRect(206, 140, 96, 26)},
             {"textLabel3", "QLabel", QRect(10, 168, 190, 26)},
             {"samplingDistanceX_lineEdit", "QLineEdit", QRect(206, 168, 96, 26)},
             {"textLabel4", "QLabel", QRect(10, 196, 190, 26)},
             {"samplingDistanceY_lineEdit", "QLineEdit", QRect(206, 196, 96, 26)},
             {"textLabel5", "QLabel", QRect(10, 224, 190, 26)},
             {"samplingDistanceP_lineEdit", "QLineEdit", QRect(206, 224, 96, 26)},
             {"frame7", "QFrame", QRect(10, 254, 292, 100)},
             {"originalValuesCheckBox", "QCheckBox", QRect(8, 4, 276, 38)},
             {"buttonGroup1", "QGroupBox", QRect(8, 44, 276, 52)},
             {"parallel2Y_radioButton", "QRadioButton", QRect(8, 2, 262, 24)},
             {"parallel2X_radioButton", "QRadioButton", QRect(8, 26, 262, 24)},
             {"OKpushButton", "QPushButton", QRect(40, 360, 100, 36)},
             {"CANCELpushButton", "QPushButton", QRect(172, 360, 100, 36)}},
            {"languageChange()"},
            {}};
}

TEST(ImagePreferenceProfileDialogs, FormsChildrenAndSlots)
{
    checkForm(openImageForm());
    checkForm(guiPrefsForm());
    checkForm(saveProfileForm());
}

TEST(ImagePreferenceProfileDialogs, OpenImagePresets)
{
    dialog_openImageImpl d(nullptr, nullptr, true);
    EXPECT_TRUE(d.isEnabled());
    checkTexts(d,
               {{"textLabel_info",
                 "Properties: Grayscale image with 1000 x 1000 pixels and 512 unique colors"},
                {"buttonGroup1", "Color interpretation"},
                {"radioButton1", "Grayscale image (convert if necessary)"},
                {"textLabel1", "RGB channel mix"},
                {"textLabel_R", "R"},
                {"textLabel_G", "G"},
                {"textLabel_B", "B"},
                {"radioButton2", "Cyclic color image"},
                {"radioButton3", "Monochrome image (convert if necessary)"},
                {"buttonGroup2", "Convert image into"},
                {"radioButton_realField", "real-valued field"},
                {"buttonGroup3", ""},
                {"radioButton7", "keep values"},
                {"radioButton8", "divide grayscale value by 255"},
                {"radioButton9", "adjust values to interval [0..1]"},
                {"radioButton_complexFieldPhase", "phase of complex field with constant amplitude"},
                {"buttonGroup4", ""},
                {"radioButton10", "phase= grayscale value * (2Pi/256)"},
                {"radioButton11", "quantized phase with"},
                {"textLabel3", "levels"},
                {"Ok", "Ok"},
                {"Cancel", "Cancel"}});
    checkSpinBoxes(d, {{"spinBox_R", 0, 99, 1, 11, false},
                       {"spinBox_G", 0, 99, 1, 16, false},
                       {"spinBox_B", 0, 99, 1, 5, false}});
    checkStates(d, {{"radioButton1", true, true},
                    {"radioButton2", false, true},
                    {"radioButton3", false, true},
                    {"radioButton_realField", true, true},
                    {"radioButton7", true, true},
                    {"radioButton8", false, true},
                    {"radioButton9", false, true},
                    {"radioButton_complexFieldPhase", false, true},
                    {"radioButton10", true, false},
                    {"radioButton11", false, false}});
    EXPECT_EQ(d.spinBox_Levels->minimum(), 2);
    EXPECT_EQ(d.spinBox_Levels->maximum(), 2048);
    EXPECT_EQ(d.spinBox_Levels->value(), 2);
    EXPECT_FALSE(d.spinBox_Levels->isEnabled());
    EXPECT_FALSE(d.textLabel3->isEnabled());
    // G, B and their labels stand on the weights row over the colour group, as the dialog's own.
    for (QWidget* w : {static_cast<QWidget*>(d.spinBox_G), static_cast<QWidget*>(d.spinBox_B),
                       static_cast<QWidget*>(d.textLabel_G), static_cast<QWidget*>(d.textLabel_B)})
        EXPECT_EQ(w->parentWidget(), &d) << w->objectName().toStdString();
    EXPECT_EQ(d.spinBox_R->parentWidget(), d.buttonGroup1);
    EXPECT_EQ(d.spinBox_G->mapTo(&d, QPoint()).y(), d.spinBox_R->mapTo(&d, QPoint()).y());
}

TEST(ImagePreferenceProfileDialogs, OpenImageChoicesEnableTheirParts)
{
    dialog_openImageImpl d(nullptr, nullptr, true);
    const std::vector<QWidget*> weights = {d.spinBox_R, d.spinBox_G, d.spinBox_B};
    auto weightsEnabled = [&] {
        int enabled = 0;
        for (QWidget* w : weights)
            enabled += w->isEnabled();
        return enabled;
    };

    // Colour interpretation: cyclic and monochrome switch the weights off, gray mix on.
    struct ColourStep
    {
        QRadioButton* button;
        int weightsOn;
    };
    const ColourStep colourSteps[]
        = {{d.radioButton2, 0}, {d.radioButton1, 3}, {d.radioButton3, 0}, {d.radioButton1, 3}};
    for (const ColourStep& step : colourSteps) {
        SCOPED_TRACE(step.button->objectName().toStdString());
        step.button->click();
        EXPECT_TRUE(step.button->isChecked());
        EXPECT_EQ(weightsEnabled(), step.weightsOn);
    }

    // Conversion: the phase choice enables its part and disables the value scalings, which keep
    // their own checked button; back to the real field the other way round.
    d.radioButton9->click();
    d.radioButton_complexFieldPhase->click();
    EXPECT_FALSE(d.radioButton_realField->isChecked());
    for (QWidget* w :
         std::vector<QWidget*>{d.radioButton10, d.radioButton11, d.textLabel3, d.spinBox_Levels})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : std::vector<QWidget*>{d.radioButton7, d.radioButton8, d.radioButton9})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(d.radioButton9->isChecked());
    EXPECT_TRUE(d.radioButton10->isChecked());

    d.radioButton11->click();
    d.radioButton_realField->click();
    for (QWidget* w :
         std::vector<QWidget*>{d.radioButton10, d.radioButton11, d.textLabel3, d.spinBox_Levels})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget* w : std::vector<QWidget*>{d.radioButton7, d.radioButton8, d.radioButton9})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(d.radioButton9->isChecked());
    EXPECT_TRUE(d.radioButton11->isChecked());
}

TEST(ImagePreferenceProfileDialogs, OpenImageShowsTheArrowCursorWhileItExists)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    {
        dialog_openImageImpl d(nullptr, nullptr, true);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    }
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ImagePreferenceProfileDialogs, GuiPrefsPresets)
{
    dialog_guiprefsImpl d(nullptr, nullptr, true);
    EXPECT_TRUE(d.isSizeGripEnabled());
    EXPECT_EQ(d.tabWidget->count(), 2);
    EXPECT_EQ(d.tabWidget->currentIndex(), 0);
    EXPECT_EQ(d.tabWidget->tabText(0), "Dialog appearance");
    EXPECT_EQ(d.tabWidget->tabText(1), "Field visualization window");
    EXPECT_EQ(d.checkBox_imageOptions->parentWidget(), d.Widget8);
    EXPECT_EQ(d.checkBox_IFTAOptions->parentWidget(), d.Widget8);
    EXPECT_EQ(d.checkBox_Autozoom->parentWidget(), d.Widget9);
    checkTexts(d, {{"checkBox_imageOptions", "Show option dialog when opening images"},
                   {"checkBox_IFTAOptions", "Show options dialog before starting IFTA calculation"},
                   {"checkBox_Autozoom", "Autozoom for large field sizes"},
                   {"buttonHelp", "&Help"},
                   {"buttonOk", "&OK"},
                   {"buttonCancel", "&Cancel"}});
    checkStates(d, {{"checkBox_imageOptions", true, true},
                    {"checkBox_IFTAOptions", true, true},
                    {"checkBox_Autozoom", false, true}});
    EXPECT_TRUE(d.buttonOk->isDefault());
    for (QPushButton* b : {d.buttonHelp, d.buttonOk, d.buttonCancel})
        EXPECT_TRUE(b->autoDefault()) << b->objectName().toStdString();
    EXPECT_EQ(d.buttonHelp->shortcut(), QKeySequence(Qt::Key_F1));
    // The button row: help, a stretch, OK and Cancel; margins 11 and 6 around and between.
    EXPECT_EQ(d.layout()->contentsMargins(), QMargins(11, 11, 11, 11));
    EXPECT_EQ(d.layout()->spacing(), 6);
    EXPECT_EQ(d.Layout1->indexOf(d.buttonHelp), 0);
    EXPECT_EQ(d.Layout1->indexOf(d.buttonOk), 2);
    EXPECT_EQ(d.Layout1->indexOf(d.buttonCancel), 3);
    EXPECT_EQ(d.Layout1->spacing(), 6);
    EXPECT_EQ(d.Layout1->contentsMargins(), QMargins());
}

TEST(ImagePreferenceProfileDialogs, SaveProfilePresetsAndOrientationEnabling)
{
    dialog_saveProfileValuesImpl d(nullptr, nullptr, true);
    checkTexts(d, {{"Cursor1Box", "Cursor1"},
                   {"Cursor2Box", "Cursor2"},
                   {"textLabel1_1", "X"},
                   {"textLabel1_2", "Y"},
                   {"textLabel2_1", "X"},
                   {"textLabel2_2", "Y"},
                   {"textLabel2", "Sampling points"},
                   {"textLabel3", "Sampling point distance X"},
                   {"textLabel4", "Sampling point distance Y"},
                   {"textLabel5", "Sampling point distance"},
                   {"samplingDistanceX_lineEdit", ""},
                   {"samplingDistanceY_lineEdit", ""},
                   {"samplingDistanceP_lineEdit", ""},
                   {"originalValuesCheckBox", "save original \nfield values only"},
                   {"buttonGroup1", ""},
                   {"parallel2Y_radioButton", "vertical (parallel to Y)"},
                   {"parallel2X_radioButton", "horizontal (parallel to X)"},
                   {"OKpushButton", "OK"},
                   {"CANCELpushButton", "Cancel"}});
    checkSpinBoxes(d, {{"cursor1XspinBox", 0, 99, 1, 0, false},
                       {"cursor1YspinBox", 0, 99, 1, 0, false},
                       {"cursor2XspinBox", 0, 99, 1, 0, false},
                       {"cursor2YspinBox", 0, 99, 1, 0, false},
                       {"samplingPointsSpinBox", 0, 99, 1, 0, false}});
    struct Buddy
    {
        QLabel* label;
        QWidget* buddy;
    };
    const Buddy buddies[] = {{d.textLabel1_1, d.cursor1XspinBox},
                             {d.textLabel1_2, d.cursor1YspinBox},
                             {d.textLabel2_1, d.cursor2XspinBox},
                             {d.textLabel2_2, d.cursor2YspinBox},
                             {d.textLabel2, nullptr},
                             {d.textLabel3, d.samplingDistanceX_lineEdit},
                             {d.textLabel4, d.samplingDistanceY_lineEdit},
                             {d.textLabel5, d.samplingDistanceP_lineEdit}};
    for (const Buddy& b : buddies)
        EXPECT_EQ(b.label->buddy(), b.buddy) << b.label->objectName().toStdString();

    // Enabled at first; from the first toggle on exactly while the check box is checked.
    checkStates(d, {{"originalValuesCheckBox", false, true},
                    {"parallel2Y_radioButton", false, true},
                    {"parallel2X_radioButton", false, true}});
    for (bool on : {true, false, true}) {
        d.originalValuesCheckBox->setChecked(on);
        EXPECT_EQ(d.parallel2Y_radioButton->isEnabled(), on);
        EXPECT_EQ(d.parallel2X_radioButton->isEnabled(), on);
    }
}

TEST(ImagePreferenceProfileDialogs, ButtonsEscapeAndClose)
{
    checkButtons(
        factoryOf<dialog_openImageImpl>(),
        {{"Ok", QDialog::Accepted, Trigger::Press}, {"Cancel", QDialog::Rejected, Trigger::Press}});
    checkButtons(factoryOf<dialog_guiprefsImpl>(),
                 {{"buttonOk", QDialog::Accepted, Trigger::Click},
                  {"buttonCancel", QDialog::Rejected, Trigger::Click}});
    checkButtons(factoryOf<dialog_saveProfileValuesImpl>(),
                 {{"OKpushButton", QDialog::Accepted, Trigger::Click},
                  {"CANCELpushButton", QDialog::Rejected, Trigger::Click}});
}

TEST(ImagePreferenceProfileDialogs, HelpAndF1DoNothing)
{
    dialog_guiprefsImpl d(nullptr, nullptr, true);
    d.checkBox_Autozoom->setChecked(true);
    bool stillOpen = false;
    const int result = execWhile(d, [&](QDialog& dialog) {
        QTest::mouseClick(d.buttonHelp, Qt::LeftButton);
        QTest::keyClick(&dialog, Qt::Key_F1);
        stillOpen = dialog.isVisible();
        dialog.done(7);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(d.checkBox_Autozoom->isChecked());
}

// Each dialog opens with its first input focused and accepts on Return.
TEST(ImagePreferenceProfileDialogs, FirstInputFocusedAndReturnAccepts)
{
    struct Case
    {
        DialogFactory make;
        const char* firstInput;
        const char* defaultButton;
    };
    const Case cases[] = {
        {factoryOf<dialog_openImageImpl>(), "radioButton1", "Ok"},
        {factoryOf<dialog_guiprefsImpl>(), "checkBox_imageOptions", "buttonOk"},
        {factoryOf<dialog_saveProfileValuesImpl>(), "cursor1XspinBox", "OKpushButton"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstInput);
        std::unique_ptr<QDialog> d = c.make(nullptr);
        EXPECT_TRUE(d->findChild<QPushButton*>(c.defaultButton)->isDefault());
        QString focused;
        const int result = execWhile(*d, [&](QDialog& dialog) {
            if (dialog.focusWidget())
                focused = dialog.focusWidget()->objectName();
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Return);
        });
        EXPECT_EQ(focused, c.firstInput);
        EXPECT_EQ(result, int(QDialog::Accepted));
    }
}

// With a large font, no placed text is cut and no widget leaves its parent.
TEST(ImagePreferenceProfileDialogs, PlacedTextsGrowWithTheirFont)
{
    const QFont saved = QApplication::font();
    QFont large = saved;
    large.setPointSize(18);
    QApplication::setFont(large);
    const DialogFactory factories[]
        = {factoryOf<dialog_openImageImpl>(), factoryOf<dialog_saveProfileValuesImpl>()};
    for (const DialogFactory& make : factories) {
        std::unique_ptr<QDialog> d = make(nullptr);
        SCOPED_TRACE(d->metaObject()->className());
        // A caller's longer text counts too.
        if (auto* open = qobject_cast<dialog_openImageImpl*>(d.get()))
            open->radioButton1->setText("Grayscale image - RGB mix as specified below");
        const int designedWidth = d->width();
        d->show();
        for (QWidget* w : d->findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w))
                continue;
            SCOPED_TRACE(w->objectName().toStdString());
            const auto* label = qobject_cast<QLabel*>(w);
            if (label && label->wordWrap()) {
                EXPECT_GE(w->height(), label->heightForWidth(w->width()));
            } else {
                EXPECT_GE(w->width(), w->sizeHint().width());
                EXPECT_GE(w->height(), w->sizeHint().height());
            }
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        }
        EXPECT_GT(d->width(), designedWidth) << "the large font widens the dialog";
        d->hide();
    }
    QApplication::setFont(saved);
}

} // namespace
