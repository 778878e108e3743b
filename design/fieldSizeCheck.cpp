// The "Error!" boxes of size mismatches between the fields of a design operation.
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

bool sizesMatch(int expectedI, int expectedJ, int fieldI, int fieldJ, const char* function)
{
    if (fieldI == expectedI && fieldJ == expectedJ)
        return true;
    numericErrorBox(QStringLiteral("Error in %1(): field of %2 x %3 elements where %4 x %5 are "
                                   "expected")
                        .arg(QLatin1String(function))
                        .arg(fieldI)
                        .arg(fieldJ)
                        .arg(expectedI)
                        .arg(expectedJ));
    return false;
}
