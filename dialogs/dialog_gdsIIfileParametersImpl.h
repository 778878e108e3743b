// Subclass of dialog_gdsIIfileParameters that callers open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_gdsIIfileParameters.h"

class dialog_gdsIIfileParametersImpl : public dialog_gdsIIfileParameters
{
    Q_OBJECT

public:
    explicit dialog_gdsIIfileParametersImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                            bool modal = false,
                                            Qt::WindowFlags fl = Qt::WindowFlags());
};
