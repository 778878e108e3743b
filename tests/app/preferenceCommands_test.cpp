// The preference commands of the main window through the dialog seams: background image, gray
// level range, optical parameters and the application font.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "dialogs/dialog_two_real_numbersImpl.h"
#include "support/messageRecorder.h"
#include "views/backgroundImage.h"

#include <QApplication>
#include <QFontDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

class PreferenceCommandsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedOptics = opticalParameters;
        saved0 = graylevelPhase0;
        saved2Pi = graylevelPhase2Pi;
        savedOpenDir = theSettings.openFileDir;
        savedSize = {theSettings.fullScreenWidth, theSettings.fullScreenHeight};
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
        window = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        previousDialog = setDialogRunner([this](QDialog& d) { return onDialog(d); });
        previousOpen = setOpenFileDialogRunner([this](const FileDialogRequest& r) {
            openRequests.push_back(r);
            FileDialogResult result;
            result.fileName = openAnswer;
            return result;
        });
    }
    void TearDown() override
    {
        setDialogRunner(previousDialog);
        setOpenFileDialogRunner(previousOpen);
        window.reset();
        opticalParameters = savedOptics;
        graylevelPhase0 = saved0;
        graylevelPhase2Pi = saved2Pi;
        theSettings.openFileDir = savedOpenDir;
        theSettings.fullScreenWidth = savedSize.first;
        theSettings.fullScreenHeight = savedSize.second;
        delete theBackgroundImage;
        theBackgroundImage = nullptr;
    }

    void run(const char* slot) { QMetaObject::invokeMethod(window.get(), slot); }

    QTemporaryDir dir;
    MessageRecorder messages;
    std::unique_ptr<QDOEMainWindow> window;
    std::function<int(QDialog&)> onDialog = [](QDialog&) { return int(QDialog::Rejected); };
    QString openAnswer;
    std::vector<FileDialogRequest> openRequests;
    OpticalParameters savedOptics{};
    unsigned char saved0 = 0, saved2Pi = 255;
    std::string savedOpenDir;
    std::pair<int, int> savedSize;
    DialogRunner previousDialog;
    FileDialogRunner previousOpen;
};

