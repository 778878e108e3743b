// Bit coder: the bits of each prefix-code class at its boundaries, round trips that start in the
// middle of a byte, the byte written by the eighth bit, and reading past the end.
#include "fieldio/bitStream.h"

#include "fieldioTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class BitStreamTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::string path() const { return dir.filePath("bits.bin").toStdString(); }

    void openForWriting(bitStream& bits) const
    {
        bits.fileStream().open(path(), std::ios::out | std::ios::binary | std::ios::trunc);
        ASSERT_TRUE(bits.fileStream().good());
    }
    void openForReading(bitStream& bits) const
    {
        bits.fileStream().open(path(), std::ios::in | std::ios::binary);
        ASSERT_TRUE(bits.fileStream().good());
    }

    // The file's bits, most significant first.
    std::string fileBits() const
    {
        std::string text;
        for (const char byte : fileBytes(dir.filePath("bits.bin")))
            for (int b = 7; b >= 0; --b)
                text += ((static_cast<unsigned char>(byte) >> b) & 1) ? '1' : '0';
        return text;
    }

    QTemporaryDir dir;
};

struct CodeCase
{
    std::int16_t value;
    const char* bits;
};

TEST_F(BitStreamTest, EachClassCodesItsBoundaryValues)
{
    const std::vector<CodeCase> cases = {
        {0, "00000000"},
        {-1, "01000001"},
        {63, "00111111"},
        {-63, "01111111"},
        {64, "100000000000"},
        {-64, "101000000000"},
        {575, "100111111111"},
        {-575, "101111111111"},
        {576, "1100000000000000"},
        {-576, "1101000000000000"},
        {4671, "1100111111111111"},
        {-4671, "1101111111111111"},
        {4672, "1110001001001000000"},
        {-4672, "1111110110111000000"},
        {32767, "1110111111111111111"},
        {-32768, "1111000000000000000"},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string expected = c.bits;
        {
            bitStream bits;
            openForWriting(bits);
            bits.write_coded_short(c.value);
            // Pad with ones to a whole byte so that the last bits reach the file.
            for (std::size_t k = expected.size(); k % 8 != 0; ++k)
                bits.put_bit(true);
            bits.fileStream().close();
        }
        const std::string written = fileBits();
        ASSERT_EQ(written.size(), (expected.size() + 7) / 8 * 8);
        EXPECT_EQ(written.substr(0, expected.size()), expected);
        EXPECT_EQ(written.find('0', expected.size()), std::string::npos) << written;
    }
}

TEST_F(BitStreamTest, EveryValueComesBackInASequenceThatCrossesBytes)
{
    std::vector<std::int16_t> values;
    for (int v = -32768; v <= 32767; v += 7)
        values.push_back(std::int16_t(v));
    for (int v : {0, -1, 63, 64, -64, 575, 576, -576, 4671, 4672, -4672, 32767, -32768})
        values.push_back(std::int16_t(v));
    {
        bitStream bits;
        openForWriting(bits);
        // One leading bit puts every value off the byte boundaries the coder would like.
        bits.put_bit(true);
        for (std::int16_t v : values)
            bits.write_coded_short(v);
        for (int k = 0; k < 7; ++k)
            bits.put_bit(false);
        bits.fileStream().close();
    }
    bitStream bits;
    openForReading(bits);
    EXPECT_TRUE(bits.get_bit());
    for (std::size_t k = 0; k < values.size(); ++k)
        ASSERT_EQ(bits.read_coded_short(), values[k]) << "value " << k;
    EXPECT_FALSE(bits.fileStream().fail());
}

TEST_F(BitStreamTest, TheEighthBitWritesTheByte)
{
    bitStream bits;
    openForWriting(bits);
    const bool pattern[8] = {true, false, true, true, false, false, true, false};
    for (int k = 0; k < 7; ++k)
        bits.put_bit(pattern[k]);
    bits.fileStream().flush();
    EXPECT_EQ(fileBits(), "");
    bits.put_bit(pattern[7]);
    bits.fileStream().flush();
    EXPECT_EQ(fileBits(), "10110010");
}

TEST_F(BitStreamTest, ReadingPastTheEndReportsAndGivesZeroBits)
{
    {
        bitStream bits;
        openForWriting(bits);
        for (int k = 0; k < 8; ++k)
            bits.put_bit(true);
    }
    bitStream bits;
    openForReading(bits);
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(bits.get_bit());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(bits.get_bit());
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("Reading an 8-bit chunk: ", 0), 0u);
    for (int k = 0; k < 7; ++k)
        EXPECT_FALSE(bits.get_bit());
}

} // namespace
