// Opening images in the internal edition: the image options dialog, its presets for gray and
// colour images, the conversions it chooses, the remembered choices and the dialog switch.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialog_openImageImpl.h"
#include "dialogs/dialogSeams.h"
#include "fields/complexDataField2D.h"
#include "fields/DataField2D.h"
#include "lab/app/imageConversionChoice.h"
#include "support/openWindows.h"
#include "support/messageRecorder.h"
#include "views/qComplexDataGrscMapWidget.h"
#include "views/qFullScreenFieldWidget.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

constexpr double pi = 3.141592653589793;

// 4 x 2 colours, eight of them, top line first.
QImage colourImage()
{
    const QRgb pixels[2][4]
        = {{qRgb(200, 100, 50), qRgb(10, 20, 30), qRgb(255, 255, 255), qRgb(0, 0, 100)},
           {qRgb(0, 100, 0), qRgb(100, 254, 0), qRgb(255, 100, 0), qRgb(128, 128, 128)}};
    QImage image(4, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, pixels[y][x]);
    return image;
}

// 4 x 2 gray values 10, 130 and 200 with the gray ramp, top line first.
QImage grayImage()
{
    const uchar values[2][4] = {{10, 200, 130, 10}, {200, 130, 10, 200}};
    QImage image(4, 2, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int k = 0; k < 256; ++k)
        ramp.append(qRgb(k, k, k));
    image.setColorTable(ramp);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.scanLine(y)[x] = values[y][x];
    return image;
}

// What the options dialog showed when it came up.
struct Presets
{
    QString info, grayText, quantizedText;
    bool cyclicEnabled = false, levelsVisible = false, levelsLabelVisible = false;
    int weights[3] = {};
    bool weightsEnabled[3] = {};
    int levels = 0;
    int quantizedWidth = 0;
    QString checkedColour, checkedField, checkedValues, checkedPhase;
    int cursorShape = -1;
    bool parentless = false;
};

QString checkedOf(std::initializer_list<QRadioButton*> buttons)
{
    for (QRadioButton* b : buttons)
        if (b->isChecked())
            return b->objectName();
    return QString();
}

Presets readPresets(dialog_openImageImpl& d)
{
    Presets p;
    p.info = d.textLabel_info->text();
    p.grayText = d.radioButton1->text();
    p.quantizedText = d.radioButton11->text();
    p.cyclicEnabled = d.radioButton2->isEnabled();
    p.levelsVisible = d.spinBox_Levels->isVisibleTo(&d);
    p.levelsLabelVisible = d.textLabel3->isVisibleTo(&d);
    QSpinBox* w[3] = {d.spinBox_R, d.spinBox_G, d.spinBox_B};
    for (int k = 0; k < 3; ++k) {
        p.weights[k] = w[k]->value();
        p.weightsEnabled[k] = w[k]->isEnabled();
    }
    p.levels = d.spinBox_Levels->value();
    p.quantizedWidth = d.radioButton11->width();
    p.checkedColour = checkedOf({d.radioButton1, d.radioButton2, d.radioButton3});
    p.checkedField = checkedOf({d.radioButton_realField, d.radioButton_complexFieldPhase});
    p.checkedValues = checkedOf({d.radioButton7, d.radioButton8, d.radioButton9});
    p.checkedPhase = checkedOf({d.radioButton10, d.radioButton11});
    const QCursor* cursor = QGuiApplication::overrideCursor();
    p.cursorShape = cursor ? int(cursor->shape()) : -1;
    p.parentless = d.parentWidget() == nullptr;
    return p;
}

