// Radius of a circular aperture.
#include "dialogs/dialog_circularAperture.h"

#include "dialogs/dialogForm.h"

dialog_circularAperture::dialog_circularAperture(QWidget* parent, const char* name, bool modal,
                                                 Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, radiusSpinBox);
}

void dialog_circularAperture::languageChange()
{
    retranslateUi(this);
}
