// Width and distance of a double slit (or size of a rectangular aperture).
#include "dialogs/dialog_doubleSlitParameters.h"

#include "dialogs/dialogForm.h"

dialog_doubleSlitParameters::dialog_doubleSlitParameters(QWidget* parent, const char* name,
                                                         bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, SlitWidthSpinBox);
}

void dialog_doubleSlitParameters::languageChange()
{
    retranslateUi(this);
}
