// Subclass of dialog_openImage that the image display opens; it shows the arrow cursor while
// it exists, above any wait cursor of its caller.
#include "dialogs/dialog_openImageImpl.h"

#include <QGuiApplication>

dialog_openImageImpl::dialog_openImageImpl(QWidget* parent, const char* name, bool modal,
                                           Qt::WindowFlags fl)
    : dialog_openImage(parent, name, modal, fl)
{
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

dialog_openImageImpl::~dialog_openImageImpl()
{
    QGuiApplication::restoreOverrideCursor();
}
