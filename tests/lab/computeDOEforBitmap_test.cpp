// The internal edition's "Compute DOE phase function": the IFTA dialog's presets and read-back,
// a cancelled dialog, the two result windows, the centre shift, complex-field targets and
// targets without signal.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_IFTAImpl.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "lab/design/doeFromBitmap.h"
#include "support/messageRecorder.h"
#include "support/openWindows.h"
#include "tests/design/designTestFields.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>

using namespace designTest;

namespace {

// What the dialog showed when it was run.
struct Shown
{
    QString caption;
    int tile, tileMin, tileMax;
    int first, second, third;
    int levels, levelsMin, levelsMax;
    bool levelsEnabled;
    int shiftX, shiftY, shiftMin, shiftMax;
};

// The seven values a run of the dialog leaves.
struct Answer
{
    int tile, first, second, third, levels, shiftX, shiftY;
};

class LabComputeDoeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved = theIftaParameters;
        theIftaParameters = iftaParameters();
        savedWidth = theSettings.fullScreenWidth;
        savedHeight = theSettings.fullScreenHeight;
        savedSwitch = theSettings.showIFTAOptionsDialog;
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        theSettings.showIFTAOptionsDialog = true;
        savedGray0 = graylevelPhase0;
        savedGray2Pi = graylevelPhase2Pi;
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        previousRunner = setDialogRunner([this](QDialog& dialog) {
            auto* ifta = dynamic_cast<dialog_IFTAImpl*>(&dialog);
            if (!ifta) {
                ADD_FAILURE() << "another dialog: " << dialog.windowTitle().toStdString();
                return int(QDialog::Rejected);
            }
            shown.push_back(readDialog(*ifta));
            if (answer) {
                ifta->value_TileSize_SpinBox->setValue(answer->tile);
                ifta->value1_SpinBox->setValue(answer->first);
                ifta->value2_SpinBox->setValue(answer->second);
                ifta->value3_SpinBox->setValue(answer->third);
                ifta->value4_SpinBox->setValue(answer->levels);
                ifta->value_ShiftX_SpinBox->setValue(answer->shiftX);
                ifta->value_ShiftY_SpinBox->setValue(answer->shiftY);
            }
            return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        mainWindow
            = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        theMainWindow = mainWindow.get();
    }

    void TearDown() override
    {
        theMainWindow = nullptr;
        mainWindow.reset();
        setDialogRunner(previousRunner);
        theSettings.fullScreenWidth = savedWidth;
        theSettings.fullScreenHeight = savedHeight;
        theSettings.showIFTAOptionsDialog = savedSwitch;
        graylevelPhase0 = savedGray0;
        graylevelPhase2Pi = savedGray2Pi;
        theIftaParameters = saved;
    }

    static Shown readDialog(const dialog_IFTAImpl& d)
    {
        return {d.windowTitle(),
                d.value_TileSize_SpinBox->value(),
                d.value_TileSize_SpinBox->minimum(),
                d.value_TileSize_SpinBox->maximum(),
                d.value1_SpinBox->value(),
                d.value2_SpinBox->value(),
                d.value3_SpinBox->value(),
                d.value4_SpinBox->value(),
                d.value4_SpinBox->minimum(),
                d.value4_SpinBox->maximum(),
                d.value4_SpinBox->isEnabled(),
                d.value_ShiftX_SpinBox->value(),
                d.value_ShiftY_SpinBox->value(),
                d.value_ShiftX_SpinBox->minimum(),
                d.value_ShiftX_SpinBox->maximum()};
    }

    std::vector<qComplexDataGrscMapWidget*> fieldWindows() const
    {
        return fieldWindowsOf(*mainWindow);
    }

    qComplexDataGrscMapWidget* windowCaptioned(const QString& caption) const
    {
        for (qComplexDataGrscMapWidget* w : fieldWindows())
            if (w->caption() == caption)
                return w;
        return nullptr;
    }

    qComplexDataGrscMapWidget* openReal(RealField field, const QString& caption)
    {
        mainWindow->openRealFieldWindow(field, caption, QString());
        return fieldWindows().back();
    }

    static void pressDoeButton(qComplexDataGrscMapWidget* window)
    {
        for (QToolButton* button : window->findChildren<QToolButton*>())
            if (button->toolTip() == QLatin1String("Compute DOE phase function")) {
                button->click();
                EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
                return;
            }
        ADD_FAILURE() << "no DOE button";
    }

    // Runs the command, expects its two windows and returns (DOE window, far-field window).
    std::pair<qComplexDataGrscMapWidget*, qComplexDataGrscMapWidget*>
    design(qComplexDataGrscMapWidget* source, const Answer& values)
    {
        answer = values;
        accept = true;
        const std::size_t before = fieldWindows().size();
        pressDoeButton(source);
        EXPECT_EQ(fieldWindows().size(), before + 2);
        qComplexDataGrscMapWidget* doe
            = windowCaptioned(QStringLiteral("DOE for signal ") + source->shortName());
        qComplexDataGrscMapWidget* far = windowCaptioned(QStringLiteral("FFT of DOE"));
        EXPECT_NE(doe, nullptr);
        EXPECT_NE(far, nullptr);
        if (!doe || !far)
            return {nullptr, nullptr};
        EXPECT_EQ(doe->kind(), qComplexDataGrscMapWidget::complexFieldWindow);
        EXPECT_EQ(doe->currentMode(), 4);
        EXPECT_EQ(far->kind(), qComplexDataGrscMapWidget::complexFieldWindow);
        EXPECT_EQ(far->currentMode(), 5);
        const ComplexField d = doe->complexField();
        const ComplexField f = far->complexField();
        EXPECT_NE(d.get(), f.get()); // the DOE window holds a copy
        EXPECT_EQ(d->getSizeI(), values.tile);
        EXPECT_EQ(d->getSizeJ(), values.tile);
        // Unit modulus, and the far field is the DOE's transform.
        for (int j = 0; j < values.tile; ++j)
            for (int i = 0; i < values.tile; ++i)
                EXPECT_NEAR(modulusOf(d->getValue(i, j)), 1.0, 1e-5);
        const double n2 = double(values.tile) * values.tile;
        expectFieldsNear(*f, *d->fftCopy(), 1e-3 * values.tile);
        EXPECT_NEAR(f->getTotalIntensity(), n2 * n2, 1e-3 * n2 * n2);
        return {doe, far};
    }

    // The element of largest intensity of a far field.
    static QPoint brightest(const ComplexField& far)
    {
        QPoint best;
        double most = -1.0;
        for (int j = 0; j < far->getSizeJ(); ++j)
            for (int i = 0; i < far->getSizeI(); ++i)
                if (modulusOf(far->getValue(i, j)) > most) {
                    most = modulusOf(far->getValue(i, j));
                    best = QPoint(i, j);
                }
        return best;
    }

    std::unique_ptr<QDOEMainWindow> mainWindow;
    DialogRunner previousRunner;
    std::vector<Shown> shown;
    std::optional<Answer> answer;
    bool accept = false;
    iftaParameters saved;
    int savedWidth = 0;
    int savedHeight = 0;
    bool savedSwitch = true;
    unsigned char savedGray0 = 0;
    unsigned char savedGray2Pi = 255;
};

} // namespace

