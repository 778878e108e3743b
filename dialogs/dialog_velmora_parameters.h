// Pixel number and wavelength band for the angular range of diffraction.
#pragma once

#include "ui_dialog_velmora_parameters.h"

#include <QDialog>

class dialog_velmora_parameters : public QDialog, public Ui::dialog_velmora_parameters
{
    Q_OBJECT

public:
    explicit dialog_velmora_parameters(QWidget* parent = nullptr, const char* name = nullptr,
                                       bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateValues();

protected slots:
    virtual void languageChange();
};
