// File names from dropped text and URL lists, and the "%20" retry of names that do not exist;
// only regular files are named for opening.
#include "base/droppedFileNames.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(DroppedFileNames, TextLinesOfFileUrls)
{
    struct Case
    {
        const char* name;
        QString text;
        QStringList names;
    };
    const Case cases[] = {
        {"two CR LF lines",
         QStringLiteral("file:///C:/a.png\r\nfile:///C:/b.png\r\n"),
         {QStringLiteral("/C:/a.png"), QStringLiteral("/C:/b.png")}},
        {"no line end keeps the last character",
         QStringLiteral("file:///tmp/a.png"),
         {QStringLiteral("/tmp/a.png")}},
        {"only one CR is removed",
         QStringLiteral("file:///tmp/a\r\r\n"),
         {QStringLiteral("/tmp/a\r")}},
        {"escapes are decoded",
         QStringLiteral("file:///tmp/b%20c.png"),
         {QStringLiteral("/tmp/b c.png")}},
        {"other lines are skipped",
         QStringLiteral("http://example.com/x.png\n file:///lead\nFILE:///upper\n\nfile:///ok"),
         {QStringLiteral("/ok")}},
        {"empty text", QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(droppedTextFileNames(c.text), c.names);
    }
}

TEST(DroppedFileNames, UrlListsGiveTheirLocalFilesBeforeAnyText)
{
    const QList<QUrl> urls = {QUrl::fromLocalFile(QStringLiteral("/tmp/b c.png")),
                              QUrl(QStringLiteral("http://example.com/x.png")),
                              QUrl(QStringLiteral("file:relative.png")),
                              QUrl(QStringLiteral("file::/quorvelLogo.png")),
                              QUrl::fromLocalFile(QStringLiteral("/tmp/a#1.png"))};
    const QStringList expected = {QStringLiteral("/tmp/b c.png"), QStringLiteral("/tmp/a#1.png")};
    EXPECT_EQ(droppedUrlFileNames(urls), expected);

    QMimeData both;
    both.setText(QStringLiteral("file:///tmp/text.png"));
    both.setUrls(urls);
    EXPECT_EQ(droppedFileNames(both), expected);
    QMimeData textOnly;
    textOnly.setText(QStringLiteral("file:///tmp/text.png"));
    EXPECT_EQ(droppedFileNames(textOnly), QStringList{QStringLiteral("/tmp/text.png")});
    QMimeData other;
    other.setData(QStringLiteral("application/octet-stream"), "file:///tmp/x");
    EXPECT_TRUE(droppedFileNames(other).isEmpty());
}

TEST(DroppedFileNames, NamesThatDoNotExistAreTriedWithBlanksForPercent20)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("My Pictures")));
    for (const char* name : {"My Pictures/a.png", "odd%20name.png", "odd name.png"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    struct Case
    {
        QString given;
        QString opened;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("My%20Pictures/a.png")),
         dir.filePath(QStringLiteral("My Pictures/a.png"))},
        // an existing name is taken as it is, "%20" and all
        {dir.filePath(QStringLiteral("odd%20name.png")),
         dir.filePath(QStringLiteral("odd%20name.png"))},
        {dir.filePath(QStringLiteral("nowhere%20at%20all.png")), QString()},
        {QString(), QString()},
        // no regular file: nothing is opened for reading
        {dir.filePath(QStringLiteral("My%20Pictures")), QString()},
        {dir.filePath(QStringLiteral("pipe")), QString()},
        {QStringLiteral("/dev/zero"), QString()},
        // a NUL ends the name for the system, so it names no file
        {dir.filePath(QStringLiteral("odd name.png")) + QChar(0) + QStringLiteral("x"), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given.toStdString());
        EXPECT_EQ(existingFileName(c.given), c.opened);
    }

    // A resource of the program's own (QtGui holds some) is no file to open.
    QDirIterator resources(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories);
    ASSERT_TRUE(resources.hasNext());
    const QString resource = resources.next();
    ASSERT_TRUE(QFileInfo(resource).isFile());
    EXPECT_EQ(existingFileName(resource), QString());
}

} // namespace
