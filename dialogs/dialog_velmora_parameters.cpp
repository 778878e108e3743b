// Pixel number and wavelength band for the angular range of diffraction.
#include "dialogs/dialog_velmora_parameters.h"

#include "dialogs/dialogForm.h"

dialog_velmora_parameters::dialog_velmora_parameters(QWidget* parent, const char* name, bool modal,
                                                     Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, spinBox_PN);
}

void dialog_velmora_parameters::updateValues()
{
    warnNotImplemented("dialog_velmora_parameters", "updateValues", formStubSuffix);
}

void dialog_velmora_parameters::languageChange()
{
    retranslateUi(this);
    TextLabel_Warning_1->setText(QString());
    textLabel_warning_2->setText(QString());
}
