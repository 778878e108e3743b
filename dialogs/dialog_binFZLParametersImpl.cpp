// Subclass of dialog_binFZLParameters that the commands open; it adds nothing to its form.
#include "dialogs/dialog_binFZLParametersImpl.h"

dialog_binFZLParametersImpl::dialog_binFZLParametersImpl(QWidget* parent, const char* name,
                                                         bool modal, Qt::WindowFlags fl)
    : dialog_binFZLParameters(parent, name, modal, fl)
{}
