// About box with the Tutorama teaching kit's picture, the caller's text and the maker's logo.
#pragma once

#include "ui_dialog_BrimcoveTutoramaAbout.h"

#include <QDialog>
#include <QPixmap>

class dialog_BrimcoveTutoramaAbout : public QDialog, public Ui::dialog_BrimcoveTutoramaAbout
{
    Q_OBJECT

public:
    explicit dialog_BrimcoveTutoramaAbout(QWidget* parent = nullptr, const char* name = nullptr,
                                          bool modal = false,
                                          Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();

private:
    QPixmap tutoramaPicture;
    QPixmap quorvelLogo;
};
