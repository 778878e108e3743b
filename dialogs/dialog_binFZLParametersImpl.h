// Subclass of dialog_binFZLParameters that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_binFZLParameters.h"

class dialog_binFZLParametersImpl : public dialog_binFZLParameters
{
    Q_OBJECT

public:
    explicit dialog_binFZLParametersImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                         bool modal = false,
                                         Qt::WindowFlags fl = Qt::WindowFlags());
};
