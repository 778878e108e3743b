// Subclass of dialog_circularAperture that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_circularAperture.h"

class dialog_circularApertureImpl : public dialog_circularAperture
{
    Q_OBJECT

public:
    explicit dialog_circularApertureImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                         bool modal = false,
                                         Qt::WindowFlags fl = Qt::WindowFlags());
};
