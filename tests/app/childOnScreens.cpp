// Running a test again in a child process on a given offscreen screen layout.
#include "childOnScreens.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

void expectChildPassesOnScreens(const char* screens, const QString& childTest, const char* variable,
                                const QString& value)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QByteArray(R"({"screens":)") + screens + "}");
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               QStringLiteral("offscreen:configfile=") + config.fileName());
    env.insert(QStringLiteral("APPDATA"), dir.path());
    env.insert(QString::fromLatin1(variable), value);
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=" + childTest});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput() + child.readAllStandardError();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
