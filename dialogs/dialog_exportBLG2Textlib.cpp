// Pixel size and field sizes for the Textlib export of a binary linear grating.
#include "dialogs/dialog_exportBLG2Textlib.h"

#include "dialogs/dialogForm.h"

dialog_exportBLG2Textlib::dialog_exportBLG2Textlib(QWidget* parent, const char* name, bool modal,
                                                   Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, lineEdit_pixelsize);
}

void dialog_exportBLG2Textlib::languageChange()
{
    retranslateUi(this);
}
