// Subclass of dialog_GUIPrefs that the preferences command opens; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_GUIPrefs.h"

class dialog_guiprefsImpl : public dialog_GUIPrefs
{
    Q_OBJECT

public:
    explicit dialog_guiprefsImpl(QWidget* parent = nullptr, const char* name = nullptr,
                                 bool modal = false, Qt::WindowFlags fl = Qt::WindowFlags());
};
