// Generic dialog for two integers; each caller relabels it.
#include "dialogs/dialog_twoIntValues.h"

#include "dialogs/dialogForm.h"

dialog_twoIntValues::dialog_twoIntValues(QWidget* parent, const char* name, bool modal,
                                         Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, value1_SpinBox);
}

void dialog_twoIntValues::languageChange()
{
    retranslateUi(this);
}
