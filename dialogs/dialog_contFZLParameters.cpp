// Radius of the smallest zone of a continuous zone lens or axicon, and its inversion.
#include "dialogs/dialog_contFZLParameters.h"

#include "dialogs/dialogForm.h"

dialog_contFZLParameters::dialog_contFZLParameters(QWidget* parent, const char* name, bool modal,
                                                   Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, radiusSpinBox);
}

void dialog_contFZLParameters::languageChange()
{
    retranslateUi(this);
}
