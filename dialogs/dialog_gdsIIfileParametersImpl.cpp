// Subclass of dialog_gdsIIfileParameters that callers open; it adds nothing to its form.
#include "dialogs/dialog_gdsIIfileParametersImpl.h"

dialog_gdsIIfileParametersImpl::dialog_gdsIIfileParametersImpl(QWidget* parent, const char* name,
                                                               bool modal, Qt::WindowFlags fl)
    : dialog_gdsIIfileParameters(parent, name, modal, fl)
{}
