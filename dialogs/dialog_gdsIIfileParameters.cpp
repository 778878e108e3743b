// GDSII export: field by repetition or absolute size, structure pixel size, layer choice.
#include "dialogs/dialog_gdsIIfileParameters.h"

#include "dialogs/dialogForm.h"

dialog_gdsIIfileParameters::dialog_gdsIIfileParameters(QWidget* parent, const char* name,
                                                       bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, radioButton1);
}

void dialog_gdsIIfileParameters::languageChange()
{
    retranslateUi(this);
}
