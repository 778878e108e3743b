// Subclass of dialog_velmora_parameters that callers open; its updateValues() does nothing.
#include "dialogs/dialog_velmora_parametersImpl.h"

dialog_velmora_parametersImpl::dialog_velmora_parametersImpl(QWidget* parent, const char* name,
                                                             bool modal, Qt::WindowFlags fl)
    : dialog_velmora_parameters(parent, name, modal, fl)
{
    updateValues();
}

void dialog_velmora_parametersImpl::updateValues() {}
