// Asks for a steering angle again when the one given is too large.
#include "dialogs/dialog_one_real_number_correction.h"

#include "dialogs/dialogForm.h"

dialog_one_real_number_correction::dialog_one_real_number_correction(QWidget* parent,
                                                                     const char* name, bool modal,
                                                                     Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, LineEdit_variable);
}

void dialog_one_real_number_correction::updateValues()
{
    warnNotImplemented("dialog_one_real_number_correction", "updateValues", formStubSuffix);
}

void dialog_one_real_number_correction::languageChange()
{
    retranslateUi(this);
}
