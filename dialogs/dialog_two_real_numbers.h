// Generic dialog for two real numbers typed as text, with units.
#pragma once

#include "ui_dialog_two_real_numbers.h"

#include <QDialog>

class dialog_two_real_numbers : public QDialog, public Ui::dialog_two_real_numbers
{
    Q_OBJECT

public:
    explicit dialog_two_real_numbers(QWidget* parent = nullptr, const char* name = nullptr,
                                     bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void updateValues();

protected slots:
    virtual void languageChange();
};
