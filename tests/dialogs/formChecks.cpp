// Table-driven checks shared by the dialog tests.
#include "formChecks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QLayout>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> slotsOf(const QMetaObject* meta)
{
    std::vector<std::string> result;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() == QMetaMethod::Slot)
            result.push_back(m.methodSignature().toStdString());
    }
    return result;
}

std::vector<std::string> strings(const std::vector<const char*>& list)
{
    return std::vector<std::string>(list.begin(), list.end());
}

WarningRecorder* activeRecorder = nullptr;
QtMessageHandler chainedHandler = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message);

} // namespace

void checkForm(const FormSpec& spec)
{
    SCOPED_TRACE(spec.className);
    {
        std::unique_ptr<QDialog> named = spec.make("chosen name");
        EXPECT_EQ(named->objectName(), "chosen name");
    }
    std::unique_ptr<QDialog> d = spec.make(nullptr);
    EXPECT_EQ(d->objectName(), spec.formClassName);
    EXPECT_TRUE(d->isModal());

    const QMetaObject* meta = d->metaObject();
    EXPECT_STREQ(meta->className(), spec.className);
    const QMetaObject* form = meta;
    while (form && qstrcmp(form->className(), spec.formClassName) != 0)
        form = form->superClass();
    ASSERT_NE(form, nullptr);
    EXPECT_STREQ(form->superClass()->className(), "QDialog");
    EXPECT_EQ(slotsOf(form), strings(spec.formSlots));
    EXPECT_EQ(slotsOf(meta), strings(spec.ownSlots));

    if (spec.caption)
        EXPECT_EQ(d->windowTitle(), spec.caption);
    else
        EXPECT_TRUE(d->windowTitle().isNull());
    EXPECT_EQ(d->size(), spec.size);

    for (const ChildSpec& c : spec.children) {
        SCOPED_TRACE(c.name);
        const QList<QObject*> found = d->findChildren<QObject*>(c.name);
        ASSERT_EQ(found.size(), 1);
        EXPECT_TRUE(found[0]->inherits(c.kind)) << found[0]->metaObject()->className();
        if (!c.geometry.isNull()) {
            const QWidget* w = qobject_cast<const QWidget*>(found[0]);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->geometry(), c.geometry);
        }
    }

    if (meta->indexOfSlot("languageChange()") >= 0) {
        d->setWindowTitle("replaced by a caller");
        ASSERT_TRUE(QMetaObject::invokeMethod(d.get(), "languageChange"));
        EXPECT_EQ(d->windowTitle(), spec.caption ? QString(spec.caption) : QString());
    }
}

QString textOf(const QObject* object)
{
    if (auto* b = qobject_cast<const QAbstractButton*>(object))
        return b->text();
    if (auto* l = qobject_cast<const QLabel*>(object))
        return l->text();
    if (auto* g = qobject_cast<const QGroupBox*>(object))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(object))
        return e->text();
    ADD_FAILURE() << "no text on " << object->metaObject()->className();
    return QString();
}

int execWhile(QDialog& dialog, const std::function<void(QDialog&)>& action)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &dialog, [&dialog] { dialog.done(-1); });
    QTimer::singleShot(0, &dialog, [&] {
        watchdog.start(2000);
        action(dialog);
    });
    const int result = dialog.exec();
    watchdog.stop();
    return result;
}

void checkButtons(const DialogFactory& make, const std::vector<ButtonSpec>& buttons)
{
    for (const ButtonSpec& b : buttons) {
        SCOPED_TRACE(b.name);
        std::unique_ptr<QDialog> d = make(nullptr);
        QAbstractButton* button = d->findChild<QAbstractButton*>(b.name);
        ASSERT_NE(button, nullptr);
        bool openAfterPress = false;
        const int result = execWhile(*d, [&](QDialog& dialog) {
            QTest::mousePress(button, Qt::LeftButton);
            openAfterPress = dialog.isVisible();
            if (openAfterPress)
                QTest::mouseRelease(button, Qt::LeftButton);
        });
        EXPECT_EQ(result, b.result);
        EXPECT_EQ(openAfterPress, b.trigger == Trigger::Click);
    }

    std::unique_ptr<QDialog> escaped = make(nullptr);
    EXPECT_EQ(execWhile(*escaped, [](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }),
              int(QDialog::Rejected));
    std::unique_ptr<QDialog> closed = make(nullptr);
    EXPECT_EQ(execWhile(*closed, [](QDialog& d) { d.close(); }), int(QDialog::Rejected));
}

