// Stub-slot warnings of the parameter dialogs and fitting placed texts to the font.
#include "dialogs/dialogForm.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QtGlobal>
#include <algorithm>

namespace {

bool layoutHolds(const QLayout* layout, const QWidget* widget)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget)
            return true;
        if (item->layout() && layoutHolds(item->layout(), widget))
            return true;
    }
    return false;
}

bool placedByLayout(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    return parent && parent->layout() && layoutHolds(parent->layout(), widget);
}

// The size the widget's text needs with its font: a wrapped label its height for its width.
QSize neededSize(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->wordWrap())
        return QSize(widget->width(), label->heightForWidth(widget->width()));
    if (qobject_cast<const QAbstractSpinBox*>(widget))
        return widget->minimumSizeHint();
    return widget->sizeHint();
}

// Grows the parents of `child` up to `form` so that each holds its grown child with the margin
// the child keeps to its parent's left and top edges, at most 12 pixels.
void growParents(QWidget* child, QWidget* form)
{
    while (child != form) {
        QWidget* parent = child->parentWidget();
        if (!parent || placedByLayout(child))
            return;
        const QRect r = child->geometry();
        const QSize needed(r.right() + 1 + std::clamp(r.left(), 0, 12),
                           r.bottom() + 1 + std::clamp(r.top(), 0, 12));
        const QSize grown = parent->size().expandedTo(needed);
        if (grown == parent->size())
            return;
        parent->resize(grown);
        child = parent;
    }
}

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

void fitPlacedTexts(QWidget* form)
{
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(form) || placedByLayout(widget))
            continue;
        if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget)
            && !qobject_cast<QAbstractSpinBox*>(widget))
            continue;
        const QSize size = widget->size().expandedTo(neededSize(widget));
        if (size == widget->size())
            continue;
        widget->resize(size);
        growParents(widget, form);
    }
}
