// Subclass of dialog_IFTAParameters_Tutorama that callers open; its checkValues() has no work.
#include "dialogs/dialog_IFTA_tutoramaImpl.h"

#if !PHASEDECK_LAB

#include "dialogs/dialogForm.h"

dialog_IFTA_tutoramaImpl::dialog_IFTA_tutoramaImpl(QWidget* parent, const char* name, bool modal,
                                                   Qt::WindowFlags fl)
    : dialog_IFTAParameters_Tutorama(parent, name, modal, fl)
{}

void dialog_IFTA_tutoramaImpl::checkValues()
{
    warnNotImplemented("dialog_IFTA_tutoramaImpl", "checkValues", implStubSuffix);
}

#endif
