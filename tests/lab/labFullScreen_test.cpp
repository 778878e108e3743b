// Full-screen pattern windows of the internal edition: the background compensation image added
// modulo 256 in the orientation of the pattern, full-size patterns composed from their first
// frame, the preference commands recomposing open windows, and the focal length in the caption.
#include "views/qFullScreenFieldWidget.h"

#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "support/messageRecorder.h"
#include "support/openWindows.h"
#include "views/backgroundImage.h"
#include "views/windowManagement.h"

#include <QSpinBox>
#include <QTemporaryDir>
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

// A 1920 x 1080 gray image whose pixel (x, y) is value(x, y) mod 256.
QImage fullImage(const std::function<int(int, int)>& value)
{
    QImage image = grayCell(1920, 1080, 0);
    for (int y = 0; y < 1080; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < 1920; ++x)
            line[x] = static_cast<uchar>(value(x, y) & 0xFF);
    }
    return image;
}

int rampValue(int x, int y)
{
    return x + 3 * y;
}
int stripeValue(int x, int)
{
    return (x / 8) % 2 ? 128 : 0;
}
int blankValue(int, int)
{
    return 0;
}
// Every byte over the screen, its rows differing from the pattern's.
int backgroundValue(int x, int y)
{
    return 7 * x + 13 * y + 5;
}

