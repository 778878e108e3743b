// Stub-slot warnings of the parameter dialogs.
#include "dialogs/dialogForm.h"

#include <QAbstractSpinBox>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QtGlobal>

namespace {

// Watches its dialog for being shown; children are shown before their dialog, so a spin box
// has refreshed its text by then.
class FocusOnShow : public QObject
{
public:
    FocusOnShow(QDialog* dialog, QWidget* input)
        : QObject(dialog)
        , input(input)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent() && input) {
            input->setFocus(Qt::OtherFocusReason);
            if (auto* spin = qobject_cast<QAbstractSpinBox*>(input.data()))
                spin->selectAll();
            else if (auto* edit = qobject_cast<QLineEdit*>(input.data()))
                edit->selectAll();
        }
        return false;
    }

private:
    QPointer<QWidget> input;
};

} // namespace

void focusOnShow(QDialog* dialog, QWidget* input)
{
    new FocusOnShow(dialog, input);
}

void warnNotImplemented(const char* className, const char* slot, const char* suffix)
{
    qWarning("%s::%s%s", className, slot, suffix);
}
