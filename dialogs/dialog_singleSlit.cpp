// Width of a single slit.
#include "dialogs/dialog_singleSlit.h"

#include "dialogs/dialogForm.h"

dialog_singleSlit::dialog_singleSlit(QWidget* parent, const char* name, bool modal,
                                     Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, slitWidthSpinBox);
}

void dialog_singleSlit::languageChange()
{
    retranslateUi(this);
}