TEST_F(PreferenceCommandsTest, GraylevelRangeDialogPresetsAndResults)
{
    struct Seen
    {
        QString caption, label1, label2;
        int min1, max1, min2, max2, value1, value2;
    } seen{};
    int set1 = 0, set2 = 0;
    bool accept = true;
    onDialog = [&](QDialog& d) {
        auto* dialog = qobject_cast<dialog_twoIntValuesImpl*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        seen = {dialog->windowTitle(),
                dialog->TextLabel_1->text(),
                dialog->TextLabel_2->text(),
                dialog->value1_SpinBox->minimum(),
                dialog->value1_SpinBox->maximum(),
                dialog->value2_SpinBox->minimum(),
                dialog->value2_SpinBox->maximum(),
                dialog->value1_SpinBox->value(),
                dialog->value2_SpinBox->value()};
        dialog->value1_SpinBox->setValue(set1);
        dialog->value2_SpinBox->setValue(set2);
        return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    graylevelPhase0 = 3;
    graylevelPhase2Pi = 250;
    set1 = 20;
    set2 = 200;
    run("setGraylevelRange");
    EXPECT_EQ(seen.caption, QStringLiteral("Graylevel range for fullscreen windows"));
    EXPECT_EQ(seen.label1, QStringLiteral("Graylevel 0:"));
    EXPECT_EQ(seen.label2, QStringLiteral("Graylevel 2Pi:"));
    EXPECT_EQ(seen.min1, 0);
    EXPECT_EQ(seen.max1, 255);
    EXPECT_EQ(seen.min2, 0);
    EXPECT_EQ(seen.max2, 255);
    EXPECT_EQ(seen.value1, 3);
    EXPECT_EQ(seen.value2, 250);
    EXPECT_EQ(graylevelPhase0, 20);
    EXPECT_EQ(graylevelPhase2Pi, 200);

    // A reversed range is a valid choice.
    set1 = 255;
    set2 = 0;
    run("setGraylevelRange");
    EXPECT_EQ(graylevelPhase0, 255);
    EXPECT_EQ(graylevelPhase2Pi, 0);
    EXPECT_TRUE(messages.messages().empty());

    accept = false;
    set1 = 1;
    set2 = 2;
    run("setGraylevelRange");
    EXPECT_EQ(graylevelPhase0, 255);
    EXPECT_EQ(graylevelPhase2Pi, 0);

    // Equal levels are refused with a message.
    accept = true;
    set1 = 77;
    set2 = 77;
    run("setGraylevelRange");
    EXPECT_EQ(graylevelPhase0, 255);
    EXPECT_EQ(graylevelPhase2Pi, 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("WARNING"));
}

TEST_F(PreferenceCommandsTest, OpticalParametersDialog)
{
    struct Seen
    {
        QString caption, group, label1, label2, unit1, unit2, text1, text2;
    } seen;
    QString typed1, typed2;
    bool accept = true;
    onDialog = [&](QDialog& d) {
        auto* dialog = qobject_cast<dialog_two_real_numbersImpl*>(&d);
        if (!dialog)
            return int(QDialog::Rejected);
        seen = {dialog->windowTitle(),
                dialog->GroupBox1->title(),
                dialog->TextLabel_variable1->text(),
                dialog->TextLabel_variable2->text(),
                dialog->TextLabelUnit_1->text(),
                dialog->TextLabelUnit_2->text(),
                dialog->LineEdit_variable_1->text(),
                dialog->LineEdit_variable_2->text()};
        dialog->LineEdit_variable_1->setText(typed1);
        dialog->LineEdit_variable_2->setText(typed2);
        return accept ? int(QDialog::Accepted) : int(QDialog::Rejected);
    };
    // The values the main window starts with.
    ASSERT_EQ(opticalParameters.defaultPixelSizeX, slmPixelPitch);
    opticalParameters.defaultWavelength = 632.8e-9;
    typed1 = QStringLiteral("532");
    typed2 = QStringLiteral("6.4");
    run("openOpticalPrefsDialog");
    EXPECT_EQ(seen.caption, QStringLiteral("Please specify optical parameters"));
    EXPECT_EQ(seen.group, QStringLiteral("Optical parameters"));
    EXPECT_EQ(seen.label1, QStringLiteral("Wavelength: "));
    EXPECT_EQ(seen.label2, QStringLiteral("Pixel size: "));
    EXPECT_EQ(seen.unit1, QStringLiteral("nm"));
    EXPECT_EQ(seen.unit2, QString(QChar(0xB5)) + QStringLiteral("m"));
    EXPECT_EQ(seen.text1, QStringLiteral("632.8"));
    EXPECT_EQ(seen.text2, QStringLiteral("8"));
    EXPECT_DOUBLE_EQ(opticalParameters.defaultWavelength, 532e-9);
    EXPECT_DOUBLE_EQ(opticalParameters.defaultPixelSizeX, 6.4e-6);
    EXPECT_DOUBLE_EQ(opticalParameters.defaultPixelSizeY, 6.4e-6);
    EXPECT_TRUE(messages.messages().empty());

    struct Bad
    {
        const char* wavelength;
        const char* pitch;
    };
    const Bad bad[] = {{"abc", "8"}, {"633", ""}, {"-1", "8"}, {"633", "0"}, {"nan", "8"}};
    for (const Bad& b : bad) {
        SCOPED_TRACE(testing::Message() << b.wavelength << " / " << b.pitch);
        messages.clear();
        typed1 = QString::fromLatin1(b.wavelength);
        typed2 = QString::fromLatin1(b.pitch);
        run("openOpticalPrefsDialog");
        EXPECT_DOUBLE_EQ(opticalParameters.defaultWavelength, 532e-9);
        EXPECT_DOUBLE_EQ(opticalParameters.defaultPixelSizeX, 6.4e-6);
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("WARNING"));
    }

    accept = false;
    messages.clear();
    typed1 = QStringLiteral("1000");
    typed2 = QStringLiteral("1");
    run("openOpticalPrefsDialog");
    EXPECT_DOUBLE_EQ(opticalParameters.defaultWavelength, 532e-9);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(PreferenceCommandsTest, BackgroundImageLoadAndUnload)
{
    QImage full(1920, 1080, QImage::Format_Indexed8);
    QList<QRgb> ramp;
    for (int k = 0; k < 256; ++k)
        ramp.append(qRgb(k, k, k));
    full.setColorTable(ramp);
    full.fill(9);
    full.scanLine(1079)[4] = 200; // bottom line
    const QString fullName = dir.filePath(QStringLiteral("background.png"));
    ASSERT_TRUE(full.save(fullName));
    const QString smallName = dir.filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(smallName));
    theSettings.openFileDir = "/first";

    openAnswer.clear();
    run("loadBackgroundImageFromFile");
    EXPECT_EQ(theBackgroundImage, nullptr);
    EXPECT_EQ(theSettings.openFileDir, "/first");

    openAnswer = fullName;
    run("loadBackgroundImageFromFile");
    ASSERT_EQ(openRequests.size(), 2u);
    EXPECT_EQ(openRequests[1].caption, QStringLiteral("Choose a file"));
    EXPECT_EQ(openRequests[1].folder, QStringLiteral("/first"));
    EXPECT_EQ(openRequests[1].filters,
              QStringLiteral("Images (*.bmp *.png *.xpm *.jpg *.jpeg *.pgm *.gif)"));
    EXPECT_EQ(theSettings.openFileDir, dir.path().toStdString());
    ASSERT_NE(theBackgroundImage, nullptr);
    EXPECT_EQ(theBackgroundImage->status(), 1);
    EXPECT_EQ(theBackgroundImage->pixel(4, 0), 200);
    EXPECT_EQ(theBackgroundImage->pixel(5, 0), 9);
    EXPECT_TRUE(messages.messages().empty());

    // A file that does not load keeps the loaded image.
    openAnswer = dir.filePath(QStringLiteral("missing.png"));
    run("loadBackgroundImageFromFile");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("ERROR !"));
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Loading image failed !"));
    EXPECT_EQ(theBackgroundImage->status(), 1);

    // The wrong size replaces it by an empty one, with the size message.
    messages.clear();
    openAnswer = smallName;
    run("loadBackgroundImageFromFile");
    EXPECT_EQ(theBackgroundImage->status(), -1);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages()[0].text.startsWith(QLatin1String("Size of background image")));

    openAnswer = fullName;
    run("loadBackgroundImageFromFile");
    EXPECT_EQ(theBackgroundImage->status(), 1);
    run("unloadBackgroundImage");
    ASSERT_NE(theBackgroundImage, nullptr);
    EXPECT_EQ(theBackgroundImage->status(), -1);
    EXPECT_EQ(theBackgroundImage->values(), nullptr);
}

TEST_F(PreferenceCommandsTest, FontDialogInstallsTheChosenFont)
{
    const QFont before = QApplication::font();
    bool seenDialog = false;
    QFont offered;
    auto answerDialog = [&](bool accept) {
        QTimer::singleShot(0, [&, accept] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seenDialog = true;
            offered = dialog->currentFont();
            if (accept) {
                QFont chosen = dialog->currentFont();
                chosen.setPointSize(17);
                dialog->setCurrentFont(chosen);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
    };
    // Watchdog: closes any modal dialog left open.
    QTimer watchdog;
    watchdog.setInterval(5000);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    watchdog.start();

    answerDialog(false);
    run("openFontDialog");
    EXPECT_TRUE(seenDialog);
    EXPECT_EQ(offered.pointSize(), 10);
    EXPECT_EQ(QApplication::font(), before);

    seenDialog = false;
    answerDialog(true);
    run("openFontDialog");
    EXPECT_TRUE(seenDialog);
    EXPECT_EQ(QApplication::font().pointSize(), 17);
    QApplication::setFont(before);
}

} // namespace
