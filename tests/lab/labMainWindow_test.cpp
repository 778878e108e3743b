// The internal edition's main window: its menu tree, its slot table, the preference entries and
// the user-interface preferences command.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_guiprefsImpl.h"
#include "support/menuTree.h"
#include "support/messageRecorder.h"
#include "views/backgroundImage.h"
#include "views/qFullScreenFieldWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace {

class LabMainWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved[0] = theSettings.showImageOptionsDialog;
        saved[1] = theSettings.showIFTAOptionsDialog;
        saved[2] = theSettings.autoShrinkFieldWindows;
        savedSize = {theSettings.fullScreenWidth, theSettings.fullScreenHeight};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        window = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        previousDialog = setDialogRunner([this](QDialog& d) {
            dialogCaptions << d.windowTitle();
            return answer ? answer(d) : int(QDialog::Rejected);
        });
        previousOpen = setOpenFileDialogRunner([this](const FileDialogRequest& r) {
            fileCaptions << r.caption;
            fileFilters << r.filters;
            return FileDialogResult();
        });
    }
    void TearDown() override
    {
        setDialogRunner(previousDialog);
        setOpenFileDialogRunner(previousOpen);
        window.reset();
        theSettings.showImageOptionsDialog = saved[0];
        theSettings.showIFTAOptionsDialog = saved[1];
        theSettings.autoShrinkFieldWindows = saved[2];
        theSettings.fullScreenWidth = savedSize.first;
        theSettings.fullScreenHeight = savedSize.second;
        delete theBackgroundImage;
        theBackgroundImage = nullptr;
    }

    QAction* entry(const QString& menu, const QString& text) const
    {
        for (QAction* top : window->menuBar()->actions())
            if (top->text() == menu)
                for (QAction* a : top->menu()->actions())
                    if (a->text() == text)
                        return a;
        ADD_FAILURE() << "no entry " << menu.toStdString() << "/" << text.toStdString();
        return nullptr;
    }

    std::unique_ptr<QDOEMainWindow> window;
    std::function<int(QDialog&)> answer;
    QStringList dialogCaptions;
    QStringList fileCaptions;
    QStringList fileFilters;
    MessageRecorder messages;
    bool saved[3];
    std::pair<int, int> savedSize;
    DialogRunner previousDialog;
    FileDialogRunner previousOpen;
};

TEST_F(LabMainWindowTest, MenuTree)
{
    QStringList tree;
    appendMenuTree("", window->menuBar()->actions(), tree);
    const QString e = "&Elementary Optical Functions/";
    const QString p = "&Preferences/";
    const QStringList expected = {
        "&File/",
        "&File/Open &Image file [Ctrl+I]",
        "&File/&Open DOE",
        "&File/---",
        "&File/E&xit [Ctrl+Q]",
        e,
        e + "Show Blank Screen",
        e + "Show Horizontally Divided Screen",
        e + "Show Random Bitmap",
        e + "Show Random Binary Bitmap",
        e + "Show Rectangular Aperture",
        e + "Show Circular Aperture",
        e + "Show Binary Fresnel Zone Lens",
        e + "Show Fresnel Zone Lens",
        e + "Show Cylindrical Fresnel Zone Lens",
        e + "Show Binary Axicon",
        e + "Show Axicon",
        e + "Show Vortex Phase",
        e + "Show Concentric Ring Segments",
        e + "Show Single Slit",
        e + "Show Double Slit",
        e + "Show Binary Linear Grating",
        e + "Show Binary Linear Grating (45 degree rotation)",
        e + "Show Binary 1-to-5 Linear Beamsplitter Grating",
        e + "Show Binary 1-to-(2x2) Separable Array Beamsplitter Grating",
        e + "Show Binary 1-to-(5x5) Separable Array Beamsplitter Grating",
        e + "Show Binary 1-to-(5x5) Non-separable Array Beamsplitter Grating",
        e + "Show Sinusoidal Grating",
        e + "Show Blazed Grating",
        p,
        p + "Optical parameters",
        p + "Load &Background Compensation Image file",
        p + "&Unload Background Compensation Image file",
        p + "&Set graylevel display range",
        "&Windows/",
        "&Help/",
        "&Help/&About [Ctrl+A]",
    };
    EXPECT_EQ(tree, expected);
}

// "&Open DOE" asks for an element file; cancelling it opens nothing.
TEST_F(LabMainWindowTest, OpenDOEAsksForAnElementFile)
{
    QAction* a = entry("&File", "&Open DOE");
    ASSERT_NE(a, nullptr);
    a->trigger();
    ASSERT_EQ(fileFilters.size(), 1);
    EXPECT_EQ(fileFilters.front(), "DE File (*.de)");
    EXPECT_TRUE(window->findChild<QMdiArea*>()->subWindowList().isEmpty());
}

