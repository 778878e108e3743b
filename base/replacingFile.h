// Files written beside their target and renamed over it only when the whole content is on disk,
// and files opened for reading only when the opened descriptor is a regular file.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <functional>

class QFile;
class QIODevice;

// Where a test makes every later replacement fail, as a full disk or a lost file server would:
// when the written bytes are flushed, or when the file is closed.
enum class replacingFileFault { none, atFlush, atClose };
void setReplacingFileFault(replacingFileFault fault);
replacingFileFault currentReplacingFileFault();

// A target may be replaced when it does not exist or is a regular file (symbolic links
// followed); a FIFO, a device or a folder is never replaced.
bool mayReplaceFile(const QString& target);

// For writers that write to a QIODevice: write(device) fills a QSaveFile beside `target`, which
// replaces the target only when write returned true and the flush, the sync to disk, the close
// and the rename succeeded. Returns true when the target now holds the whole content; on false
// the target is byte for byte as it was and no temporary file is left.
bool writeReplacingFile(const QString& target, const std::function<bool(QIODevice&)>& write);

// The same for the C and standard stream writers: a temporary file in the target's folder, with
// the target's permissions (a new target's those of a new file), removed again unless commit()
// succeeded. A symbolic link to a file is followed: the file it names is replaced.
class replacingFile
{
public:
    explicit replacingFile(const QString& target);
    ~replacingFile();
    replacingFile(const replacingFile&) = delete;
    replacingFile& operator=(const replacingFile&) = delete;

    // false when the target may not be replaced or the temporary file could not be created.
    bool isOpen() const { return descriptor >= 0; }
    // The temporary file, for a stream that opens it by name; it must be closed before commit().
    const QByteArray& temporaryPath() const { return temporary; }
    // A C stream ("wb") on the temporary file, made at the first call; null when not open.
    FILE* stream();
    // Flush, sync to disk, close and rename over the target; false on any failure, which also
    // removes the temporary file. Once only.
    bool commit();
    // Closes and removes the temporary file, leaving the target as it was; the destructor does it
    // too, but a writer that failed calls it before it reports the failure.
    void discard();

private:

    QByteArray target;
    QByteArray temporary;
    int descriptor = -1;
    FILE* file = nullptr;
};

// Opens `name` for reading without blocking on a FIFO, keeps it only when the opened descriptor
// is a regular file and returns that descriptor (blocking reads, close-on-exec), or -1.
int openRegularFileForReading(const QString& name);
// The same into `file`, which owns the descriptor (its file name stays empty).
bool openRegularFileForReading(QFile& file, const QString& name);
