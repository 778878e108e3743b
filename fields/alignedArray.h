// Storage on 64-byte boundaries for field blocks, transform buffers and the design's
// storage-order operands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// One cache line: a block that starts on it keeps every vector load of the kernels within one
// line.
constexpr std::size_t blockAlignment = 64;

// bytes (at least one) starting at a multiple of blockAlignment; null when memory is refused
// (also for a size beyond what the rounding up to whole lines can hold). Release the block with
// releaseAlignedBlock; std::free and fftw_free without a hook release it too.
void* allocateAlignedBlock(std::size_t bytes);
void releaseAlignedBlock(void* block);

// An owned array of plain values (floats, ints) in one aligned block. A refused allocation
// leaves it empty (size 0, null data); it is never copied.
template<typename T>
class alignedArray
{
    static_assert(std::is_trivial<T>::value, "the values are neither constructed nor destroyed");

public:
    alignedArray() = default;
    ~alignedArray() { releaseAlignedBlock(values); }
    alignedArray(const alignedArray&) = delete;
    alignedArray& operator=(const alignedArray&) = delete;

    // n values that are not set (0 frees the block); false, with the array empty, when memory is
    // refused. The block is kept when it already holds n values.
    bool resize(std::size_t n)
    {
        if (n == count)
            return true;
        releaseAlignedBlock(values);
        values = nullptr;
        count = 0;
        if (n == 0)
            return true;
        if (n > SIZE_MAX / sizeof(T))
            return false;
        values = static_cast<T*>(allocateAlignedBlock(n * sizeof(T)));
        if (!values)
            return false;
        count = n;
        return true;
    }

    T* data() { return values; }
    const T* data() const { return values; }
    std::size_t size() const { return count; }
    T& operator[](std::size_t k) { return values[k]; }
    const T& operator[](std::size_t k) const { return values[k]; }

private:
    T* values = nullptr;
    std::size_t count = 0;
};