// The first run presets the tile with its minimum, 1.2 times the larger displayed side; a
// cancelled dialog keeps all seven values it shows but runs nothing, and the next run presets
// them, the tile's shift range included.
TEST_F(LabComputeDoeTest, presetsAndACancelledDialogThatKeepsItsValues)
{
    qComplexDataGrscMapWidget* source
        = openReal(barAndSpotPicture(), QStringLiteral("/pictures/ring.png"));
    answer = Answer{40, 3, 4, 0, 17, 3, -20};
    pressDoeButton(source);
    ASSERT_EQ(shown.size(), 1u);
    const Shown& first = shown[0];
    EXPECT_EQ(first.caption, QStringLiteral("Set IFTA parameters"));
    EXPECT_EQ(first.tile, 28);
    EXPECT_EQ(first.tileMin, 28);
    EXPECT_EQ(first.tileMax, 864);
    EXPECT_EQ(first.first, 10);
    EXPECT_EQ(first.second, 10);
    EXPECT_EQ(first.third, 10);
    EXPECT_EQ(first.levels, 64);
    EXPECT_EQ(first.levelsMin, 2);
    EXPECT_EQ(first.levelsMax, 256);
    EXPECT_TRUE(first.levelsEnabled);
    EXPECT_EQ(first.shiftX, 0);
    EXPECT_EQ(first.shiftY, 0);
    EXPECT_EQ(first.shiftMin, -14);
    EXPECT_EQ(first.shiftMax, 14);
    EXPECT_EQ(fieldWindows().size(), 1u); // nothing ran

    // The next run shows what the cancelled one left; phase III 0 disables the levels.
    answer.reset();
    graylevelPhase2Pi = 99;
    pressDoeButton(source);
    graylevelPhase2Pi = 255;
    ASSERT_EQ(shown.size(), 2u);
    const Shown& second = shown[1];
    EXPECT_EQ(second.tile, 40);
    EXPECT_EQ(second.first, 3);
    EXPECT_EQ(second.second, 4);
    EXPECT_EQ(second.third, 0);
    EXPECT_FALSE(second.levelsEnabled);
    EXPECT_EQ(second.levels, 17);
    EXPECT_EQ(second.levelsMax, 100);
    EXPECT_EQ(second.shiftX, 3);
    EXPECT_EQ(second.shiftY, -20);
    EXPECT_EQ(second.shiftMin, -20);
    EXPECT_EQ(second.shiftMax, 20);
    EXPECT_EQ(fieldWindows().size(), 1u);

    // A zoomed window bounds the tile by its displayed size (30 x 25 after one step).
    ASSERT_TRUE(QMetaObject::invokeMethod(source, "zoomIn"));
    ASSERT_EQ(source->displayedSize(), QSize(30, 25));
    pressDoeButton(source);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2].tileMin, 36);
    EXPECT_EQ(shown[2].tile, 40);
}

