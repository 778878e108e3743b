// binaryArray2D: storage and bit access of the 2-D bit mask.
#include "fields/binaryArray2D.h"

#include <cstring>
#include <new>

binaryArray2D::binaryArray2D(std::uint32_t sizeI, std::uint32_t sizeJ, bool fill)
    : sizeI(sizeI)
    , sizeJ(sizeJ)
    , bitsPerByte(8)
    , byteCount(0)
{
    allocate();
    this->fill(fill);
}

binaryArray2D::binaryArray2D(std::uint32_t size, bool fill)
    : sizeI(size)
    , sizeJ(1)
    , bitsPerByte(8)
    , byteCount(0)
{
    allocate();
    this->fill(fill);
}

binaryArray2D::~binaryArray2D() = default;

void binaryArray2D::allocate()
{
    const std::uint64_t cells = std::uint64_t(sizeI) * sizeJ;
    if (cells <= UINT32_MAX) {
        byteCount = std::uint32_t(cells / bitsPerByte + (cells % bitsPerByte != 0 ? 1 : 0));
        bytes.reset(new (std::nothrow) std::uint8_t[byteCount]);
        if (bytes || byteCount == 0)
            return;
    }
    // A cell count beyond 32 bits, or no memory for the bytes: an empty mask.
    sizeI = 0;
    sizeJ = 0;
    byteCount = 0;
    bytes.reset();
}

void binaryArray2D::fill(bool value)
{
    if (!value) {
        clear();
        return;
    }
    std::uint8_t allOnes = 0;
    for (int b = 0; b < bitsPerByte; ++b)
        allOnes = static_cast<std::uint8_t>(allOnes + (1u << b));
    if (byteCount > 0)
        std::memset(bytes.get(), allOnes, byteCount);
}

void binaryArray2D::clear()
{
    if (byteCount > 0)
        std::memset(bytes.get(), 0, byteCount);
}

bool binaryArray2D::getBit(std::uint32_t i, std::uint32_t j) const
{
    const std::uint32_t k = sizeJ * i + j;
    return (bytes[k / bitsPerByte] >> (k % bitsPerByte)) & 1u;
}

void binaryArray2D::setBit(std::uint32_t i, std::uint32_t j, bool value)
{
    setBit(sizeJ * i + j, value);
}

void binaryArray2D::setBit(std::uint32_t k, bool value)
{
    const std::uint8_t mask = static_cast<std::uint8_t>(1u << (k % bitsPerByte));
    std::uint8_t& byte = bytes[k / bitsPerByte];
    if (value)
        byte = static_cast<std::uint8_t>(byte | mask);
    else
        byte = static_cast<std::uint8_t>(byte & ~mask);
}
