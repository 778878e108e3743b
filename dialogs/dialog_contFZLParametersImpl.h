// Subclass of dialog_contFZLParameters that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_contFZLParameters.h"

class dialog_contFZLParametersImpl : public dialog_contFZLParameters
{
    Q_OBJECT

public:
    explicit dialog_contFZLParametersImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                          bool modal = false,
                                          Qt::WindowFlags fl = Qt::WindowFlags());
};
