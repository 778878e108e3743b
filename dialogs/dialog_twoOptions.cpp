// Generic choice between two exclusive options.
#include "dialogs/dialog_twoOptions.h"

#include "dialogs/dialogForm.h"

dialog_twoOptions::dialog_twoOptions(QWidget* parent, const char* name, bool modal,
                                     Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, radioButton1);
}

void dialog_twoOptions::languageChange()
{
    retranslateUi(this);
}
