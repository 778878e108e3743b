// complexDataField2D: the block storage from FFTW's allocator, element (i, j) at sizeI * j + i.
#include "fields/complexDataField2D.h"

#include "fields/alignedArray.h"

#include <sfftw.h>

#include <algorithm>

static_assert(sizeof(complexFloat) == sizeof(fftw_complex), "elements are FFTW's complex values");

namespace {

// fftw_malloc ends the process when memory runs out; for a field a refusal leaves it empty
// instead. Without an installed hook the block is a 64-byte aligned one from the C library, which
// fftw_free releases (it calls free); a hook that someone else installed keeps its say.
complexFloat* allocateBlock(size_t count)
{
    const size_t bytes = count * sizeof(complexFloat);
    return static_cast<complexFloat*>(fftw_malloc_hook ? fftw_malloc(bytes)
                                                       : allocateAlignedBlock(bytes));
}

} // namespace

bool complexDataField2D::allocate()
{
    const size_t count = size_t(sizeI) * size_t(sizeJ);
    buffer = count > 0 ? allocateBlock(count) : nullptr;
    return count == 0 || buffer != nullptr;
}

float* complexDataField2D::elementData()
{
    return reinterpret_cast<float*>(buffer);
}

const float* complexDataField2D::elementData() const
{
    return reinterpret_cast<const float*>(buffer);
}

void complexDataField2D::deallocate()
{
    if (buffer)
        fftw_free(buffer);
    buffer = nullptr;
}

void complexDataField2D::fillWith(const complexFloat& value)
{
    if (buffer)
        std::fill(buffer, buffer + sizeI * sizeJ, value);
}

void complexDataField2D::copyValuesFrom(const complexDataField2D& source)
{
    if (buffer)
        std::copy(source.buffer, source.buffer + sizeI * sizeJ, buffer);
}
