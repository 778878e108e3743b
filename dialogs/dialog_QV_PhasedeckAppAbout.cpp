// About box of the application: the caller's text above the maker's logo.
#include "dialogs/dialog_QV_PhasedeckAppAbout.h"

#include "dialogs/aboutPictures.h"
#include "dialogs/dialogForm.h"

dialog_QV_PhasedeckAppAbout::dialog_QV_PhasedeckAppAbout(QWidget* parent, const char* name,
                                                         bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
    , quorvelLogo(aboutPicture("quorvelLogo.png"))
{
    setUpForm(this, name, modal);
    pixmapLabelQuorvel->setPixmap(quorvelLogo);
}

void dialog_QV_PhasedeckAppAbout::languageChange()
{
    retranslateUi(this);
}
