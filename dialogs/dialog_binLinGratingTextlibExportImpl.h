// Subclass of dialog_exportBLG2Textlib that callers open; it adds nothing to its form.
#pragma once

#include "dialogs/dialog_exportBLG2Textlib.h"

class dialog_binLinGratingTextlibExportImpl : public dialog_exportBLG2Textlib
{
    Q_OBJECT

public:
    explicit dialog_binLinGratingTextlibExportImpl(QWidget* parent = nullptr,
                                                   const char* name = nullptr, bool modal = false,
                                                   Qt::WindowFlags fl = Qt::WindowFlags());
};
