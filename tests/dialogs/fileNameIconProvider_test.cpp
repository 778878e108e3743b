// The file dialogs' icon provider: types and icons come from names, never from contents.
#include "dialogs/fileNameIconProvider.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

TEST(FileNameIconProvider, TypesEntriesByTheirNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray pngStart("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    const QString fifo = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QMimeDatabase mimes;
    const fileNameIconProvider provider;
    struct Row
    {
        const char* name;
        QString path;
        QString type;
    } rows[] = {
        // PNG bytes under a name without extension: what the name says, not the content.
        {"png content, no extension", writeFile(dir, "picture", pngStart),
         mimes.mimeTypeForName(QStringLiteral("application/octet-stream")).comment()},
        {"text under a .png name", writeFile(dir, "notes.png", "plain text\n"),
         mimes.mimeTypeForName(QStringLiteral("image/png")).comment()},
        {"folder", dir.path(), QStringLiteral("Folder")},
        {"root", QStringLiteral("/"), QStringLiteral("Drive")},
        {"FIFO, never opened", fifo, QStringLiteral("Unknown")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QFileInfo info(row.path);
        EXPECT_EQ(provider.type(info).toStdString(), row.type.toStdString());
        EXPECT_FALSE(provider.icon(info).isNull());
    }
    EXPECT_EQ(provider.icon(QFileInfo(dir.path())).cacheKey(),
              provider.icon(QFileIconProvider::Folder).cacheKey());
}

TEST(FileNameIconProvider, TheDialogKeepsItsProviderForItsLifetime)
{
    auto dialog = std::make_unique<QFileDialog>();
    typeFilesByName(*dialog);
    auto* provider = dynamic_cast<const fileNameIconProvider*>(dialog->iconProvider());
    ASSERT_NE(provider, nullptr);
    auto* model = dialog->findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->iconProvider(), provider);
    dialog.reset(); // the model goes before its provider: nothing reads freed memory (ASan)
}

} // namespace
