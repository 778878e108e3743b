// Subclass of dialog_twoIntValues that the commands open; it adds nothing to its form.
#include "dialogs/dialog_twoIntValuesImpl.h"

dialog_twoIntValuesImpl::dialog_twoIntValuesImpl(QWidget* parent, const char* name, bool modal,
                                                 Qt::WindowFlags fl)
    : dialog_twoIntValues(parent, name, modal, fl)
{}
