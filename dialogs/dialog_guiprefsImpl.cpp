// Subclass of dialog_GUIPrefs that the preferences command opens; it adds nothing to its form.
#include "dialogs/dialog_guiprefsImpl.h"

dialog_guiprefsImpl::dialog_guiprefsImpl(QWidget* parent, const char* name, bool modal,
                                         Qt::WindowFlags fl)
    : dialog_GUIPrefs(parent, name, modal, fl)
{}
