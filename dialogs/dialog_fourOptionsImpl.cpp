// Subclass of dialog_fourOptions that the commands open; it adds nothing to its form.
#include "dialogs/dialog_fourOptionsImpl.h"

dialog_fourOptionsImpl::dialog_fourOptionsImpl(QWidget* parent, const char* name, bool modal,
                                               Qt::WindowFlags fl)
    : dialog_fourOptions(parent, name, modal, fl)
{}
