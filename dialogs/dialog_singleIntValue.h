// Generic dialog for one integer.
#pragma once

#include "ui_dialog_singleIntValue.h"

#include <QDialog>

class dialog_singleIntValue : public QDialog, public Ui::dialog_singleIntValue
{
    Q_OBJECT

public:
    explicit dialog_singleIntValue(QWidget* parent = nullptr, const char* name = nullptr,
                                   bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
