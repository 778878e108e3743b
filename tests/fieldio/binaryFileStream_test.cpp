// Binary file stream: both byte orders written and read back, reads past the end, failed
// writes, the opening check and attaching to another stream.
#include "fieldio/binaryFileStream.h"

#include "fieldioTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class BinaryFileStreamTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    QByteArray bytes(const char* name) const { return fileBytes(dir.filePath(name)); }

    void writeFile(const char* name, const QByteArray& content)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTemporaryDir dir;
};

struct IntegerCase
{
    const char* name;
    int littleEndian;
    bool isLong;
    std::uint32_t value;
    QByteArray expected;
};

TEST_F(BinaryFileStreamTest, WritesAndReadsBothByteOrders)
{
    const std::vector<IntegerCase> cases = {
        {"short little-endian", 1, false, 0x1234, QByteArray("\x34\x12", 2)},
        {"short big-endian", 0, false, 0x1234, QByteArray("\x12\x34", 2)},
        {"long little-endian", 1, true, 0x01020304, QByteArray("\x04\x03\x02\x01", 4)},
        {"long big-endian", 0, true, 0x01020304, QByteArray("\x01\x02\x03\x04", 4)},
        {"long high bit", 0, true, 0xFEDCBA98, QByteArray("\xFE\xDC\xBA\x98", 4)},
        {"short high bit", 1, false, 0xFF80, QByteArray("\x80\xFF", 2)},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(c.name);
        {
            binaryFileStream out(c.littleEndian);
            out.open(path("int.bin"), std::ios::out | std::ios::binary | std::ios::trunc);
            out.checkOpen();
            if (c.isLong)
                out.write_long(c.value);
            else
                out.write_short(std::uint16_t(c.value));
            EXPECT_FALSE(out.fail());
            out.close();
        }
        EXPECT_EQ(bytes("int.bin"), c.expected);
        binaryFileStream in(c.littleEndian);
        in.open(path("int.bin"), std::ios::in | std::ios::binary);
        const std::uint32_t read = c.isLong ? in.read_long("read") : in.read_short("read");
        EXPECT_EQ(read, c.value);
        EXPECT_FALSE(in.fail());
    }
}

TEST_F(BinaryFileStreamTest, ReadPastTheEndReportsAndCountsMissingBytesAsZero)
{
    writeFile("short.bin", QByteArray("\x01\x02\x03", 3));
    struct Case
    {
        int littleEndian;
        std::uint32_t expected;
    };
    for (const Case c : {Case{0, 0x01020300u}, Case{1, 0x00030201u}}) {
        SCOPED_TRACE(c.littleEndian);
        binaryFileStream in(c.littleEndian);
        in.open(path("short.bin"), std::ios::in | std::ios::binary);
        testing::internal::CaptureStderr();
        const std::uint32_t value = in.read_long("reading the count");
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(value, c.expected);
        EXPECT_TRUE(in.eof());
        EXPECT_EQ(printed.rfind("reading the count: ", 0), 0u) << printed;
        // Nothing left: the first byte fails and no second read is tried.
        testing::internal::CaptureStderr();
        EXPECT_EQ(in.read_short("again"), 0u);
        EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("again: ", 0), 0u);
    }
}

TEST_F(BinaryFileStreamTest, FailedWritesAreReportedAndVisibleInTheState)
{
    writeFile("readonly.bin", QByteArray("\x00", 1));
    binaryFileStream stream(0);
    stream.open(path("readonly.bin"), std::ios::in | std::ios::binary);
    ASSERT_TRUE(stream.good());
    testing::internal::CaptureStderr();
    stream.write_short(0x1234);
    stream.write_long(7);
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(stream.fail());
    EXPECT_NE(printed.find("write_short, hi byte: "), std::string::npos) << printed;
    EXPECT_NE(printed.find("write_short, lo byte: "), std::string::npos) << printed;
    EXPECT_NE(printed.find("write_long: "), std::string::npos) << printed;
}

TEST_F(BinaryFileStreamTest, OpeningCheckReportsOnlyFailures)
{
    binaryFileStream missing;
    missing.open(path("absent/none.bin"), std::ios::in | std::ios::binary);
    testing::internal::CaptureStderr();
    missing.checkOpen();
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("Opening error: ", 0), 0u);

    binaryFileStream created;
    created.open(path("new.bin"), std::ios::out | std::ios::binary);
    testing::internal::CaptureStderr();
    created.checkOpen();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(BinaryFileStreamTest, AttachedStreamWritesIntoTheOtherFile)
{
    binaryFileStream owner(1);
    owner.open(path("owner.bin"), std::ios::out | std::ios::binary | std::ios::trunc);
    owner.write_short(0x0A0B);

    binaryFileStream guest(0);
    guest.attach(owner);
    EXPECT_TRUE(guest.isAttached());
    EXPECT_EQ(guest.isLittleEndian(), 1);
    guest.write_short(0x0102);
    // Closing an attached stream leaves the other one's file open.
    guest.close();
    EXPECT_FALSE(guest.fail());
    guest.write_short(0x0304);
    guest.detach();
    EXPECT_FALSE(guest.isAttached());
    owner.write_short(0x0506);
    owner.close();
    EXPECT_EQ(bytes("owner.bin"), QByteArray("\x0B\x0A\x02\x01\x04\x03\x06\x05", 8));
}

TEST_F(BinaryFileStreamTest, AttachingToAStreamWithoutBufferMakesItBad)
{
    binaryFileStream empty;
    empty.std::ios::rdbuf(nullptr);

    binaryFileStream quiet;
    quiet.attach(empty);
    EXPECT_TRUE(quiet.bad());
    quiet.detach();
    EXPECT_TRUE(quiet.good());

    binaryFileStream throwing;
    throwing.exceptions(std::ios::badbit);
    EXPECT_THROW(throwing.attach(empty), std::ios_base::failure);
}

} // namespace
