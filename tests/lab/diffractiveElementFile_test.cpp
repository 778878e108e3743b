// Element file codec: round trips in both record orders on even and odd sizes, exact bytes,
// truncated files, refused headers and names, and failed writes.
#include "lab/fieldio/diffractiveElementFile.h"

#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "support/fileSystemFaults.h"
#include "support/messageRecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <boost/make_shared.hpp>
#include <climits>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <sfftw.h>
#include <sys/stat.h>

namespace {

const QString complexMagicText
    = QStringLiteral("Only DE20 files may be read with this program.\n Aborting this function.");
const QString realMagicText
    = QStringLiteral("Only DE20 files may be read with this program.\n Aborting this function");
const QString readErrorText = QStringLiteral("Error when reading the file.");
const QString shortHeaderText
    = QStringLiteral("The file ends within its header.\n Aborting this function.");

uint32_t bitsOf(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// Little-endian bytes of 32-bit words, written out by hand.
QByteArray word(uint32_t v)
{
    const char bytes[4]
        = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
    return QByteArray(bytes, 4);
}

QByteArray floatWord(float v)
{
    return word(bitsOf(v));
}

QByteArray headerBytes(const char* magic, int32_t sizeI, int32_t sizeJ, float dx = 1e-6f,
                       float dy = 1e-6f)
{
    return QByteArray(magic, 4) + word(uint32_t(sizeI)) + word(uint32_t(sizeJ)) + floatWord(dx)
           + floatWord(dy) + word(0) + word(0) + word(uint32_t(sizeI)) + word(uint32_t(sizeJ));
}

// Every element distinct, and a few that only an exact copy keeps: NaN, -0, infinity and a
// subnormal value.
boost::shared_ptr<complexDataField2D> numberedComplexField(int sizeI, int sizeJ)
{
    auto field = boost::make_shared<complexDataField2D>(sizeI, sizeJ, 1);
    field->setPixelSize(2.5e-6, 7.3e-6);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field->setValue(i, j, complexFloat{i + 100.0f * j + 0.25f, -float(i * j) - 0.5f});
    const complexFloat special[]
        = {{std::numeric_limits<float>::quiet_NaN(), -0.0f},
           {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min()}};
    const int count = sizeI * sizeJ;
    if (count > 2) {
        field->setValue(sizeI - 1, sizeJ - 1, special[0]);
        field->setValue((count / 2) % sizeI, (count / 2) / sizeI, special[1]);
    }
    return field;
}

boost::shared_ptr<DataField2D> numberedRealField(int sizeI, int sizeJ)
{
    auto field = boost::make_shared<DataField2D>(sizeI, sizeJ, 3.0, 4.0, 5e-6, 6e-6, 0.0f);
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field->setValue(i, j, i * 0.5f - 7.0f * j);
    field->setValue(sizeI - 1, 0, -0.0f);
    return field;
}

// The field element that the complex order stores at file position (i, j), computed the long
// way.
int elementAt(int position, int size)
{
    return ((position - size / 2) % size + size) % size;
}

class ElementFileTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray readBytes(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The single box shown since the last call, as "caption|text".
    QString onlyMessage()
    {
        const std::vector<RecordedMessage> seen = messages.messages();
        messages.clear();
        if (seen.size() != 1)
            return QStringLiteral("%1 boxes").arg(seen.size());
        return seen[0].caption + QLatin1Char('|') + seen[0].text;
    }

    QTemporaryDir dir;
    MessageRecorder messages;
};

TEST(ElementFileSizes, AcceptableSizesStopAt2To28Elements)
{
    struct Case
    {
        int32_t sizeI, sizeJ;
        bool acceptable;
    };
    const Case cases[] = {
        {1, 1, true},
        {3, 5, true},
        {16384, 16384, true},
        {1, 268435456, true},
        {1, 268435457, false},
        {16385, 16384, false},
        {65537, 65537, false}, // the product wraps to 131073 in 32 bits
        {0, 4, false},
        {4, 0, false},
        {-1, 4, false},
        {-4, -4, false},
        {INT_MAX, INT_MAX, false},
        {INT_MIN, INT_MIN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sizeI << " x " << c.sizeJ);
        EXPECT_EQ(de20SizesAcceptable(c.sizeI, c.sizeJ), c.acceptable);
    }
}

TEST_F(ElementFileTest, ComplexFieldsSurviveWriteAndRead)
{
    const std::pair<int, int> sizes[] = {{4, 2}, {3, 5}, {5, 3}, {1, 1}, {1, 6}, {2, 7}, {100, 90}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        const auto field = numberedComplexField(size.first, size.second);
        const QString name = path(QStringLiteral("c.de"));
        ASSERT_TRUE(saveComplexDE20File(name, field));
        EXPECT_EQ(QFileInfo(name).size(), 36 + 8LL * size.first * size.second);
        const auto read = readComplexDE20File(name);
        ASSERT_TRUE(read);
        ASSERT_EQ(read->getSizeI(), size.first);
        ASSERT_EQ(read->getSizeJ(), size.second);
        EXPECT_EQ(read->getDx(), double(2.5e-6f));
        EXPECT_EQ(read->getDy(), double(7.3e-6f));
        EXPECT_EQ(read->getDomainFlag(), 0);
        int differing = 0;
        for (int j = 0; j < size.second; ++j)
            for (int i = 0; i < size.first; ++i) {
                const complexFloat a = field->getValue(i, j);
                const complexFloat b = read->getValue(i, j);
                differing += bitsOf(a.re) != bitsOf(b.re) || bitsOf(a.im) != bitsOf(b.im);
            }
        EXPECT_EQ(differing, 0);
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileTest, RealFieldsSurviveWriteAndReadOfTheRealPart)
{
    const std::pair<int, int> sizes[] = {{3, 2}, {4, 4}, {5, 3}, {1, 7}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        const auto field = numberedRealField(size.first, size.second);
        const QString name = path(QStringLiteral("r.de"));
        ASSERT_TRUE(saveDE20File(name, field));
        const auto re = readDE20File(name, 1);
        const auto im = readDE20File(name, 2);
        ASSERT_TRUE(re && im);
        ASSERT_EQ(re->getSizeI(), size.first);
        ASSERT_EQ(re->getSizeJ(), size.second);
        EXPECT_EQ(re->getX0(), 0.0);
        EXPECT_EQ(re->getY0(), 0.0);
        EXPECT_EQ(re->getDx(), double(5e-6f));
        EXPECT_EQ(re->getDy(), double(6e-6f));
        for (int j = 0; j < size.second; ++j)
            for (int i = 0; i < size.first; ++i) {
                EXPECT_EQ(bitsOf(re->getValue(i, j)), bitsOf(field->getValue(i, j)));
                EXPECT_EQ(bitsOf(im->getValue(i, j)), 0u);
            }
    }
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileTest, RealReaderTakesOnePartOfEachRecordInFileOrder)
{
    // The complex writer's 3 x 5 file read without undoing its order.
    auto field = boost::make_shared<complexDataField2D>(3, 5, 0);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 3; ++i)
            field->setValue(i, j, complexFloat{i - 1.5f, j - 2.25f});
    const QString name = path(QStringLiteral("parts.de"));
    ASSERT_TRUE(saveComplexDE20File(name, field));
    for (int part = 0; part <= 6; ++part) {
        SCOPED_TRACE(part);
        const auto read = readDE20File(name, part);
        ASSERT_TRUE(read);
        for (int j = 0; j < 5; ++j)
            for (int i = 0; i < 3; ++i) {
                const complexFloat z = field->getValue(elementAt(i, 3), elementAt(j, 5));
                const double re = z.re, im = z.im;
                const double expected[] = {0.0,
                                           re,
                                           im,
                                           std::sqrt(re * re + im * im),
                                           std::atan2(im, re),
                                           re * re + im * im,
                                           0.0};
                EXPECT_FLOAT_EQ(read->getValue(i, j), float(expected[part]))
                    << "at " << i << "," << j;
            }
    }
}

TEST_F(ElementFileTest, ComplexOrderPutsElementZeroAtTheCentre)
{
    // Record number sizeI * j + i holds the element ((i - sizeI / 2) mod sizeI, ...).
    struct Case
    {
        int sizeI, sizeJ;
        int fileI, fileJ;       // file position
        int elementI, elementJ; // element stored there
    };
    const Case cases[] = {
        {4, 2, 0, 0, 2, 1}, {4, 2, 2, 1, 0, 0}, {4, 2, 3, 0, 1, 1}, {3, 5, 0, 0, 2, 3},
        {3, 5, 1, 2, 0, 0}, {3, 5, 0, 1, 2, 4}, {3, 5, 2, 4, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.sizeI << " x " << c.sizeJ << " at " << c.fileI << "," << c.fileJ);
        const auto field = numberedComplexField(c.sizeI, c.sizeJ);
        const QString name = path(QStringLiteral("order.de"));
        ASSERT_TRUE(saveComplexDE20File(name, field));
        const QByteArray bytes = readBytes(name);
        const int offset = 36 + 8 * (c.sizeI * c.fileJ + c.fileI);
        const complexFloat z = field->getValue(c.elementI, c.elementJ);
        EXPECT_EQ(bytes.mid(offset, 8), floatWord(z.re) + floatWord(z.im));
    }
}

TEST_F(ElementFileTest, RealFileBytesAreLittleEndianRecordsInNaturalOrder)
{
    auto field = boost::make_shared<DataField2D>(3, 2, 0.0, 0.0, 0.5, 0.25, 0.0f);
    const float values[] = {1.0f, -2.0f, 0.5f, 3.0f, 0.0f, -0.0f};
    for (int k = 0; k < 6; ++k)
        field->setValue(k % 3, k / 3, values[k]);
    const QString name = path(QStringLiteral("exact.de"));
    ASSERT_TRUE(saveDE20File(name, field));
    const QByteArray expected = QByteArray::fromHex("44453230" // "DE20"
                                                    "03000000"
                                                    "02000000"
                                                    "0000003f" // 0.5
                                                    "0000803e" // 0.25
                                                    "00000000"
                                                    "00000000"
                                                    "03000000"
                                                    "02000000"
                                                    "0000803f00000000" // 1
                                                    "000000c000000000" // -2
                                                    "0000003f00000000" // 0.5
                                                    "0000404000000000" // 3
                                                    "0000000000000000" // 0
                                                    "0000008000000000" // -0
    );
    ASSERT_EQ(expected.size(), 84);
    EXPECT_EQ(readBytes(name).toHex(), expected.toHex());
}

TEST_F(ElementFileTest, TruncatedFilesReadAsZerosWithAWarning)
{
    // File records of this 2 x 2 field: (0,0) holds element (1,1), (1,0) element (0,1),
    // (0,1) element (1,0), (1,1) element (0,0).
    auto field = boost::make_shared<complexDataField2D>(2, 2, 0);
    field->setValue(0, 0, {1.0f, 2.0f});
    field->setValue(1, 0, {3.0f, 4.0f});
    field->setValue(0, 1, {5.0f, 6.0f});
    field->setValue(1, 1, {7.0f, 1.0f / 3.0f});
    const QString whole = path(QStringLiteral("whole.de"));
    ASSERT_TRUE(saveComplexDE20File(whole, field));
    const QByteArray bytes = readBytes(whole);
    ASSERT_EQ(bytes.size(), 68);

    struct Case
    {
        int length;
        complexFloat elements[4]; // (0,0), (1,0), (0,1), (1,1)
        float realPart[4];        // the real reader's part 1 in file order
        const char* warning;
    };
    const Case cases[] = {
        {44,
         {{0, 0}, {0, 0}, {0, 0}, {7, 1.0f / 3.0f}},
         {7, 0, 0, 0},
         "6 Reading errors occured\nLast readable position: (0,0)\nLast value read "
         "successfully: 0.333333."},
        {47, // three stray bytes of the next record
         {{0, 0}, {0, 0}, {0, 0}, {7, 1.0f / 3.0f}},
         {7, 0, 0, 0},
         "6 Reading errors occured\nLast readable position: (0,0)\nLast value read "
         "successfully: 0.333333."},
        {48, // the next record's real part only
         {{0, 0}, {0, 0}, {5, 0}, {7, 1.0f / 3.0f}},
         {7, 5, 0, 0},
         "5 Reading errors occured\nLast readable position: (1,0)\nLast value read "
         "successfully: 5."},
        {36,
         {{0, 0}, {0, 0}, {0, 0}, {0, 0}},
         {0, 0, 0, 0},
         "8 Reading errors occured\nLast readable position: (-1,-1)\nLast value read "
         "successfully: 0."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const QString name = writeBytes(QStringLiteral("cut.de"), bytes.left(c.length));
        const auto read = readComplexDE20File(name);
        ASSERT_TRUE(read);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(read->getValue(k % 2, k / 2).re, c.elements[k].re) << k;
            EXPECT_EQ(read->getValue(k % 2, k / 2).im, c.elements[k].im) << k;
        }
        const QString warning = QStringLiteral("WARNING|") + QString::fromLatin1(c.warning);
        EXPECT_EQ(onlyMessage(), warning);

        const auto real = readDE20File(name, 1);
        ASSERT_TRUE(real);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(real->getValue(k % 2, k / 2), c.realPart[k]) << k;
        EXPECT_EQ(onlyMessage(), warning);
    }
}

TEST_F(ElementFileTest, FileEndingInALaterChunkCountsTheRest)
{
    const auto field = numberedComplexField(100, 90);
    const QString whole = path(QStringLiteral("big.de"));
    ASSERT_TRUE(saveComplexDE20File(whole, field));
    // 8500 whole records: the last one read is file position (99, 84).
    const QString name
        = writeBytes(QStringLiteral("bigcut.de"), readBytes(whole).left(36 + 8 * 8500));
    const auto read = readDE20File(name, 2);
    ASSERT_TRUE(read);
    const complexFloat last = field->getValue(elementAt(99, 100), elementAt(84, 90));
    EXPECT_EQ(read->getValue(99, 84), last.im);
    EXPECT_EQ(read->getValue(0, 85), 0.0f);
    EXPECT_EQ(onlyMessage(), QStringLiteral("WARNING|1000 Reading errors occured\nLast readable "
                                            "position: (99,84)\nLast value read successfully: %1.")
                                 .arg(last.im));
}

TEST_F(ElementFileTest, BadMagicShortHeadersAndUnusableSizesAreRefused)
{
    const QByteArray records(8 * 6, '\0');
    struct Case
    {
        const char* name;
        QByteArray bytes;
        QString complexText; // the real reader's differs only for the magic
    };
    const QString sizeText = QStringLiteral(
        "The file header gives an unusable field size (%1 x %2).\n Aborting this function.");
    const Case cases[] = {
        {"lower-case magic", headerBytes("de20", 2, 3) + records, complexMagicText},
        {"last character", headerBytes("DE21", 2, 3) + records, complexMagicText},
        {"first character", headerBytes("XE20", 2, 3) + records, complexMagicText},
        {"empty file", QByteArray(), complexMagicText},
        {"three bytes", QByteArray("DE2"), complexMagicText},
        {"magic only", QByteArray("DE20"), shortHeaderText},
        {"header cut at 20", headerBytes("DE20", 2, 3).left(20), shortHeaderText},
        {"header cut at 35", headerBytes("DE20", 2, 3).left(35), shortHeaderText},
        {"size 0 along i", headerBytes("DE20", 0, 3), sizeText.arg(0).arg(3)},
        {"size 0 along j", headerBytes("DE20", 3, 0) + records, sizeText.arg(3).arg(0)},
        {"negative size", headerBytes("DE20", -1, 3), sizeText.arg(-1).arg(3)},
        {"smallest int", headerBytes("DE20", 3, INT_MIN), sizeText.arg(3).arg(INT_MIN)},
        {"product wraps in 32 bits", headerBytes("DE20", 65537, 65537),
         sizeText.arg(65537).arg(65537)},
        {"above 2^28 elements", headerBytes("DE20", 16385, 16384), sizeText.arg(16385).arg(16384)},
        {"largest int", headerBytes("DE20", INT_MAX, INT_MAX), sizeText.arg(INT_MAX).arg(INT_MAX)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = writeBytes(QStringLiteral("bad.de"), c.bytes);
        EXPECT_FALSE(readComplexDE20File(name));
        EXPECT_EQ(onlyMessage(), QStringLiteral("INFO|") + c.complexText);
        EXPECT_FALSE(readDE20File(name, 1));
        const QString realText = c.complexText == complexMagicText ? realMagicText : c.complexText;
        EXPECT_EQ(onlyMessage(), QStringLiteral("INFO|") + realText);
    }
}

// A field whose block is refused (memory exhausted) gives no field and the read error box; the
// reader writes nothing through the empty field.
TEST_F(ElementFileTest, RefusedFieldBlockIsAReadError)
{
    const QString name = path(QStringLiteral("c.de"));
    ASSERT_TRUE(saveComplexDE20File(name, numberedComplexField(6, 4)));
    fftw_malloc_hook = [](size_t) -> void* { return nullptr; };
    const auto read = readComplexDE20File(name);
    fftw_malloc_hook = nullptr;
    EXPECT_FALSE(read);
    EXPECT_EQ(onlyMessage(), QStringLiteral("INFO|Error when reading the file."));
}

TEST_F(ElementFileTest, OnlyRegularFilesAreOpened)
{
    const QString fifo = path(QStringLiteral("pipe.de"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.de")));
    // A FIFO without a writer would block an ordinary open; a device would be read.
    const QString names[] = {fifo,
                             path(QStringLiteral("folder.de")),
                             path(QStringLiteral("missing.de")),
                             QStringLiteral("/dev/zero"),
                             QStringLiteral("/dev/null"),
                             QString()};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(readComplexDE20File(name));
        EXPECT_EQ(onlyMessage(), QStringLiteral("INFO|") + readErrorText);
        EXPECT_FALSE(readDE20File(name, 1));
        EXPECT_EQ(onlyMessage(), QStringLiteral("INFO|") + readErrorText);
    }
}

TEST_F(ElementFileTest, NamesAreEncodedForTheFileSystem)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Prüfung π")));
    const QString name = path(QStringLiteral("Prüfung π/Feld ü.de"));
    const auto field = numberedComplexField(3, 2);
    ASSERT_TRUE(saveComplexDE20File(name, field));
    ASSERT_TRUE(QFile::exists(name));
    const auto read = readComplexDE20File(name);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->getValue(1, 1).re, field->getValue(1, 1).re);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileTest, FailedWritesAreReported)
{
    const auto complexField = numberedComplexField(4, 2);
    const auto realField = numberedRealField(4, 2);
    const auto openText = [](const QString& name) {
        return QStringLiteral("ERROR !|Error when opening the file for writing\n") + name;
    };
    const QString missingFolder = path(QStringLiteral("no such folder/x.de"));
    EXPECT_FALSE(saveComplexDE20File(missingFolder, complexField));
    EXPECT_EQ(onlyMessage(), openText(missingFolder));
    EXPECT_FALSE(saveDE20File(dir.path(), realField));
    EXPECT_EQ(onlyMessage(), openText(dir.path()));
    // A FIFO or a device is never replaced (nor opened, which could block).
    const QString fifo = path(QStringLiteral("pipe.de"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString devices[] = {fifo, QStringLiteral("/dev/full"), QStringLiteral("/dev/null")};
    for (const QString& name : devices) {
        if (!QFileInfo::exists(name))
            continue;
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(saveComplexDE20File(name, complexField));
        EXPECT_EQ(onlyMessage(), openText(name));
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    // A write that fails on the way leaves the file that was there.
    const struct
    {
        const char* name;
        boost::shared_ptr<DataField2D> real;
        boost::shared_ptr<complexDataField2D> complex;
    } writers[] = {{"real.de", numberedRealField(200, 100), nullptr},
                   {"complex.de", nullptr, complexField}};
    for (const auto& w : writers) {
        SCOPED_TRACE(w.name);
        QString target;
        expectFailedWritesKeepTheOldFile(
            QString::fromLatin1(w.name),
            [&](const QString& folder) {
                target = folder + QLatin1Char('/') + QString::fromLatin1(w.name);
                return w.real ? saveDE20File(target, w.real)
                              : saveComplexDE20File(target, w.complex);
            },
            [&] {
                EXPECT_EQ(onlyMessage(),
                          QStringLiteral("ERROR !|Error when writing the file\n") + target);
            });
    }

    EXPECT_FALSE(saveComplexDE20File(path(QStringLiteral("null.de")), nullptr));
    EXPECT_FALSE(saveDE20File(path(QStringLiteral("null.de")), nullptr));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ElementFileTest, FifoSwappedInWhileReadingNeverBlocks)
{
    const QString name = path(QStringLiteral("swapped.de"));
    ASSERT_TRUE(saveComplexDE20File(name, numberedComplexField(2, 2)));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    int read = 0;
    const int blocked = readsBlockedByFifoSwaps(name, bytes, 300, [&] {
        if (readComplexDE20File(name))
            ++read;
    });
    messages.clear();
    EXPECT_EQ(blocked, 0);
    EXPECT_GT(read, 0);
}

} // namespace
