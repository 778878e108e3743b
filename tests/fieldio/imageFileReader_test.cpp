// Reading image files: the allocation limit as the toolkit counts it, refused sizes, and names
// that are no regular files.
#include "fieldio/imageFileReader.h"

#include "support/fileSystemFaults.h"
#include "support/pngHeader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Sets a reader limit for its lifetime.
class AllocationLimit
{
public:
    explicit AllocationLimit(int mib)
        : old(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(mib);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(old); }

private:
    int old;
};

struct LimitCase
{
    const char* name;
    QSize size;
    QImage::Format format;
    bool fits;
};

template<size_t N>
void expectFits(const LimitCase (&rows)[N])
{
    for (const LimitCase& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(fitsImageAllocationLimit(row.size, row.format), row.fits);
    }
}

TEST(ImageAllocationLimit, CountsAtLeast32BitsAPixelAsTheToolkitDoes)
{
    AllocationLimit limit(1); // 1 MiB
    const LimitCase rows[] = {
        {"512 x 512 RGB32, exactly 1 MiB", {512, 512}, QImage::Format_RGB32, true},
        {"one line more", {512, 513}, QImage::Format_RGB32, false},
        {"gray counts 32 bits", {512, 512}, QImage::Format_Grayscale8, true},
        {"gray one column more", {513, 512}, QImage::Format_Grayscale8, false},
        {"bits count 32 as well", {513, 512}, QImage::Format_Mono, false},
        {"64 bits a pixel", {256, 512}, QImage::Format_RGBA64, true},
        {"64 bits, one column more", {257, 512}, QImage::Format_RGBA64, false},
        {"unknown format counts 32 bits", {512, 513}, QImage::Format_Invalid, false},
        {"empty", {0, 0}, QImage::Format_RGB32, true},
    };
    expectFits(rows);
}

TEST(ImageAllocationLimit, ProgramLimitTakesLargeImagesAtAnyDepth)
{
    AllocationLimit keep(QImageReader::allocationLimit());
    applyImageAllocationLimit();
    EXPECT_EQ(QImageReader::allocationLimit(), imageAllocationLimitMiB);
    const LimitCase rows[] = {
        {"16384 x 16384 gray", {16384, 16384}, QImage::Format_Grayscale8, true},
        {"16384 x 16384 colour", {16384, 16384}, QImage::Format_RGB32, true},
        {"16384 x 16384, 16 bits a channel", {16384, 16384}, QImage::Format_RGBA64, false},
        {"1920 x 1080 RGBA, 16 bits a channel", {1920, 1080}, QImage::Format_RGBA64, true},
        {"1920 x 1080 RGBA, floats", {1920, 1080}, QImage::Format_RGBA32FPx4, true},
        {"10000 x 10000 RGBA, 16 bits a channel", {10000, 10000}, QImage::Format_RGBA64, true},
        {"40000 x 40000 gray", {40000, 40000}, QImage::Format_Grayscale8, false},
        {"16384 x 16385 gray", {16384, 16385}, QImage::Format_Grayscale8, false},
    };
    expectFits(rows);
}

class ImageFileReaderTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir;
};

TEST_F(ImageFileReaderTest, ReadsWhatFitsAndRefusesWhatDoesNotAsTheToolkitWould)
{
    AllocationLimit limit(1);
    QImage fits(512, 512, QImage::Format_Grayscale8);
    fits.fill(7);
    const QString fitsName = dir.filePath(QStringLiteral("fits.png"));
    ASSERT_TRUE(fits.save(fitsName));
    QImage over(513, 512, QImage::Format_Grayscale8);
    over.fill(7);
    const QString overName = dir.filePath(QStringLiteral("over.png"));
    ASSERT_TRUE(over.save(overName));

    const ImageFileRead loaded = readImageFile(fitsName);
    EXPECT_EQ(loaded.status, ImageReadStatus::Loaded);
    EXPECT_EQ(loaded.size, QSize(512, 512));
    EXPECT_EQ(loaded.image.pixelColor(3, 3), QColor(7, 7, 7));

    const ImageFileRead refused = readImageFile(overName);
    EXPECT_EQ(refused.status, ImageReadStatus::TooLarge);
    EXPECT_EQ(refused.size, QSize(513, 512));
    EXPECT_TRUE(refused.image.isNull());
    EXPECT_TRUE(QImage(overName).isNull()) << "the toolkit refuses it as well";
}

TEST_F(ImageFileReaderTest, HeaderBeyondTheProgramLimitIsRefusedWithItsSize)
{
    AllocationLimit keep(QImageReader::allocationLimit());
    applyImageAllocationLimit();
    for (bool fromContent : {false, true}) {
        SCOPED_TRACE(fromContent);
        const ImageFileRead read = readImageFile(
            write(QStringLiteral("huge.png"), grayPngHeader(40000, 40000)), fromContent);
        EXPECT_EQ(read.status, ImageReadStatus::TooLarge);
        EXPECT_EQ(read.size, QSize(40000, 40000));
    }
}

