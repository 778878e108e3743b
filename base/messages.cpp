// Message functions over the replaceable box runner, and the wait cursor.
#include "base/messages.h"

#include <QCursor>
#include <QGuiApplication>
#include <cstdio>

namespace {

void printMessage(MessageIcon, const QString& caption, const QString& text)
{
    std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
}

MessageBoxRunner currentRunner = printMessage;

void showUnderArrowCursor(MessageIcon icon, const char* caption, const QString& text)
{
    if (qGuiApp)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    currentRunner(icon, QString::fromLatin1(caption), text);
    if (qGuiApp)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace

MessageBoxRunner setMessageBoxRunner(MessageBoxRunner runner)
{
    MessageBoxRunner previous = currentRunner;
    currentRunner = runner ? runner : printMessage;
    return previous;
}

MessageBoxRunner messageBoxRunner()
{
    return currentRunner;
}

void errorMessage(const char* text)
{
    showUnderArrowCursor(MessageIcon::Critical, "ERROR !", QString::fromUtf8(text));
}

void warningMessage(const char* text)
{
    showUnderArrowCursor(MessageIcon::Warning, "WARNING", QString::fromUtf8(text));
}

void infoMessage(const char* text)
{
    showUnderArrowCursor(MessageIcon::Information, "INFO", QString::fromUtf8(text));
}

void errorMessage(std::string text)
{
    errorMessage(text.c_str());
}

void warningMessage(std::string text)
{
    warningMessage(text.c_str());
}

void infoMessage(std::string text)
{
    infoMessage(text.c_str());
}

void numericErrorBox(const QString& text)
{
    currentRunner(MessageIcon::Critical, QStringLiteral("Error!"), text);
}

void setWaitCursor(bool on)
{
    if (!qGuiApp)
        return;
    if (on)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}