// Each generator entry reaches the generator of its name: the pattern's caption tells.
TEST_F(LabMainWindowTest, GeneratorEntriesReachTheirGenerators)
{
    struct Row
    {
        const char* entry;
        const char* caption; // start of the full-screen window's caption
    };
    const Row rows[] = {
        {"Show Blank Screen", "Blank screen"},
        {"Show Binary Linear Grating (45 degree rotation)", "Linear Grating, "},
        {"Show Binary 1-to-5 Linear Beamsplitter Grating", "Dammann Linear 1-to-5"},
        {"Show Binary 1-to-(5x5) Non-separable Array Beamsplitter Grating",
         "1-to-(5x5) non-separable array beamsplitter grating"},
    };
    answer = [](QDialog&) { return int(QDialog::Accepted); };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entry);
        const size_t before = openFullScreenWindows.size();
        QAction* a = entry("&Elementary Optical Functions", row.entry);
        ASSERT_NE(a, nullptr);
        a->trigger();
        ASSERT_EQ(openFullScreenWindows.size(), before + 1);
        EXPECT_TRUE(openFullScreenWindows.back()->windowTitle().startsWith(row.caption))
            << openFullScreenWindows.back()->windowTitle().toStdString();
    }
    QMetaObject::invokeMethod(window.get(), "closeAllExternalField2DWidgets");
}

TEST_F(LabMainWindowTest, SlotTable)
{
    QStringList slotNames;
    const QMetaObject* meta = window->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
        if (meta->method(i).methodType() == QMetaMethod::Slot) {
            EXPECT_EQ(meta->method(i).access(), QMetaMethod::Private)
                << meta->method(i).methodSignature().toStdString();
            slotNames << QString::fromLatin1(meta->method(i).methodSignature());
        }
    // The drag, drop and key handlers are event handlers, not slots, in this toolkit.
    const QStringList expected = {"paste()",
                                  "loadBackgroundImageFromFile()",
                                  "unloadBackgroundImage()",
                                  "setGraylevelRange()",
                                  "openImageFile()",
                                  "openTextFile()",
                                  "openRBBFile()",
                                  "openDOE()",
                                  "openLinearDOE_TP()",
                                  "openLinearDOE_TP_EOM()",
                                  "openDiffractionPattern()",
                                  "batchConversionImage_2_gdsII()",
                                  "computeParameters_VELMORA()",
                                  "costumized_Batch_IFTA_VELMORA()",
                                  "createRandomBinaryBitmapFile()",
                                  "computeDOESpecs()",
                                  "fftSpeedtest()",
                                  "runComputationalJobs()",
                                  "analyticBeamShapingExamples()",
                                  "analyticIsotropicBeamShaperDesign()",
                                  "analyticEllipticBeamShaperDesign()",
                                  "analyticSeparableBeamShaperDesign()",
                                  "numericalGeometricBeamShaperDesign()",
                                  "showBlankScreen()",
                                  "showHorizDividedScreen()",
                                  "showRectangularAperture()",
                                  "showCircularAperture()",
                                  "showBinaryFresnelZoneLens()",
                                  "showFresnelZoneLens()",
                                  "showCylindricFresnelZoneLens()",
                                  "showBinaryAxicon()",
                                  "showAxicon()",
                                  "showVortexPhase()",
                                  "showConcentricRingSegments()",
                                  "showSingleSlit()",
                                  "showDoubleSlit()",
                                  "showBinaryLinearGrating()",
                                  "showBinaryLinear45degGrating()",
                                  "showLinearDammannGrating()",
                                  "showSepa2x2ArrayBeamsplitterGrating()",
                                  "showSepa5x5ArrayBeamsplitterGrating()",
                                  "showNonsepa5x5ArrayBeamsplitterGrating()",
                                  "showSinusoidalGrating()",
                                  "showBlazedGrating()",
                                  "showRandomBitmap()",
                                  "showRandomBinaryBitmap()",
                                  "windowsMenuAboutToShow()",
                                  "windowsMenuActivated(int)",
                                  "openOpticalPrefsDialog()",
                                  "openGUIPrefsDialog()",
                                  "openFontDialog()",
                                  "closeAllInternalField2DWidgets()",
                                  "closeAllExternalField2DWidgets()",
                                  "about()",
                                  "openManual()",
                                  "test()"};
    EXPECT_EQ(slotNames, expected);
}

