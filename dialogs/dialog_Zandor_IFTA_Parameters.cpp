// Grating period choice for a diffraction pattern, with the optional angle table optics.
#include "dialogs/dialog_Zandor_IFTA_Parameters.h"

#include "dialogs/dialogForm.h"

dialog_Zandor_IFTA_Parameters::dialog_Zandor_IFTA_Parameters(QWidget* parent, const char* name,
                                                             bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, gratingPeriodListBox);
}

void dialog_Zandor_IFTA_Parameters::languageChange()
{
    retranslateUi(this);
}
