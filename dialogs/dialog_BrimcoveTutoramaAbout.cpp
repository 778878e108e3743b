// About box with the Tutorama teaching kit's picture, the caller's text and the maker's logo.
#include "dialogs/dialog_BrimcoveTutoramaAbout.h"

#include "dialogs/aboutPictures.h"
#include "dialogs/dialogForm.h"

dialog_BrimcoveTutoramaAbout::dialog_BrimcoveTutoramaAbout(QWidget* parent, const char* name,
                                                           bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
    , tutoramaPicture(aboutPicture("tutoramaKit.png"))
    , quorvelLogo(aboutPicture("quorvelLogo.png"))
{
    setUpForm(this, name, modal);
    pixmapLabel1->setPixmap(tutoramaPicture);
    pixmapLabelQuorvel->setPixmap(quorvelLogo);
}

void dialog_BrimcoveTutoramaAbout::languageChange()
{
    retranslateUi(this);
}
