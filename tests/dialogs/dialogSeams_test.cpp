// The toolkit's yes/no question behind the question runner: its default button takes Return,
// Escape answers No.
#include "dialogs/dialogSeams.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Waits for the modal question box, notes its buttons and presses `key` in it.
class QuestionAnswerer
{
public:
    explicit QuestionAnswerer(Qt::Key key)
        : key(key)
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] { answer(); });
        timer.start();
    }

    bool sawBox = false;
    QString caption;
    QString text;
    bool yesIsDefault = false;
    bool noIsDefault = false;
    bool noIsEscape = false;

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer.stop();
        sawBox = true;
        caption = box->windowTitle();
        text = box->text();
        QAbstractButton* defaultButton = box->defaultButton();
        yesIsDefault = defaultButton == box->button(QMessageBox::Yes);
        noIsDefault = defaultButton == box->button(QMessageBox::No);
        noIsEscape = box->escapeButton() == box->button(QMessageBox::No);
        QTest::keyClick(box, key);
    }

    Qt::Key key;
    QTimer timer;
};

TEST(QuestionBox, ReturnTakesTheDefaultButtonAndEscapeAnswersNo)
{
    struct Row
    {
        const char* name;
        QuestionButton defaultButton;
        Qt::Key key;
        bool yes;
    } rows[] = {
        {"default No, Return", QuestionButton::No, Qt::Key_Return, false},
        {"default Yes, Return", QuestionButton::Yes, Qt::Key_Return, true},
        {"default Yes, Escape", QuestionButton::Yes, Qt::Key_Escape, false},
        {"default No, Escape", QuestionButton::No, Qt::Key_Escape, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QuestionAnswerer answerer(row.key);
        const bool yes = askQuestion(QStringLiteral("Confirm file overwrite"),
                                     QStringLiteral("File exists! Overwrite ?"), row.defaultButton);
        ASSERT_TRUE(answerer.sawBox);
        EXPECT_EQ(yes, row.yes);
        EXPECT_EQ(answerer.caption, QStringLiteral("Confirm file overwrite"));
        EXPECT_EQ(answerer.text, QStringLiteral("File exists! Overwrite ?"));
        EXPECT_EQ(answerer.yesIsDefault, row.defaultButton == QuestionButton::Yes);
        EXPECT_EQ(answerer.noIsDefault, row.defaultButton == QuestionButton::No);
        EXPECT_TRUE(answerer.noIsEscape);
    }
}

} // namespace
