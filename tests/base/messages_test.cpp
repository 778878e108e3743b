// Message functions: captions, icons and the override cursors around a box.
#include "base/messages.h"
#include "support/messageRecorder.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

int overrideShape()
{
    const QCursor* c = QGuiApplication::overrideCursor();
    return c ? int(c->shape()) : -1;
}

TEST(Messages, CaptionsIconsAndArrowCursor)
{
    struct Row
    {
        void (*show)(const char*);
        MessageIcon icon;
        const char* caption;
    };
    const Row rows[] = {
        {errorMessage, MessageIcon::Critical, "ERROR !"},
        {warningMessage, MessageIcon::Warning, "WARNING"},
        {infoMessage, MessageIcon::Information, "INFO"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        MessageRecorder recorder;
        setWaitCursor(true);
        row.show("text \xc2\xb5m");
        ASSERT_EQ(recorder.messages().size(), 1u);
        const RecordedMessage& m = recorder.messages()[0];
        EXPECT_EQ(m.icon, row.icon);
        EXPECT_EQ(m.caption, QString::fromLatin1(row.caption));
        EXPECT_EQ(m.text, QString("text ") + QChar(0xB5) + "m");
        EXPECT_EQ(m.cursorShape, int(Qt::ArrowCursor));
        EXPECT_EQ(overrideShape(), int(Qt::WaitCursor));
        setWaitCursor(false);
        EXPECT_EQ(overrideShape(), -1);
    }
}

TEST(Messages, StandardStringFormsAndEmptyText)
{
    MessageRecorder recorder;
    errorMessage(std::string("a"));
    warningMessage(std::string());
    infoMessage(std::string("c"));
    ASSERT_EQ(recorder.messages().size(), 3u);
    EXPECT_EQ(recorder.messages()[0].caption, "ERROR !");
    EXPECT_EQ(recorder.messages()[1].text, "");
    EXPECT_EQ(recorder.messages()[1].caption, "WARNING");
    EXPECT_EQ(recorder.messages()[2].text, "c");
    EXPECT_EQ(overrideShape(), -1);
}

TEST(Messages, NumericErrorBox)
{
    MessageRecorder recorder;
    numericErrorBox("Error in X: 1");
    ASSERT_EQ(recorder.messages().size(), 1u);
    EXPECT_EQ(recorder.messages()[0].caption, "Error!");
    EXPECT_EQ(recorder.messages()[0].icon, MessageIcon::Critical);
}

} // namespace
