// The SLM output window.
#include "views/QSLMWidget.h"

#include "base/applicationSettings.h"
#include "base/messages.h"
#include "base/phasedeckGlobals.h"

#include <QHideEvent>
#include <QPainter>
#include <utility>

QSLMWidget::QSLMWidget()
    : QWidget(nullptr, slmWindowFlags())
{
    setObjectName(QStringLiteral("qslmwidget"));
    setWindowTitle(QStringLiteral("SLM"));
    // Showing it must leave the keyboard with the pattern window the user works in.
    setAttribute(Qt::WA_ShowWithoutActivating);
}

QSLMWidget::~QSLMWidget() = default;

Qt::WindowFlags QSLMWidget::slmWindowFlags()
{
    return Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
           | Qt::WindowDoesNotAcceptFocus;
}

void QSLMWidget::ensureWindowFlags()
{
    const Qt::WindowFlags wanted = slmWindowFlags();
    if ((windowFlags() & wanted) == wanted)
        return;
    const bool wasVisible = isVisible();
    setWindowFlags(windowFlags() | wanted);
    if (wasVisible)
        show();
}

void QSLMWidget::setPixmap(QPixmap p)
{
    ensureWindowFlags();
    pixmap = std::move(p);
    offsetX = (pixmap.width() - theSettings.slmWidth) / 2;
    offsetY = (pixmap.height() - theSettings.slmHeight) / 2;
    update();
}

void QSLMWidget::showMaximized()
{
    infoMessage("QSLMWidget::showMaximized");
    showNormal();
}

void QSLMWidget::paintEvent(QPaintEvent*)
{
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    // QPainter clips a source rectangle that reaches outside the pixmap and moves the target
    // with it, so negative offsets draw the whole pixmap centred.
    painter.drawPixmap(QPoint(0, 0), pixmap,
                       QRect(offsetX, offsetY, theSettings.slmWidth, theSettings.slmHeight));
}

void QSLMWidget::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    update();
}

void QSLMWidget::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // A hide by the window system (another program, a minimise) must not leave it framed or
    // below other windows when it returns.
    if (e->spontaneous())
        ensureWindowFlags();
}
