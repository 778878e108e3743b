// The log: lazy creation, the opening lines, the message lines, the closing line and appending.
#include "base/Logfile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QRegularExpression
    dateText(QStringLiteral("^(Mon|Tue|Wed|Thu|Fri|Sat|Sun) "
                            "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d{1,2} "
                            "\\d{2}:\\d{2}:\\d{2} \\d{4}$"));

// Runs each test in an empty working directory.
class LogfileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(oldCwd); }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }

    // The file's lines without the final empty piece after the last line feed.
    QStringList lines(const std::string& name) const
    {
        QFile f(dir.filePath(QString::fromStdString(name)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromLatin1(f.readAll());
        EXPECT_TRUE(text.endsWith(QLatin1Char('\n')));
        QStringList result = text.split(QLatin1Char('\n'));
        result.removeLast();
        return result;
    }

    QTemporaryDir dir;
    QString oldCwd;
};

TEST_F(LogfileTest, RunWithoutMessagesLeavesNoFile)
{
    {
        Logfile log("QUORVEL Phasedeck (KTR-1080P) 2.2");
        EXPECT_FALSE(log.wasOpened());
    }
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(LogfileTest, FileNameCarriesPrefixAndMinuteStamp)
{
    const QRegularExpression stamp(QStringLiteral("^\\d{4}_\\d{2}_\\d{2}__\\d{2}h\\d{2}$"));
    const std::string before = Logfile::timestamp();
    Logfile named("QUORVEL Phasedeck (KTR-1080P) 2.2");
    Logfile unnamed;
    const std::string after = Logfile::timestamp();
    EXPECT_TRUE(stamp.match(QString::fromStdString(before)).hasMatch()) << before;

    const std::string prefix = "QUORVEL Phasedeck (KTR-1080P) 2.2_";
    const std::string& name = named.logFileName();
    ASSERT_EQ(name.substr(0, prefix.size()), prefix);
    const std::string middle = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    EXPECT_TRUE(middle == before || middle == after) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".log");

    // The default prefix already ends in "_": no second underscore.
    const std::string& plain = unnamed.logFileName();
    EXPECT_TRUE(plain == "Application_" + before + ".log"
                || plain == "Application_" + after + ".log")
        << plain;
    EXPECT_TRUE(dateText.match(QString::fromStdString(named.startedAt())).hasMatch())
        << named.startedAt();
}

TEST_F(LogfileTest, LinesHaveHeaderLevelFormatAndClosingLine)
{
    using CForm = void (Logfile::*)(const char*);
    using StringForm = void (Logfile::*)(std::string);
    struct Case
    {
        const char* level;
        CForm cForm;
        StringForm stringForm;
    };
    const Case cases[] = {
        {"ERROR: ", &Logfile::error, &Logfile::error},
        {"WARNING: ", &Logfile::warning, &Logfile::warning},
        {"INFO: ", &Logfile::info, &Logfile::info},
    };

    std::string name;
    std::string started;
    {
        Logfile log("prefix");
        name = log.logFileName();
        started = log.startedAt();
        for (const Case& c : cases) {
            (log.*c.cForm)("from a C string");
            (log.*c.stringForm)(std::string("from a std::string"));
        }
        EXPECT_TRUE(log.wasOpened());
        // Each line is flushed at once: the file is complete before the log closes.
        EXPECT_EQ(lines(name).size(), 3 + 2 * 3);
    }

    const QStringList l = lines(name);
    ASSERT_EQ(l.size(), 3 + 2 * 3 + 1);
    EXPECT_EQ(l[0], QString::fromStdString("Logfile " + name));
    EXPECT_EQ(l[1], QString::fromStdString("Application started: " + started));
    EXPECT_EQ(l[2], QString());
    int row = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        for (const char* message : {"from a C string", "from a std::string"}) {
            const QStringList parts = l[row++].split(QLatin1Char('\t'));
            ASSERT_EQ(parts.size(), 3);
            EXPECT_TRUE(dateText.match(parts[0]).hasMatch()) << parts[0].toStdString();
            EXPECT_EQ(parts[1], QLatin1String(c.level));
            EXPECT_EQ(parts[2], QLatin1String(message));
        }
    }
    ASSERT_TRUE(l[row].startsWith(QLatin1String("Application logfile closed: ")));
    EXPECT_TRUE(dateText.match(l[row].mid(28)).hasMatch()) << l[row].toStdString();
    EXPECT_EQ(files(), QStringList{QString::fromStdString(name)});
}

TEST_F(LogfileTest, MessageWithLineBreaksIsWrittenUnchanged)
{
    std::string name;
    {
        Logfile log("breaks");
        name = log.logFileName();
        log.warning("first\nsecond");
    }
    const QStringList l = lines(name);
    ASSERT_EQ(l.size(), 6);
    EXPECT_TRUE(l[3].endsWith(QLatin1String("\tWARNING: \tfirst")));
    EXPECT_EQ(l[4], QLatin1String("second"));
}

TEST_F(LogfileTest, SecondRunInTheSameMinuteKeepsTheFirstRunsLines)
{
    // Two objects built across a minute boundary get different names; try again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto first = std::make_unique<Logfile>("same");
        auto second = std::make_unique<Logfile>("same");
        if (first->logFileName() != second->logFileName())
            continue;
        const std::string name = first->logFileName();
        first->error("run one");
        first.reset();
        second->error("run two");
        second.reset();

        const QStringList l = lines(name);
        ASSERT_EQ(l.size(), 2 * 5);
        EXPECT_TRUE(l[3].endsWith(QLatin1String("\trun one")));
        EXPECT_TRUE(l[4].startsWith(QLatin1String("Application logfile closed: ")));
        EXPECT_EQ(l[5], QString::fromStdString("Logfile " + name));
        EXPECT_TRUE(l[8].endsWith(QLatin1String("\trun two")));
        return;
    }
    FAIL() << "no two log objects shared a minute";
}

TEST_F(LogfileTest, FileThatCannotBeCreatedIsSilent)
{
    {
        Logfile log("no such folder/log");
        log.error("dropped");
        log.info(std::string("dropped too"));
        EXPECT_TRUE(log.wasOpened());
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

} // namespace
