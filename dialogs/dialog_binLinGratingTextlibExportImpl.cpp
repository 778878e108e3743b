// Subclass of dialog_exportBLG2Textlib that callers open; it adds nothing to its form.
#include "dialogs/dialog_binLinGratingTextlibExportImpl.h"

dialog_binLinGratingTextlibExportImpl::dialog_binLinGratingTextlibExportImpl(QWidget* parent,
                                                                             const char* name,
                                                                             bool modal,
                                                                             Qt::WindowFlags fl)
    : dialog_exportBLG2Textlib(parent, name, modal, fl)
{}
