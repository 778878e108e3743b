// Subclass of dialog_binLinGratingsOptimization that callers open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_binLinGratingsOptimization.h"

class dialog_binLinGratingsOptimizationImpl : public dialog_binLinGratingsOptimization
{
    Q_OBJECT

public:
    explicit dialog_binLinGratingsOptimizationImpl(QWidget* parent = nullptr,
                                                   const char* name = nullptr, bool modal = false,
                                                   Qt::WindowFlags fl = Qt::WindowFlags());
};
