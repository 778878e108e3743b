// Subclass of dialog_fourOptions that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_fourOptions.h"

class dialog_fourOptionsImpl : public dialog_fourOptions
{
    Q_OBJECT

public:
    explicit dialog_fourOptionsImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                    bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
