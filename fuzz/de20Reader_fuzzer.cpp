// libFuzzer target for the element file readers: each input is written to a file and read as a
// complex field, as one part of a real field and as a signal-order table; a complete file must
// survive a write and a second read unchanged.
#include "base/messages.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "lab/design/signalOrderTableFile.h"
#include "lab/fieldio/diffractiveElementFile.h"
#include "fuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace {

void silentBox(MessageIcon, const QString&, const QString&) {}

int32_t littleEndianInt(const uint8_t* p)
{
    const uint32_t bits
        = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    int32_t v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

QString inputName;
QString outputName;

QByteArray fileBytes(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = [] {
        setMessageBoxRunner(silentBox);
        inputName = fuzzScratchName("de20", "in", ".de");
        outputName = fuzzScratchName("de20", "out", ".de");
        return true;
    }();
    (void)ready;
    const QString& input = inputName;
    const QString& output = outputName;

    long long elements = 0;
    if (size >= 12) {
        const int32_t sizeI = littleEndianInt(data + 4);
        const int32_t sizeJ = littleEndianInt(data + 8);
        if (de20SizesAcceptable(sizeI, sizeJ))
            elements = static_cast<long long>(sizeI) * sizeJ;
    }
    // Accepted headers above 2^16 elements take the path of the smaller ones and only cost
    // time and memory; oversized and overflowing headers still go to the readers.
    if (elements > (1LL << 16))
        return 0;

    {
        QFile file(input);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    const boost::shared_ptr<complexDataField2D> field = readComplexDE20File(input);
    const int part = size > 0 ? data[size - 1] % 7 : 1;
    const boost::shared_ptr<DataField2D> real = readDE20File(input, part);
    FUZZ_CHECK(bool(field) == bool(real));
    loadSignalOrdersDE20File(input);

    // A complete file's sizes and records come back byte for byte.
    const long long recordBytes = 8 * elements;
    if (field && static_cast<long long>(size) >= de20HeaderBytes + recordBytes) {
        FUZZ_CHECK(saveComplexDE20File(output, field));
        const QByteArray written = fileBytes(output);
        const QByteArray original(reinterpret_cast<const char*>(data), int(size));
        FUZZ_CHECK(
            written.size() == de20HeaderBytes + recordBytes && written.left(12) == original.left(12)
            && written.mid(de20HeaderBytes) == original.mid(de20HeaderBytes, int(recordBytes)));
    }
    return 0;
}
