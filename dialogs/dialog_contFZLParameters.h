// Radius of the smallest zone of a continuous zone lens or axicon, and its inversion.
#pragma once

#include "ui_dialog_contFZLParameters.h"

#include <QDialog>

class dialog_contFZLParameters : public QDialog, public Ui::dialog_contFZLParameters
{
    Q_OBJECT

public:
    explicit dialog_contFZLParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                      bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
