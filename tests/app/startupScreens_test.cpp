// Whole runs of the program in a child process (this test program again, on a chosen screen
// set-up and settings folder): what a plain run leaves behind, and the extended-desktop question
// with the hidden SLM output window.
#include "app/QDOEMainWindow.h"
#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "app/runPhasedeck.h"
#include "dialogs/dialogSeams.h"
#include "views/QSLMWidget.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const char childSwitch[] = "PHASEDECK_STARTUP_CHILD";
const char answerVariable[] = "PHASEDECK_STARTUP_ANSWER";           // "yes" or "no"
const char expectQuestionVariable[] = "PHASEDECK_STARTUP_QUESTION"; // "1" or "0"
const char expectSlmVariable[] = "PHASEDECK_STARTUP_SLM";           // "x,y,w,h" or empty

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The child: one program run under the environment the parent prepared.
TEST(StartupChild, RunsOnce)
{
    if (!qEnvironmentVariableIsSet(childSwitch))
        GTEST_SKIP() << "runs only as the child of the tests below";

    const bool answerYes = qEnvironmentVariable(answerVariable) == QLatin1String("yes");
    const bool expectQuestion = qEnvironmentVariable(expectQuestionVariable) == QLatin1String("1");
    const QString expectSlm = qEnvironmentVariable(expectSlmVariable);

    std::vector<std::pair<QString, QString>> questions;
    std::vector<QuestionButton> defaults;
    setQuestionRunner([&](const QString& caption, const QString& text, QuestionButton def) {
        questions.emplace_back(caption, text);
        defaults.push_back(def);
        return answerYes ? QuestionButton::Yes : QuestionButton::No;
    });

    bool sawWindow = false;
    bool slmHidden = false;
    QString slmGeometry;
    QTimer::singleShot(0, [&] {
        sawWindow = theMainWindow != nullptr;
        if (!theMainWindow)
            return;
        if (QSLMWidget* slm = theMainWindow->slmOutputWidget()) {
            slmHidden = slm->isHidden();
            slmGeometry = rectText(slm->geometry());
        }
        theMainWindow->close();
    });
    char arg0[] = "/nonexistent/phasedeck_app";
    char* argv[] = {arg0, nullptr};
#if PHASEDECK_LAB
    // The display-size question, answered with the SLM's size.
    setDialogRunner([](QDialog& d) {
        d.findChild<QSpinBox*>("value1_SpinBox")->setValue(1920);
        d.findChild<QSpinBox*>("value2_SpinBox")->setValue(1080);
        return int(QDialog::Accepted);
    });
#endif
    EXPECT_EQ(runPhasedeck(1, argv), 0);
    setQuestionRunner(nullptr);
    setDialogRunner(nullptr);

    EXPECT_TRUE(sawWindow);
    if (expectQuestion) {
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0].first, "Extended desktop support");
        EXPECT_EQ(questions[0].second, "This software can adress the SLM as an\nextra screen "
                                       "within the extended desktop.\nDo you want to use this "
                                       "feature ?");
        EXPECT_EQ(defaults[0], QuestionButton::Yes) << "Return keeps the SLM in use";
    } else {
        EXPECT_TRUE(questions.empty());
    }
    EXPECT_EQ(slmGeometry.toStdString(), expectSlm.toStdString());
    if (!expectSlm.isEmpty()) {
        EXPECT_TRUE(slmHidden);
    }
    EXPECT_EQ(theSettings.slmOnExtendedDesktop, !expectSlm.isEmpty());
    EXPECT_EQ(theSettings.fullScreenWidth, 1920);
    EXPECT_EQ(theSettings.fullScreenHeight, 1080);
}

struct ChildRun
{
    int exitCode = -1;
    QString output;
};

class StartupRunTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("appdata")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("work")));
    }

    QString appData() const { return root.filePath(QStringLiteral("appdata")); }
    QString work() const { return root.filePath(QStringLiteral("work")); }
    QString settingsFolder() const
    {
        return appData() + QStringLiteral("/QUORVEL/") + QString::fromStdString(productTitle)
               + QLatin1Char(' ') + QString::fromStdString(deviceModel);
    }

    // platform: the QT_QPA_PLATFORM value of the child.
    ChildRun runChild(const QString& platform, const char* answer, bool expectQuestion,
                      const QString& expectSlm)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(childSwitch), QStringLiteral("1"));
        env.insert(QString::fromLatin1(answerVariable), QString::fromLatin1(answer));
        env.insert(QString::fromLatin1(expectQuestionVariable),
                   expectQuestion ? QStringLiteral("1") : QStringLiteral("0"));
        env.insert(QString::fromLatin1(expectSlmVariable), expectSlm);
        env.insert(QStringLiteral("APPDATA"), appData());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));

        QProcess child;
        child.setProcessEnvironment(env);
        child.setWorkingDirectory(work());
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=StartupChild.RunsOnce")});
        ChildRun run;
        if (!child.waitForStarted(30000) || !child.waitForFinished(120000)) {
            child.kill();
            child.waitForFinished(5000);
            run.output = QStringLiteral("child did not finish");
            return run;
        }
        run.output = QString::fromLocal8Bit(child.readAll());
        run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -2;
        return run;
    }

    void expectChildPassed(const ChildRun& run)
    {
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        EXPECT_TRUE(run.output.contains(QLatin1String("[  PASSED  ] 1 test")))
            << run.output.toStdString();
        EXPECT_FALSE(run.output.contains(QLatin1String("SKIPPED"))) << run.output.toStdString();
    }

    QString writeScreenConfig(const QString& json)
    {
        const QString path = root.filePath(QStringLiteral("screens.json"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(json.toUtf8());
        return path;
    }

    QTemporaryDir root;
};

TEST_F(StartupRunTest, PlainRunWritesTheSettingsFileAndNoLog)
{
    const ChildRun run = runChild(QStringLiteral("offscreen"), "no", false, QString());
    expectChildPassed(run);

    EXPECT_TRUE(QDir(work()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
#if !PHASEDECK_LAB
    QFile settings(settingsFolder() + QStringLiteral("/settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << settings.fileName().toStdString();
    EXPECT_EQ(settings.readAll(), "OPEN_FILE_DIR;" + QCoreApplication::applicationDirPath().toUtf8()
                                      + "\nSAVE_FILE_DIR;" + settingsFolder().toUtf8() + "\n");
#endif
}

TEST_F(StartupRunTest, SecondScreenOfSlmSizeIsOfferedAndCoveredByTheHiddenSlmWindow)
{
    const QString config = writeScreenConfig(QStringLiteral(
        R"({"screens":[)"
        R"({"name":"desk","x":0,"y":0,"width":1280,"height":1024,"logicalDpi":96,"dpr":1},)"
        R"({"name":"slm","x":1280,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}]})"));
    const QString platform = QStringLiteral("offscreen:configfile=") + config;
#if PHASEDECK_LAB
    // The internal edition neither asks nor opens an SLM window.
    expectChildPassed(runChild(platform, "yes", false, QString()));
#else
    struct Case
    {
        const char* answer;
        QString slm;
    };
    const Case cases[] = {
        {"yes", QStringLiteral("1280,0,1920,1080")},
        {"no", QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        expectChildPassed(runChild(platform, c.answer, true, c.slm));
    }
#endif
}

} // namespace
