// Aligned blocks and the owned aligned arrays: the boundary for every size, refusals that
// leave nothing behind, and the blocks of both field types and their copies on the boundary.
#include "fields/alignedArray.h"

#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

bool onBoundary(const void* p)
{
    return reinterpret_cast<std::uintptr_t>(p) % blockAlignment == 0;
}

TEST(alignedBlock, everySizeStartsOnTheBoundaryAndCanBeFilledWhole)
{
    // Sizes below, at and just past whole lines, and 0 (one line all the same).
    for (std::size_t bytes : {0u, 1u, 4u, 63u, 64u, 65u, 1000u, 4096u + 8u, 1u << 20}) {
        SCOPED_TRACE(bytes);
        void* block = allocateAlignedBlock(bytes);
        ASSERT_NE(block, nullptr);
        EXPECT_TRUE(onBoundary(block));
        std::memset(block, 0xA5, bytes);
        releaseAlignedBlock(block);
    }
    releaseAlignedBlock(nullptr);
}

// Sizes whose rounding up to whole lines would wrap around (the allocator's own refusals show
// in the fields' tests).
TEST(alignedBlock, sizesThatCannotBeRoundedUpGiveNull)
{
    for (std::size_t bytes : {SIZE_MAX, SIZE_MAX - blockAlignment + 1}) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(allocateAlignedBlock(bytes), nullptr);
    }
}

TEST(alignedArray, resizeKeepsAMatchingBlockAndEmptiesOnRefusal)
{
    alignedArray<float> a;
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.data(), nullptr);

    ASSERT_TRUE(a.resize(33));
    EXPECT_EQ(a.size(), 33u);
    EXPECT_TRUE(onBoundary(a.data()));
    for (std::size_t k = 0; k < a.size(); ++k)
        a[k] = float(k);
    const float* first = a.data();
    ASSERT_TRUE(a.resize(33));
    EXPECT_EQ(a.data(), first);
    EXPECT_EQ(a[32], 32.0f);

    ASSERT_TRUE(a.resize(1000));
    EXPECT_EQ(a.size(), 1000u);
    EXPECT_TRUE(onBoundary(a.data()));

    EXPECT_FALSE(a.resize(SIZE_MAX / 2));
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.data(), nullptr);

    ASSERT_TRUE(a.resize(5));
    ASSERT_TRUE(a.resize(0));
    EXPECT_EQ(a.size(), 0u);
    EXPECT_EQ(a.data(), nullptr);
}

// Odd sizes too: the block start is aligned whatever the element count.
TEST(alignedFieldBlocks, bothFieldTypesAndTheirCopiesStartOnTheBoundary)
{
    for (const auto& sizes : {std::pair<int, int>{1, 1}, {3, 5}, {64, 64}, {7, 129}}) {
        SCOPED_TRACE(testing::Message() << sizes.first << " x " << sizes.second);
        const complexDataField2D complexField(sizes.first, sizes.second, 0);
        EXPECT_TRUE(onBoundary(complexField.elementData()));
        const complexDataField2D complexCopy(complexField);
        EXPECT_TRUE(onBoundary(complexCopy.elementData()));

        const DataField2D real(sizes.first, sizes.second, 0, 0, 1, 1, 2.0f);
        EXPECT_TRUE(onBoundary(real.elementData()));
        const DataField2D realCopy(real);
        EXPECT_TRUE(onBoundary(realCopy.elementData()));
        EXPECT_EQ(realCopy.getValue(sizes.first - 1, sizes.second - 1), 2.0f);
    }
}

// The adopting constructor keeps the caller's array and frees it as the caller made it (new[]),
// also when the field is cleared or assigned over; AddressSanitizer reports a mismatch.
TEST(alignedFieldBlocks, adoptedArraysGoBackThroughDeleteAndOwnBlocksThroughTheAllocator)
{
    float* array = new float[6]{0, 1, 2, 3, 4, 5};
    DataField2D adopted(3, 2, 0, 0, 1, 1, array);
    EXPECT_EQ(adopted.elementData(), array);
    adopted = DataField2D(4, 4, 0, 0, 1, 1, 1.0f);
    EXPECT_TRUE(onBoundary(adopted.elementData()));

    DataField2D cleared(2, 2, 0, 0, 1, 1, new float[4]{1, 2, 3, 4});
    cleared.clear();
    EXPECT_EQ(cleared.getSizeI(), 0);
}

} // namespace
