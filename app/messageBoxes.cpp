// The toolkit's message boxes as the runner of the message functions.
#include "app/messageBoxes.h"

#include "base/messages.h"
#include "dialogs/dialogForm.h"
#include "dialogs/screenPlacement.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace {

// As the toolkit's static boxes: one OK button, the default, centred on the primary screen.
void showToolkitBox(MessageIcon icon, const QString& caption, const QString& text)
{
    // After the application object is gone (the settings are written at process exit) there is
    // no box to show: the message goes to the error output.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        return;
    }
    const QMessageBox::Icon kind = icon == MessageIcon::Critical  ? QMessageBox::Critical
                                   : icon == MessageIcon::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(kind, caption, text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    fitMessageBoxCaption(box);
    placeOnPrimaryScreen(&box, ScreenPlace::Centre);
    box.exec();
}

} // namespace

void installToolkitMessageBoxes()
{
    setMessageBoxRunner(showToolkitBox);
}
