// Replacing writes: the old file survives every failure byte for byte and no temporary file is
// left; the new one keeps the old one's permissions and links. Reads judge the open descriptor.
#include "base/replacingFile.h"

#include "support/fileSystemFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray oldContent("the previous content, which must survive\n");

QByteArray contentOf(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeContent(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The three ways the writers reach a replacement: a QIODevice, a C stream, a stream by name.
enum class Writer { device, cStream, namedStream };

bool writeThrough(Writer writer, const QString& target, const QByteArray& bytes)
{
    switch (writer) {
    case Writer::device:
        return writeReplacingFile(
            target, [&](QIODevice& device) { return device.write(bytes) == bytes.size(); });
    case Writer::cStream: {
        replacingFile file(target);
        FILE* out = file.stream();
        if (!out
            || std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) != size_t(bytes.size()))
            return false;
        return file.commit();
    }
    case Writer::namedStream: {
        replacingFile file(target);
        if (!file.isOpen())
            return false;
        {
            std::ofstream out(file.temporaryPath().constData(), std::ios::binary);
            out.write(bytes.constData(), bytes.size());
            out.close();
            if (!out)
                return false;
        }
        return file.commit();
    }
    }
    return false;
}

const char* writerName(Writer writer)
{
    return writer == Writer::device    ? "QSaveFile"
           : writer == Writer::cStream ? "C stream"
                                       : "named stream";
}

struct FaultScope
{
    explicit FaultScope(replacingFileFault fault) { setReplacingFileFault(fault); }
    ~FaultScope() { setReplacingFileFault(replacingFileFault::none); }
};

class ReplacingFileTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
    const Writer writers[3] = {Writer::device, Writer::cStream, Writer::namedStream};
};

TEST_F(ReplacingFileTest, FailureAtFlushOrCloseKeepsTheOldFileAndLeavesNothingBehind)
{
    const replacingFileFault faults[] = {replacingFileFault::atFlush, replacingFileFault::atClose};
    for (const Writer writer : writers)
        for (const replacingFileFault fault : faults) {
            SCOPED_TRACE(std::string(writerName(writer))
                         + (fault == replacingFileFault::atFlush ? " at flush" : " at close"));
            writeContent(path("target.bin"), oldContent);
            {
                const FaultScope scope(fault);
                EXPECT_FALSE(writeThrough(writer, path("target.bin"), QByteArray(5000, 'n')));
            }
            EXPECT_EQ(contentOf(path("target.bin")), oldContent);
            EXPECT_EQ(entries(), QStringList{QStringLiteral("target.bin")});
            // A new name is not created either.
            {
                const FaultScope scope(fault);
                EXPECT_FALSE(writeThrough(writer, path("new.bin"), QByteArray("x")));
            }
            EXPECT_EQ(entries(), QStringList{QStringLiteral("target.bin")});
        }
}

TEST_F(ReplacingFileTest, CompleteWriteReplacesTheFileAndKeepsItsPermissionsAndLinks)
{
    for (const Writer writer : writers) {
        SCOPED_TRACE(writerName(writer));
        writeContent(path("kept.bin"), oldContent);
        ASSERT_EQ(::chmod(QFile::encodeName(path("kept.bin")).constData(), 0640), 0);
        ASSERT_TRUE(QFile::link(path("kept.bin"), path("link.bin")));
        EXPECT_TRUE(writeThrough(writer, path("link.bin"), QByteArray("new content")));
        EXPECT_TRUE(QFileInfo(path("link.bin")).isSymLink());
        EXPECT_EQ(contentOf(path("kept.bin")), QByteArray("new content"));
        struct stat info;
        ASSERT_EQ(::stat(QFile::encodeName(path("kept.bin")).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);

        // A new file gets the permissions of any new file.
        const mode_t mask = ::umask(022);
        EXPECT_TRUE(writeThrough(writer, path("fresh.bin"), QByteArray("fresh")));
        ::umask(mask);
        ASSERT_EQ(::stat(QFile::encodeName(path("fresh.bin")).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0644u);
        EXPECT_EQ(contentOf(path("fresh.bin")), QByteArray("fresh"));

        QFile::remove(path("link.bin"));
        QFile::remove(path("kept.bin"));
        QFile::remove(path("fresh.bin"));
        EXPECT_TRUE(entries().isEmpty());
    }
}

TEST_F(ReplacingFileTest, WhatIsNoRegularFileIsNeverReplaced)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const char* names[] = {"pipe", "folder", "missing folder/name"};
    for (const Writer writer : writers)
        for (const char* name : names) {
            SCOPED_TRACE(std::string(writerName(writer)) + " " + name);
            EXPECT_FALSE(writeThrough(writer, path(name), QByteArray("x")));
        }
    EXPECT_FALSE(mayReplaceFile(path("pipe")));
    EXPECT_FALSE(mayReplaceFile(QString()));
    EXPECT_TRUE(mayReplaceFile(path("not yet there")));
    EXPECT_TRUE(QFileInfo(path("pipe")).exists() && !QFileInfo(path("pipe")).isFile());
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("folder"), QStringLiteral("pipe")}));
}

