// About box with the rayGlider logo, the caller's text and the maker's logo.
#include "dialogs/dialog_rayGliderAbout.h"

#include "dialogs/aboutPictures.h"
#include "dialogs/dialogForm.h"

dialog_rayGliderAbout::dialog_rayGliderAbout(QWidget* parent, const char* name, bool modal,
                                             Qt::WindowFlags fl)
    : QDialog(parent, fl)
    , rayGliderLogo(aboutPicture("rayGliderLogo.png"))
    , quorvelLogo(aboutPicture("quorvelLogo.png"))
{
    setUpForm(this, name, modal);
    pixmapLabelRayGlider->setPixmap(rayGliderLogo);
    pixmapLabelQuorvel->setPixmap(quorvelLogo);
}

void dialog_rayGliderAbout::languageChange()
{
    retranslateUi(this);
}
