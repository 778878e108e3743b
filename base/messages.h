// Message boxes and the wait cursor. The box itself goes through a replaceable runner so that
// numeric code and tests do not depend on widgets; the shell installs the toolkit boxes.
#pragma once

#include <QString>
#include <string>

enum class MessageIcon { Critical, Warning, Information };

// Shows one modal box with a single OK button and returns when it is closed.
using MessageBoxRunner = void (*)(MessageIcon icon, const QString& caption, const QString& text);

// Installs a runner and returns the previous one. The initial runner prints to stderr.
MessageBoxRunner setMessageBoxRunner(MessageBoxRunner runner);
MessageBoxRunner messageBoxRunner();

// "ERROR !", "WARNING" and "INFO" boxes, shown under the arrow cursor.
void errorMessage(const char* text);
void warningMessage(const char* text);
void infoMessage(const char* text);
void errorMessage(std::string text);
void warningMessage(std::string text);
void infoMessage(std::string text);

// The critical "Error!" box of the numeric code; the computation goes on afterwards.
void numericErrorBox(const QString& text);

// true pushes the wait cursor, false pops the top override cursor; callers keep them paired.
void setWaitCursor(bool on);
