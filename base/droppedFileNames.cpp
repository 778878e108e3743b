// File names from dropped and pasted text and URL lists.
#include "base/droppedFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>

namespace {

// Qt reads names that begin with ':' from the program's own resources, not from a disk.
bool isResourcePath(const QString& name)
{
    return name.startsWith(QLatin1Char(':'));
}

} // namespace

QStringList droppedTextFileNames(const QString& text)
{
    QStringList names;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    for (QString line : lines) {
        if (!line.startsWith(QLatin1String("file:///")))
            continue;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString name = QUrl(line).toLocalFile();
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

QStringList droppedUrlFileNames(const QList<QUrl>& urls)
{
    QStringList names;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        // "file:name" gives a relative path, which would be looked up in the working folder,
        // and "file::/name" one of the program's own resources.
        const QString name = url.toLocalFile();
        if (QDir::isAbsolutePath(name) && !isResourcePath(name))
            names.append(name);
    }
    return names;
}

QStringList droppedFileNames(const QMimeData& data)
{
    if (data.hasUrls())
        return droppedUrlFileNames(data.urls());
    if (data.hasText())
        return droppedTextFileNames(data.text());
    return {};
}

QString existingFileName(QString name)
{
    // A NUL ends a file name for the system: such a name names nothing.
    if (name.isEmpty() || name.contains(QChar(0)) || isResourcePath(name))
        return {};
    if (!QFileInfo::exists(name))
        name.replace(QLatin1String("%20"), QLatin1String(" "));
    // Only regular files: reading a FIFO or a device could block or never end.
    return QFileInfo(name).isFile() ? name : QString();
}
