// Subclass of dialog_two_real_numbers that the commands open; its updateValues() has no work.
#include "dialogs/dialog_two_real_numbersImpl.h"

#include "dialogs/dialogForm.h"

dialog_two_real_numbersImpl::dialog_two_real_numbersImpl(QWidget* parent, const char* name,
                                                         bool modal, Qt::WindowFlags fl)
    : dialog_two_real_numbers(parent, name, modal, fl)
{}

void dialog_two_real_numbersImpl::updateValues()
{
    warnNotImplemented("dialog_two_real_numbersImpl", "updateValues", implStubSuffix);
}
