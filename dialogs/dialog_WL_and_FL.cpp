// Wavelength and focal length of the Fourier lens.
#include "dialogs/dialog_WL_and_FL.h"

#include "dialogs/dialogForm.h"

dialog_WL_and_FL::dialog_WL_and_FL(QWidget* parent, const char* name, bool modal,
                                   Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, WaveLengthEdit);
}

void dialog_WL_and_FL::updateValues()
{
    warnNotImplemented("dialog_WL_and_FL", "updateValues", formStubSuffix);
}

void dialog_WL_and_FL::languageChange()
{
    retranslateUi(this);
}
