// Window management of the main window: the Windows menu, the close-all commands, the opener of
// full-screen windows, their SLM connection, how they are shown, and shut-down.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "childOnScreens.h"
#include "dialogs/dialogSeams.h"
#include "fieldio/grayImages.h"
#include "support/eventually.h"
#include "views/qFullScreenFieldWidget.h"
#include "views/QSLMWidget.h"
#include "views/windowManagement.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage cell(int w, int h, int seed)
{
    QImage image = createPhaseImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.scanLine(y)[x] = static_cast<unsigned char>(seed + 3 * x + 7 * y);
    return image;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One line per entry: text, [key], "-" when disabled, "*" when checked; "---" for separators.
QStringList describe(QMenu* menu)
{
    QStringList lines;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            lines << QStringLiteral("---");
            continue;
        }
        // A key shown after a tab reads like one the entry takes.
        const QStringList textAndKey = a->text().split(QLatin1Char('\t'));
        QString line = textAndKey.first();
        if (!a->shortcut().isEmpty())
            line += " [" + a->shortcut().toString() + "]";
        else if (textAndKey.size() > 1)
            line += " [" + textAndKey[1] + "]";
        if (!a->isEnabled())
            line += " -";
        if (a->isChecked())
            line += " *";
        lines << line;
    }
    return lines;
}

class WindowManagementTest : public testing::Test
{
protected:
    void SetUp() override
    {
        saved.slm = theSettings.slmOnExtendedDesktop;
        saved.w = theSettings.fullScreenWidth;
        saved.h = theSettings.fullScreenHeight;
        saved.pw = theSettings.primaryScreenWidth;
        saved.ph = theSettings.primaryScreenHeight;
        saved.index = theSettings.slmScreenIndex;
        theSettings.fullScreenWidth = 1920;
        theSettings.fullScreenHeight = 1080;
        theSettings.primaryScreenWidth = 800;
        theSettings.primaryScreenHeight = 600;
        theSettings.slmScreenIndex = 0;
        theSettings.slmOnExtendedDesktop = false;
        graylevelPhase0 = 0;
        graylevelPhase2Pi = 255;
    }
    void TearDown() override
    {
        mainWindow.reset();
        flushDeletes();
        openFullScreenWindows.clear();
        setQuestionRunner(nullptr);
        theSettings.slmOnExtendedDesktop = saved.slm;
        theSettings.fullScreenWidth = saved.w;
        theSettings.fullScreenHeight = saved.h;
        theSettings.primaryScreenWidth = saved.pw;
        theSettings.primaryScreenHeight = saved.ph;
        theSettings.slmScreenIndex = saved.index;
    }

    // The main window; with an SLM screen the question is answered Yes.
    QDOEMainWindow* makeMainWindow(bool slm)
    {
        theSettings.slmOnExtendedDesktop = slm;
        setQuestionRunner(
            [](const QString&, const QString&, QuestionButton) { return QuestionButton::Yes; });
        mainWindow
            = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        mainWindow->setAttribute(Qt::WA_DeleteOnClose, false);
        theMainWindow = mainWindow.get();
        return mainWindow.get();
    }

    QMdiSubWindow* addFieldWindow(const QString& title)
    {
        auto* content = new QWidget;
        content->setWindowTitle(title);
        QMdiSubWindow* sub = mainWindow->workspaceArea()->addSubWindow(content);
        sub->show();
        return sub;
    }

    QStringList windowsMenu()
    {
        emit mainWindow->windowsPopup()->aboutToShow();
        return describe(mainWindow->windowsPopup());
    }

    QAction* windowsEntry(const QString& text)
    {
        emit mainWindow->windowsPopup()->aboutToShow();
        for (QAction* a : mainWindow->windowsPopup()->actions())
            if (a->text().section(QLatin1Char('\t'), 0, 0) == text)
                return a;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    }

    static QToolButton* slmButton(qFullScreenFieldWidget* w)
    {
        return w->findChild<QToolButton*>(QStringLiteral("slmButton"));
    }

