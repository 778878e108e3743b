// Table-driven checks shared by the dialog tests.
#include "formChecks.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
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
        EXPECT_FALSE(box->wrapping());
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
