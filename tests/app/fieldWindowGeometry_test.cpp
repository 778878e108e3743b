// Field windows in the workspace keep the size of their picture: one larger than the workspace
// opens whole, with its status line below the picture, and the workspace scrolls to every edge.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/qComplexDataGrscMapWidget.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <boost/make_shared.hpp>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QSize& s, std::ostream* os)
{
    *os << s.width() << " x " << s.height();
}
inline void PrintTo(const QPoint& p, std::ostream* os)
{
    *os << p.x() << ", " << p.y();
}

namespace {

struct GeometryCase
{
    const char* name;
    std::function<void(QDOEMainWindow&)> open;
    QSize displayed;
};

// The picture, the margins around it and the status line all lie inside the window, the window
// inside its frame, and the workspace's scroll bars reach each edge of the frame.
void checkReachable(QMdiArea& workspace, const QSize& displayed)
{
    ASSERT_EQ(workspace.subWindowList().size(), 1);
    QMdiSubWindow* frame = workspace.subWindowList().first();
    auto* window = qobject_cast<qComplexDataGrscMapWidget*>(frame->widget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->displayedSize(), displayed);
    EXPECT_EQ(window->size(), window->sizeHint());
    EXPECT_GE(window->width(), displayed.width() + 30);
    EXPECT_GE(window->height(), 57 + displayed.height() + 50);

    const QLabel* status = nullptr;
    for (const QLabel* l : window->findChildren<const QLabel*>())
        if (l->text() == window->statusText())
            status = l;
    ASSERT_NE(status, nullptr);
    EXPECT_GE(status->y(), 57 + displayed.height());
    EXPECT_EQ(status->geometry().bottom(), window->height() - 1);
    EXPECT_EQ(status->width(), window->width());

    const QRect inFrame(window->mapTo(frame, QPoint(0, 0)), window->size());
    EXPECT_TRUE(frame->rect().contains(inFrame));

    QScrollBar* h = workspace.horizontalScrollBar();
    QScrollBar* v = workspace.verticalScrollBar();
    const QRect view = workspace.viewport()->rect();
    h->setValue(h->minimum());
    v->setValue(v->minimum());
    EXPECT_TRUE(view.contains(frame->geometry().topLeft()));
    h->setValue(h->maximum());
    v->setValue(v->maximum());
    EXPECT_TRUE(view.contains(frame->geometry().bottomRight()))
        << frame->geometry().bottomRight().x() << "," << frame->geometry().bottomRight().y();
}

TEST(FieldWindowGeometry, LargerThanTheWorkspaceOpensWholeAndScrolls)
{
    const bool savedShrink = theSettings.autoShrinkFieldWindows;
    theSettings.autoShrinkFieldWindows = false;
    const GeometryCase cases[] = {
        {"one line more than the SLM",
         [](QDOEMainWindow& w) {
             w.openRealFieldWindow(
                 boost::make_shared<DataField2D>(1920, 1081, 0.0, 0.0, 1.0, 1.0, 0.5f),
                 QStringLiteral("/data/tall.png"), QString());
         },
         QSize(1920, 1081)},
        {"wide complex field",
         [](QDOEMainWindow& w) {
             w.openComplexFieldWindow(boost::make_shared<complexDataField2D>(2600, 300, 0), 1,
                                      QStringLiteral("wide"), QString());
         },
         QSize(2600, 300)},
        {"square larger than the screen",
         [](QDOEMainWindow& w) {
             w.openRealFieldWindow(
                 boost::make_shared<DataField2D>(2500, 2500, 0.0, 0.0, 1.0, 1.0, 0.5f),
                 QStringLiteral("square"), QString());
         },
         QSize(2500, 2500)},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto main = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
        main->setAttribute(Qt::WA_DeleteOnClose, false);
        main->resize(1280, 800);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        c.open(*main);
        QTest::qWait(50);
        checkReachable(*main->workspaceArea(), c.displayed);
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    theSettings.autoShrinkFieldWindows = savedShrink;
}

// Opened while the main window is still hidden (a picture named on the command line), the window
// is placed when the workspace shows: its top-left corner with the tool bar in sight.
TEST(FieldWindowGeometry, OpenedBeforeTheMainWindowShowsStartsAtTheTopLeft)
{
    auto main = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->resize(1280, 800);
    main->openRealFieldWindow(boost::make_shared<DataField2D>(2500, 2500, 0.0, 0.0, 1.0, 1.0, 0.5f),
                              QStringLiteral("square"), QString());
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    QTest::qWait(50);
    QMdiArea& workspace = *main->workspaceArea();
    EXPECT_EQ(workspace.subWindowList().first()->pos(), QPoint(0, 0));
    checkReachable(workspace, QSize(2500, 2500));
    main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A zoom keeps the same rule: the frame follows the window, and a smaller picture needs no
// scrolling at all.
TEST(FieldWindowGeometry, ZoomOutOfALargeWindowShrinksItsFrame)
{
    auto main = std::make_unique<QDOEMainWindow>(nullptr, "new window", Qt::Window, 0, nullptr);
    main->setAttribute(Qt::WA_DeleteOnClose, false);
    main->resize(1280, 800);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->openRealFieldWindow(boost::make_shared<DataField2D>(1920, 1081, 0.0, 0.0, 1.0, 1.0, 0.5f),
                              QStringLiteral("tall"), QString());
    QMdiArea& workspace = *main->workspaceArea();
    auto* window
        = qobject_cast<qComplexDataGrscMapWidget*>(workspace.subWindowList().first()->widget());
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(QMetaObject::invokeMethod(window, "zoomOut"));
    QTest::qWait(50);
    checkReachable(workspace, QSize(959, 540)); // 2^(-1) computed as a power of 2^(1/3)
    EXPECT_EQ(workspace.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(workspace.verticalScrollBar()->maximum(), 0);
    main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
