// About box of the application: the caller's text above the maker's logo.
#pragma once

#include "ui_dialog_QV_PhasedeckAppAbout.h"

#include <QDialog>
#include <QPixmap>

class dialog_QV_PhasedeckAppAbout : public QDialog, public Ui::dialog_QV_PhasedeckAppAbout
{
    Q_OBJECT

public:
    explicit dialog_QV_PhasedeckAppAbout(QWidget* parent = nullptr, const char* name = nullptr,
                                         bool modal = false,
                                         Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();

private:
    QPixmap quorvelLogo;
};
