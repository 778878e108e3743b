// Pixel size and field sizes for the Textlib export of a binary linear grating.
#pragma once

#include "ui_dialog_exportBLG2Textlib.h"

#include <QDialog>

class dialog_exportBLG2Textlib : public QDialog, public Ui::dialog_exportBLG2Textlib
{
    Q_OBJECT

public:
    explicit dialog_exportBLG2Textlib(QWidget* parent = nullptr, const char* name = nullptr,
                                      bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
