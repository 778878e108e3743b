// The toolkit's message boxes as the runner of the message functions.
#include "app/messageBoxes.h"

#include "base/messages.h"
#include "dialogs/screenPlacement.h"

#include <QMessageBox>

namespace {

// As the toolkit's static boxes: one OK button, the default, centred on the primary screen.
void showToolkitBox(MessageIcon icon, const QString& caption, const QString& text)
{
    const QMessageBox::Icon kind = icon == MessageIcon::Critical  ? QMessageBox::Critical
                                   : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(kind, caption, text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    placeOnPrimaryScreen(&box, ScreenPlace::Centre);
    box.exec();
}

} // namespace

void installToolkitMessageBoxes()
{
    setMessageBoxRunner(showToolkitBox);
}
