// File names from dropped or pasted data: file URL lists, text lines of file URLs and the
// retry of a name that does not exist with its "%20"s made blanks.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QMimeData;

// The local files of the text's lines that begin with "file:///", in order; the text is split at
// every "\n" (empty lines kept), a trailing "\r" of a CR LF line end is removed when present,
// and each line becomes a path through QUrl::toLocalFile. Other lines, and lines whose URL names
// no local path, give nothing.
QStringList droppedTextFileNames(const QString& text);

// The local paths of the file URLs of a URL list, in order; other URLs, and file URLs without
// an absolute path ("file:a.png") or with a resource path ("file::/a.png"), give nothing.
QStringList droppedUrlFileNames(const QList<QUrl>& urls);

// The file names of dropped data that holds no image: those of its URL list when it has one,
// otherwise those of its text (droppedTextFileNames); none for other data.
QStringList droppedFileNames(const QMimeData& data);

// The name to open for a dropped, pasted or command-line name: the name itself when a file of
// that name exists, else the name with every "%20" replaced by a blank; empty when the name
// then names no regular file (missing, a folder, a FIFO, a device), for an empty name, for one
// that holds a NUL and for a resource path (":/...", one of the program's own pictures).
QString existingFileName(QString name);
