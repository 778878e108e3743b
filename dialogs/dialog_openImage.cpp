// How an opened image becomes a data field: colour interpretation and conversion.
#include "dialogs/dialog_openImage.h"

#include "dialogs/dialogForm.h"

dialog_openImage::dialog_openImage(QWidget* parent, const char* name, bool modal,
                                   Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    radioButton1->setFocus();
}

void dialog_openImage::languageChange()
{
    retranslateUi(this);
}
