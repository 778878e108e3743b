// Generic choice between two exclusive options.
#pragma once

#include "ui_dialog_twoOptions.h"

#include <QDialog>

class dialog_twoOptions : public QDialog, public Ui::dialog_twoOptions
{
    Q_OBJECT

public:
    explicit dialog_twoOptions(QWidget* parent = nullptr, const char* name = nullptr,
                               bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
