// Stub-slot warnings of the parameter dialogs.
#include "dialogs/dialogForm.h"

#include <QtGlobal>

void warnNotImplemented(const char* className, const char* slot, const char* suffix)
{
    qWarning("%s::%s%s", className, slot, suffix);
}
