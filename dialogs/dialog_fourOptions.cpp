// Generic choice between four exclusive options.
#include "dialogs/dialog_fourOptions.h"

#include "dialogs/dialogForm.h"

dialog_fourOptions::dialog_fourOptions(QWidget* parent, const char* name, bool modal,
                                       Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, radioButton1);
}

void dialog_fourOptions::languageChange()
{
    retranslateUi(this);
}
