// Subclass of dialog_fourIntValues that the commands open; it adds nothing to its form.
#include "dialogs/dialog_fourIntValuesImpl.h"

dialog_fourIntValuesImpl::dialog_fourIntValuesImpl(QWidget* parent, const char* name, bool modal,
                                                   Qt::WindowFlags fl)
    : dialog_fourIntValues(parent, name, modal, fl)
{}
