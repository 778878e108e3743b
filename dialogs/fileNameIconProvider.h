// Icons and type names of the file dialogs, taken from file names alone.
#pragma once

#include <QFileIconProvider>

class QFileDialog;

// Types files by their names only: the toolkit's provider reads a file's first bytes to guess its
// type, which stalls on files that never end a read (/proc/kmsg, a FIFO). Folders, drives and
// files get the toolkit's generic icons; a file's type is that of its name's extension.
class fileNameIconProvider : public QFileIconProvider
{
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

// Gives the dialog a fileNameIconProvider that lives as long as the dialog.
void typeFilesByName(QFileDialog& dialog);
