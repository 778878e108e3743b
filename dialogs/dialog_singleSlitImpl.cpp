// Subclass of dialog_singleSlit that the commands open; it adds nothing to its form.
#include "dialogs/dialog_singleSlitImpl.h"

dialog_singleSlitImpl::dialog_singleSlitImpl(QWidget* parent, const char* name, bool modal,
                                             Qt::WindowFlags fl)
    : dialog_singleSlit(parent, name, modal, fl)
{}
