// Parameters for saving the values along a profile between two cursors.
#pragma once

#include "ui_dialog_SaveProfileValues.h"

#include <QDialog>

class dialog_SaveProfileValues : public QDialog, public Ui::dialog_SaveProfileValues
{
    Q_OBJECT

public:
    explicit dialog_SaveProfileValues(QWidget* parent = nullptr, const char* name = nullptr,
                                      bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
