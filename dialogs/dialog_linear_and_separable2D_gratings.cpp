// Ridge and groove widths of up to three pairs per period along x and along y, with the
// transition points they give.
#include "dialogs/dialog_linear_and_separable2D_gratings.h"

#include "dialogs/dialogForm.h"

dialog_linear_and_separable2D_gratings::dialog_linear_and_separable2D_gratings(QWidget* parent,
                                                                               const char* name,
                                                                               bool modal,
                                                                               Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, spinBox_TPX);
}

void dialog_linear_and_separable2D_gratings::updateParametersX()
{
    warnNotImplemented("dialog_linear_and_separable2D_gratings", "updateParametersX",
                       formStubSuffix);
}

void dialog_linear_and_separable2D_gratings::updateParametersY()
{
    warnNotImplemented("dialog_linear_and_separable2D_gratings", "updateParametersY",
                       formStubSuffix);
}

void dialog_linear_and_separable2D_gratings::languageChange()
{
    retranslateUi(this);
}
