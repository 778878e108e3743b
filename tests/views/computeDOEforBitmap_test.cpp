// The field window's "Compute DOE phase function": the two windows it opens, their captions and
// contents, the zoomed and complex-field roads and a black picture.
#include "views/qComplexDataGrscMapWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fields/complexDataField2D.h"
#include "fields/DataField2D.h"
#include "support/openWindows.h"
#include "tests/design/designTestFields.h"
#include "views/qFullScreenFieldWidget.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

// The internal edition runs its own design command (tests/lab/computeDOEforBitmap_test.cpp).
#if !PHASEDECK_LAB

namespace {

const QString farFieldCaption
    = QStringLiteral("Simulated intensity diffraction pattern of DOE, ignoring 'sinc' effect");

class ComputeDoeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        savedWidth = theSettings.fullScreenWidth;
        savedHeight = theSettings.fullScreenHeight;
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        mainWindow
            = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        theMainWindow = mainWindow.get();
    }

    void TearDown() override
    {
        deleteOpenFullScreenWindows();
        mainWindow.reset();
        theMainWindow = nullptr;
        theSettings.fullScreenWidth = savedWidth;
        theSettings.fullScreenHeight = savedHeight;
    }

    std::vector<qComplexDataGrscMapWidget*> fieldWindows() const
    {
        return fieldWindowsOf(*mainWindow);
    }

    static void pressDoeButton(qComplexDataGrscMapWidget* window)
    {
        for (QToolButton* button : window->findChildren<QToolButton*>())
            if (button->toolTip() == QLatin1String("Compute DOE phase function")) {
                button->click();
                return;
            }
        ADD_FAILURE() << "no DOE button";
    }

    // Runs the command on the only field window and checks the two new windows.
    qComplexDataGrscMapWidget* runAndCheck(qComplexDataGrscMapWidget* source, int expectedGrid,
                                           bool byButton = true)
    {
        const std::size_t fullScreenBefore = openFullScreenWindows.size();
        if (byButton)
            pressDoeButton(source);
        else
            EXPECT_TRUE(QMetaObject::invokeMethod(source, "computeDOEforBitmap"));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

        EXPECT_EQ(openFullScreenWindows.size(), fullScreenBefore + 1);
        if (openFullScreenWindows.size() == fullScreenBefore + 1) {
            qFullScreenFieldWidget* phase = openFullScreenWindows.back();
            EXPECT_EQ(phase->windowTitle(),
                      QStringLiteral("Replicated full screen view of DOE for signal ")
                          + source->shortName());
            // The N x N phase pattern repeats over the full-screen bitmap.
            const QImage& shown = phase->displayedBitmap();
            EXPECT_EQ(shown.size(), QSize(1920, 1080));
            int repeats = 0;
            for (int y = 0; y + expectedGrid < shown.height(); y += 97)
                for (int x = 0; x + expectedGrid < shown.width(); x += 131)
                    repeats += shown.pixelIndex(x, y) == shown.pixelIndex(x + expectedGrid, y);
            EXPECT_GT(repeats, 80);
        }

        qComplexDataGrscMapWidget* far = nullptr;
        for (qComplexDataGrscMapWidget* w : fieldWindows())
            if (w->caption() == farFieldCaption)
                far = w;
        EXPECT_NE(far, nullptr);
        if (!far)
            return nullptr;
        EXPECT_EQ(far->kind(), qComplexDataGrscMapWidget::complexFieldWindow);
        EXPECT_EQ(far->currentMode(), 5);
        boost::shared_ptr<complexDataField2D> field = far->complexField();
        EXPECT_EQ(field->getSizeI(), expectedGrid);
        EXPECT_EQ(field->getSizeJ(), expectedGrid);
        // The far field of a unit-modulus DOE of N^2 elements holds N^4 of power.
        const double n2 = double(expectedGrid) * expectedGrid;
        EXPECT_NEAR(field->getTotalIntensity(), n2 * n2, 1e-3 * n2 * n2);
        return far;
    }

    std::unique_ptr<QDOEMainWindow> mainWindow;
    int savedWidth = 0;
    int savedHeight = 0;
};

} // namespace

TEST_F(ComputeDoeTest, realFieldAtZoomOneUsesTheStoredField)
{
    boost::shared_ptr<DataField2D> field = designTest::barAndSpotPicture();
    mainWindow->openRealFieldWindow(field, QStringLiteral("/data/pictures/target.png"), QString());
    ASSERT_EQ(fieldWindows().size(), 1u);
    qComplexDataGrscMapWidget* source = fieldWindows().front();
    ASSERT_EQ(source->shortName(), QStringLiteral("target.png"));
    qComplexDataGrscMapWidget* far = runAndCheck(source, 32);
    ASSERT_NE(far, nullptr);

    // The bar (picture row 15, columns 15..21) shows upright: padded by (4, 6) into 32 x 32 and
    // centred on element (0, 0), it sits at far-field elements (i - 12, j - 10) wrapped.
    boost::shared_ptr<complexDataField2D> farField = far->complexField();
    double inside = 0.0, total = 0.0;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i) {
            if (i == 0 && j == 0)
                continue;
            const complexFloat z = farField->getValue(i, j);
            const double p = double(z.re) * z.re + double(z.im) * z.im;
            total += p;
            const int pi = (i + 12) % 32, pj = (j + 10) % 32;
            if (pi >= 0 && pi < 24 && pj >= 0 && pj < 20 && field->getValue(pi, pj) > 0.0f)
                inside += p;
        }
    EXPECT_GT(inside / total, 0.5);
    EXPECT_EQ(field->getValue(4, 5), 255.0f); // the window's field is not changed
}

TEST_F(ComputeDoeTest, zoomedRealFieldUsesTheDisplayedSize)
{
    mainWindow->openRealFieldWindow(designTest::barAndSpotPicture(), QStringLiteral("zoomed"),
                                    QString());
    qComplexDataGrscMapWidget* source = fieldWindows().front();
    ASSERT_TRUE(QMetaObject::invokeMethod(source, "zoomIn"));
    ASSERT_EQ(source->displayedSize(), QSize(30, 25));
    // 1.2 x 30 = 36: the grid doubles to 64.
    runAndCheck(source, 64);
}

TEST_F(ComputeDoeTest, complexFieldWindowDesignsForItsAmplitude)
{
    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(16, 16, 0));
    for (int i = 10; i < 14; ++i)
        field->setValue(i, 3, {0.0f, 2.0f});
    mainWindow->openComplexFieldWindow(field, 4, QStringLiteral("complex"), QString());
    qComplexDataGrscMapWidget* source = fieldWindows().front();
    runAndCheck(source, 32, false);
    EXPECT_EQ(source->currentMode(), 4); // the display stays on the phase
}

TEST_F(ComputeDoeTest, blackPictureCompletes)
{
    boost::shared_ptr<DataField2D> black(new DataField2D(20, 20, 0, 0, 1, 1, 0.0f));
    mainWindow->openRealFieldWindow(black, QStringLiteral("black"), QString());
    qComplexDataGrscMapWidget* far = runAndCheck(fieldWindows().front(), 32);
    ASSERT_NE(far, nullptr);
    boost::shared_ptr<complexDataField2D> farField = far->complexField();
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i)
            ASSERT_TRUE(std::isfinite(farField->getValue(i, j).re)) << i << ", " << j;
}

#endif // !PHASEDECK_LAB
