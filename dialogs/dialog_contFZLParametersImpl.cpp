// Subclass of dialog_contFZLParameters that the commands open; it adds nothing to its form.
#include "dialogs/dialog_contFZLParametersImpl.h"

dialog_contFZLParametersImpl::dialog_contFZLParametersImpl(QWidget* parent, const char* name,
                                                           bool modal, Qt::WindowFlags fl)
    : dialog_contFZLParameters(parent, name, modal, fl)
{}
