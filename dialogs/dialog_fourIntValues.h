// Generic dialog for four integers; each caller relabels it.
#pragma once

#include "ui_dialog_fourIntValues.h"

#include <QDialog>

class dialog_fourIntValues : public QDialog, public Ui::dialog_fourIntValues
{
    Q_OBJECT

public:
    explicit dialog_fourIntValues(QWidget* parent = nullptr, const char* name = nullptr,
                                  bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
