// Stub-slot warnings of the parameter dialogs, the first input's focus, and fitting placed texts
// and captions to their fonts.
#include "dialogs/dialogForm.h"

#include "dialogs/placedGeometry.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>
#include <QtGlobal>
#include <algorithm>
#include <vector>

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

bool isLine(const QWidget* widget)
{
    const auto* frame = qobject_cast<const QFrame*>(widget);
    return frame && (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine);
}

// A line frame draws only its line through the middle of its rectangle.
QMargins undrawnMargins(const QWidget* widget)
{
    if (!isLine(widget))
        return QMargins();
    const auto* frame = static_cast<const QFrame*>(widget);
    const int thickness = std::max(1, frame->lineWidth() + 2 * frame->midLineWidth());
    const QRect r = widget->rect();
    if (frame->frameShape() == QFrame::HLine) {
        const int top = r.center().y() - thickness / 2;
        return QMargins(0, top, 0, r.height() - top - thickness);
    }
    const int left = r.center().x() - thickness / 2;
    return QMargins(left, 0, r.width() - left - thickness, 0);
}

// Plain widgets, plain frames and group boxes without a layout hold children placed by hand.
bool holdsPlacedChildren(const QWidget* widget)
{
    if (widget->layout() || isLine(widget))
        return false;
    const QMetaObject* kind = widget->metaObject();
    return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject
           || qobject_cast<const QGroupBox*>(widget);
}

// The least size that shows the widget's text with its font: an input its text line with its
// frame, a word-wrapped label its height at its width, a layout holder its layout's minimum.
QSize neededSize(const QWidget* widget)
{
    const int textLine = widget->fontMetrics().height() + 4;
    if (qobject_cast<const QAbstractSpinBox*>(widget))
        return QSize(widget->sizeHint().width(), textLine);
    if (qobject_cast<const QLineEdit*>(widget))
        return QSize(widget->minimumSizeHint().width(), textLine);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->hasScaledContents())
            return QSize(0, 0);
        if (label->wordWrap())
            return QSize(widget->width(), label->heightForWidth(widget->width()));
        return widget->sizeHint();
    }
    if (qobject_cast<const QAbstractButton*>(widget))
        return widget->sizeHint();
    if (isLine(widget))
        return QSize(0, 0);
    return widget->minimumSizeHint();
}

// A centred or right-aligned label grows around its text's place.
GrowFrom growthAnchor(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (!label)
        return GrowFrom::Left;
    const Qt::Alignment horizontal
        = QStyle::visualAlignment(label->layoutDirection(), label->alignment())
          & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return GrowFrom::Centre;
    if (horizontal & Qt::AlignRight)
        return GrowFrom::Right;
    return GrowFrom::Left;
}

// Where a parent holds its placed children: inside its frame, below a group's title.
QRect holdingArea(const QWidget* parent)
{
    QRect area = parent->rect();
    if (const auto* frame = qobject_cast<const QFrame*>(parent))
        area = frame->contentsRect();
    if (const auto* group = qobject_cast<const QGroupBox*>(parent);
        group && !group->title().isEmpty())
        area.setTop(std::max(area.top(), group->fontMetrics().height()));
    return area;
}

bool placedByHand(const QWidget* widget, const QWidget* parent)
{
    return !widget->isWindow() && widget->isVisibleTo(parent) && !placedByLayout(widget);
}

// Fits the children that `parent` places by hand, holders of such children first, together with
// `guests`: siblings of `parent` stacked over it, which share its rows. `parent` itself only
// grows; its place belongs to its own parent.
void fitPlacedChildren(QWidget* parent, const std::vector<QWidget*>& guests = {})
{
    std::vector<QWidget*> own;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (placedByHand(child, parent))
            own.push_back(child);

    // A widget stacked wholly over an earlier sibling that holds placed children is its guest.
    std::vector<std::vector<QWidget*>> hosted(own.size());
    std::vector<bool> isGuest(own.size(), false);
    for (size_t h = 0; h < own.size(); ++h) {
        if (!holdsPlacedChildren(own[h]))
            continue;
        for (size_t g = h + 1; g < own.size(); ++g) {
            if (!isGuest[g] && own[h]->geometry().contains(own[g]->geometry())) {
                hosted[h].push_back(own[g]);
                isGuest[g] = true;
            }
        }
    }

    std::vector<QWidget*> placed;
    std::vector<const std::vector<QWidget*>*> hostedBy; // null for this parent's own guests
    std::vector<PlacedItem> items;
    for (size_t i = 0; i < own.size(); ++i) {
        if (isGuest[i])
            continue;
        PlacedItem item;
        item.rect = own[i]->geometry();
        if (holdsPlacedChildren(own[i])) {
            fitPlacedChildren(own[i], hosted[i]);
            item.needed = own[i]->size().expandedTo(own[i]->minimumSizeHint());
        } else {
            item.needed = neededSize(own[i]);
        }
        placed.push_back(own[i]);
        hostedBy.push_back(&hosted[i]);
        items.push_back(item);
    }
    for (QWidget* guest : guests) {
        PlacedItem item;
        item.rect = guest->geometry().translated(-parent->pos());
        item.needed = neededSize(guest);
        placed.push_back(guest);
        hostedBy.push_back(nullptr);
        items.push_back(item);
    }
    for (size_t i = 0; i < placed.size(); ++i) {
        items[i].from = growthAnchor(placed[i]);
        items[i].bare = undrawnMargins(placed[i]);
    }

    const PlacedFit fit = fitPlacedItems(items, parent->size(), holdingArea(parent));
    for (size_t i = 0; i < placed.size(); ++i) {
        QRect rect = fit.rects[i];
        if (hostedBy[i]) {
            // The widgets a holder hosts move with it.
            const QPoint moved = rect.topLeft() - placed[i]->pos();
            for (QWidget* guest : *hostedBy[i])
                guest->move(guest->pos() + moved);
        } else {
            rect.translate(parent->pos());
        }
        if (placed[i]->geometry() != rect)
            placed[i]->setGeometry(rect);
    }
    if (fit.parentSize != parent->size())
        parent->resize(fit.parentSize);
}

// Fits the form's placed texts each time it is shown, before the dialog places itself.
class FitOnShow : public QObject
{
public:
    explicit FitOnShow(QWidget* form)
        : QObject(form)
    {
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            fitPlacedTexts(static_cast<QWidget*>(watched));
            fitCaption(static_cast<QWidget*>(watched));
        }
        return false;
    }
};

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

QFont windowTitleFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setBold(true);
    return font;
}

int captionFitWidth(const QString& caption)
{
    const QFontMetrics metrics(windowTitleFont());
    return metrics.horizontalAdvance(caption) + 8 * metrics.height();
}

void fitCaption(QWidget* window)
{
    const int needed = captionFitWidth(window->windowTitle());
    if (window->width() >= needed)
        return;
    window->setMaximumWidth(std::max(window->maximumWidth(), needed));
    window->resize(needed, window->height());
}

void fitMessageBoxCaption(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QMargins margins = grid->contentsMargins();
    const int width = captionFitWidth(box.windowTitle()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, std::max(1, grid->columnCount()));
}

void fitTextsOnShow(QWidget* form)
{
    new FitOnShow(form);
}

void fitPlacedTexts(QWidget* form)
{
    if (!form->layout())
        fitPlacedChildren(form);
}