// Every pixel of the window's bitmap shows the gray table[(pattern + background) mod 256] through
// its colour table (the background as the screen line it lies on; none: 0).
void expectShows(const qFullScreenFieldWidget& w, const std::function<int(int, int)>& pattern,
                 const std::function<int(int, int)>& background, const GrayTable& table)
{
    const QImage& shown = w.displayedBitmap();
    ASSERT_EQ(shown.size(), QSize(1920, 1080));
    ASSERT_EQ(shown.format(), QImage::Format_Indexed8);
    const QVector<QRgb> colours = shown.colorTable();
    int wrong = 0;
    for (int y = 0; y < 1080; ++y) {
        const uchar* line = shown.constScanLine(y);
        for (int x = 0; x < 1920; ++x) {
            const int sum = (pattern(x, y) + (background ? background(x, y) : 0)) & 0xFF;
            const QRgb colour = line[x] < colours.size() ? colours[line[x]] : 0;
            const int expected = table[static_cast<size_t>(sum)] & 0xFF;
            if (colour != qRgb(expected, expected, expected) && wrong++ < 3)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") shows " << qRed(colour) << ", "
                              << qGreen(colour) << ", " << qBlue(colour) << " for " << expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

// The gray ramp: what a full-size pattern shows of itself.
GrayTable identityTable()
{
    GrayTable table{};
    for (int k = 0; k < 256; ++k)
        table[static_cast<size_t>(k)] = k;
    return table;
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

// Full-size patterns of many, two and one gray level, as the generators give them: with a
// background, or a gray range other than 0 / 255, the first frame already shows their composition
// through the gray table; with neither it shows the pattern itself.
TEST_F(LabFullScreenTest, FullSizePatternShowsItsCompositionFromTheFirstFrame)
{
    struct Pattern
    {
        const char* name;
        int (*value)(int, int);
    };
    const Pattern patterns[] = {
        {"many levels (a lens)", rampValue},
        {"two levels (a binary lens)", stripeValue},
        {"one level (a blank screen)", blankValue},
    };
    struct Preferences
    {
        const char* name;
        bool background;
        unsigned char g0, g1;
    };
    const Preferences preferences[] = {
        {"background", true, 0, 255},
        {"gray range 20 .. 200", false, 20, 200},
        {"background and reversed gray range", true, 250, 10},
    };
    const std::function<int(int, int)> background = backgroundValue;
    for (const Pattern& pattern : patterns) {
        SCOPED_TRACE(pattern.name);
        for (const Preferences& pref : preferences) {
            SCOPED_TRACE(pref.name);
            delete theBackgroundImage;
            theBackgroundImage = pref.background ? new backgroundImage(fullImage(backgroundValue))
                                                 : new backgroundImage();
            graylevelPhase0 = pref.g0;
            graylevelPhase2Pi = pref.g1;
            auto w = make(fullImage(pattern.value), "pattern");
            expectShows(*w, pattern.value, pref.background ? background : nullptr,
                        computeGrayTable(pref.g0, pref.g1, 127));
        }
        // Neither: the pattern itself, pixel for pixel.
        delete theBackgroundImage;
        theBackgroundImage = new backgroundImage();
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        auto w = make(fullImage(pattern.value), "pattern");
        expectShows(*w, pattern.value, nullptr, identityTable());
    }
}

// The preference commands with pattern windows open: loading and unloading the background and
// setting the gray range recompose a full-size and a tiled window at once, with the values their
// controls hold.
TEST_F(LabFullScreenTest, PreferenceCommandsRecomposeOpenWindows)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString backgroundFile = dir.filePath(QStringLiteral("background.png"));
    ASSERT_TRUE(fullImage(backgroundValue).save(backgroundFile));
    MessageRecorder messages;
    QString chosen = backgroundFile;
    const FileDialogRunner previousOpen = setOpenFileDialogRunner([&](const FileDialogRequest&) {
        FileDialogResult result;
        result.fileName = chosen;
        return result;
    });
    int range0 = 0, range2Pi = 255;
    const DialogRunner previousDialog = setDialogRunner([&](QDialog& d) {
        auto* dialog = qobject_cast<dialog_twoIntValuesImpl*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        dialog->value1_SpinBox->setValue(range0);
        dialog->value2_SpinBox->setValue(range2Pi);
        return int(QDialog::Accepted);
    });
    theBackgroundImage = new backgroundImage();
    auto mainWindow
        = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
    auto run = [&](const char* slot) { QMetaObject::invokeMethod(mainWindow.get(), slot); };

    qFullScreenFieldWidget* full = openFullScreenWindow(fullImage(rampValue), "full", true, true);
    const QImage cell = grayCell(100, 100, 0);
    QImage tile = cell;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            tile.scanLine(y)[x] = static_cast<uchar>(2 * x + y);
    qFullScreenFieldWidget* tiled = openFullScreenWindow(tile, "tiled", true, true);
    // The cell repeats with its centre (50, 50) on the screen centre (960, 540).
    const std::function<int(int, int)> tiledValue = [](int x, int y) {
        return 2 * ((x - 960 + 50 + 1900) % 100) + (y - 540 + 50 + 1000) % 100;
    };
    const std::function<int(int, int)> background = backgroundValue;
    const GrayTable plain = computeGrayTable(0, 255, 127);
    expectShows(*full, rampValue, nullptr, identityTable());
    expectShows(*tiled, tiledValue, nullptr, plain);

    run("loadBackgroundImageFromFile");
    ASSERT_EQ(theBackgroundImage->status(), 1);
    expectShows(*full, rampValue, background, plain);
    expectShows(*tiled, tiledValue, background, plain);

    range0 = 30;
    range2Pi = 220;
    run("setGraylevelRange");
    const GrayTable narrow = computeGrayTable(30, 220, 127);
    expectShows(*full, rampValue, background, narrow);
    expectShows(*tiled, tiledValue, background, narrow);

    run("unloadBackgroundImage");
    expectShows(*full, rampValue, nullptr, narrow);
    expectShows(*tiled, tiledValue, nullptr, narrow);

    // Back at 0 / 255: the untouched full-size window shows its pattern again.
    range0 = 0;
    range2Pi = 255;
    run("setGraylevelRange");
    expectShows(*full, rampValue, nullptr, identityTable());
    expectShows(*tiled, tiledValue, nullptr, plain);

    // A rejected background (wrong size) leaves none, and the windows follow.
    run("loadBackgroundImageFromFile");
    chosen = dir.filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(grayCell(8, 8, 1).save(chosen));
    run("loadBackgroundImageFromFile");
    EXPECT_EQ(theBackgroundImage->status(), -1);
    expectShows(*full, rampValue, nullptr, identityTable());
    expectShows(*tiled, tiledValue, nullptr, plain);

    // A window whose controls moved keeps their values through a recomposition.
    chosen = backgroundFile;
    tiled->findChild<QToolButton*>("invertButton")->click();
    run("loadBackgroundImageFromFile");
    GrayTable invertedPlain{};
    for (int k = 0; k < 256; ++k)
        invertedPlain[static_cast<size_t>(k)] = 255 - plain[static_cast<size_t>(k)];
    expectShows(*tiled, tiledValue, background, invertedPlain);

    deleteOpenFullScreenWindows();
    mainWindow.reset();
    setDialogRunner(previousDialog);
    setOpenFileDialogRunner(previousOpen);
}

} // namespace