class LabImageOpeningTest : public testing::Test
{
protected:
    void SetUp() override
    {
        savedSwitch = theSettings.showImageOptionsDialog;
        theSettings.showImageOptionsDialog = true;
        savedSize = {theSettings.fullScreenWidth, theSettings.fullScreenHeight};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        // The gray range the program starts with.
        savedRange = {graylevelPhase0, graylevelPhase2Pi};
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        rememberedImageConversion() = ImageConversionChoice();
        window = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        previous = setDialogRunner([this](QDialog& dialog) {
            auto& d = dynamic_cast<dialog_openImageImpl&>(dialog);
            seen.push_back(readPresets(d));
            if (!choose)
                return int(QDialog::Rejected);
            choose(d);
            return int(QDialog::Accepted);
        });
    }
    void TearDown() override
    {
        setDialogRunner(previous);
        window.reset();
        deleteOpenFullScreenWindows();
        theSettings.showImageOptionsDialog = savedSwitch;
        theSettings.fullScreenWidth = savedSize.first;
        theSettings.fullScreenHeight = savedSize.second;
        graylevelPhase0 = savedRange.first;
        graylevelPhase2Pi = savedRange.second;
        rememberedImageConversion() = ImageConversionChoice();
    }

    std::vector<qComplexDataGrscMapWidget*> fieldWindows() const { return fieldWindowsOf(*window); }

    qComplexDataGrscMapWidget* lastFieldWindow() const
    {
        const auto windows = fieldWindows();
        return windows.empty() ? nullptr : windows.back();
    }

    std::unique_ptr<QDOEMainWindow> window;
    std::pair<unsigned char, unsigned char> savedRange;
    std::function<void(dialog_openImageImpl&)> choose; // null: the dialog is cancelled
    std::vector<Presets> seen;
    MessageRecorder messages;
    DialogRunner previous;
    bool savedSwitch = true;
    std::pair<int, int> savedSize;
};

