// Aligned blocks from the C library's allocator.
#include "fields/alignedArray.h"

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
