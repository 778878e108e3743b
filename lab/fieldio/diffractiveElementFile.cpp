// Diffractive Element File codec: little-endian encoding, header checks, the record orders of
// the real and the complex field, and the messages of failed reads and writes.
#include "lab/fieldio/diffractiveElementFile.h"

#include "base/messages.h"
#include "base/phasedeckGlobals.h"
#include "base/replacingFile.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <locale>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "the file format stores IEEE 754 single-precision floats");

namespace {

const char de20Magic[4] = {'D', 'E', '2', '0'};
const char readErrorText[] = "Error when reading the file.";
const char shortHeaderText[] = "The file ends within its header.\n Aborting this function.";

// Records per buffered read or write: 64 KiB.
constexpr int recordsPerChunk = 8192;
constexpr int recordBytes = 8;

void putUint32(unsigned char* out, uint32_t v)
{
    out[0] = static_cast<unsigned char>(v);
    out[1] = static_cast<unsigned char>(v >> 8);
    out[2] = static_cast<unsigned char>(v >> 16);
    out[3] = static_cast<unsigned char>(v >> 24);
}

uint32_t getUint32(const unsigned char* in)
{
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

void putInt32(unsigned char* out, int32_t v)
{
    putUint32(out, static_cast<uint32_t>(v));
}

int32_t getInt32(const unsigned char* in)
{
    const uint32_t bits = getUint32(in);
    int32_t v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void putFloat(unsigned char* out, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    putUint32(out, bits);
}

float getFloat(const unsigned char* in)
{
    const uint32_t bits = getUint32(in);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Index of the field element that the complex order puts at file index `index` (0 .. size - 1):
// (index - size / 2) mod size, in 0 .. size - 1.
int complexOrderIndex(int index, int size)
{
    const int shifted = index - size / 2;
    return shifted < 0 ? shifted + size : shifted;
}

// The named file opened for reading when the opened descriptor is a regular file, else null.
FILE* openRegularFile(const QString& name)
{
    const int fd = openRegularFileForReading(name);
    if (fd < 0)
        return nullptr;
    FILE* file = ::fdopen(fd, "rb");
    if (!file)
        ::close(fd);
    return file;
}

struct FileCloser
{
    void operator()(FILE* file) const { std::fclose(file); }
};

// Writes header and records; record(i, j) gives the pair for file position (i, j).
template<typename RecordAt>
bool writeDE20(const QString& fileName, int sizeI, int sizeJ, double dx, double dy, RecordAt record)
{
    // Written beside the target, which keeps its old content unless the whole file is written.
    replacingFile replacement(fileName);
    FILE* file = replacement.stream();
    if (!file) {
        errorMessage("Error when opening the file for writing\n" + fileName.toStdString());
        return false;
    }
    unsigned char header[de20HeaderBytes];
    std::memcpy(header, de20Magic, 4);
    putInt32(header + 4, sizeI);
    putInt32(header + 8, sizeJ);
    putFloat(header + 12, static_cast<float>(dx));
    putFloat(header + 16, static_cast<float>(dy));
    putInt32(header + 20, 0);
    putInt32(header + 24, 0);
    putInt32(header + 28, sizeI);
    putInt32(header + 32, sizeJ);
    bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;

    std::vector<unsigned char> buffer(size_t(recordsPerChunk) * recordBytes);
    size_t used = 0;
    for (int j = 0; j < sizeJ && ok; ++j) {
        for (int i = 0; i < sizeI && ok; ++i) {
            const complexFloat z = record(i, j);
            putFloat(buffer.data() + used, z.re);
            putFloat(buffer.data() + used + 4, z.im);
            used += recordBytes;
            if (used == buffer.size()) {
                ok = std::fwrite(buffer.data(), 1, used, file) == used;
                used = 0;
            }
        }
    }
    if (ok && used > 0)
        ok = std::fwrite(buffer.data(), 1, used, file) == used;
    ok = ok && replacement.commit();
    if (!ok) {
        replacement.discard();
        errorMessage("Error when writing the file\n" + fileName.toStdString());
    }
    return ok;
}

struct De20Header
{
    int sizeI = 0;
    int sizeJ = 0;
    float dx = 0.0f;
    float dy = 0.0f;
};

// Opens the file and reads and checks its header; on a problem the "INFO" box and null.
// wrongMagicText is the reader's own refusal text.
std::unique_ptr<FILE, FileCloser> openDE20(const QString& fileName, const char* wrongMagicText,
                                           De20Header& header)
{
    std::unique_ptr<FILE, FileCloser> file(openRegularFile(fileName));
    if (!file) {
        infoMessage(readErrorText);
        return nullptr;
    }
    unsigned char bytes[de20HeaderBytes];
    const size_t got = std::fread(bytes, 1, sizeof bytes, file.get());
    if (got < 4 || std::memcmp(bytes, de20Magic, 4) != 0) {
        infoMessage(wrongMagicText);
        return nullptr;
    }
    if (got < sizeof bytes) {
        infoMessage(shortHeaderText);
        return nullptr;
    }
    // The words at 20 .. 35 (0, 0, sizeI, sizeJ) are not used.
    const int32_t sizeI = getInt32(bytes + 4);
    const int32_t sizeJ = getInt32(bytes + 8);
    if (!de20SizesAcceptable(sizeI, sizeJ)) {
        infoMessage("The file header gives an unusable field size (" + std::to_string(sizeI) + " x "
                    + std::to_string(sizeJ) + ").\n Aborting this function.");
        return nullptr;
    }
    header.sizeI = sizeI;
    header.sizeJ = sizeJ;
    header.dx = getFloat(bytes + 12);
    header.dy = getFloat(bytes + 16);
    return file;
}

// Reads the records in file order and hands each pair to store(i, j, re, im). When the file
// ends early, a half record is stored with im 0.0, later records are not stored (their elements
// stay 0), and the "WARNING" box reports the missing values.
template<typename Store>
void readRecords(FILE* file, int sizeI, int sizeJ, Store store)
{
    const long long records = static_cast<long long>(sizeI) * sizeJ;
    std::vector<unsigned char> buffer(size_t(recordsPerChunk) * recordBytes);
    long long done = 0;
    int i = 0;
    int j = 0;
    // File position and value of the last value read; none yet.
    int lastI = -1;
    int lastJ = -1;
    float lastValue = 0.0f;
    while (done < records) {
        const size_t wanted = size_t(std::min<long long>(records - done, recordsPerChunk));
        const size_t got = std::fread(buffer.data(), 1, wanted * recordBytes, file);
        const size_t whole = got / recordBytes;
        for (size_t k = 0; k < whole; ++k) {
            const unsigned char* pair = buffer.data() + k * recordBytes;
            const float im = getFloat(pair + 4);
            store(i, j, getFloat(pair), im);
            lastI = i;
            lastJ = j;
            lastValue = im;
            if (++i == sizeI) {
                i = 0;
                ++j;
            }
        }
        done += static_cast<long long>(whole);
        if (whole == wanted)
            continue;
        // The file ends here: every value from this one on is missing.
        long long missing = 2 * (records - done);
        if (got % recordBytes >= 4) {
            const float re = getFloat(buffer.data() + whole * recordBytes);
            store(i, j, re, 0.0f);
            lastI = i;
            lastJ = j;
            lastValue = re;
            --missing;
        }
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text << missing << " Reading errors occured\n"
             << "Last readable position: (" << lastI << "," << lastJ << ")\n"
             << "Last value read successfully: " << lastValue << ".";
        warningMessage(text.str());
        return;
    }
}

} // namespace

bool de20SizesAcceptable(int32_t sizeI, int32_t sizeJ)
{
    return sizeI > 0 && sizeJ > 0
           && static_cast<long long>(sizeI) * static_cast<long long>(sizeJ) <= de20MaxElements;
}

bool saveDE20File(QString fileName, boost::shared_ptr<DataField2D> field)
{
    if (!field)
        return false;
    const DataField2D& f = *field;
    return writeDE20(fileName, f.getSizeI(), f.getSizeJ(), f.getDx(), f.getDy(),
                     [&f](int i, int j) {
                         return complexFloat{f.getValue(i, j), 0.0f};
                     });
}

bool saveComplexDE20File(QString fileName, boost::shared_ptr<complexDataField2D> field)
{
    if (!field)
        return false;
    const complexDataField2D& f = *field;
    const int sizeI = f.getSizeI();
    const int sizeJ = f.getSizeJ();
    return writeDE20(fileName, sizeI, sizeJ, f.getDx(), f.getDy(), [&](int i, int j) {
        return f.getValue(complexOrderIndex(i, sizeI), complexOrderIndex(j, sizeJ));
    });
}

boost::shared_ptr<complexDataField2D> readComplexDE20File(QString fileName)
{
    De20Header header;
    auto file = openDE20(fileName,
                         "Only DE20 files may be read with this program.\n Aborting this function.",
                         header);
    if (!file)
        return boost::shared_ptr<complexDataField2D>();
    boost::shared_ptr<complexDataField2D> field(
        new complexDataField2D(header.sizeI, header.sizeJ, 0));
    if (!field->isOk()) {
        infoMessage(readErrorText);
        return boost::shared_ptr<complexDataField2D>();
    }
    field->setPixelSize(header.dx, header.dy);
    complexDataField2D& f = *field;
    readRecords(file.get(), header.sizeI, header.sizeJ, [&](int i, int j, float re, float im) {
        f.setValue(complexOrderIndex(i, header.sizeI), complexOrderIndex(j, header.sizeJ),
                   complexFloat{re, im});
    });
    return field;
}

boost::shared_ptr<DataField2D> readDE20File(QString fileName, int part)
{
    De20Header header;
    auto file = openDE20(fileName,
                         "Only DE20 files may be read with this program.\n Aborting this function",
                         header);
    if (!file)
        return boost::shared_ptr<DataField2D>();
    boost::shared_ptr<DataField2D> field(
        new DataField2D(header.sizeI, header.sizeJ, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                        opticalParameters.defaultPixelSizeY, 0.0f));
    if (!field->isOk() || field->getSizeI() != header.sizeI) {
        infoMessage(readErrorText);
        return boost::shared_ptr<DataField2D>();
    }
    field->setPixelSize(header.dx, header.dy);
    DataField2D& f = *field;
    readRecords(file.get(), header.sizeI, header.sizeJ,
                [&f, part](int i, int j, float re, float im) {
                    switch (part) {
                    case 1:
                        f.setValue(i, j, re);
                        break;
                    case 2:
                        f.setValue(i, j, im);
                        break;
                    case 3:
                        f.setValue(i, j, static_cast<float>(std::hypot(double(re), double(im))));
                        break;
                    case 4:
                        f.setValue(i, j, static_cast<float>(std::atan2(double(im), double(re))));
                        break;
                    case 5:
                        f.setValue(i, j, re * re + im * im);
                        break;
                    default:
                        break;
                    }
                });
    return field;
}