TEST_F(LabComputeDoeTest, anAcceptedDesignOpensTheDoeAndItsFarField)
{
    qComplexDataGrscMapWidget* source
        = openReal(barAndSpotPicture(), QStringLiteral("/pictures/ring.png"));
    const auto [doe, far] = design(source, {32, 10, 10, 10, 8, 0, 0});
    ASSERT_NE(doe, nullptr);
    // Phase III puts every phase on one of the 8 levels.
    const ComplexField d = doe->complexField();
    const double step = 2.0 * pi / 8;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i) {
            const double k = (phaseOf(d->getValue(i, j)) + pi) / step;
            ASSERT_NEAR(k, std::round(k), 1e-4) << "(" << i << ", " << j << ")";
        }
    // The bar (picture row 15, columns 15 .. 21) and the spot show upright: padded by (4, 6)
    // and centred on element (0, 0), picture element (pi, pj) is far-field element
    // (pi - 12, pj - 10), wrapped.
    const ComplexField f = far->complexField();
    const RealField p = barAndSpotPicture();
    double inside = 0.0, total = 0.0;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i) {
            const double power = std::pow(modulusOf(f->getValue(i, j)), 2);
            total += power;
            const int pi = (i + 12) % 32, pj = (j + 10) % 32;
            if (pi < 24 && pj < 20 && p->getValue(pi, pj) > 0.0f)
                inside += power;
        }
    EXPECT_GT(inside / total, 0.5);
    EXPECT_EQ(theIftaParameters.tileSize, 32);
    EXPECT_EQ(theIftaParameters.phaseLevels, 8);
}

// All counts 0: the DOE is the phase-only start and the far field its transform; phase III 0
// leaves the phase unquantised.
TEST_F(LabComputeDoeTest, withoutPhaseThreeThePhaseStaysUnquantised)
{
    qComplexDataGrscMapWidget* source = openReal(barAndSpotPicture(), QStringLiteral("ring"));
    for (const Answer& a : {Answer{30, 0, 0, 0, 4, 0, 0}, Answer{30, 5, 5, 0, 4, 0, 0}}) {
        SCOPED_TRACE(a.first);
        const auto [doe, far] = design(source, a);
        ASSERT_NE(doe, nullptr);
        EXPECT_GT(distinctPhases(doe->complexField()), 100);
        delete doe->parentWidget();
        delete far->parentWidget();
    }
}