TEST_F(ImageFileReaderTest, NamesThatAreNoRegularImageFilesReadNothingAtOnce)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.filePath(QStringLiteral("zero.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), link));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    const QString text = write(QStringLiteral("text.png"), "no image");
    const QString names[] = {fifo,
                             link,
                             dir.filePath(QStringLiteral("folder.png")),
                             text,
                             dir.filePath(QStringLiteral("missing.png")),
                             QString()};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QElapsedTimer clock;
        clock.start();
        const ImageFileRead read = readImageFile(name);
        EXPECT_LT(clock.elapsed(), 1000);
        EXPECT_EQ(read.status, ImageReadStatus::NotAnImage);
        EXPECT_TRUE(read.image.isNull());
    }
}

// A small gray PNG as the toolkit writes it.
QByteArray smallPng()
{
    QImage image(20, 10, QImage::Format_Grayscale8);
    image.fill(90);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A chunk header that declares `length` data bytes, with no data after it.
QByteArray chunkHeader(const char* type, quint32 length)
{
    QByteArray header(4, '\0');
    qToBigEndian(length, header.data());
    return header + QByteArray(type, 4);
}

TEST_F(ImageFileReaderTest, PngWhoseChunksCannotFitTheFileIsRefusedBeforeDecoding)
{
    AllocationLimit keep(QImageReader::allocationLimit());
    applyImageAllocationLimit();
    const QByteArray good = smallPng();
    // After the signature (8 bytes) and IHDR (25 bytes).
    const QByteArray head = good.left(33);
    QByteArray tinyData(13, '\0');
    qToBigEndian<quint32>(16384, tinyData.data());
    qToBigEndian<quint32>(16384, tinyData.data() + 4);
    tinyData[8] = 1; // 1-bit gray
    const auto withHeader = [](const QByteArray& ihdr) {
        return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngHeaderDetail::chunk("IHDR", ihdr)
               + pngHeaderDetail::chunk("IDAT", QByteArray(300, '\0'))
               + pngHeaderDetail::chunk("IEND", QByteArray());
    };
    const QByteArray hugeMono = withHeader(tinyData);
    // Sizes and depth whose product of bytes passes 64 bits.
    QByteArray widest(13, '\0');
    qToBigEndian<quint32>(0xFFFFFFFFu, widest.data());
    qToBigEndian<quint32>(0xFFFFFFFFu, widest.data() + 4);
    widest[8] = char(0xFF);
    widest[9] = 6;
    const struct
    {
        const char* name;
        QByteArray bytes;
        PngLayout layout;
        ImageReadStatus status;
    } rows[] = {
        {"as written", good, PngLayout::Fits, ImageReadStatus::Loaded},
        {"text chunk of 1.8 GB", head + chunkHeader("tEXt", 1800000000u) + good.mid(33),
         PngLayout::ChunkOutsideFile, ImageReadStatus::NotAnImage},
        {"length beyond 2^31", head + chunkHeader("zTXt", 0xFFFFFFF0u) + good.mid(33),
         PngLayout::ChunkOutsideFile, ImageReadStatus::NotAnImage},
        {"cut before IEND", good.left(good.size() - 12), PngLayout::ChunkOutsideFile,
         ImageReadStatus::NotAnImage},
        {"16384 x 16384 from 300 bytes of data", hugeMono, PngLayout::TooLittleData,
         ImageReadStatus::NotAnImage},
        {"2^32 x 2^32 at 255 bits a sample", withHeader(widest), PngLayout::TooLittleData,
         ImageReadStatus::NotAnImage},
        {"no PNG", QByteArray("BM not really"), PngLayout::NotPng, ImageReadStatus::NotAnImage},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QBuffer buffer;
        buffer.setData(row.bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_EQ(checkPngLayout(buffer), row.layout);
        EXPECT_EQ(buffer.pos(), 0);
        const QString name = write(QStringLiteral("chunks.png"), row.bytes);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(readImageFile(name).status, row.status);
        EXPECT_LT(clock.elapsed(), 1000);
    }
}

TEST_F(ImageFileReaderTest, FifoSwappedInWhileReadingNeverBlocks)
{
    int loaded = 0;
    const QString name = dir.filePath(QStringLiteral("swapped.png"));
    const int blocked = readsBlockedByFifoSwaps(name, smallPng(), 300, [&] {
        if (readImageFile(name).status == ImageReadStatus::Loaded)
            ++loaded;
    });
    EXPECT_EQ(blocked, 0);
    EXPECT_GT(loaded, 0);
}

} // namespace
