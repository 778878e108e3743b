// Subclass of dialog_doubleSlitParameters that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_doubleSlitParameters.h"

class dialog_doubleSlitParametersImpl : public dialog_doubleSlitParameters
{
    Q_OBJECT

public:
    explicit dialog_doubleSlitParametersImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                             bool modal = false,
                                             Qt::WindowFlags fl = Qt::WindowFlags());
};
