// The font the program installs for all its widgets at start-up.
#include "dialogs/applicationFont.h"

QFont phasedeckApplicationFont()
{
    QFont font(QStringLiteral("Helvetica"), 8, QFont::Normal, false);
    font.setStyleHint(QFont::Serif, QFont::PreferDefault);
    return font;
}