    std::unique_ptr<QDOEMainWindow> mainWindow;
    struct
    {
        bool slm;
        int w, h, pw, ph, index;
    } saved{};
};

TEST_F(WindowManagementTest, WindowsMenuEntries)
{
    const QString inside = QStringLiteral("&Close all windows inside the main window [Ctrl+I]");
    const QString outside = QStringLiteral("Close all windows outside the main window [Ctrl+E]");
    struct Row
    {
        const char* name;
        int fullScreen;
        QStringList fields;
        int active;
        QStringList expected;
    } rows[] = {
        {"nothing open", 0, {}, -1, {"&Cascade -", "&Tile -", "&Close all windows [Ctrl+I] -"}},
        {"one full-screen window",
         1,
         {},
         -1,
         {"&Cascade -", "&Tile -", inside + " -", "---", outside}},
        {"one field window",
         0,
         {"only"},
         0,
         {"&Cascade", "&Tile", "&Close all windows [Ctrl+I]", "---", "only *"}},
        {"several of both",
         2,
         {"A", "B", "C"},
         1,
         {"&Cascade", "&Tile", inside, "---", outside, "---", "A", "B *", "C"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        makeMainWindow(false);
        mainWindow->show();
        std::vector<std::unique_ptr<qFullScreenFieldWidget>> fullScreen;
        for (int k = 0; k < row.fullScreen; ++k) {
            fullScreen.push_back(std::make_unique<qFullScreenFieldWidget>(
                nullptr, "new window", Qt::Window, QString(), cell(4, 4, k)));
            openFullScreenWindows.push_back(fullScreen.back().get());
        }
        std::vector<QMdiSubWindow*> subs;
        for (const QString& title : row.fields)
            subs.push_back(addFieldWindow(title));
        if (row.active >= 0)
            mainWindow->workspaceArea()->setActiveSubWindow(subs[row.active]);
        EXPECT_EQ(windowsMenu(), row.expected);
        fullScreen.clear();
        mainWindow.reset();
        flushDeletes();
    }
}

// Where the keyboard focus is in the main window when a key is pressed.
enum class MainWindowFocus { Workspace, MenuBarAfterWindowsMenu };

TEST_F(WindowManagementTest, CtrlIOpensAnImageAndCtrlEClosesOutsideWindowsWhereverTheFocusIs)
{
    makeMainWindow(false);
    mainWindow->show();
    QMdiSubWindow* field = addFieldWindow(QStringLiteral("f"));
    QAction* openImage = nullptr;
    for (QAction* a : mainWindow->menuBar()->actions().first()->menu()->actions())
        if (a->text() == QStringLiteral("Open &Image file"))
            openImage = a;
    ASSERT_NE(openImage, nullptr);
    // Count the trigger without running the open dialog.
    openImage->disconnect();
    int opened = 0;
    QObject::connect(openImage, &QAction::triggered, [&] { ++opened; });

    struct Row
    {
        const char* name;
        MainWindowFocus focus;
    } rows[] = {
        // Ctrl+E before the Windows menu was ever opened.
        {"workspace", MainWindowFocus::Workspace},
        {"menu bar after Alt+W and Escape", MainWindowFocus::MenuBarAfterWindowsMenu},
        {"workspace once the menu holds its entries", MainWindowFocus::Workspace},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QPointer<qFullScreenFieldWidget> outside
            = openFullScreenWindow(cell(8, 8, 0), "outside", true, true);
        mainWindow->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
        field->widget()->setFocus();
        if (row.focus == MainWindowFocus::MenuBarAfterWindowsMenu) {
            QTest::keyClick(mainWindow.get(), Qt::Key_W, Qt::AltModifier);
            ASSERT_TRUE(eventually([] { return QApplication::activePopupWidget() != nullptr; }));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            ASSERT_TRUE(eventually([] { return QApplication::activePopupWidget() == nullptr; }));
            ASSERT_EQ(QApplication::focusWidget(), mainWindow->menuBar());
        }
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);

        opened = 0;
        QTest::keyClick(focus, Qt::Key_I, Qt::ControlModifier);
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(mainWindow->workspaceArea()->subWindowList().size(), 1);

        QTest::keyClick(focus, Qt::Key_E, Qt::ControlModifier);
        EXPECT_TRUE(openFullScreenWindows.empty());
        flushDeletes();
        EXPECT_TRUE(outside.isNull());
        EXPECT_EQ(mainWindow->workspaceArea()->subWindowList().size(), 1);
    }
}

TEST_F(WindowManagementTest, WindowEntryRestoresAndActivatesItsWindow)
{
    makeMainWindow(false);
    mainWindow->show();
    QMdiSubWindow* first = addFieldWindow(QStringLiteral("first"));
    QMdiSubWindow* second = addFieldWindow(QStringLiteral("second"));
    mainWindow->workspaceArea()->setActiveSubWindow(second);
    first->showMinimized();
    ASSERT_TRUE(first->isMinimized());
    QAction* entry = windowsEntry(QStringLiteral("first"));
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(mainWindow->workspaceArea()->activeSubWindow(), first);
    EXPECT_TRUE(windowsMenu().contains(QStringLiteral("first *")));

    // An entry whose window has gone does nothing.
    QAction* stale = windowsEntry(QStringLiteral("second"));
    second->close();
    flushDeletes();
    ASSERT_NE(stale, nullptr);
    stale->trigger();
    EXPECT_EQ(mainWindow->workspaceArea()->subWindowList().size(), 1);
}

TEST_F(WindowManagementTest, CloseAllInsideClosesEveryFieldWindow)
{
    makeMainWindow(false);
    mainWindow->show();
    std::vector<QPointer<QMdiSubWindow>> subs;
    for (int k = 0; k < 5; ++k)
        subs.emplace_back(addFieldWindow(QString::number(k)));
    QAction* closeAll = windowsEntry(QStringLiteral("&Close all windows"));
    ASSERT_NE(closeAll, nullptr);
    closeAll->trigger();
    flushDeletes();
    EXPECT_TRUE(mainWindow->workspaceArea()->subWindowList().isEmpty());
    for (const auto& sub : subs)
        EXPECT_TRUE(sub.isNull());
}

TEST_F(WindowManagementTest, CloseAllOutsideEmptiesTheListEvenWithANullEntry)
{
    makeMainWindow(false);
    QPointer<qFullScreenFieldWidget> a = openFullScreenWindow(cell(8, 8, 0), "a", true, true);
    QPointer<qFullScreenFieldWidget> b = openFullScreenWindow(cell(8, 8, 1), "b", false, true);
    openFullScreenWindows.insert(openFullScreenWindows.begin() + 1, nullptr);
    ASSERT_EQ(openFullScreenWindows.size(), 3u);
    QAction* closeOutside
        = windowsEntry(QStringLiteral("Close all windows outside the main window"));
    ASSERT_NE(closeOutside, nullptr);
    closeOutside->trigger();
    EXPECT_TRUE(openFullScreenWindows.empty());
    flushDeletes();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
    EXPECT_TRUE(openFullScreenWindows.empty());
}

TEST_F(WindowManagementTest, OpenerHidesButtonsShowsAndLists)
{
    makeMainWindow(false);
    struct Row
    {
        bool lens, prism;
    } rows[] = {{true, true}, {false, true}, {true, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.lens << row.prism);
        qFullScreenFieldWidget* w
            = openFullScreenWindow(cell(8, 8, 2), "opened", row.lens, row.prism);
        EXPECT_EQ(openFullScreenWindows.back(), w);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->windowTitle(), QStringLiteral("opened"));
        EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("lensButton"))->isHidden(), !row.lens);
        EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("prismButton"))->isHidden(),
                  !row.prism);
        EXPECT_TRUE(w->testAttribute(Qt::WA_DeleteOnClose));
    }
}

