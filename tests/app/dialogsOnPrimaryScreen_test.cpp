// Dialogs, file dialogs, questions and message boxes have no parent window; with the mouse on the
// SLM screen they still open centred on the primary screen, where the SLM output cannot cover
// them, and wide enough for their caption.
#include "app/messageBoxes.h"

#include "base/messages.h"
#include "dialogs/dialogForm.h"
#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_twoIntValuesImpl.h"
#include "childOnScreens.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {

const char twoScreensVariable[] = "PHASEDECK_DIALOG_SCREENS";

struct Opened
{
    bool shown = false;
    QRect frame;
    QScreen* screen = nullptr;
    QScreen* windowScreen = nullptr;
    QString caption;
    int width = 0;
};

// Where the modal widget that `open` shows appears; it is closed as soon as it is seen.
Opened whereItOpens(const std::function<void()>& open)
{
    Opened seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible())
            return;
        poll.stop();
        seen.shown = true;
        seen.frame = modal->frameGeometry();
        seen.screen = modal->screen();
        seen.windowScreen = modal->windowHandle()->screen();
        seen.caption = modal->windowTitle();
        seen.width = modal->width();
        modal->reject();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    poll.start();
    watchdog.start(5000);
    open();
    return seen;
}

TEST(DialogsOnTwoScreensChild, OpenCentredOnThePrimaryScreen)
{
    if (!qEnvironmentVariableIsSet(twoScreensVariable))
        GTEST_SKIP() << "runs only as the child of the test below";
    ASSERT_EQ(QGuiApplication::screens().size(), 2);
    QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_EQ(primary->geometry(), QRect(1920, 0, 1920, 1080));
    // Without a parent the toolkit centres a dialog on the screen under the mouse.
    QCursor::setPos(960, 540);
    ASSERT_NE(QGuiApplication::screenAt(QCursor::pos()), primary);
    installToolkitMessageBoxes();

    const struct
    {
        const char* name;
        std::function<void()> open;
    } rows[] = {
        // The caller's longer labels widen the form when it is shown; it is centred as shown.
        {"a form through the dialog runner",
         [] {
             dialog_twoIntValuesImpl form(nullptr, nullptr, true);
             form.TextLabel_1->setText(QStringLiteral("Radius of smallest ring"));
             form.TextLabel_2->setText(QStringLiteral("Number of segments"));
             runDialog(form);
         }},
        {"a question",
         [] {
             askQuestion(QStringLiteral("Extended desktop support"), QStringLiteral("Use it?"),
                         QuestionButton::Yes);
         }},
        {"the open file dialog",
         [] {
             getOpenFileName(
                 {QStringLiteral("Open"), QDir::tempPath(), QStringLiteral("All (*)"), QString()});
         }},
        {"the save file dialog",
         [] {
             getSaveFileName({QStringLiteral("Select Filename"), QDir::tempPath() + "/a.png",
                              QStringLiteral("Portable Network Graphics File(*.png)"), QString()});
         }},
        {"the overwrite question, whose caption is wider than its text",
         [] {
             askQuestion(QStringLiteral("Confirm file overwrite"),
                         QStringLiteral("File exists! Overwrite ?"), QuestionButton::No);
         }},
        {"a message box", [] { errorMessage("Writing file failed !"); }},
    };
    const QRect area = primary->availableGeometry();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Opened seen = whereItOpens(row.open);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.screen, primary);
        EXPECT_EQ(seen.windowScreen, primary);
        const QRect f = seen.frame;
        SCOPED_TRACE(testing::Message() << "opened at " << f.x() << ", " << f.y() << ", "
                                        << f.width() << " x " << f.height());
        EXPECT_TRUE(area.contains(f));
        EXPECT_LE(std::abs(f.center().x() - area.center().x()), 1);
        EXPECT_LE(std::abs(f.center().y() - area.center().y()), 1);
        // The window manager shows the caption whole.
        EXPECT_GE(seen.width, captionFitWidth(seen.caption)) << seen.caption.toStdString();
    }
}

// The primary screen (listed first) lies right of the SLM screen.
TEST(DialogsOnTwoScreens, OpenCentredOnThePrimaryScreen)
{
    expectChildPassesOnScreens(
        R"([{"name":"desk","x":1920,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1},)"
        R"({"name":"slm","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}])",
        QStringLiteral("DialogsOnTwoScreensChild.*"), twoScreensVariable, QStringLiteral("1"));
}

} // namespace
