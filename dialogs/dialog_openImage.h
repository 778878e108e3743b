// How an opened image becomes a data field: colour interpretation and conversion.
#pragma once

#include "ui_dialog_openImage.h"

#include <QDialog>

class dialog_openImage : public QDialog, public Ui::dialog_openImage
{
    Q_OBJECT

public:
    explicit dialog_openImage(QWidget* parent = nullptr, const char* name = nullptr,
                              bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());

protected slots:
    virtual void languageChange();
};
