// The program's text log: lazy creation, opening lines, message lines and the closing line.
#include "base/Logfile.h"

#include <QByteArray>
#include <QDateTime>
#include <cstdio>
#include <utility>

namespace {

std::string timestampOf(const QDateTime& now)
{
    const QDate d = now.date();
    const QTime t = now.time();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4d_%.2d_%.2d__%.2dh%.2d", d.year(), d.month(), d.day(),
                  t.hour(), t.minute());
    return buffer;
}

std::string dateTextOf(const QDateTime& now)
{
    return now.toString(Qt::TextDate).toLatin1().toStdString();
}

} // namespace

Logfile::Logfile(std::string prefix)
{
    // Name and start date from the same reading, so they never straddle a minute.
    const QDateTime now = QDateTime::currentDateTime();
    fileName = std::move(prefix) + "_" + timestampOf(now) + ".log";
    startTime = dateTextOf(now);
}

Logfile::Logfile()
{
    const QDateTime now = QDateTime::currentDateTime();
    fileName = "Application_" + timestampOf(now) + ".log";
    startTime = dateTextOf(now);
}

Logfile::~Logfile()
{
    if (!isOpen)
        return;
    logStream << "Application logfile closed: " << dateText() << "\n";
    logStream.close();
}

void Logfile::open()
{
    // Appending keeps the lines of an earlier run that got the same name in the same minute.
    logStream.open(fileName, std::ios::out | std::ios::app);
    logStream << "Logfile " << fileName << "\n";
    logStream << "Application started: " << startTime << "\n\n";
    isOpen = true;
}

void Logfile::writeLine(const char* level, const char* message)
{
    if (!isOpen)
        open();
    logStream << dateText() << "\t" << level << "\t" << (message ? message : "") << "\n";
    logStream.flush();
}

void Logfile::error(const char* message)
{
    writeLine("ERROR: ", message);
}

void Logfile::error(std::string message)
{
    error(message.c_str());
}

void Logfile::warning(const char* message)
{
    writeLine("WARNING: ", message);
}

void Logfile::warning(std::string message)
{
    warning(message.c_str());
}

void Logfile::info(const char* message)
{
    writeLine("INFO: ", message);
}

void Logfile::info(std::string message)
{
    info(message.c_str());
}

std::string Logfile::timestamp()
{
    return timestampOf(QDateTime::currentDateTime());
}

std::string Logfile::dateText()
{
    return dateTextOf(QDateTime::currentDateTime());
}
