// The "Error!" box of a size mismatch between two fields of a design operation.
#include "design/fieldSizeCheck.h"

#include "base/messages.h"

bool operandCovers(int loopI, int loopJ, int opI, int opJ, const char* function)
{
    if (opI >= loopI && opJ >= loopJ)
        return true;
    numericErrorBox(QStringLiteral("Error in %1(): operand of %2 x %3 elements is smaller than "
                                   "the field of %4 x %5")
                        .arg(QLatin1String(function))
                        .arg(opI)
                        .arg(opJ)
                        .arg(loopI)
                        .arg(loopJ));
    return false;
}
