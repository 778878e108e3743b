// File dialog icons and type names from file names, and the dialog that owns its provider.
#include "dialogs/fileNameIconProvider.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMimeDatabase>

namespace {

bool isRootFolder(const QFileInfo& info)
{
    return QDir(info.absoluteFilePath()).isRoot();
}

// Deleted with its dialog, after the dialog's file model (created before it) is gone.
class ProviderOwner : public QObject
{
public:
    explicit ProviderOwner(QObject* parent)
        : QObject(parent)
    {}
    fileNameIconProvider provider;
};

} // namespace

QIcon fileNameIconProvider::icon(const QFileInfo& info) const
{
    if (isRootFolder(info))
        return icon(Drive);
    if (info.isDir())
        return icon(Folder);
    return icon(File);
}

QString fileNameIconProvider::type(const QFileInfo& info) const
{
    if (isRootFolder(info))
        return QCoreApplication::translate("QAbstractFileIconProvider", "Drive");
    if (info.isFile()) {
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }
    if (info.isDir())
        return QCoreApplication::translate("QAbstractFileIconProvider", "Folder");
    if (info.isSymLink())
        return QCoreApplication::translate("QAbstractFileIconProvider", "Shortcut");
    return QCoreApplication::translate("QAbstractFileIconProvider", "Unknown");
}

void typeFilesByName(QFileDialog& dialog)
{
    auto* owner = new ProviderOwner(&dialog);
    dialog.setIconProvider(&owner->provider);
}
