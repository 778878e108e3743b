// Grating period choice for a diffraction pattern, with the optional angle table optics.
#pragma once

#include "ui_dialog_Zandor_IFTA_Parameters.h"

#include <QDialog>

class dialog_Zandor_IFTA_Parameters : public QDialog, public Ui::dialog_Zandor_IFTA_Parameters
{
    Q_OBJECT

public:
    explicit dialog_Zandor_IFTA_Parameters(QWidget* parent = nullptr, const char* name = nullptr,
                                           bool modal = false,
                                           Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