TEST_F(WindowManagementTest, ShownMaximisedOnlyWhenThePrimaryScreenHasTheFullScreenSize)
{
    makeMainWindow(false);
    struct Row
    {
        int pw, ph;
        bool maximised;
    } rows[] = {{1920, 1080, true}, {1280, 1024, false}, {1920, 1200, false}};
    for (Row row : rows) {
        SCOPED_TRACE(testing::Message() << row.pw << " x " << row.ph);
        theSettings.primaryScreenWidth = row.pw;
        theSettings.primaryScreenHeight = row.ph;
        qFullScreenFieldWidget* w = openFullScreenWindow(cell(8, 8, 3), "s", true, true);
        EXPECT_EQ(w->isMaximized(), row.maximised);
        if (!row.maximised) {
            EXPECT_EQ(w->size(), QSize(1920, 1080));
            EXPECT_EQ(w->maximumSize(), QSize(1920, 1080));
        }
    }
}

#if !PHASEDECK_LAB
TEST_F(WindowManagementTest, OneWindowFeedsTheSlmAtATime)
{
    makeMainWindow(true);
    QSLMWidget* slm = mainWindow->slmOutputWidget();
    ASSERT_NE(slm, nullptr);
    ASSERT_TRUE(slm->isHidden());
    qFullScreenFieldWidget* a = openFullScreenWindow(cell(16, 16, 0), "a", true, true);
    QPointer<qFullScreenFieldWidget> b = openFullScreenWindow(cell(16, 16, 99), "b", true, true);
    auto shows = [&](qFullScreenFieldWidget* w) {
        return slm->currentPixmap().toImage().convertToFormat(QImage::Format_RGB32)
               == w->displayedBitmap().convertToFormat(QImage::Format_RGB32);
    };

    slmButton(a)->click();
    EXPECT_TRUE(a->isConnectedToSLM());
    EXPECT_TRUE(slm->isVisible());
    EXPECT_TRUE(shows(a));

    slmButton(b)->click();
    EXPECT_FALSE(a->isConnectedToSLM());
    EXPECT_FALSE(slmButton(a)->isChecked());
    EXPECT_TRUE(b->isConnectedToSLM());
    EXPECT_TRUE(slmButton(b)->isChecked());
    EXPECT_TRUE(slm->isVisible());
    EXPECT_TRUE(shows(b));

    // Every repaint of the connected window reaches the SLM.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(b.data()));
    b->findChild<QToolButton*>(QStringLiteral("invertButton"))->click();
    b->repaint();
    EXPECT_TRUE(shows(b));

    // Toggling off hides the output; connecting again shows it.
    slmButton(b)->click();
    EXPECT_FALSE(b->isConnectedToSLM());
    EXPECT_TRUE(slm->isHidden());
    slmButton(b)->click();
    EXPECT_TRUE(slm->isVisible());

    // Closing the connected window hides the output.
    b->close();
    flushDeletes();
    EXPECT_TRUE(b.isNull());
    EXPECT_TRUE(slm->isHidden());
    EXPECT_EQ(openFullScreenWindows.size(), 1u);
}
// A new gray range recomposes every open window, and the SLM output follows the window that
// feeds it even while that window is minimised and paints nothing.
TEST_F(WindowManagementTest, NewPreferencesRecomposeEveryWindowAndReachTheSlm)
{
    makeMainWindow(true);
    QSLMWidget* slm = mainWindow->slmOutputWidget();
    ASSERT_NE(slm, nullptr);
    const QImage small = cell(16, 16, 5);
    const QImage full = cell(1920, 1080, 1);
    qFullScreenFieldWidget* fed = openFullScreenWindow(small, "fed", true, true);
    qFullScreenFieldWidget* other = openFullScreenWindow(full, "other", true, true);
    slmButton(fed)->click();
    ASSERT_TRUE(fed->isConnectedToSLM());
    fed->showMinimized();
    auto rgb = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };
    auto composed = [](const QImage& image) {
        CompositionParameters p;
        p.grayPhase0 = graylevelPhase0;
        p.grayPhase2Pi = graylevelPhase2Pi;
        return composeFullScreen(image, patternLevelsOf(image), p);
    };

    graylevelPhase0 = 20;
    graylevelPhase2Pi = 200;
    recomposeAllFullScreenWindows();
    EXPECT_EQ(rgb(fed->displayedBitmap()), rgb(composed(small)));
    EXPECT_EQ(rgb(other->displayedBitmap()), rgb(composed(full)));
    EXPECT_NE(rgb(other->displayedBitmap()), rgb(full));
    EXPECT_EQ(rgb(slm->currentPixmap().toImage()), rgb(fed->displayedBitmap()));

    // Back at 0 / 255 the full-size window shows its own pixels again.
    graylevelPhase0 = 0;
    graylevelPhase2Pi = 255;
    recomposeAllFullScreenWindows();
    EXPECT_EQ(rgb(other->displayedBitmap()), rgb(full));
    EXPECT_EQ(rgb(fed->displayedBitmap()), rgb(composed(small)));
    EXPECT_EQ(rgb(slm->currentPixmap().toImage()), rgb(fed->displayedBitmap()));
}

