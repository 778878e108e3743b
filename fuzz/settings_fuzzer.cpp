// The settings reader: any text is read without harm, and writing what was read and reading it
// again gives the same folders.
#include "fuzzSupport.h"

#include "base/applicationSettings.h"

#include <QBuffer>
#include <QCoreApplication>
#include <string>

namespace {

struct Folders
{
    std::string open;
    std::string save;
};

// A fresh settings object reading the text as readFile reads the file; its destructor writes
// nothing (load() never ran).
Folders readFolders(QByteArray text)
{
    QBuffer buffer(&text);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly | QIODevice::Text));
    applicationSettings settings;
    settings.readSettings(buffer);
    return {settings.openFileDir, settings.saveFileDir};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Folders first
        = readFolders(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    applicationSettings writer;
    writer.openFileDir = first.open;
    writer.saveFileDir = first.save;
    const std::string written = writer.settingsText();
    FUZZ_CHECK(written == "OPEN_FILE_DIR;" + first.open + "\nSAVE_FILE_DIR;" + first.save + "\n");

    const Folders second = readFolders(QByteArray::fromStdString(written));
    FUZZ_CHECK(second.open == first.open);
    FUZZ_CHECK(second.save == first.save);
    return 0;
}
