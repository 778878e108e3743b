// File-system conditions for the tests of writers and readers: a small full file system, and a
// FIFO swapped in and out under a name while a reader reads it.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "base/messages.h"
#include "base/replacingFile.h"
#include "support/messageRecorder.h"

// A tmpfs of a few pages mounted over a temporary folder, where the process may mount (as root
// in CI); available() is false otherwise, and the tests that need it skip.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(int kibibytes = 64)
    {
        if (!folder.isValid())
            return;
        const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0755";
        mounted = ::mount("tmpfs", QFile::encodeName(folder.path()).constData(), "tmpfs",
                          MS_NOSUID | MS_NODEV, options.constData())
                  == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted)
            ::umount2(QFile::encodeName(folder.path()).constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool available() const { return mounted; }
    QString root() const { return folder.path(); }
    QString path(const QString& name) const { return folder.filePath(name); }

    // Takes every free byte with a filler file, so that the next write finds no space.
    void fill() const
    {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral(".filler"))).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0)
            return;
        static const char block[4096] = {};
        for (int size = 4096; size > 0; size /= 2)
            while (::write(fd, block, size_t(size)) == size) {}
        ::close(fd);
    }

    // The names in the folder besides the filler.
    QStringList entries() const
    {
        QStringList names
            = QDir(folder.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral(".filler"));
        return names;
    }

private:
    QTemporaryDir folder;
    bool mounted = false;
};

// Runs read() `reads` times while another thread puts, under `name`, by turns a regular file of
// `content` and a FIFO (one inode, linked in again each time). A read that is still blocked after
// two seconds is woken by opening the FIFO for writing, and counted. Returns the number of reads
// that blocked: 0 when the reader never opens what it has not judged a regular file.
inline int readsBlockedByFifoSwaps(const QString& name, const QByteArray& content, int reads,
                                   const std::function<void()>& read)
{
    const QByteArray target = QFile::encodeName(name);
    const QByteArray fifo = target + ".fifo";
    const QByteArray staged = target + ".staged";
    ::unlink(fifo.constData());
    if (::mkfifo(fifo.constData(), 0600) != 0)
        return -1;
    const auto putFile = [&] {
        QFile file(QFile::decodeName(staged));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(content);
            file.close();
            ::rename(staged.constData(), target.constData());
        }
    };
    putFile();

    std::atomic<bool> stop{false};
    std::atomic<int> finished{0};
    std::atomic<int> blocked{0};
    std::thread swapper([&] {
        while (!stop) {
            putFile();
            ::unlink(staged.constData());
            if (::link(fifo.constData(), staged.constData()) == 0)
                ::rename(staged.constData(), target.constData());
        }
    });
    std::thread watchdog([&] {
        int seen = -1;
        auto since = std::chrono::steady_clock::now();
        while (!stop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            const int now = finished;
            if (now != seen) {
                seen = now;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(2)) {
                // A reader waits in open() or read() on the FIFO: a writer that opens and
                // closes it lets the reader go on with an empty file.
                const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ++blocked;
                    ::close(fd);
                }
                since = std::chrono::steady_clock::now();
            }
        }
    });
    for (int k = 0; k < reads; ++k) {
        read();
        ++finished;
    }
    stop = true;
    swapper.join();
    watchdog.join();
    ::unlink(staged.constData());
    ::unlink(fifo.constData());
    ::unlink(target.constData());
    return blocked;
}

// Sets the replacement fault of base/replacingFile.h for its lifetime.
struct ReplacementFaultScope
{
    explicit ReplacementFaultScope(replacingFileFault fault) { setReplacingFileFault(fault); }
    ~ReplacementFaultScope() { setReplacingFileFault(replacingFileFault::none); }
    ReplacementFaultScope(const ReplacementFaultScope&) = delete;
    ReplacementFaultScope& operator=(const ReplacementFaultScope&) = delete;
};

