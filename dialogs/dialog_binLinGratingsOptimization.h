// Parameters of the gradient search for binary linear gratings.
#pragma once

#include "ui_dialog_binLinGratingsOptimization.h"

#include <QDialog>

class dialog_binLinGratingsOptimization : public QDialog,
                                          public Ui::dialog_binLinGratingsOptimization
{
    Q_OBJECT

public:
    explicit dialog_binLinGratingsOptimization(QWidget* parent = nullptr,
                                               const char* name = nullptr, bool modal = false,
                                               Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
