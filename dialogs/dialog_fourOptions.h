// Generic choice between four exclusive options.
#pragma once

#include "ui_dialog_fourOptions.h"

#include <QDialog>

class dialog_fourOptions : public QDialog, public Ui::dialog_fourOptions
{
    Q_OBJECT

public:
    explicit dialog_fourOptions(QWidget* parent = nullptr, const char* name = nullptr,
                                bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
