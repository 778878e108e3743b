// Parameters for saving the values along a profile between two cursors.
#include "dialogs/dialog_SaveProfileValues.h"

#include "dialogs/dialogForm.h"

dialog_SaveProfileValues::dialog_SaveProfileValues(QWidget* parent, const char* name, bool modal,
                                                   Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    cursor1XspinBox->setFocus();
}

void dialog_SaveProfileValues::languageChange()
{
    retranslateUi(this);
}
