// Groove and line widths of a horizontal and a vertical binary grating, each switchable.
#include "dialogs/dialog_linearGrating2D.h"

#include "dialogs/dialogForm.h"

dialog_linearGrating2D::dialog_linearGrating2D(QWidget* parent, const char* name, bool modal,
                                               Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, HoriGrooveXSpinBox);
}

void dialog_linearGrating2D::languageChange()
{
    retranslateUi(this);
}
