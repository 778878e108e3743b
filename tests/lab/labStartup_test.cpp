// Start-up of the internal edition: its settings object without a settings file, the question
// for the display's pixel numbers, and whole runs on a 1280 x 1024 screen in a child process.
#include "app/QDOEMainWindow.h"
#include "app/runPhasedeck.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "lab/app/displaySizeQuestion.h"
#include "views/qFullScreenFieldWidget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

namespace {

// What the display-size dialog showed, and the answer given to it.
struct DisplayDialogSeen
{
    QString caption, label1, label2, focus;
    int max1 = 0, max2 = 0, min1 = 0, min2 = 0, value1 = 0, value2 = 0;
    bool parentless = false, modal = false;
};

DialogRunner answerDisplaySize(std::optional<QSize> answer, DisplayDialogSeen& seen)
{
    return [answer, &seen](QDialog& dialog) {
        auto& d = dynamic_cast<dialog_twoIntValuesImpl&>(dialog);
        seen = {d.windowTitle(),
                d.TextLabel_1->text(),
                d.TextLabel_2->text(),
                d.focusWidget() ? d.focusWidget()->objectName() : QString(),
                d.value1_SpinBox->maximum(),
                d.value2_SpinBox->maximum(),
                d.value1_SpinBox->minimum(),
                d.value2_SpinBox->minimum(),
                d.value1_SpinBox->value(),
                d.value2_SpinBox->value(),
                d.parentWidget() == nullptr,
                d.isModal()};
        if (!answer)
            return int(QDialog::Rejected);
        d.value1_SpinBox->setValue(answer->width());
        d.value2_SpinBox->setValue(answer->height());
        return int(QDialog::Accepted);
    };
}

TEST(LabSettings, StartValuesAndTheDisplaySizeQuestion)
{
    {
        const applicationSettings fresh;
        EXPECT_TRUE(fresh.showIFTAOptionsDialog);
        EXPECT_TRUE(fresh.showImageOptionsDialog);
        EXPECT_FALSE(fresh.autoShrinkFieldWindows);
        EXPECT_EQ(fresh.openFileDir, "");
        EXPECT_EQ(fresh.fullScreenWidth, 0);
        EXPECT_EQ(fresh.slmWidth, 0);
    }

    const QSize primary = QGuiApplication::primaryScreen()->size();
    ASSERT_LE(primary.width(), 2000);
    ASSERT_LE(primary.height(), 1500);
    struct Case
    {
        const char* name;
        std::optional<QSize> answer;
        QSize fullScreen;
        QSize slm;
    };
    const Case cases[] = {
        {"accepted", QSize(1920, 1080), QSize(1920, 1080), QSize(1920, 1080)},
        {"accepted at the limits", QSize(2000, 1500), QSize(2000, 1500), QSize(2000, 1500)},
        {"rejected", std::nullopt, primary, QSize(0, 0)},
    };
    const QByteArray originalAppData = qgetenv("APPDATA");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir appData;
        ASSERT_TRUE(appData.isValid());
        qputenv("APPDATA", appData.path().toUtf8());
        DisplayDialogSeen seen;
        const DialogRunner previous = setDialogRunner(answerDisplaySize(c.answer, seen));
        {
            applicationSettings s;
            s.load(*qGuiApp, askDisplaySize);
            EXPECT_EQ(seen.caption, "Please specify display pixel number ");
            EXPECT_EQ(seen.label1, "Display size X:");
            EXPECT_EQ(seen.label2, "Display size Y:");
            EXPECT_EQ(seen.focus, "value1_SpinBox");
            EXPECT_EQ(seen.max1, 2000);
            EXPECT_EQ(seen.max2, 1500);
            EXPECT_EQ(seen.min1, 1);
            EXPECT_EQ(seen.min2, 1);
            EXPECT_EQ(QSize(seen.value1, seen.value2), primary);
            EXPECT_TRUE(seen.parentless);
            EXPECT_TRUE(seen.modal);

            EXPECT_EQ(QSize(s.fullScreenWidth, s.fullScreenHeight), c.fullScreen);
            EXPECT_EQ(QSize(s.slmWidth, s.slmHeight), c.slm);
            EXPECT_EQ(QSize(s.primaryScreenWidth, s.primaryScreenHeight), primary);
            EXPECT_EQ(s.numScreens, int(QGuiApplication::screens().size()));
            EXPECT_FALSE(s.slmOnExtendedDesktop);
            const std::string programFolder
                = QCoreApplication::applicationDirPath().toUtf8().toStdString();
            EXPECT_EQ(s.openFileDir, programFolder);
            EXPECT_EQ(s.saveFileDir, programFolder);
        }
        setDialogRunner(previous);
        // No settings folder and no settings file, neither at load nor at the end.
        EXPECT_TRUE(QDir(appData.path()).isEmpty()) << c.name;
    }
    qputenv("APPDATA", originalAppData);
}

