// Parameters of a separable beam shaper: optics, sampling, waist and order per beam and axis. An
// older form: its texts are set once while it is built, and it has no languageChange().
#include "dialogs/dialog_sepaBeamShaperParameters.h"

#include "dialogs/dialogForm.h"

dialog_sepaBeamShaperParameters::dialog_sepaBeamShaperParameters(QWidget* parent, const char* name,
                                                                 bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setUpForm(this, name, modal);
    focusOnShow(this, WaveLengthEdit);
}

void dialog_sepaBeamShaperParameters::updateValues()
{
    warnNotImplemented("dialog_sepaBeamShaperParameters", "updateValues", olderFormStubSuffix);
}