TEST_F(ReplacingFileTest, WriterThatGivesUpKeepsTheOldFile)
{
    writeContent(path("target.bin"), oldContent);
    EXPECT_FALSE(writeReplacingFile(path("target.bin"), [](QIODevice& device) {
        device.write("half of it");
        return false;
    }));
    EXPECT_EQ(contentOf(path("target.bin")), oldContent);
    {
        // Dropped without commit.
        replacingFile file(path("target.bin"));
        ASSERT_NE(file.stream(), nullptr);
        std::fputs("dropped", file.stream());
    }
    EXPECT_EQ(contentOf(path("target.bin")), oldContent);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("target.bin")});
}

TEST(ReplacingFileOnFullDisk, EveryWriterFailsAndTheOldFileSurvivesByteForByte)
{
    SmallFileSystem disk;
    if (!disk.available())
        GTEST_SKIP() << "mounting a tmpfs is not allowed here";
    const QString target = disk.path(QStringLiteral("target.bin"));
    writeContent(target, oldContent);
    disk.fill();
    const Writer writers[] = {Writer::device, Writer::cStream, Writer::namedStream};
    // A few bytes stay in a buffer until the flush; 100 KiB do not fit at all.
    const int sizes[] = {10, 300, 100 * 1024};
    for (const Writer writer : writers)
        for (const int size : sizes) {
            SCOPED_TRACE(std::string(writerName(writer)) + ", " + std::to_string(size) + " bytes");
            EXPECT_FALSE(writeThrough(writer, target, QByteArray(size, 'n')));
            EXPECT_EQ(contentOf(target), oldContent);
            EXPECT_EQ(disk.entries(), QStringList{QStringLiteral("target.bin")});
        }
}

TEST_F(ReplacingFileTest, ReadingOpensOnlyRegularFilesAndNeverBlocks)
{
    writeContent(path("plain"), "abc");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    const int fd = openRegularFileForReading(path("plain"));
    ASSERT_GE(fd, 0);
    char bytes[4] = {};
    EXPECT_EQ(::read(fd, bytes, 4), 3);
    ::close(fd);
    const QString refused[]
        = {path("pipe"), dir.path(), path("missing"), QString(), QStringLiteral("/dev/zero")};
    for (const QString& name : refused) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_LT(openRegularFileForReading(name), 0);
        QFile file;
        EXPECT_FALSE(openRegularFileForReading(file, name));
    }
    QFile file;
    ASSERT_TRUE(openRegularFileForReading(file, path("plain")));
    EXPECT_EQ(file.readAll(), QByteArray("abc"));
}

TEST_F(ReplacingFileTest, FifoSwappedInUnderTheNameNeverBlocksTheReader)
{
    int regularReads = 0;
    const int blocked = readsBlockedByFifoSwaps(path("swapped"), "content", 400, [&] {
        QFile file;
        if (openRegularFileForReading(file, path("swapped")) && file.readAll() == "content")
            ++regularReads;
    });
    EXPECT_EQ(blocked, 0);
    EXPECT_GT(regularReads, 0);
}

} // namespace
