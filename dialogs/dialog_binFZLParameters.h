// Radius of the smallest ring of a binary zone lens or axicon. An older form: its texts are set
// once while it is built, and it has no languageChange().
#pragma once

#include "ui_dialog_binFZLParameters.h"

#include <QDialog>

class dialog_binFZLParameters : public QDialog, public Ui::dialog_binFZLParameters
{
    Q_OBJECT

public:
    explicit dialog_binFZLParameters(QWidget* parent = nullptr, const char* name = nullptr,
                                     bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
