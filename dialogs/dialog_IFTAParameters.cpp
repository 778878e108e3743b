// Iteration counts of the three IFTA phases, tile size, centre shift and phase levels.
#include "dialogs/dialog_IFTAParameters.h"

#include "dialogs/dialogForm.h"

dialog_IFTAParameters::dialog_IFTAParameters(QWidget* parent, const char* name, bool modal,
                                             Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, value1_SpinBox);
}

void dialog_IFTAParameters::checkValues()
{
    warnNotImplemented("dialog_IFTAParameters", "checkValues", formStubSuffix);
}

void dialog_IFTAParameters::languageChange()
{
    retranslateUi(this);
}
