// Records message boxes instead of showing them, with the override cursor at the time.
#pragma once

#include "base/messages.h"

#include <QString>
#include <vector>

struct RecordedMessage
{
    MessageIcon icon;
    QString caption;
    QString text;
    int cursorShape; // override cursor while the box was up, -1 for none
};

// Installs itself as the message box runner for its lifetime.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<RecordedMessage>& messages() const;
    void clear();

private:
    MessageBoxRunner previous;
};
