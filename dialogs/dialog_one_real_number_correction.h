// Asks for a steering angle again when the one given is too large.
#pragma once

#include "ui_dialog_one_real_number_correction.h"

#include <QDialog>

class dialog_one_real_number_correction : public QDialog,
                                          public Ui::dialog_one_real_number_correction
{
    Q_OBJECT

public:
    explicit dialog_one_real_number_correction(QWidget* parent = nullptr,
                                               const char* name = nullptr, bool modal = false,
                                               Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateValues();

protected slots:
    virtual void languageChange();
};
