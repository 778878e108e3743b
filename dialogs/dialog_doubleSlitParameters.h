// Width and distance of a double slit (or size of a rectangular aperture).
#pragma once

#include "ui_dialog_doubleSlitParameters.h"

#include <QDialog>

class dialog_doubleSlitParameters : public QDialog, public Ui::dialog_doubleSlitParameters
{
    Q_OBJECT

public:
    explicit dialog_doubleSlitParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                         bool modal = false,
                                         Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
