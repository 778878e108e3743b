// Subclass of dialog_doubleSlitParameters that the commands open; it adds nothing to its form.
#include "dialogs/dialog_doubleSlitParametersImpl.h"

dialog_doubleSlitParametersImpl::dialog_doubleSlitParametersImpl(QWidget* parent, const char* name,
                                                                 bool modal, Qt::WindowFlags fl)
    : dialog_doubleSlitParameters(parent, name, modal, fl)
{}
