// Subclass of dialog_Zandor_IFTA_Parameters that callers open; it adds nothing to its form.
#include "dialogs/dialog_Zandor_IFTA_ParametersImpl.h"

dialog_Zandor_IFTA_ParametersImpl::dialog_Zandor_IFTA_ParametersImpl(QWidget* parent,
                                                                     const char* name, bool modal,
                                                                     Qt::WindowFlags fl)
    : dialog_Zandor_IFTA_Parameters(parent, name, modal, fl)
{}
