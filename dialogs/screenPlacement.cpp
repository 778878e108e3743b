// Placing top-level windows on the primary screen.
#include "dialogs/screenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace {

void centreOnPrimaryScreen(QWidget* window)
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QRect area = primary->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(std::max(area.left(), area.left() + (area.width() - size.width()) / 2),
                 std::max(area.top(), area.top() + (area.height() - size.height()) / 2));
}

} // namespace

void placeOnPrimaryScreen(QWidget* window, ScreenPlace place)
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!window || !primary)
        return;
    window->setScreen(primary);
    if (place == ScreenPlace::TopLeft) {
        window->move(primary->availableGeometry().topLeft());
        return;
    }
    // The native window reports becoming visible after the widget's show event (where a dialog
    // takes its size and would centre itself on the screen under the mouse) and before the window
    // system maps it.
    window->winId(); // creates the native window
    QObject::connect(
        window->windowHandle(), &QWindow::visibleChanged, window,
        [window](bool visible) {
            if (visible)
                centreOnPrimaryScreen(window);
        },
        Qt::SingleShotConnection);
}
