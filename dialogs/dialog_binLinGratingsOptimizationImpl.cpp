// Subclass of dialog_binLinGratingsOptimization that callers open; it adds nothing to its form.
#include "dialogs/dialog_binLinGratingsOptimizationImpl.h"

dialog_binLinGratingsOptimizationImpl::dialog_binLinGratingsOptimizationImpl(QWidget* parent,
                                                                             const char* name,
                                                                             bool modal,
                                                                             Qt::WindowFlags fl)
    : dialog_binLinGratingsOptimization(parent, name, modal, fl)
{}
