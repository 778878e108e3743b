// The program started through its run function, closed from a timer.
#include "app/QDOEMainWindow.h"
#include "base/phasedeckGlobals.h"
#include "app/runPhasedeck.h"
#include "dialogs/dialogSeams.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFont>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Startup, RunsAndClosesCleanly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());

    bool wasMaximized = false;
    bool sawWindow = false;
    QString caption;
    QTimer::singleShot(0, [&] {
        sawWindow = theMainWindow != nullptr;
        if (theMainWindow) {
            wasMaximized = theMainWindow->isMaximized();
            caption = theMainWindow->windowTitle();
            theMainWindow->close();
        }
    });
    char arg0[] = "/nonexistent/phasedeck_app";
    char* argv[] = {arg0, nullptr};
#if PHASEDECK_LAB
    // The display-size question at start-up, closed: the primary screen's size stays.
    const DialogRunner previousRunner
        = setDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
#endif
    const int result = runPhasedeck(1, argv);
#if PHASEDECK_LAB
    setDialogRunner(previousRunner);
#endif
    QDir::setCurrent(oldCwd);

    EXPECT_EQ(result, 0);
    EXPECT_TRUE(sawWindow);
    EXPECT_TRUE(wasMaximized);
    EXPECT_EQ(caption, QString::fromStdString(fullApplicationName));
    EXPECT_EQ(theMainWindow, nullptr);
    EXPECT_EQ(graylevelPhase0, 0);
    EXPECT_EQ(graylevelPhase2Pi, 255);
    EXPECT_EQ(QApplication::font().family(), "Helvetica");
    EXPECT_EQ(QApplication::font().pointSize(), 8);
    EXPECT_FALSE(homeFolder.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.log"}, QDir::Files).isEmpty());
}

} // namespace
