// Subclass of dialog_singleSlit that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_singleSlit.h"

class dialog_singleSlitImpl : public dialog_singleSlit
{
    Q_OBJECT

public:
    explicit dialog_singleSlitImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                   bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
