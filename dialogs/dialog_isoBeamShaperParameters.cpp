// Parameters of an isotropic beam shaper: optics, sampling, one waist and order per beam. An older
// form: its texts are set once while it is built, and it has no languageChange().
#include "dialogs/dialog_isoBeamShaperParameters.h"

#include "dialogs/dialogForm.h"

dialog_isoBeamShaperParameters::dialog_isoBeamShaperParameters(QWidget* parent, const char* name,
                                                               bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, WaveLengthEdit);
}

void dialog_isoBeamShaperParameters::updateValues()
{
    warnNotImplemented("dialog_isoBeamShaperParameters", "updateValues", olderFormStubSuffix);
}
