// Subclass of dialog_twoOptions that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_twoOptions.h"

class dialog_twoOptionsImpl : public dialog_twoOptions
{
    Q_OBJECT

public:
    explicit dialog_twoOptionsImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                   bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
