// Iteration counts of the three IFTA phases, tile size, centre shift and phase levels.
#pragma once

#include "ui_dialog_IFTAParameters.h"

#include <QDialog>

class dialog_IFTAParameters : public QDialog, public Ui::dialog_IFTAParameters
{
    Q_OBJECT

public:
    explicit dialog_IFTAParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                   bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    virtual void checkValues();

protected slots:
    virtual void languageChange();
};
