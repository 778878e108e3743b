// Wavelength and focal length of the Fourier lens.
#pragma once

#include "ui_dialog_WL_and_FL.h"

#include <QDialog>

class dialog_WL_and_FL : public QDialog, public Ui::dialog_WL_and_FL
{
    Q_OBJECT

public:
    explicit dialog_WL_and_FL(QWidget* parent = nullptr, const char* name = nullptr,
                              bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateValues();

protected slots:
    virtual void languageChange();
};
