// Width of a single slit.
#pragma once

#include "ui_dialog_singleSlit.h"

#include <QDialog>

class dialog_singleSlit : public QDialog, public Ui::dialog_singleSlit
{
    Q_OBJECT

public:
    explicit dialog_singleSlit(QWidget* parent = nullptr, const char* name = nullptr,
                               bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
