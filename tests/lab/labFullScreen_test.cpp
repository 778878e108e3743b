// Full-screen pattern windows of the internal edition: the background compensation image added
// modulo 256 in the orientation of the pattern and the focal length in the caption.
#include "views/qFullScreenFieldWidget.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "views/backgroundImage.h"
#include "views/windowManagement.h"

#include <QSpinBox>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

QImage grayCell(int w, int h, int fill)
{
    QImage image(w, h, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int k = 0; k < 256; ++k)
        ramp.append(qRgb(k, k, k));
    image.setColorTable(ramp);
    image.fill(fill);
    return image;
}

class LabFullScreenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved = {theSettings.fullScreenWidth, theSettings.fullScreenHeight};
        savedPrimary = {theSettings.primaryScreenWidth, theSettings.primaryScreenHeight};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        savedOptics = opticalParameters;
        opticalParameters.defaultPixelSizeX = slmPixelPitch;
        opticalParameters.defaultPixelSizeY = slmPixelPitch;
    }
    void TearDown() override
    {
        delete theBackgroundImage;
        theBackgroundImage = nullptr;
        theSettings.fullScreenWidth = saved.first;
        theSettings.fullScreenHeight = saved.second;
        theSettings.primaryScreenWidth = savedPrimary.first;
        theSettings.primaryScreenHeight = savedPrimary.second;
        opticalParameters = savedOptics;
        openFullScreenWindows.clear();
    }

    static std::unique_ptr<qFullScreenFieldWidget> make(const QImage& image, const QString& caption)
    {
        return std::make_unique<qFullScreenFieldWidget>(nullptr, "new window", Qt::Window, caption,
                                                        image);
    }
    static int valueAt(const qFullScreenFieldWidget& w, int x, int y)
    {
        return w.displayedBitmap().constScanLine(y)[x];
    }

    std::pair<int, int> saved;
    std::pair<int, int> savedPrimary;
    OpticalParameters savedOptics;
};

// Background images of each depth, 100 on their top line and 3 elsewhere, added to a pattern of
// gray 200: the top screen line shows (200 + 100) mod 256 = 44, the others 203.
TEST_F(LabFullScreenTest, BackgroundIsAddedModulo256TopLineOnTop)
{
    struct Row
    {
        const char* name;
        std::function<QImage()> background;
    };
    const Row rows[] = {
        {"8 bits",
         [] {
             QImage b = grayCell(1920, 1080, 3);
             std::fill_n(b.scanLine(0), 1920, uchar(100));
             return b;
         }},
        {"32 bits, red channel",
         [] {
             QImage b(1920, 1080, QImage::Format_RGB32);
             b.fill(qRgb(3, 90, 90));
             for (int x = 0; x < 1920; ++x)
                 b.setPixel(x, 0, qRgb(100, 7, 7));
             return b;
         }},
        {"1 bit",
         [] {
             QImage b(1920, 1080, QImage::Format_Mono);
             b.setColorTable({qRgb(3, 3, 3), qRgb(100, 100, 100)});
             b.fill(0);
             for (int x = 0; x < 1920; ++x)
                 b.setPixel(x, 0, 1);
             return b;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        delete theBackgroundImage;
        theBackgroundImage = new backgroundImage(row.background());
        ASSERT_EQ(theBackgroundImage->status(), 1);
        auto w = make(grayCell(100, 100, 200), "pattern");
        for (int x : {0, 960, 1919}) {
            EXPECT_EQ(valueAt(*w, x, 0), 44) << x;
            EXPECT_EQ(valueAt(*w, x, 1), 203) << x;
            EXPECT_EQ(valueAt(*w, x, 1079), 203) << x;
        }
    }

    // Unloaded again: the pattern alone.
    delete theBackgroundImage;
    theBackgroundImage = new backgroundImage();
    auto w = make(grayCell(100, 100, 200), "pattern");
    EXPECT_EQ(valueAt(*w, 960, 0), 200);
}

// A two-level pattern (grays 0 and 128, as the beam-splitter gratings give) keeps its levels under
// a uniform background: 51 and 179.
TEST_F(LabFullScreenTest, BackgroundIsAddedToATwoLevelPattern)
{
    theBackgroundImage = new backgroundImage(grayCell(1920, 1080, 51));
    ASSERT_EQ(theBackgroundImage->status(), 1);
    QImage cell = grayCell(10, 10, 0);
    for (int y = 0; y < 10; ++y)
        std::fill_n(cell.scanLine(y) + 5, 5, uchar(128));
    auto w = make(cell, "two levels");
    std::set<int> shown;
    for (int y : {0, 540, 1079})
        for (int x = 0; x < 1920; ++x)
            shown.insert(valueAt(*w, x, y));
    EXPECT_EQ(shown, (std::set<int>{51, 179}));
}

TEST_F(LabFullScreenTest, LensValueOneShowsItsFocalLengthInTheCaption)
{
    auto w = make(grayCell(64, 64, 0), "Pattern");
    w->findChild<QToolButton*>("lensButton")->click();
    QSpinBox* lens = w->findChild<QSpinBox*>("lensBox");
    ASSERT_NE(lens, nullptr);
    // f = 1080 * (8e-6 m)^2 / (0.015 * 632.8e-9 m * 1) = 7.2819... m
    lens->setValue(1);
    EXPECT_EQ(w->windowTitle().toStdString(), "Pattern + superimposed lens (f=7.28192m)");
    // The optical parameters are read at each composition.
    opticalParameters.defaultPixelSizeX = 1e-6;
    lens->setValue(2);
    EXPECT_EQ(w->windowTitle().toStdString(), "Pattern + superimposed lens (f=0.05689m)");
    lens->setValue(0);
    EXPECT_EQ(w->windowTitle(), "Pattern");
}

} // namespace
