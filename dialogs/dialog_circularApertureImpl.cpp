// Subclass of dialog_circularAperture that the commands open; it adds nothing to its form.
#include "dialogs/dialog_circularApertureImpl.h"

dialog_circularApertureImpl::dialog_circularApertureImpl(QWidget* parent, const char* name,
                                                         bool modal, Qt::WindowFlags fl)
    : dialog_circularAperture(parent, name, modal, fl)
{}
