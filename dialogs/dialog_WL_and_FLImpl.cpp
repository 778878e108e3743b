// Subclass of dialog_WL_and_FL that callers open; its updateValues() has no work.
#include "dialogs/dialog_WL_and_FLImpl.h"

#include "dialogs/dialogForm.h"

dialog_WL_and_FLImpl::dialog_WL_and_FLImpl(QWidget* parent, const char* name, bool modal,
                                           Qt::WindowFlags fl)
    : dialog_WL_and_FL(parent, name, modal, fl)
{}

void dialog_WL_and_FLImpl::updateValues()
{
    warnNotImplemented("dialog_WL_and_FLImpl", "updateValues", implStubSuffix);
}
