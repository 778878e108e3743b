// The program log's lines for tests: a temporary working folder for the whole test program (the
// log file is created in the current folder at its first line) and a reader of new lines.
#pragma once

#include "base/Logfile.h"
#include "base/phasedeckGlobals.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace testLog {

// Register with testing::AddGlobalTestEnvironment before the first log line.
class LogFolderEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        folder = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(folder->isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(folder->path());
    }
    void TearDown() override
    {
        QDir::setCurrent(previous);
        folder.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> folder;
    QString previous;
};

struct LogLine
{
    std::string level;   // "ERROR: ", "WARNING: " or "INFO: "
    std::string message; // the text after the second tab
};

// Message lines of the program log written since the last take() (or since construction).
class LogTail
{
public:
    LogTail() { take(); }

    std::vector<LogLine> take()
    {
        std::vector<LogLine> lines;
        if (!theLogfile.wasOpened())
            return lines;
        std::ifstream file(theLogfile.logFileName());
        std::string text;
        std::size_t index = 0;
        while (std::getline(file, text)) {
            if (index++ < seen)
                continue;
            const std::size_t first = text.find('\t');
            const std::size_t second
                = first == std::string::npos ? first : text.find('\t', first + 1);
            if (second == std::string::npos)
                continue; // the opening lines
            lines.push_back({text.substr(first + 1, second - first - 1), text.substr(second + 1)});
        }
        seen = index;
        return lines;
    }

    // The messages of take(), each required to have the given level.
    std::vector<std::string> takeMessages(const std::string& level = "INFO: ")
    {
        std::vector<std::string> messages;
        for (const LogLine& line : take()) {
            EXPECT_EQ(line.level, level) << line.message;
            messages.push_back(line.message);
        }
        return messages;
    }

private:
    std::size_t seen = 0;
};

} // namespace testLog
