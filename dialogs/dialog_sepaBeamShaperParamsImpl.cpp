// Subclass of dialog_sepaBeamShaperParameters that callers open; its updateValues() has no work.
#include "dialogs/dialog_sepaBeamShaperParamsImpl.h"

#include "dialogs/dialogForm.h"

dialog_sepaBeamShaperParamsImpl::dialog_sepaBeamShaperParamsImpl(QWidget* parent, const char* name,
                                                                 bool modal, Qt::WindowFlags fl)
    : dialog_sepaBeamShaperParameters(parent, name, modal, fl)
{}

void dialog_sepaBeamShaperParamsImpl::updateValues()
{
    warnNotImplemented("dialog_sepaBeamShaperParamsImpl", "updateValues", implStubSuffix);
}
