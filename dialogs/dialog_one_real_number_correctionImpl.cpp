// Subclass of dialog_one_real_number_correction that callers open; its updateValues() has no work.
#include "dialogs/dialog_one_real_number_correctionImpl.h"

#include "dialogs/dialogForm.h"

dialog_one_real_number_correctionImpl::dialog_one_real_number_correctionImpl(QWidget* parent,
                                                                             const char* name,
                                                                             bool modal,
                                                                             Qt::WindowFlags fl)
    : dialog_one_real_number_correction(parent, name, modal, fl)
{}

void dialog_one_real_number_correctionImpl::updateValues()
{
    warnNotImplemented("dialog_one_real_number_correctionImpl", "updateValues", implStubSuffix);
}
