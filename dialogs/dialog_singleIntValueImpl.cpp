// Subclass of dialog_singleIntValue that the commands open; it adds nothing to its form.
#include "dialogs/dialog_singleIntValueImpl.h"

dialog_singleIntValueImpl::dialog_singleIntValueImpl(QWidget* parent, const char* name, bool modal,
                                                     Qt::WindowFlags fl)
    : dialog_singleIntValue(parent, name, modal, fl)
{}
