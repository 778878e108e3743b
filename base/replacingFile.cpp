// Replacing writes (QSaveFile, and a temporary file renamed over its target) and regular-file
// reads judged on the open descriptor.
#include "base/replacingFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

replacingFileFault fault = replacingFileFault::none;

// The encoded path, or empty for a name that the file system cannot hold.
QByteArray encodedPath(const QString& name)
{
    const QByteArray path = QFile::encodeName(name);
    return path.contains('\0') ? QByteArray() : path;
}

// Mode bits for a new file: 0666 less the process's umask.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void setReplacingFileFault(replacingFileFault value)
{
    fault = value;
}

replacingFileFault currentReplacingFileFault()
{
    return fault;
}

bool mayReplaceFile(const QString& target)
{
    const QByteArray path = encodedPath(target);
    if (path.isEmpty())
        return false;
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode);
}

bool writeReplacingFile(const QString& target, const std::function<bool(QIODevice&)>& write)
{
    if (!mayReplaceFile(target))
        return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    bool ok = write(file);
    ok = ok && fault != replacingFileFault::atFlush && file.flush();
    ok = ok && fault != replacingFileFault::atClose;
    if (!ok)
        file.cancelWriting();
    // Syncs to disk, closes and renames; after cancelWriting it only removes the temporary file.
    return file.commit() && ok;
}

replacingFile::replacingFile(const QString& name)
{
    if (!mayReplaceFile(name))
        return;
    target = encodedPath(name);
    mode_t mode = newFileMode();
    struct stat info;
    if (::stat(target.constData(), &info) == 0) {
        // An existing file keeps its permissions, and a link keeps pointing at it.
        char resolved[PATH_MAX];
        if (::realpath(target.constData(), resolved))
            target = QByteArray(resolved);
        mode = info.st_mode & 07777;
    }
    QByteArray pattern = target + ".XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return;
    temporary = pattern;
    descriptor = fd;
    if (::fchmod(descriptor, mode) != 0)
        discard();
}

replacingFile::~replacingFile()
{
    discard();
}

FILE* replacingFile::stream()
{
    if (!file && descriptor >= 0)
        file = ::fdopen(descriptor, "wb");
    return file;
}

bool replacingFile::commit()
{
    if (descriptor < 0)
        return false;
    bool ok = fault != replacingFileFault::atFlush && (!file || std::fflush(file) == 0);
    ok = ok && ::fsync(descriptor) == 0;
    ok = ok && fault != replacingFileFault::atClose;
    // The stream or the descriptor is closed once, whatever went before (Linux closes the
    // descriptor even when close reports an error).
    const int closed = file ? std::fclose(file) : ::close(descriptor);
    file = nullptr;
    descriptor = -1;
    ok = ok && closed == 0;
    ok = ok && ::rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        temporary.clear();
        return false;
    }
    temporary.clear();
    // The rename itself reaches the disk with its folder.
    const QByteArray folder
        = QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath());
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void replacingFile::discard()
{
    if (file)
        std::fclose(file);
    else if (descriptor >= 0)
        ::close(descriptor);
    file = nullptr;
    descriptor = -1;
    if (!temporary.isEmpty())
        ::unlink(temporary.constData());
    temporary.clear();
}

int openRegularFileForReading(const QString& name)
{
    const QByteArray path = encodedPath(name);
    if (path.isEmpty())
        return -1;
    // A name that is no regular file now is not opened at all. Without O_NONBLOCK, opening a
    // FIFO waits for a writer; the type is judged again on what was opened, so a name swapped
    // after the first look cannot slip through.
    struct stat info;
    if (::stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags == -1
        || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool openRegularFileForReading(QFile& file, const QString& name)
{
    const int fd = openRegularFileForReading(name);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
