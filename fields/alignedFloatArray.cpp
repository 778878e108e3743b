// Aligned blocks from the C library's allocator, and the owned float array made of one.
#include "fields/alignedFloatArray.h"

#include <cstdint>
#include <cstdlib>

void* allocateAlignedBlock(std::size_t bytes)
{
    // aligned_alloc wants a whole number of alignments.
    if (bytes > SIZE_MAX - blockAlignment)
        return nullptr;
    const std::size_t rounded = (bytes + blockAlignment - 1) / blockAlignment * blockAlignment;
    return std::aligned_alloc(blockAlignment, rounded > 0 ? rounded : blockAlignment);
}

void releaseAlignedBlock(void* block)
{
    std::free(block);
}

alignedFloatArray::~alignedFloatArray()
{
    releaseAlignedBlock(values);
}

bool alignedFloatArray::resize(std::size_t n)
{
    if (n == count)
        return true;
    releaseAlignedBlock(values);
    values = nullptr;
    count = 0;
    if (n == 0)
        return true;
    if (n > SIZE_MAX / sizeof(float))
        return false;
    values = static_cast<float*>(allocateAlignedBlock(n * sizeof(float)));
    if (!values)
        return false;
    count = n;
    return true;
}
