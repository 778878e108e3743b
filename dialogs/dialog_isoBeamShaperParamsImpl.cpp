// Subclass of dialog_isoBeamShaperParameters that callers open; its updateValues() has no work.
#include "dialogs/dialog_isoBeamShaperParamsImpl.h"

#include "dialogs/dialogForm.h"

dialog_isoBeamShaperParamsImpl::dialog_isoBeamShaperParamsImpl(QWidget* parent, const char* name,
                                                               bool modal, Qt::WindowFlags fl)
    : dialog_isoBeamShaperParameters(parent, name, modal, fl)
{}

void dialog_isoBeamShaperParamsImpl::updateValues()
{
    warnNotImplemented("dialog_isoBeamShaperParamsImpl", "updateValues", implStubSuffix);
}
