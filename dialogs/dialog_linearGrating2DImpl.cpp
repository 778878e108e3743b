// Subclass of dialog_linearGrating2D that the commands open; it adds nothing to its form.
#include "dialogs/dialog_linearGrating2DImpl.h"

dialog_linearGrating2DImpl::dialog_linearGrating2DImpl(QWidget* parent, const char* name,
                                                       bool modal, Qt::WindowFlags fl)
    : dialog_linearGrating2D(parent, name, modal, fl)
{}