TEST(LabSettings, APresetAboveTheLimitsIsClampedAndAStrangeAnswerIgnored)
{
    DisplayDialogSeen seen;
    const DialogRunner previous = setDialogRunner(answerDisplaySize(QSize(3000, 3000), seen));
    int width = 2560, height = 1600;
    EXPECT_TRUE(askDisplaySize(width, height));
    EXPECT_EQ(QSize(seen.value1, seen.value2), QSize(2000, 1500));
    EXPECT_EQ(QSize(width, height), QSize(2000, 1500));
    setDialogRunner(previous);

    // An asker that hands back no pixels leaves the primary screen's size.
    applicationSettings s;
    s.load(*qGuiApp, [](int& w, int& h) {
        w = 0;
        h = 5;
        return true;
    });
    EXPECT_EQ(QSize(s.fullScreenWidth, s.fullScreenHeight),
              QGuiApplication::primaryScreen()->size());
}

// ---- Whole runs on a 1280 x 1024 screen ----

const char childSwitch[] = "PHASEDECK_LAB_STARTUP_CHILD";
const char answerVariable[] = "PHASEDECK_LAB_STARTUP_ANSWER"; // "WxH" or "reject"

// The child: one program run that answers the display-size question, opens a generator's
// pattern, and reports what it saw.
TEST(LabStartupChild, RunsOnce)
{
    if (!qEnvironmentVariableIsSet(childSwitch))
        GTEST_SKIP() << "runs only as the child of the test below";
    const QString answerText = qEnvironmentVariable(answerVariable);
    std::optional<QSize> answer;
    if (answerText != QLatin1String("reject")) {
        const QStringList wh = answerText.split('x');
        answer = QSize(wh.value(0).toInt(), wh.value(1).toInt());
    }
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(1280, 1024));

    DisplayDialogSeen seen;
    int displayDialogs = 0;
    const DialogRunner answerOnce = answerDisplaySize(answer, seen);
    setDialogRunner([&](QDialog& d) {
        ++displayDialogs;
        return answerOnce(d);
    });

    QString title;
    bool sawWindow = false;
    QSize windowSize, maximumSize, composedSize;
    bool maximised = false;
    QTimer::singleShot(0, [&] {
        sawWindow = theMainWindow != nullptr;
        if (!theMainWindow)
            return;
        title = theMainWindow->windowTitle();
        QMetaObject::invokeMethod(theMainWindow, "showBlankScreen");
        if (!openFullScreenWindows.empty()) {
            qFullScreenFieldWidget* w = openFullScreenWindows.back();
            windowSize = w->size();
            maximumSize = w->maximumSize();
            maximised = w->isMaximized();
            composedSize = w->displayedBitmap().size();
        }
        theMainWindow->close();
    });
    char arg0[] = "/nonexistent/phasedeck_lab";
    char* argv[] = {arg0, nullptr};
    EXPECT_EQ(runPhasedeck(1, argv), 0);
    setDialogRunner(nullptr);

    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(displayDialogs, 1);
    EXPECT_EQ(QSize(seen.value1, seen.value2), QSize(1280, 1024));
    EXPECT_EQ(title, "Quorvel Phasedeck 2.1.1");
    if (answer) {
        // Every pattern has the entered size and its window that fixed size, not maximised.
        EXPECT_EQ(QSize(theSettings.fullScreenWidth, theSettings.fullScreenHeight), *answer);
        EXPECT_EQ(composedSize, *answer);
        EXPECT_FALSE(maximised);
        EXPECT_EQ(windowSize, *answer);
        EXPECT_EQ(maximumSize, *answer);
    } else {
        // The screen's own size: the pattern window fills the screen.
        EXPECT_EQ(QSize(theSettings.fullScreenWidth, theSettings.fullScreenHeight),
                  QSize(1280, 1024));
        EXPECT_EQ(composedSize, QSize(1280, 1024));
        EXPECT_TRUE(maximised);
    }
}

TEST(LabStartup, DisplaySizeOnASmallerScreen)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QFile config(root.filePath(QStringLiteral("screens.json")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(R"({"screens":[{"name":"desk","x":0,"y":0,"width":1280,"height":1024,)"
                 R"("logicalDpi":96,"dpr":1}]})");
    config.close();
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("work")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("appdata")));

    for (const char* answer : {"1920x1080", "reject"}) {
        SCOPED_TRACE(answer);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(childSwitch), QStringLiteral("1"));
        env.insert(QString::fromLatin1(answerVariable), QString::fromLatin1(answer));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   QStringLiteral("offscreen:configfile=") + config.fileName());
        env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
        env.insert(QStringLiteral("APPDATA"), root.filePath(QStringLiteral("appdata")));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(root.filePath(QStringLiteral("work")));
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=LabStartupChild.RunsOnce")});
        ASSERT_TRUE(child.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << output.toStdString();
        EXPECT_FALSE(output.contains(QLatin1String("SKIPPED"))) << output.toStdString();
    }
    // No log file, no settings file.
    EXPECT_TRUE(QDir(root.filePath(QStringLiteral("work"))).isEmpty());
    EXPECT_TRUE(QDir(root.filePath(QStringLiteral("appdata"))).isEmpty());
}

} // namespace
