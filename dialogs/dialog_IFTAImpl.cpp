// Subclass of dialog_IFTAParameters that callers open; it keeps the dependent spin boxes
// consistent with the phase III count and the tile size.
#include "dialogs/dialog_IFTAImpl.h"

dialog_IFTAImpl::dialog_IFTAImpl(QWidget* parent, const char* name, bool modal, Qt::WindowFlags fl)
    : dialog_IFTAParameters(parent, name, modal, fl)
{}

void dialog_IFTAImpl::checkValues()
{
    value4_SpinBox->setEnabled(value3_SpinBox->value() != 0);

    // A negative tile (only if a caller allowed one) gives low > high; the lower bound then wins,
    // as when the maximum is set before the minimum. A wrapping spin box would move a value
    // outside the new range to the opposite bound, so wrapping is off while the range changes
    // and the value is clamped instead.
    const int t = value_TileSize_SpinBox->value();
    const int high = (t + 1) / 2;
    const int low = -(t / 2);
    for (QSpinBox* shift : {value_ShiftX_SpinBox, value_ShiftY_SpinBox}) {
        const bool wrapping = shift->wrapping();
        shift->setWrapping(false);
        shift->setRange(low, qMax(low, high));
        shift->setWrapping(wrapping);
    }
}
