// About box with the rayGlider logo, the caller's text and the maker's logo.
#pragma once

#include "ui_dialog_rayGliderAbout.h"

#include <QDialog>
#include <QPixmap>

class dialog_rayGliderAbout : public QDialog, public Ui::dialog_rayGliderAbout
{
    Q_OBJECT

public:
    explicit dialog_rayGliderAbout(QWidget* parent = nullptr, const char* name = nullptr,
                                   bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();

private:
    QPixmap rayGliderLogo;
    QPixmap quorvelLogo;
};
