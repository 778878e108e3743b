// Message box recorder for tests.
#include "support/messageRecorder.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

std::vector<RecordedMessage> recorded;

void recordBox(MessageIcon icon, const QString& caption, const QString& text)
{
    const QCursor* c = QGuiApplication::overrideCursor();
    recorded.push_back({icon, caption, text, c ? int(c->shape()) : -1});
}

} // namespace

MessageRecorder::MessageRecorder()
    : previous(setMessageBoxRunner(recordBox))
{
    recorded.clear();
}

MessageRecorder::~MessageRecorder()
{
    setMessageBoxRunner(previous);
    recorded.clear();
}

const std::vector<RecordedMessage>& MessageRecorder::messages() const
{
    return recorded;
}

void MessageRecorder::clear()
{
    recorded.clear();
}
