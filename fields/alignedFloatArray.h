// Storage on 64-byte boundaries for field blocks, transform buffers and the design's
// storage-order operands.
#pragma once

#include <cstddef>

// One cache line: a block that starts on it keeps every vector load of the kernels within one
// line.
constexpr std::size_t blockAlignment = 64;

// bytes (at least one) starting at a multiple of blockAlignment; null when memory is refused
// (also for a size beyond what the rounding up to whole lines can hold). Release the block with
// releaseAlignedBlock; std::free and fftw_free without a hook release it too.
void* allocateAlignedBlock(std::size_t bytes);
void releaseAlignedBlock(void* block);

// An owned array of floats in one aligned block. A refused allocation leaves it empty (size 0,
// null data); it is never copied.
class alignedFloatArray
{
public:
    alignedFloatArray() = default;
    ~alignedFloatArray();
    alignedFloatArray(const alignedFloatArray&) = delete;
    alignedFloatArray& operator=(const alignedFloatArray&) = delete;

    // n floats whose values are not set (0 frees the block); false, with the array empty, when
    // memory is refused. The block is kept when it already holds n floats.
    bool resize(std::size_t n);

    float* data() { return values; }
    const float* data() const { return values; }
    std::size_t size() const { return count; }
    float& operator[](std::size_t k) { return values[k]; }
    const float& operator[](std::size_t k) const { return values[k]; }

private:
    float* values = nullptr;
    std::size_t count = 0;
};
