// Subclass of dialog_twoOptions that the commands open; it adds nothing to its form.
#include "dialogs/dialog_twoOptionsImpl.h"

dialog_twoOptionsImpl::dialog_twoOptionsImpl(QWidget* parent, const char* name, bool modal,
                                             Qt::WindowFlags fl)
    : dialog_twoOptions(parent, name, modal, fl)
{}
