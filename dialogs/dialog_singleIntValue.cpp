// Generic dialog for one integer.
#include "dialogs/dialog_singleIntValue.h"

#include "dialogs/dialogForm.h"

dialog_singleIntValue::dialog_singleIntValue(QWidget* parent, const char* name, bool modal,
                                             Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, valueSpinBox);
}

void dialog_singleIntValue::languageChange()
{
    retranslateUi(this);
}
