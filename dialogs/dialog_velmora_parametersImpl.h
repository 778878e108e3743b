// Subclass of dialog_velmora_parameters that callers open; its updateValues() does nothing.
#pragma once

#include "dialogs/dialog_velmora_parameters.h"

class dialog_velmora_parametersImpl : public dialog_velmora_parameters
{
    Q_OBJECT

public:
    explicit dialog_velmora_parametersImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                           bool modal = false,
                                           Qt::WindowFlags fl = Qt::WindowFlags());

public slots:
    void updateValues() override;
};
