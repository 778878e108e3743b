// binaryArray2D: a 2-D mask of single bits, eight cells to a byte.
#pragma once

#include <cstdint>
#include <memory>

// Cell (i, j) has the linear index k = sizeJ * i + j (j runs fastest) and lies in byte k / 8
// at bit k % 8, bit 0 being the least significant. No operation checks its indices: callers
// keep i < sizeI, j < sizeJ and k < sizeI * sizeJ. Owned through boost::shared_ptr by its
// users; it cannot be copied, so two masks never share one buffer.
class binaryArray2D
{
public:
    // Every byte 0xFF when fill is true, 0x00 otherwise (spare bits of the last byte included).
    // Sizes whose cell count passes 32 bits, or bytes that cannot be allocated, give an empty
    // mask (sizes 0, no bytes).
    binaryArray2D(std::uint32_t sizeI, std::uint32_t sizeJ, bool fill);
    // A one-row mask: sizeI = size, sizeJ = 1.
    binaryArray2D(std::uint32_t size, bool fill);
    ~binaryArray2D();

    binaryArray2D(const binaryArray2D&) = delete;
    binaryArray2D& operator=(const binaryArray2D&) = delete;

    // true: every byte 0xFF; false: clear().
    void fill(bool value);
    // Every byte 0x00.
    void clear();

    bool getBit(std::uint32_t i, std::uint32_t j) const;
    void setBit(std::uint32_t i, std::uint32_t j, bool value);
    // Sets cell k to 1 or 0; the other bits of its byte keep their values.
    void setBit(std::uint32_t k, bool value);

    std::uint32_t getSizeI() const { return sizeI; }
    std::uint32_t getSizeJ() const { return sizeJ; }
    // sizeI * sizeJ / 8, rounded up.
    std::uint32_t getByteCount() const { return byteCount; }
    const std::uint8_t* getBytes() const { return bytes.get(); }

private:
    void allocate();

    std::uint32_t sizeI;
    std::uint32_t sizeJ;
    std::uint8_t bitsPerByte;
    std::uint32_t byteCount;
    std::unique_ptr<std::uint8_t[]> bytes;
};