WarningRecorder::WarningRecorder()
    : previous(qInstallMessageHandler(recordWarning))
{
    chainedHandler = previous;
    activeRecorder = this;
}

WarningRecorder::~WarningRecorder()
{
    qInstallMessageHandler(previous);
    activeRecorder = nullptr;
}

namespace {

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (activeRecorder && type == QtWarningMsg)
        activeRecorder->lines << message;
    if (chainedHandler)
        chainedHandler(type, context, message);
}

} // namespace

void checkSpinBoxes(const QDialog& dialog, const std::vector<SpinSpec>& spins)
{
    for (const SpinSpec& s : spins) {
        SCOPED_TRACE(s.name);
        const QSpinBox* box = dialog.findChild<const QSpinBox*>(s.name);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->minimum(), s.minimum);
        EXPECT_EQ(box->maximum(), s.maximum);
        EXPECT_EQ(box->singleStep(), s.step);
        EXPECT_EQ(box->value(), s.value);
        EXPECT_EQ(box->buttonSymbols(),
                  s.plusMinus ? QAbstractSpinBox::PlusMinus : QAbstractSpinBox::UpDownArrows);
        EXPECT_EQ(box->wrapping(), s.wrapping);
        EXPECT_TRUE(box->isEnabled());
    }
}

void checkTexts(const QDialog& dialog, const std::vector<TextSpec>& texts)
{
    for (const TextSpec& t : texts) {
        SCOPED_TRACE(t.name);
        const QObject* child = dialog.findChild<const QObject*>(t.name);
        ASSERT_NE(child, nullptr);
        const QString text = textOf(child);
        if (t.text)
            EXPECT_EQ(text, QString::fromUtf8(t.text));
        else
            EXPECT_TRUE(text.isNull()) << text.toStdString();
    }
}

void checkStates(const QDialog& dialog, const std::vector<CheckSpec>& states)
{
    for (const CheckSpec& s : states) {
        SCOPED_TRACE(s.name);
        const QAbstractButton* b = dialog.findChild<const QAbstractButton*>(s.name);
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isCheckable());
        EXPECT_EQ(b->isChecked(), s.checked);
        EXPECT_EQ(b->isEnabled(), s.enabled);
    }
}

namespace {

bool layoutHolds(const QLayout* layout, const QWidget* w)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == w || (item->layout() && layoutHolds(item->layout(), w)))
            return true;
    }
    return false;
}

bool placedByLayout(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return parent && parent->layout() && layoutHolds(parent->layout(), w);
}

// Parts of compound widgets (a spin box's editor, a list's viewport and scroll bars) are not
// placed by the form.
bool formChild(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return !qobject_cast<const QAbstractSpinBox*>(parent)
           && !qobject_cast<const QAbstractScrollArea*>(parent)
           && !(parent && qobject_cast<const QAbstractScrollArea*>(parent->parentWidget()));
}

// The size below which a text of the widget is cut. An editable line needs its text height and
// frame; its width grows with what is typed.
QSize neededSize(const QWidget* w)
{
    const int textLine = w->fontMetrics().height() + 4;
    if (qobject_cast<const QAbstractSpinBox*>(w))
        return QSize(w->sizeHint().width(), textLine);
    if (qobject_cast<const QLineEdit*>(w))
        return QSize(w->minimumSizeHint().width(), textLine);
    if (auto* label = qobject_cast<const QLabel*>(w); label && label->hasScaledContents())
        return QSize(0, 0); // a picture scaled into its place
    if (auto* label = qobject_cast<const QLabel*>(w); label && label->wordWrap())
        return QSize(0, label->heightForWidth(w->width())); // wraps at its width
    if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w))
        return w->sizeHint();
    return w->minimumSizeHint().expandedTo(QSize(0, 0));
}

// Where a widget draws: a line frame only its line through the middle of its rectangle.
QRect drawnArea(const QWidget* w)
{
    const QRect r = w->geometry();
    const auto* frame = qobject_cast<const QFrame*>(w);
    if (!frame || (frame->frameShape() != QFrame::HLine && frame->frameShape() != QFrame::VLine))
        return r;
    const int thickness = std::max(1, frame->lineWidth() + 2 * frame->midLineWidth());
    if (frame->frameShape() == QFrame::HLine)
        return QRect(r.x(), r.center().y() - thickness / 2, r.width(), thickness);
    return QRect(r.center().x() - thickness / 2, r.y(), thickness, r.height());
}

