// The program's text log with the levels ERROR, WARNING and INFO; its file is created at the
// first message, so a run that logs nothing leaves no file.
#pragma once

#include <fstream>
#include <string>

class Logfile
{
public:
    // File name: prefix + "_" + timestamp() + ".log", relative to the working directory at the
    // first message. Touches no file.
    explicit Logfile(std::string prefix);
    // Prefix "Application_": the name reads "Application_" + timestamp() + ".log".
    Logfile();
    // Writes "Application logfile closed: " + date only when the file was opened.
    ~Logfile();

    Logfile(const Logfile&) = delete;
    Logfile& operator=(const Logfile&) = delete;

    // Opens the file for appending and writes the two opening lines and an empty line. Tried
    // once per object: a file that cannot be created drops every later line without notice.
    void open();

    // One line each: date, tab, level text ("ERROR: ", "WARNING: ", "INFO: "), tab, message.
    void error(const char* message);
    void error(std::string message);
    void warning(const char* message);
    void warning(std::string message);
    void info(const char* message);
    void info(std::string message);

    // Current local date and time as "yyyy_MM_dd__hhHmm" (e.g. 2007_10_12__14h05), from one
    // reading of the clock.
    static std::string timestamp();
    // Current local date and time in the toolkit's text form, e.g. "Fri Oct 12 14:05:09 2007".
    static std::string dateText();

    const std::string& logFileName() const { return fileName; }
    const std::string& startedAt() const { return startTime; }
    bool wasOpened() const { return isOpen; }

private:
    void writeLine(const char* level, const char* message);

    bool isOpen = false;
    std::ofstream logStream;
    std::string startTime;
    std::string fileName;
};
