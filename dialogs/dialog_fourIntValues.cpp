// Generic dialog for four integers; each caller relabels it.
#include "dialogs/dialog_fourIntValues.h"

#include "dialogs/dialogForm.h"

dialog_fourIntValues::dialog_fourIntValues(QWidget* parent, const char* name, bool modal,
                                           Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, value1_SpinBox);
}

void dialog_fourIntValues::languageChange()
{
    retranslateUi(this);
}
