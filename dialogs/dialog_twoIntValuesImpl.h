// Subclass of dialog_twoIntValues that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_twoIntValues.h"

class dialog_twoIntValuesImpl : public dialog_twoIntValues
{
    Q_OBJECT

public:
    explicit dialog_twoIntValuesImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                     bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
