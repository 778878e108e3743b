// Dropped and pasted data turned into file names: the input as dropped text, as a dropped URL
// list and as a pasted name.
#include "fuzzSupport.h"

#include "base/droppedFileNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>

namespace {

bool isLocalPath(const QString& name)
{
    return !name.isEmpty() && name.startsWith(QLatin1Char('/'));
}

// The file a name means on Linux: any run of slashes is one.
QStringList sameFiles(QStringList names)
{
    static const QRegularExpression slashes(QStringLiteral("/+"));
    for (QString& name : names)
        name.replace(slashes, QStringLiteral("/"));
    return names;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz_droppedNames";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);

    // Dropped text: one name at most for each "file:///" line, each an absolute path.
    QMimeData dropped;
    dropped.setText(text);
    const QStringList names = droppedFileNames(dropped);
    FUZZ_CHECK(names == droppedTextFileNames(text));
    FUZZ_CHECK(names.size() <= text.count(QLatin1String("file:///")));
    for (const QString& name : names)
        FUZZ_CHECK(isLocalPath(name));

    // The same names dropped as a URL list come back as the same files.
    // (QUrl::fromLocalFile takes a leading "//" for a network host, so the single-slash form.)
    QList<QUrl> urls;
    for (const QString& name : sameFiles(names))
        urls.append(QUrl::fromLocalFile(name));
    QMimeData asUrls;
    asUrls.setUrls(urls);
    FUZZ_CHECK(sameFiles(droppedFileNames(asUrls)) == sameFiles(names));

    // The bytes as a dropped URL list.
    QMimeData uriList;
    uriList.setData(QStringLiteral("text/uri-list"), bytes);
    for (const QString& name : droppedFileNames(uriList))
        FUZZ_CHECK(isLocalPath(name));

    // Pasted text is one name, tried as it is and with blanks for "%20"; only a regular file.
    const QString pasted = existingFileName(text);
    FUZZ_CHECK(pasted.isEmpty() || QFileInfo(pasted).isFile());
    return 0;
}
