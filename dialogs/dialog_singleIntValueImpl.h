// Subclass of dialog_singleIntValue that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_singleIntValue.h"

class dialog_singleIntValueImpl : public dialog_singleIntValue
{
    Q_OBJECT

public:
    explicit dialog_singleIntValueImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                       bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
