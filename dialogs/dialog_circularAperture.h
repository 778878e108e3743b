// Radius of a circular aperture.
#pragma once

#include "ui_dialog_circularAperture.h"

#include <QDialog>

class dialog_circularAperture : public QDialog, public Ui::dialog_circularAperture
{
    Q_OBJECT

public:
    explicit dialog_circularAperture(QWidget* parent = nullptr, const char* name = nullptr,
                                     bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
