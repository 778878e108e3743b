// The toolkit's message boxes as the runner of the message functions.
#include "app/messageBoxes.h"

#include "base/messages.h"

#include <QMessageBox>

namespace {

void showToolkitBox(MessageIcon icon, const QString& caption, const QString& text)
{
    switch (icon) {
    case MessageIcon::Critical:
        QMessageBox::critical(nullptr, caption, text);
        break;
    case MessageIcon::Warning:
        QMessageBox::warning(nullptr, caption, text);
        break;
    case MessageIcon::Information:
        QMessageBox::information(nullptr, caption, text);
        break;
    }
}

} // namespace

void installToolkitMessageBoxes()
{
    setMessageBoxRunner(showToolkitBox);
}