TEST_F(LabMainWindowTest, EmptySlotsDoNothing)
{
    const char* empty[] = {"openTextFile",
                           "openRBBFile",
                           "openLinearDOE_TP",
                           "openLinearDOE_TP_EOM",
                           "batchConversionImage_2_gdsII",
                           "computeParameters_VELMORA",
                           "costumized_Batch_IFTA_VELMORA",
                           "createRandomBinaryBitmapFile",
                           "computeDOESpecs",
                           "fftSpeedtest",
                           "runComputationalJobs",
                           "analyticBeamShapingExamples",
                           "analyticIsotropicBeamShaperDesign",
                           "analyticEllipticBeamShaperDesign",
                           "analyticSeparableBeamShaperDesign",
                           "numericalGeometricBeamShaperDesign",
                           "openManual",
                           "test"};
    for (const char* slot : empty) {
        SCOPED_TRACE(slot);
        ASSERT_TRUE(QMetaObject::invokeMethod(window.get(), slot));
    }
    EXPECT_TRUE(dialogCaptions.isEmpty());
    EXPECT_TRUE(fileCaptions.isEmpty());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(openFullScreenWindows.empty());
    EXPECT_TRUE(window->workspaceArea()->subWindowList().isEmpty());
}

TEST_F(LabMainWindowTest, PreferenceEntriesReachTheirCommands)
{
    struct Row
    {
        const char* entry;
        const char* dialog; // caption of the dialog it runs, or nullptr
        const char* file;   // caption of the file dialog it runs, or nullptr
    };
    const Row rows[] = {
        {"Optical parameters", "Please specify optical parameters", nullptr},
        {"Load &Background Compensation Image file", nullptr, "Choose a file"},
        {"&Unload Background Compensation Image file", nullptr, nullptr},
        {"&Set graylevel display range", "Graylevel range for fullscreen windows", nullptr},
    };
    QImage loaded(1920, 1080, QImage::Format_RGB32);
    loaded.fill(qRgb(7, 7, 7));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.entry);
        dialogCaptions.clear();
        fileCaptions.clear();
        delete theBackgroundImage;
        theBackgroundImage = new backgroundImage(loaded);
        ASSERT_EQ(theBackgroundImage->status(), 1);
        QAction* a = entry("&Preferences", row.entry);
        ASSERT_NE(a, nullptr);
        a->trigger();
        EXPECT_EQ(dialogCaptions, row.dialog ? QStringList{row.dialog} : QStringList());
        EXPECT_EQ(fileCaptions, row.file ? QStringList{row.file} : QStringList());
        // Only unloading empties the background image.
        EXPECT_EQ(theBackgroundImage->status(), row.dialog || row.file ? 1 : -1);
    }
}

TEST_F(LabMainWindowTest, GuiPreferencesPresetAndSetTheSwitchesOnlyWhenAccepted)
{
    struct Row
    {
        const char* name;
        bool before[3]; // image options, IFTA options, auto-zoom
        bool checked[3];
        bool accept;
        bool after[3];
    };
    const Row rows[] = {
        {"start values, all flipped, accepted",
         {true, true, false},
         {false, false, true},
         true,
         {false, false, true}},
        {"flipped back, accepted",
         {false, false, true},
         {true, true, false},
         true,
         {true, true, false}},
        {"cancelled", {true, false, true}, {false, true, false}, false, {true, false, true}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        theSettings.showImageOptionsDialog = row.before[0];
        theSettings.showIFTAOptionsDialog = row.before[1];
        theSettings.autoShrinkFieldWindows = row.before[2];
        bool presets[3] = {};
        answer = [&](QDialog& dialog) {
            auto& d = dynamic_cast<dialog_guiprefsImpl&>(dialog);
            EXPECT_EQ(d.parentWidget(), nullptr);
            QCheckBox* boxes[3]
                = {d.checkBox_imageOptions, d.checkBox_IFTAOptions, d.checkBox_Autozoom};
            for (int k = 0; k < 3; ++k) {
                presets[k] = boxes[k]->isChecked();
                boxes[k]->setChecked(row.checked[k]);
            }
            return int(row.accept ? QDialog::Accepted : QDialog::Rejected);
        };
        dialogCaptions.clear();
        ASSERT_TRUE(QMetaObject::invokeMethod(window.get(), "openGUIPrefsDialog"));
        EXPECT_EQ(dialogCaptions, QStringList{"GUI Preferences"});
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(presets[k], row.before[k]) << k;
        EXPECT_EQ(theSettings.showImageOptionsDialog, row.after[0]);
        EXPECT_EQ(theSettings.showIFTAOptionsDialog, row.after[1]);
        EXPECT_EQ(theSettings.autoShrinkFieldWindows, row.after[2]);
    }
}

} // namespace
