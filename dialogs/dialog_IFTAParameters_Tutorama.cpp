// Reduced IFTA parameters of the teaching kit: quantisation steps and phase levels.
// Built by the release edition only.
#include "dialogs/dialog_IFTAParameters_Tutorama.h"

#if !PHASEDECK_LAB

#include "dialogs/dialogForm.h"

dialog_IFTAParameters_Tutorama::dialog_IFTAParameters_Tutorama(QWidget* parent, const char* name,
                                                               bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, value1_SpinBox);
}

void dialog_IFTAParameters_Tutorama::checkValues()
{
    warnNotImplemented("dialog_IFTAParameters_Tutorama", "checkValues", formStubSuffix);
}

void dialog_IFTAParameters_Tutorama::languageChange()
{
    retranslateUi(this);
}

#endif