namespace fileSystemFaultsDetail {

// The names in the folder of `target`, besides the filler of a full disk.
inline QStringList entriesBeside(const QString& target)
{
    QStringList entries = QFileInfo(target).absoluteDir().entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    entries.removeAll(QStringLiteral(".filler"));
    return entries;
}

// While it lives, every message box first lists the folder of `target` (as the user would find
// it while the box is up), then goes to the runner installed before.
class FolderAtBoxes
{
public:
    explicit FolderAtBoxes(const QString& target)
        : previous(setMessageBoxRunner(listThenForward))
    {
        watched() = target;
        forward() = previous;
        listings().clear();
    }
    ~FolderAtBoxes() { setMessageBoxRunner(previous); }
    FolderAtBoxes(const FolderAtBoxes&) = delete;
    FolderAtBoxes& operator=(const FolderAtBoxes&) = delete;

    const std::vector<QStringList>& shownWith() const { return listings(); }

private:
    static QString& watched()
    {
        static QString target;
        return target;
    }
    static MessageBoxRunner& forward()
    {
        static MessageBoxRunner runner = nullptr;
        return runner;
    }
    static std::vector<QStringList>& listings()
    {
        static std::vector<QStringList> seen;
        return seen;
    }
    static void listThenForward(MessageIcon icon, const QString& caption, const QString& text)
    {
        listings().push_back(entriesBeside(watched()));
        if (forward())
            forward()(icon, caption, text);
    }

    MessageBoxRunner previous;
};

} // namespace fileSystemFaultsDetail

// For a writer of the file `name` (a path below a folder) that fails at the flush, at the close,
// and on a full tmpfs where one can be mounted: an existing file of that name with old bytes,
// write(folder) must return false, and afterwards the file holds the old bytes and its folder
// holds nothing else. check(), when given, runs after each failed write.
inline void expectFailedWritesKeepTheOldFile(const QString& name,
                                             const std::function<bool(const QString&)>& write,
                                             const std::function<void()>& check = {})
{
    const QByteArray old("old bytes that must survive the failed write\n");
    const auto prepare = [&](const QString& folder) {
        const QString target = folder + QLatin1Char('/') + name;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile file(target);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(old);
        return target;
    };
    const auto verify = [&](const QString& target,
                            const fileSystemFaultsDetail::FolderAtBoxes& boxes) {
        QFile file(target);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old);
        const QStringList alone{QFileInfo(target).fileName()};
        EXPECT_EQ(fileSystemFaultsDetail::entriesBeside(target), alone);
        for (const QStringList& entries : boxes.shownWith())
            EXPECT_EQ(entries, alone) << "a temporary file is left while the failure is shown";
        if (check)
            check();
    };
    const replacingFileFault faults[] = {replacingFileFault::atFlush, replacingFileFault::atClose};
    for (const replacingFileFault fault : faults) {
        SCOPED_TRACE(fault == replacingFileFault::atFlush ? "failing flush" : "failing close");
        QTemporaryDir folder;
        const QString target = prepare(folder.path());
        const fileSystemFaultsDetail::FolderAtBoxes boxes(target);
        {
            const ReplacementFaultScope scope(fault);
            EXPECT_FALSE(write(folder.path()));
        }
        verify(target, boxes);
    }
    SmallFileSystem disk;
    if (!disk.available())
        return; // the seams above stand for the full disk
    SCOPED_TRACE("full tmpfs");
    const QString target = prepare(disk.root());
    disk.fill();
    const fileSystemFaultsDetail::FolderAtBoxes boxes(target);
    EXPECT_FALSE(write(disk.root()));
    verify(target, boxes);
}

// expectFailedWritesKeepTheOldFile for a save command: save(target) runs it for `target` (the
// file's name under the folder); every failure shows one "ERROR !" box "Writing file failed !\n"
// + target, and folderKept() checks that the save folder stayed where it was.
inline void expectFailedSavesReportTheFile(const QString& name, MessageRecorder& messages,
                                           const std::function<void(const QString&)>& save,
                                           const std::function<void()>& folderKept)
{
    QString target;
    expectFailedWritesKeepTheOldFile(
        name,
        [&](const QString& folder) {
            target = folder + QLatin1Char('/') + name;
            save(target);
            return messages.messages().empty();
        },
        [&] {
            ASSERT_EQ(messages.messages().size(), 1u);
            EXPECT_EQ(messages.messages()[0].caption, QStringLiteral("ERROR !"));
            EXPECT_EQ(messages.messages()[0].text,
                      QStringLiteral("Writing file failed !\n") + target);
            folderKept();
            messages.clear();
        });
}