// A single spot at the picture's centre lands on far-field element (0, 0); a centre shift of
// (3, 0) moves it to (3, 0), and (-2, 5) to (14, 5) on a 16 x 16 tile.
TEST_F(LabComputeDoeTest, theCentreShiftMovesTheTarget)
{
    RealField spot = realField(9, 9);
    spot->setValue(4, 4, 100.0f);
    qComplexDataGrscMapWidget* source = openReal(spot, QStringLiteral("spot"));
    const struct
    {
        int shiftX, shiftY;
        QPoint expected;
    } cases[] = {{0, 0, QPoint(0, 0)}, {3, 0, QPoint(3, 0)}, {-2, 5, QPoint(14, 5)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shiftX << ", " << c.shiftY);
        const auto [doe, far] = design(source, {16, 5, 5, 5, 16, c.shiftX, c.shiftY});
        ASSERT_NE(far, nullptr);
        const ComplexField f = far->complexField();
        EXPECT_EQ(brightest(f), c.expected);
        const double n4 = std::pow(16.0, 4);
        EXPECT_GT(std::pow(modulusOf(f->getValue(c.expected.x(), c.expected.y())), 2) / n4, 0.8);
        delete doe->parentWidget();
        delete far->parentWidget();
    }
}

// A complex field's target is the modulus of its sampled parts with no square root: two
// elements of modulus 1 and 2 give far-field intensities 1 : 4, where a real picture of the
// same values is read as an intensity and gives 1 : 2.
TEST_F(LabComputeDoeTest, complexFieldsGiveAnAmplitudeRealFieldsAnIntensity)
{
    const int n = 10;
    ComplexField complex(new complexDataField2D(n, n, 0));
    complex->setValue(3, 5, {0.0f, 1.0f});
    complex->setValue(7, 5, {-2.0f, 0.0f});
    RealField real = realField(n, n);
    real->setValue(3, 5, 1.0f);
    real->setValue(7, 5, 2.0f);
    mainWindow->openComplexFieldWindow(complex, 4, QStringLiteral("complex"), QString());
    qComplexDataGrscMapWidget* complexSource = fieldWindows().back();
    qComplexDataGrscMapWidget* realSource = openReal(real, QStringLiteral("real"));

    // The real window shows its field as stored: (3, 5) and (7, 5) lie 2 to either side of the
    // centre (5, 5), so they land on (-2, 0) and (2, 0), wrapped into the 16 x 16 tile. The
    // complex window samples its field centred, element (0, 0) at (5, 5): (3, 5) and (7, 5)
    // are sampled at (8, 0) and (2, 0) and land on (3, -5) and (-3, -5).
    const struct
    {
        qComplexDataGrscMapWidget* source;
        QPoint weak, strong;
        double ratio;
    } cases[] = {{complexSource, QPoint(3, 11), QPoint(13, 11), 4.0},
                 {realSource, QPoint(14, 0), QPoint(2, 0), 2.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source->caption().toStdString());
        const auto [doe, far] = design(c.source, {16, 10, 10, 10, 64, 0, 0});
        ASSERT_NE(far, nullptr);
        const ComplexField f = far->complexField();
        const double weak = std::pow(modulusOf(f->getValue(c.weak.x(), c.weak.y())), 2);
        const double strong = std::pow(modulusOf(f->getValue(c.strong.x(), c.strong.y())), 2);
        EXPECT_NEAR(strong / weak, c.ratio, 0.15 * c.ratio);
        EXPECT_GT((weak + strong) / std::pow(16.0, 4), 0.6);
        delete doe->parentWidget();
        delete far->parentWidget();
    }
    EXPECT_EQ(complexSource->currentMode(), 4); // the display stays on the phase
}

