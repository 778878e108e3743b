// Three switches of the user interface: option dialogs and auto-zoom.
#include "dialogs/dialog_GUIPrefs.h"

#include "dialogs/dialogForm.h"

dialog_GUIPrefs::dialog_GUIPrefs(QWidget* parent, const char* name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    resize(size().expandedTo(minimumSizeHint()));
    checkBox_imageOptions->setFocus();
}

void dialog_GUIPrefs::languageChange()
{
    retranslateUi(this);
}
