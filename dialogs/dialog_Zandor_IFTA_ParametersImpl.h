// Subclass of dialog_Zandor_IFTA_Parameters that callers open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_Zandor_IFTA_Parameters.h"

class dialog_Zandor_IFTA_ParametersImpl : public dialog_Zandor_IFTA_Parameters
{
    Q_OBJECT

public:
    explicit dialog_Zandor_IFTA_ParametersImpl(QWidget* parent = nullptr,
                                               const char* name = nullptr, bool modal = false,
                                               Qt::WindowFlags fl = Qt::WindowFlags());
};
