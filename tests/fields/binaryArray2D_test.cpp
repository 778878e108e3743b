// Tests of the 2-D bit mask: byte counts, fill, and the bit position of every cell.
#include "fields/binaryArray2D.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <type_traits>
#include <vector>

static_assert(!std::is_copy_constructible_v<binaryArray2D>, "a mask must not share its buffer");
static_assert(!std::is_copy_assignable_v<binaryArray2D>, "a mask must not share its buffer");

namespace {

std::vector<std::uint8_t> bytesOf(const binaryArray2D& mask)
{
    return std::vector<std::uint8_t>(mask.getBytes(), mask.getBytes() + mask.getByteCount());
}

} // namespace

TEST(binaryArray2D, byteCountRoundsUp)
{
    struct Case
    {
        std::uint32_t sizeI, sizeJ, bytes;
    };
    const Case cases[]
        = {{3, 3, 2}, {4, 2, 1}, {0, 5, 0}, {5, 0, 0}, {1, 1, 1}, {3, 2, 1}, {2, 8, 2}, {17, 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sizeI << " x " << c.sizeJ);
        binaryArray2D mask(c.sizeI, c.sizeJ, true);
        EXPECT_EQ(mask.getSizeI(), c.sizeI);
        EXPECT_EQ(mask.getSizeJ(), c.sizeJ);
        EXPECT_EQ(mask.getByteCount(), c.bytes);
    }
}

// A cell count beyond 32 bits would wrap to a small buffer that setBit then overruns: such a
// mask is refused as empty, as one whose bytes cannot be allocated.
TEST(binaryArray2D, cellCountsBeyond32BitsGiveAnEmptyMask)
{
    struct Case
    {
        std::uint32_t sizeI, sizeJ;
    };
    const Case cases[] = {{65536, 65536}, {65536, 65537}, {UINT32_MAX, 2}, {3, 0x60000000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.sizeI << " x " << c.sizeJ);
        for (bool fill : {false, true}) {
            binaryArray2D mask(c.sizeI, c.sizeJ, fill);
            EXPECT_EQ(mask.getSizeI(), 0u);
            EXPECT_EQ(mask.getSizeJ(), 0u);
            EXPECT_EQ(mask.getByteCount(), 0u);
            mask.fill(true);
            mask.clear();
        }
    }
}

TEST(binaryArray2D, oneRowConstructorHasSizeJOne)
{
    binaryArray2D mask(9u, true);
    EXPECT_EQ(mask.getSizeI(), 9u);
    EXPECT_EQ(mask.getSizeJ(), 1u);
    EXPECT_EQ(mask.getByteCount(), 2u);
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    for (std::uint32_t i = 0; i < 9; ++i)
        EXPECT_TRUE(mask.getBit(i, 0));
}

TEST(binaryArray2D, fillSetsEveryCellAndSpareBits)
{
    for (bool fill : {true, false}) {
        SCOPED_TRACE(fill);
        binaryArray2D mask(3, 3, fill);
        for (std::uint32_t i = 0; i < 3; ++i)
            for (std::uint32_t j = 0; j < 3; ++j)
                EXPECT_EQ(mask.getBit(i, j), fill) << i << "," << j;
        const std::uint8_t expected = fill ? 0xFF : 0x00;
        EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{expected, expected}));
    }
}

TEST(binaryArray2D, setBitTouchesOnlyItsBit)
{
    // Cell (i, j) is bit k % 8 of byte k / 8 with k = sizeJ * i + j.
    struct Case
    {
        std::uint32_t sizeI, sizeJ, i, j, byte;
        std::uint8_t mask;
    };
    const Case cases[] = {
        {3, 3, 1, 2, 0, 0x20},                        // k = 5
        {3, 3, 2, 2, 1, 0x01},                        // k = 8
        {3, 3, 0, 0, 0, 0x01}, {4, 2, 3, 1, 0, 0x80}, // k = 7, last bit of the only byte
        {2, 5, 1, 0, 0, 0x20},                        // j runs fastest: (1, 0) is k = 5, not k = 1
        {2, 5, 0, 1, 0, 0x02},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.sizeI << " x " << c.sizeJ << " cell " << c.i << "," << c.j);
        binaryArray2D mask(c.sizeI, c.sizeJ, false);
        mask.setBit(c.i, c.j, true);
        std::vector<std::uint8_t> expected(mask.getByteCount(), 0x00);
        expected[c.byte] = c.mask;
        EXPECT_EQ(bytesOf(mask), expected);
        EXPECT_TRUE(mask.getBit(c.i, c.j));

        binaryArray2D full(c.sizeI, c.sizeJ, true);
        full.setBit(c.i, c.j, false);
        std::vector<std::uint8_t> cleared(full.getByteCount(), 0xFF);
        cleared[c.byte] = static_cast<std::uint8_t>(0xFF & ~c.mask);
        EXPECT_EQ(bytesOf(full), cleared);
        EXPECT_FALSE(full.getBit(c.i, c.j));
    }
}

TEST(binaryArray2D, linearSetBitAndTogglingKeepNeighbours)
{
    binaryArray2D mask(4, 2, false);
    mask.setBit(3u, true);
    mask.setBit(4u, true);
    mask.setBit(3u, true); // setting twice keeps it set
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0x18}));
    EXPECT_TRUE(mask.getBit(1, 1));
    EXPECT_TRUE(mask.getBit(2, 0));
    mask.setBit(1, 1, false);
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0x10}));
    mask.setBit(1, 1, false); // clearing a clear bit changes nothing
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0x10}));
}

TEST(binaryArray2D, fillAndClearRewriteEveryByte)
{
    binaryArray2D mask(3, 3, false);
    mask.setBit(1, 1, true);
    mask.fill(true);
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    mask.clear();
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0x00, 0x00}));
    mask.setBit(2, 2, true);
    mask.fill(false);
    EXPECT_EQ(bytesOf(mask), (std::vector<std::uint8_t>{0x00, 0x00}));
}

TEST(binaryArray2D, emptyMaskCanBeFilledAndCleared)
{
    binaryArray2D mask(0, 7, true);
    mask.fill(true);
    mask.clear();
    EXPECT_EQ(mask.getByteCount(), 0u);
}