// A black picture or one whose amplitude stays below the mask threshold cannot be designed for:
// an error box, no window; the dialog's values are kept.
TEST_F(LabComputeDoeTest, aTargetWithoutSignalShowsAnErrorAndOpensNoWindow)
{
    const struct
    {
        const char* name;
        float value;
    } cases[] = {{"black", 0.0f}, {"below the mask threshold", 1e-9f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MessageRecorder recorder;
        qComplexDataGrscMapWidget* source
            = openReal(realField(12, 12, {}, c.value), QString::fromLatin1(c.name));
        const std::size_t before = fieldWindows().size();
        answer = Answer{20, 2, 2, 2, 8, 1, 1};
        accept = true;
        pressDoeButton(source);
        EXPECT_EQ(fieldWindows().size(), before);
        ASSERT_EQ(recorder.messages().size(), 1u);
        EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Critical);
        EXPECT_EQ(recorder.messages()[0].caption, QStringLiteral("ERROR !"));
        EXPECT_TRUE(recorder.messages()[0].text.endsWith(QStringLiteral("\nAborting.")));
        EXPECT_EQ(theIftaParameters.tileSize, 20);
    }
}

// With the options dialog switched off the stored values run without asking; the first run
// takes the minimum tile.
TEST_F(LabComputeDoeTest, withoutTheOptionsDialogTheStoredValuesRun)
{
    theSettings.showIFTAOptionsDialog = false;
    theIftaParameters.iterationsPhaseI = 2;
    theIftaParameters.iterationsPhaseII = 2;
    theIftaParameters.iterationsPhaseIII = 2;
    theIftaParameters.phaseLevels = 4;
    qComplexDataGrscMapWidget* source = openReal(barAndSpotPicture(), QStringLiteral("quiet"));
    pressDoeButton(source);
    EXPECT_TRUE(shown.empty());
    qComplexDataGrscMapWidget* doe = windowCaptioned(QStringLiteral("DOE for signal quiet"));
    ASSERT_NE(doe, nullptr);
    EXPECT_EQ(doe->complexField()->getSizeI(), 28);
    EXPECT_TRUE(doe->complexField()->hasAtMostNValues(4));
    EXPECT_NE(windowCaptioned(QStringLiteral("FFT of DOE")), nullptr);
}

// A target opened from a folder: the design is named after the target's short name, so the
// design, its replicated view and the Windows menu tell it from its target.
TEST_F(LabComputeDoeTest, theDesignIsNamedAfterTheShortNameOfItsTarget)
{
    theSettings.showIFTAOptionsDialog = false;
    theIftaParameters.iterationsPhaseI = 1;
    theIftaParameters.iterationsPhaseII = 1;
    theIftaParameters.iterationsPhaseIII = 1;
    struct Row
    {
        const char* caption;
        const char* shortName;
    } rows[] = {
        {"/data/targets/sub/targetF.png", "targetF.png"},
        {"C:\\data\\targetW.png", "targetW.png"},
        {"targetPlain", "targetPlain"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        qComplexDataGrscMapWidget* source
            = openReal(barAndSpotPicture(), QString::fromLatin1(row.caption));
        ASSERT_EQ(source->shortName(), QString::fromLatin1(row.shortName));
        pressDoeButton(source);
        const QString doeName = QStringLiteral("DOE for signal ") + row.shortName;
        qComplexDataGrscMapWidget* doe = windowCaptioned(doeName);
        ASSERT_NE(doe, nullptr);
        EXPECT_EQ(doe->shortName(), doeName);
        EXPECT_TRUE(doe->title().endsWith(QStringLiteral(": ") + doeName));

        // The Windows menu names the target and its design apart.
        emit mainWindow->windowsPopup()->aboutToShow();
        QStringList entries;
        for (QAction* a : mainWindow->windowsPopup()->actions())
            entries << a->text();
        EXPECT_EQ(entries.count(source->title()), 1);
        EXPECT_EQ(entries.count(doe->title()), 1);
        EXPECT_NE(doe->title().section(QStringLiteral(": "), 1),
                  source->title().section(QStringLiteral(": "), 1));

        // The design's replicated view follows from its caption.
        const std::size_t before = openFullScreenWindows.size();
        QMetaObject::invokeMethod(doe, "openReplicatedFullScreenWindow");
        ASSERT_EQ(openFullScreenWindows.size(), before + 1);
        EXPECT_EQ(openFullScreenWindows.back()->windowTitle(),
                  QStringLiteral("Replicated full screen view of ") + doeName);
    }
    deleteOpenFullScreenWindows();
}
