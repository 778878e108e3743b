// Binary file stream: both byte orders written and read back, reads past the end, failed
// writes reported once (also when they fail only at the close), the opening check and attaching
// to another stream.
#include "fieldio/binaryFileStream.h"

#include "fieldioTestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
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

TEST_F(BinaryFileStreamTest, AFailedWriteIsReportedOnceWithItsReason)
{
    writeFile("readonly.bin", QByteArray("\x00", 1));
    const std::string noSpace = std::strerror(ENOSPC);
    struct Case
    {
        const char* name;
        std::string file;
        std::ios::openmode mode;
        int longs;          // write_long calls, 4 bytes each
        bool clearAndAgain; // clear the state and write as many again
        std::string printedByWrites;
        std::string printedByClose;
        bool failed;
    };
    const std::vector<Case> cases = {
        {"a regular file", path("good.bin"), std::ios::out | std::ios::trunc, 100000, false, "", "",
         false},
        {"a full device, far more than the buffer", "/dev/full", std::ios::out, 300000, false,
         "write_long: " + noSpace + "\n", "", true},
        {"a full device, cleared and failing again", "/dev/full", std::ios::out, 300000, true,
         "write_long: " + noSpace + "\nwrite_long: " + noSpace + "\n", "", true},
        // The bytes stay in the buffer until the close writes them.
        {"a full device, less than the buffer", "/dev/full", std::ios::out, 3, false, "",
         "close: " + noSpace + "\n", true},
        {"a file open for reading", path("readonly.bin"), std::ios::in, 1000, false,
         "write_long: Stream not writable\n", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.file == "/dev/full" && !QFileInfo::exists(QStringLiteral("/dev/full")))
            GTEST_SKIP() << "no /dev/full";
        binaryFileStream stream(0);
        stream.open(c.file, c.mode | std::ios::binary);
        ASSERT_TRUE(stream.good());
        testing::internal::CaptureStderr();
        for (int round = 0; round < (c.clearAndAgain ? 2 : 1); ++round) {
            stream.clear();
            for (int k = 0; k < c.longs; ++k)
                stream.write_long(std::uint32_t(k));
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.printedByWrites);
        testing::internal::CaptureStderr();
        stream.close();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.printedByClose);
        EXPECT_EQ(stream.fail(), c.failed);
        EXPECT_FALSE(stream.is_open());
    }
    EXPECT_EQ(bytes("good.bin").size(), 400000);
    EXPECT_EQ(bytes("readonly.bin"), QByteArray("\x00", 1));

    // Closing a stream that is not open fails without a message.
    binaryFileStream closed;
    testing::internal::CaptureStderr();
    closed.close();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(closed.fail());
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
