// The internal edition's start-up question for the display's pixel numbers.
#include "lab/app/displaySizeQuestion.h"

#include "dialogs/dialogSeams.h"
#include "dialogs/dialog_twoIntValuesImpl.h"

bool askDisplaySize(int& width, int& height)
{
    dialog_twoIntValuesImpl dialog(nullptr, nullptr, true);
    dialog.setWindowTitle(QStringLiteral("Please specify display pixel number "));
    dialog.TextLabel_1->setText(QStringLiteral("Display size X:"));
    // A display has at least one pixel each way: the form's minimum 1 stays.
    dialog.value1_SpinBox->setMaximum(2000);
    dialog.value1_SpinBox->setValue(width);
    dialog.TextLabel_2->setText(QStringLiteral("Display size Y:"));
    dialog.value2_SpinBox->setMaximum(1500);
    dialog.value2_SpinBox->setValue(height);
    dialog.value1_SpinBox->setFocus();
    if (runDialog(dialog) != QDialog::Accepted)
        return false;
    width = dialog.value1_SpinBox->value();
    height = dialog.value2_SpinBox->value();
    return true;
}