TEST_F(LabImageOpeningTest, PresetsForGrayAndColourImages)
{
    window->showImage(grayImage(), "gray");
    window->showImage(colourImage(), "colour");
    ASSERT_EQ(seen.size(), 2u);

    const Presets& gray = seen[0];
    EXPECT_EQ(gray.info, "Properties: Grayscale image with 4 x 2 pixels and 3 unique colors");
    EXPECT_EQ(gray.grayText, "Grayscale image");
    EXPECT_FALSE(gray.cyclicEnabled);
    EXPECT_EQ(std::vector<int>(gray.weights, gray.weights + 3), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(std::vector<bool>(gray.weightsEnabled, gray.weightsEnabled + 3),
              (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(gray.levelsVisible);
    EXPECT_FALSE(gray.levelsLabelVisible);
    EXPECT_EQ(gray.quantizedText, "quantized phase with 3 equidistant levels");
    EXPECT_EQ(gray.quantizedWidth, 2 * 160);
    EXPECT_EQ(gray.levels, 3);

    const Presets& colour = seen[1];
    EXPECT_EQ(colour.info, "Properties: Color image with 4 x 2 pixels and 8 unique colors");
    EXPECT_EQ(colour.grayText, "Grayscale image - RGB mix as specified below");
    EXPECT_TRUE(colour.cyclicEnabled);
    EXPECT_EQ(std::vector<int>(colour.weights, colour.weights + 3), (std::vector<int>{11, 16, 5}));
    EXPECT_EQ(std::vector<bool>(colour.weightsEnabled, colour.weightsEnabled + 3),
              (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(colour.levelsVisible);
    EXPECT_EQ(colour.quantizedText, "quantized phase with");
    EXPECT_EQ(colour.levels, 8);

    for (const Presets& p : seen) {
        // The start choices, the arrow cursor over the command's wait cursor, no parent.
        EXPECT_EQ(p.checkedColour, "radioButton1");
        EXPECT_EQ(p.checkedField, "radioButton_realField");
        EXPECT_EQ(p.checkedValues, "radioButton7");
        EXPECT_EQ(p.checkedPhase, "radioButton10");
        EXPECT_EQ(p.cursorShape, int(Qt::ArrowCursor));
        EXPECT_TRUE(p.parentless);
    }
    // Cancelled: nothing opens, and no override cursor is left behind.
    EXPECT_TRUE(fieldWindows().empty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LabImageOpeningTest, ManyColoursPresetTheLevelsTo2048)
{
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    window->showImage(image, "many");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].info, "Properties: Color image with 64 x 64 pixels and 4096 unique colors");
    EXPECT_EQ(seen[0].levels, 2048);
}

// Each choice of the dialog gives its field; values are checked at the top-left pixel, element
// (0, sizeJ - 1) of a real field, and at other pixels named in the rows.
TEST_F(LabImageOpeningTest, ChoicesGiveTheirFields)
{
    struct Pixel
    {
        int x, y;     // image pixel, y from the top
        double value; // real value, or phase in radians for a complex field
    };
    struct Row
    {
        const char* name;
        bool grayImage;
        std::function<void(dialog_openImageImpl&)> choose;
        bool complex;
        std::vector<Pixel> pixels;
    };
    const Row rows[] = {
        {"colour, gray mix 11 16 5, values kept",
         false,
         [](dialog_openImageImpl&) {},
         false,
         {{0, 0, 126}, {1, 0, 18}, {2, 0, 255}}},
        {"colour, gray mix 1 1 0",
         false,
         [](dialog_openImageImpl& d) {
             d.spinBox_R->setValue(1);
             d.spinBox_G->setValue(1);
             d.spinBox_B->setValue(0);
         },
         false,
         {{0, 0, 150}, {3, 1, 128}}},
        {"colour, cyclic colour scale",
         false,
         [](dialog_openImageImpl& d) { d.radioButton2->click(); },
         false,
         {{2, 0, 4112}, {3, 0, 121}, {0, 1, 694}, {1, 1, 1864}, {2, 1, 3496}, {3, 1, 0}}},
        {"colour, monochrome: threshold at gray 128",
         false,
         [](dialog_openImageImpl& d) { d.radioButton3->click(); },
         false,
         {{0, 0, 0}, {2, 0, 255}, {1, 1, 255}, {3, 1, 255}, {1, 0, 0}}},
        {"gray, divided by 255",
         true,
         [](dialog_openImageImpl& d) { d.radioButton8->click(); },
         false,
         {{0, 0, 10 / 255.0}, {1, 0, 200 / 255.0}}},
        {"gray, scaled to [0, 1]",
         true,
         [](dialog_openImageImpl& d) { d.radioButton9->click(); },
         false,
         {{0, 0, 0.0}, {1, 0, 1.0}, {2, 0, 120 / 190.0}}},
        {"gray, phase = gray * 2 pi / 256",
         true,
         [](dialog_openImageImpl& d) { d.radioButton_complexFieldPhase->click(); },
         true,
         {{0, 1, (200 - 128) * pi / 128}, {2, 1, (10 - 128) * pi / 128}}},
        {"gray, quantised phase with the image's 3 levels",
         true,
         [](dialog_openImageImpl& d) {
             d.radioButton_complexFieldPhase->click();
             d.radioButton11->click();
         },
         true,
         // k = floor(3 g / 256 + 0.49999999), phase = k 2 pi / 3 - pi
         {{0, 1, pi / 3}, {1, 1, pi / 3}, {2, 1, -pi}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rememberedImageConversion() = ImageConversionChoice(); // each row from the start choices
        choose = row.choose;
        window->showImage(row.grayImage ? grayImage() : colourImage(), row.name);
        qComplexDataGrscMapWidget* w = lastFieldWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->caption(), row.name);
        if (row.complex) {
            ASSERT_EQ(w->kind(), qComplexDataGrscMapWidget::complexFieldWindow);
            EXPECT_EQ(w->currentMode(), 4);
            const auto field = w->complexField();
            ASSERT_TRUE(field);
            ASSERT_EQ(QSize(field->getSizeI(), field->getSizeJ()), QSize(4, 2));
            for (const Pixel& p : row.pixels) {
                // Array line r (from the bottom) and column x go to (x + 2, r + 1) wrapped.
                const int r = 1 - p.y;
                const complexFloat z = field->getValue((p.x + 2) % 4, (r + 1) % 2);
                EXPECT_NEAR(std::hypot(z.re, z.im), 1.0, 1e-6);
                // Phases compare modulo 2 pi (-pi and pi are one phase).
                EXPECT_NEAR(std::remainder(std::atan2(z.im, z.re) - p.value, 2 * pi), 0.0, 1e-5)
                    << p.x << ", " << p.y;
            }
        } else {
            ASSERT_EQ(w->kind(), qComplexDataGrscMapWidget::realFieldWindow);
            const auto field = w->realField();
            ASSERT_TRUE(field);
            ASSERT_EQ(QSize(field->getSizeI(), field->getSizeJ()), QSize(4, 2));
            for (const Pixel& p : row.pixels)
                EXPECT_NEAR(field->getValue(p.x, 1 - p.y), p.value, 1e-6) << p.x << ", " << p.y;
        }
    }
    EXPECT_EQ(fieldWindows().size(), std::size(rows));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LabImageOpeningTest, TheLastAcceptedChoicesPresetTheNextDialog)
{
    choose = [](dialog_openImageImpl& d) {
        d.radioButton3->click();
        d.radioButton9->click();
        d.radioButton_complexFieldPhase->click();
        d.radioButton11->click();
    };
    window->showImage(colourImage(), "first");
    choose = nullptr; // cancelled: changes nothing
    window->showImage(colourImage(), "second");
    window->showImage(colourImage(), "third");
    ASSERT_EQ(seen.size(), 3u);
    for (size_t k : {1u, 2u}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(seen[k].checkedColour, "radioButton3");
        EXPECT_EQ(seen[k].checkedField, "radioButton_complexFieldPhase");
        EXPECT_EQ(seen[k].checkedValues, "radioButton9");
        EXPECT_EQ(seen[k].checkedPhase, "radioButton11");
    }
    EXPECT_EQ(fieldWindows().size(), 1u);
}

// A gray image cannot be read as cyclic colours: after that choice its dialog offers the gray
// values instead, and the choice stays remembered for colour images.
TEST_F(LabImageOpeningTest, GrayImagesAreNotPresetToTheCyclicColours)
{
    choose = [](dialog_openImageImpl& d) { d.radioButton2->click(); };
    window->showImage(colourImage(), "cyclic");
    choose = nullptr;
    window->showImage(grayImage(), "gray");
    window->showImage(colourImage(), "colour again");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].checkedColour, "radioButton1");
    EXPECT_FALSE(seen[1].cyclicEnabled);
    EXPECT_EQ(seen[2].checkedColour, "radioButton2");
}

TEST_F(LabImageOpeningTest, FullScreenImagesGoToAPatternWindowAfterTheMonochromeChoice)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, 40, 200));
    choose = [](dialog_openImageImpl& d) {
        d.radioButton3->click();
        d.radioButton_complexFieldPhase->click(); // has no effect on a full-screen image
    };
    window->showImage(image, "full");
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(openFullScreenWindows.size(), 1u);
    EXPECT_TRUE(fieldWindows().empty());
    const QImage shown = openFullScreenWindows[0]->displayedBitmap();
    ASSERT_EQ(shown.size(), QSize(1920, 1080));
    std::set<int> grays;
    for (int x = 0; x < 256; ++x)
        grays.insert(qRed(shown.pixel(x, 500)));
    EXPECT_EQ(grays, (std::set<int>{0, 255}));
    // The threshold: gray (11 r + 16 * 40 + 5 * 200) / 32 reaches 128 from r = 224.
    EXPECT_EQ(qRed(shown.pixel(223, 500)), 0);
    EXPECT_EQ(qRed(shown.pixel(224, 500)), 255);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Conversion to grayscale image is done automatically.\n Color information will be "
              "lost.");
}

TEST_F(LabImageOpeningTest, AlphaWarningComesBeforeTheDialog)
{
    QImage image = colourImage().convertToFormat(QImage::Format_ARGB32);
    window->showImage(image, "alpha");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Image has alpha-Buffer, which will be ignored.");
    EXPECT_EQ(seen.size(), 1u);
}

} // namespace