// A widget stacked over a group box (a check box heading it on its frame line, a row of inputs
// placed over it) may cover the group's frame but none of its children and not its title.
bool liesOverGroup(const QWidget* w, const QWidget* other)
{
    const auto* group = qobject_cast<const QGroupBox*>(other);
    const QObjectList& siblings = w->parentWidget()->children();
    if (!group || siblings.indexOf(w) < siblings.indexOf(group))
        return false;
    for (const QWidget* c : group->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->isVisibleTo(group)
            && QRect(group->mapToParent(c->pos()), c->size()).intersects(w->geometry()))
            return false;
    }
    if (group->title().isEmpty())
        return true;
    const QFontMetrics fm = group->fontMetrics();
    const QRect title(group->x(), group->y(), fm.horizontalAdvance(group->title()) + 16,
                      fm.height());
    return !title.intersects(w->geometry());
}

} // namespace

void checkTextsFit(const QDialog& dialog)
{
    std::vector<const QWidget*> placed;
    for (const QWidget* w : dialog.findChildren<const QWidget*>()) {
        if (!formChild(w) || placedByLayout(w) || !w->isVisibleTo(&dialog))
            continue;
        placed.push_back(w);
        SCOPED_TRACE(w->objectName().toStdString());
        const QSize need = neededSize(w);
        EXPECT_GE(w->width(), need.width());
        EXPECT_GE(w->height(), need.height());

        const QWidget* parent = w->parentWidget();
        QRect inside = parent->rect();
        if (auto* frame = qobject_cast<const QFrame*>(parent))
            inside = frame->contentsRect();
        if (auto* group = qobject_cast<const QGroupBox*>(parent);
            group && !group->title().isEmpty())
            inside.setTop(parent->fontMetrics().height());
        EXPECT_TRUE(inside.contains(w->geometry()))
            << "geometry " << w->geometry().x() << "," << w->geometry().y() << " " << w->width()
            << "x" << w->height();
    }
    for (size_t a = 0; a < placed.size(); ++a) {
        for (size_t b = a + 1; b < placed.size(); ++b) {
            if (placed[a]->parentWidget() == placed[b]->parentWidget()
                && !liesOverGroup(placed[a], placed[b]) && !liesOverGroup(placed[b], placed[a])) {
                EXPECT_FALSE(drawnArea(placed[a]).intersects(drawnArea(placed[b])))
                    << placed[a]->objectName().toStdString() << " overlaps "
                    << placed[b]->objectName().toStdString();
            }
        }
    }
}

void checkTextWidgetsFit(const QDialog& dialog)
{
    for (const QWidget* w : dialog.findChildren<const QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        if (!formChild(w) || !w->isVisibleTo(&dialog)
            || !(label || qobject_cast<const QAbstractButton*>(w))
            || (label && label->hasScaledContents()))
            continue;
        SCOPED_TRACE(w->objectName().toStdString() + " \"" + textOf(w).toStdString() + "\"");
        if (label && label->wordWrap()) {
            EXPECT_GE(w->height(), w->heightForWidth(w->width()));
            continue;
        }
        EXPECT_GE(w->width(), w->sizeHint().width());
        EXPECT_GE(w->height(), w->sizeHint().height());
    }
}

void checkDefaultAndFocus(const DialogFactory& make, const char* defaultButton,
                          const char* firstInput)
{
    std::unique_ptr<QDialog> d = make(nullptr);
    for (const QPushButton* b : d->findChildren<const QPushButton*>())
        EXPECT_EQ(b->isDefault(), b->objectName() == defaultButton)
            << b->objectName().toStdString();
    if (!firstInput) {
        EXPECT_EQ(execWhile(*d, [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Return); }),
                  int(QDialog::Accepted));
        return;
    }

    QString focused;
    execWhile(*d, [&focused](QDialog& dialog) {
        if (QTest::qWaitForWindowActive(&dialog) && QApplication::focusWidget())
            focused = QApplication::focusWidget()->objectName();
        dialog.done(-1);
    });
    EXPECT_EQ(focused, firstInput);

    std::vector<QString> inputs;
    for (const QWidget* w : d->findChildren<const QWidget*>())
        if (formChild(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && !qobject_cast<const QPushButton*>(w))
            inputs.push_back(w->objectName());
    EXPECT_FALSE(inputs.empty());
    for (const QString& name : inputs) {
        SCOPED_TRACE(name.toStdString());
        for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
            std::unique_ptr<QDialog> fresh = make(nullptr);
            QWidget* input = fresh->findChild<QWidget*>(name);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(execWhile(*fresh,
                                [input, key](QDialog&) {
                                    input->setFocus();
                                    QTest::keyClick(input, Qt::Key(key));
                                }),
                      int(QDialog::Accepted));
        }
    }
}