#endif

TEST_F(WindowManagementTest, SlmCommandsAreSafeWithoutAnSlmWindow)
{
    makeMainWindow(false);
    EXPECT_EQ(mainWindow->slmOutputWidget(), nullptr);
    mainWindow->showOnSLM(QPixmap(4, 4));
    mainWindow->hideSLM();
    qFullScreenFieldWidget* w = openFullScreenWindow(cell(8, 8, 0), "w", true, true);
    EXPECT_EQ(w->findChild<QToolButton*>(QStringLiteral("slmButton")), nullptr);
    w->connectToSLM(true);
    EXPECT_FALSE(w->isConnectedToSLM());
    disconnectAllFromSLM();
}

TEST_F(WindowManagementTest, ShutDownClosesFullScreenWindowsWithoutTouchingTheMainWindow)
{
    makeMainWindow(true);
    QPointer<qFullScreenFieldWidget> w = openFullScreenWindow(cell(8, 8, 0), "w", true, true);
    if (QToolButton* b = slmButton(w))
        b->click();
    // The main window goes first; the full-screen window is deleted afterwards.
    mainWindow.reset();
    EXPECT_EQ(theMainWindow, nullptr);
    EXPECT_TRUE(openFullScreenWindows.empty());
    ASSERT_FALSE(w.isNull());
    flushDeletes();
    EXPECT_TRUE(w.isNull());
}

