// Generic dialog for two integers; each caller relabels it.
#pragma once

#include "ui_dialog_twoIntValues.h"

#include <QDialog>

class dialog_twoIntValues : public QDialog, public Ui::dialog_twoIntValues
{
    Q_OBJECT

public:
    explicit dialog_twoIntValues(QWidget* parent = nullptr, const char* name = nullptr,
                                 bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
