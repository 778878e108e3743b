// Subclass of dialog_SaveProfileValues; it adds nothing to its form.
#include "dialogs/dialog_saveProfileValuesImpl.h"

dialog_saveProfileValuesImpl::dialog_saveProfileValuesImpl(QWidget* parent, const char* name,
                                                           bool modal, Qt::WindowFlags fl)
    : dialog_SaveProfileValues(parent, name, modal, fl)
{}