// Run in a child process on a real offscreen screen of the size the parent asks for.
const char screenVariable[] = "PHASEDECK_FULLSCREEN_SCREEN";

TEST(FullScreenOnScreenChild, ShowsOnThePrimaryScreen)
{
    if (!qEnvironmentVariableIsSet(screenVariable))
        GTEST_SKIP() << "runs only as the child of the test below";
    const QStringList size = qEnvironmentVariable(screenVariable).split('x');
    const QSize screen(size.value(0).toInt(), size.value(1).toInt());
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().size(), screen);
#if PHASEDECK_LAB
    // The internal edition asks for the display size instead of reading the screens.
    theSettings.primaryScreenWidth = screen.width();
    theSettings.primaryScreenHeight = screen.height();
    theSettings.fullScreenWidth = 1920;
    theSettings.fullScreenHeight = 1080;
#else
    theSettings.load(*qApp);
#endif
    ASSERT_EQ(theSettings.primaryScreenWidth, screen.width());
    qFullScreenFieldWidget* w = openFullScreenWindow(cell(10, 10, 0), "child", true, true);
    const bool slmSized = screen == QSize(1920, 1080);
    EXPECT_EQ(w->isMaximized(), slmSized);
    if (slmSized) {
        // Maximised: the frame covers the screen.
        EXPECT_TRUE(eventually([&] { return w->frameGeometry().size() == screen; }))
            << w->frameGeometry().width() << " x " << w->frameGeometry().height();
    } else {
        EXPECT_EQ(w->size(), QSize(1920, 1080));
        EXPECT_EQ(w->maximumSize(), QSize(1920, 1080));
    }
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(FullScreenOnScreen, MaximisedOn1920x1080AndFixedSizeOn1280x1024)
{
    for (const char* size : {"1920x1080", "1280x1024"}) {
        SCOPED_TRACE(size);
        const QStringList wh = QString::fromLatin1(size).split('x');
        const QByteArray screens = QStringLiteral(R"([{"name":"main","x":0,"y":0,"width":%1,)"
                                                  R"("height":%2,"logicalDpi":96,"dpr":1}])")
                                       .arg(wh[0], wh[1])
                                       .toUtf8();
        expectChildPassesOnScreens(screens.constData(), QStringLiteral("FullScreenOnScreenChild.*"),
                                   screenVariable, QString::fromLatin1(size));
    }
}

