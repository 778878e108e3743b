// Groove and line widths of a horizontal and a vertical binary grating, each switchable.
#pragma once

#include "ui_dialog_linearGrating2D.h"

#include <QDialog>

class dialog_linearGrating2D : public QDialog, public Ui::dialog_linearGrating2D
{
    Q_OBJECT

public:
    explicit dialog_linearGrating2D(QWidget* parent = nullptr, const char* name = nullptr,
                                    bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
