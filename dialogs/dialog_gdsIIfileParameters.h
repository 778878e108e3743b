// GDSII export: field by repetition or absolute size, structure pixel size, layer choice.
#pragma once

#include "ui_dialog_gdsIIfileParameters.h"

#include <QDialog>

class dialog_gdsIIfileParameters : public QDialog, public Ui::dialog_gdsIIfileParameters
{
    Q_OBJECT

public:
    explicit dialog_gdsIIfileParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                        bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
