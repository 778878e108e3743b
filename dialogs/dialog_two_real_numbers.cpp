// Generic dialog for two real numbers typed as text, with units.
#include "dialogs/dialog_two_real_numbers.h"

#include "dialogs/dialogForm.h"

dialog_two_real_numbers::dialog_two_real_numbers(QWidget* parent, const char* name, bool modal,
                                                 Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, LineEdit_variable_1);
}

void dialog_two_real_numbers::updateValues()
{
    warnNotImplemented("dialog_two_real_numbers", "updateValues", formStubSuffix);
}

void dialog_two_real_numbers::languageChange()
{
    retranslateUi(this);
}
