// Subclass of dialog_SaveProfileValues; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_SaveProfileValues.h"

class dialog_saveProfileValuesImpl : public dialog_SaveProfileValues
{
    Q_OBJECT

public:
    explicit dialog_saveProfileValuesImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                          bool modal = false,
                                          Qt::WindowFlags fl = Qt::WindowFlags());
};