// Run in a child process on two offscreen screens of SLM size, the primary one (listed first) to
// the right of the other, which the extended desktop makes the SLM screen.
const char twoScreensVariable[] = "PHASEDECK_TWO_SCREENS";

TEST(PatternWindowsOnTwoScreensChild, OpenOnThePrimaryScreen)
{
    if (!qEnvironmentVariableIsSet(twoScreensVariable))
        GTEST_SKIP() << "runs only as the child of the test below";
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_EQ(primary->geometry(), QRect(1920, 0, 1920, 1080));
#if PHASEDECK_LAB
    theSettings.primaryScreenWidth = 1920;
    theSettings.primaryScreenHeight = 1080;
    theSettings.fullScreenWidth = 1920;
    theSettings.fullScreenHeight = 1080;
#else
    theSettings.load(*qApp);
    ASSERT_TRUE(theSettings.slmOnExtendedDesktop);
    ASSERT_EQ(screens[theSettings.slmScreenIndex]->geometry(), QRect(0, 0, 1920, 1080));
#endif
    struct Row
    {
        const char* name;
        int primaryWidth; // as the settings saw it: 1920 opens maximised
    } rows[] = {{"maximised", 1920}, {"at the full-screen size", 1280}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        theSettings.primaryScreenWidth = row.primaryWidth;
        // Three windows, each first put on the SLM screen as a window manager might.
        std::vector<QPointer<qFullScreenFieldWidget>> windows;
        for (int k = 0; k < 3; ++k) {
            auto* w
                = new qFullScreenFieldWidget(nullptr, "new window", Qt::Window, "w", cell(8, 8, k));
            w->move(100, 100);
            w->showOnFullScreen();
            openFullScreenWindows.push_back(w);
            windows.emplace_back(w);
        }
        for (const auto& w : windows) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
            EXPECT_EQ(w->isMaximized(), row.primaryWidth == 1920);
            EXPECT_EQ(w->screen(), primary);
            EXPECT_TRUE(primary->geometry().contains(w->geometry().topLeft()))
                << w->geometry().x() << ", " << w->geometry().y();
            EXPECT_EQ(w->windowHandle()->screen(), primary);
            // A window manager maximises on the screen that holds most of the restore geometry:
            // a window left at the size of its shown tool strip spans the SLM screen too.
            const QRect restore = w->normalGeometry();
            EXPECT_TRUE(primary->geometry().contains(restore.center()))
                << restore.x() << ", " << restore.y();
            EXPECT_LE(restore.width(), primary->geometry().width());
            EXPECT_LE(restore.height(), primary->geometry().height());
        }
        const std::vector<qFullScreenFieldWidget*> open = openFullScreenWindows;
        for (qFullScreenFieldWidget* w : open)
            w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST(PatternWindowsOnTwoScreens, OpenOnThePrimaryScreen)
{
    expectChildPassesOnScreens(
        R"([{"name":"desk","x":1920,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1},)"
        R"({"name":"slm","x":0,"y":0,"width":1920,"height":1080,"logicalDpi":96,"dpr":1}])",
        QStringLiteral("PatternWindowsOnTwoScreensChild.*"), twoScreensVariable,
        QStringLiteral("1"));
}

} // namespace
