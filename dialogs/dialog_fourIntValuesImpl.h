// Subclass of dialog_fourIntValues that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_fourIntValues.h"

class dialog_fourIntValuesImpl : public dialog_fourIntValues
{
    Q_OBJECT

public:
    explicit dialog_fourIntValuesImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                      bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
