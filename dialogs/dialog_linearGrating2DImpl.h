// Subclass of dialog_linearGrating2D that the commands open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_linearGrating2D.h"

class dialog_linearGrating2DImpl : public dialog_linearGrating2D
{
    Q_OBJECT

public:
    explicit dialog_linearGrating2DImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                        bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
