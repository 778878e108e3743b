// Radius of the smallest ring of a binary zone lens or axicon. An older form: its texts are set
// once while it is built, and it has no languageChange().
#include "dialogs/dialog_binFZLParameters.h"

#include "dialogs/dialogForm.h"

dialog_binFZLParameters::dialog_binFZLParameters(QWidget* parent, const char* name, bool modal,
                                                 Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, radiusSpinBox);
}
