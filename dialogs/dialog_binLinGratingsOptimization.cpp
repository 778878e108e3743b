// Parameters of the gradient search for binary linear gratings.
#include "dialogs/dialog_binLinGratingsOptimization.h"

#include "dialogs/dialogForm.h"

dialog_binLinGratingsOptimization::dialog_binLinGratingsOptimization(QWidget* parent,
                                                                     const char* name, bool modal,
                                                                     Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, SignalOrderNrSpinBox);
}

void dialog_binLinGratingsOptimization::languageChange()
{
    retranslateUi(this);
}
