// Main window: the Windows menu, the close-all commands, the field window openers and the SLM
// output feed.
#include "app/QDOEMainWindow.h"

#include "base/applicationSettings.h"
#include "base/phasedeckGlobals.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "views/QSLMWidget.h"
#include "views/qComplexDataGrscMapWidget.h"
#include "views/qFullScreenFieldWidget.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <vector>

namespace {

// The window when memory held everything it needs; otherwise it is deleted unshown and the
// memory box names the caption and the field's pixel size.
QWidget* completeFieldWindow(qComplexDataGrscMapWidget* window, const QString& caption)
{
    if (window->isComplete())
        return window;
    const QSize pixels = window->fieldSize();
    delete window;
    reportFieldWindowMemory(caption, pixels);
    return nullptr;
}

// The field windows for a complex field in a display mode and for a real field, with the
// workspace as parent; null after the memory box.
QWidget* newComplexFieldWindow(boost::shared_ptr<complexDataField2D> field, int displayMode,
                               QWidget* parent, QString caption, QString second)
{
    return completeFieldWindow(new qComplexDataGrscMapWidget(field, displayMode, parent,
                                                             "new window", Qt::WindowFlags(),
                                                             caption, second),
                               caption);
}

QWidget* newRealFieldWindow(boost::shared_ptr<DataField2D> field, QWidget* parent, QString caption,
                            QString second)
{
    return completeFieldWindow(new qComplexDataGrscMapWidget(field, parent, "new window",
                                                             Qt::WindowFlags(), caption, second),
                               caption);
}

// The entry shows its key after a tab but does not take it: Ctrl+I stays with "Open &Image
// file", and the main window's own Ctrl+E closes the outside windows.
QAction* addCloseEntry(QMenu* menu, const QString& text, const QKeySequence& key)
{
    return menu->addAction(text + QLatin1Char('\t') + key.toString(QKeySequence::NativeText));
}

} // namespace

void QDOEMainWindow::windowsMenuAboutToShow()
{
    windowsMenu->clear();
    QAction* cascade = windowsMenu->addAction(tr("&Cascade"));
    connect(cascade, &QAction::triggered, workspace, &QMdiArea::cascadeSubWindows);
    QAction* tile = windowsMenu->addAction(tr("&Tile"));
    connect(tile, &QAction::triggered, workspace, &QMdiArea::tileSubWindows);

    QAction* closeInside = nullptr;
    if (!openFullScreenWindows.empty()) {
        closeInside = addCloseEntry(windowsMenu, tr("&Close all windows inside the main window"),
                                    QKeySequence(Qt::CTRL | Qt::Key_I));
        windowsMenu->addSeparator();
        QAction* closeOutside
            = addCloseEntry(windowsMenu, tr("Close all windows outside the main window"),
                            QKeySequence(Qt::CTRL | Qt::Key_E));
        connect(closeOutside, &QAction::triggered, this,
                &QDOEMainWindow::closeAllExternalField2DWidgets);
    } else {
        closeInside = addCloseEntry(windowsMenu, tr("&Close all windows"),
                                    QKeySequence(Qt::CTRL | Qt::Key_I));
    }
    connect(closeInside, &QAction::triggered, this,
            &QDOEMainWindow::closeAllInternalField2DWidgets);

    const QList<QMdiSubWindow*> windows = workspace->subWindowList();
    if (windows.isEmpty()) {
        cascade->setEnabled(false);
        tile->setEnabled(false);
        closeInside->setEnabled(false);
        return;
    }
    windowsMenu->addSeparator();
    QMdiSubWindow* active = workspace->activeSubWindow();
    for (int index = 0; index < windows.size(); ++index) {
        QMdiSubWindow* window = windows[index];
        QAction* entry = windowsMenu->addAction(window->windowTitle());
        entry->setCheckable(true);
        entry->setChecked(window == active);
        connect(entry, &QAction::triggered, this, [this, index] { windowsMenuActivated(index); });
    }
}

void QDOEMainWindow::windowsMenuActivated(int index)
{
    const QList<QMdiSubWindow*> windows = workspace->subWindowList();
    if (index < 0 || index >= windows.size())
        return;
    QMdiSubWindow* window = windows[index];
    window->showNormal();
    workspace->setActiveSubWindow(window);
    if (window->widget())
        window->widget()->setFocus();
}

void QDOEMainWindow::closeAllInternalField2DWidgets()
{
    const QList<QMdiSubWindow*> windows = workspace->subWindowList();
    for (QMdiSubWindow* window : windows)
        window->close();
}

void QDOEMainWindow::closeAllExternalField2DWidgets()
{
    // A copy: a window that is deleted on closing leaves the list itself.
    const std::vector<qFullScreenFieldWidget*> windows = openFullScreenWindows;
    for (qFullScreenFieldWidget* window : windows)
        if (window)
            window->close();
    openFullScreenWindows.clear();
}

void QDOEMainWindow::openComplexFieldWindow(boost::shared_ptr<complexDataField2D> field,
                                            int displayMode, QString caption, QString second)
{
    addFieldWindow(newComplexFieldWindow(field, displayMode, workspace, caption, second));
}

void QDOEMainWindow::openRealFieldWindow(boost::shared_ptr<DataField2D> field, QString caption,
                                         QString second)
{
    addFieldWindow(newRealFieldWindow(field, workspace, caption, second));
}

void QDOEMainWindow::openComplexFieldWindowCopy(const complexDataField2D& source, int displayMode,
                                                QString caption, QString second)
{
    boost::shared_ptr<complexDataField2D> copy(new complexDataField2D(source));
    openComplexFieldWindow(copy, displayMode, caption, second);
}

void QDOEMainWindow::openComplexFieldWindowCopy(boost::shared_ptr<complexDataField2D> source,
                                                int displayMode, QString caption, QString second)
{
    if (source)
        openComplexFieldWindowCopy(*source, displayMode, caption, second);
}

void QDOEMainWindow::openRealFieldWindowCopy(const DataField2D& source, QString caption,
                                             QString second)
{
    boost::shared_ptr<DataField2D> copy(new DataField2D(source));
    openRealFieldWindow(copy, caption, second);
}

void QDOEMainWindow::addFieldWindow(QWidget* window)
{
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* frame = workspace->addSubWindow(window);
    frame->setWindowTitle(window->windowTitle());
    connect(window, &QWidget::windowTitleChanged, frame, &QMdiSubWindow::setWindowTitle);
    frame->show();
    // The workspace fits a new frame into its view; the window keeps its own size instead and
    // the workspace scrolls to it.
    frame->adjustSize();
    // A frame larger than the view starts at the view's top-left corner, with its tool bar in
    // sight. A frame added while the workspace is hidden is placed when the workspace shows.
    const QPointer<QMdiSubWindow> added(frame);
    auto showCorner = [this, added] {
        if (added && !workspace->viewport()->rect().contains(added->geometry()))
            added->move(0, 0);
    };
    if (workspace->isVisible())
        showCorner();
    else
        QTimer::singleShot(0, frame, showCorner);
}

void QDOEMainWindow::showOnSLM(QPixmap pixmap)
{
    if (!theSettings.slmOnExtendedDesktop || !slmWidget)
        return;
    slmWidget->setPixmap(pixmap);
    slmWidget->show();
}

void QDOEMainWindow::hideSLM()
{
    if (slmWidget)
        slmWidget->hide();
}
