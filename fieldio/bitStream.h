// bitStream: single bits most significant first over a binaryFileStream, and a prefix code for
// 16-bit signed values.
#pragma once

#include "fieldio/binaryFileStream.h"

#include <cstdint>

// A stream either writes or reads bits; the owner opens fileStream() for one of the two. A byte
// is written only once all its 8 bits are put.
class bitStream
{
public:
    bitStream();

    binaryFileStream& fileStream() { return stream; }

    // Sets the current bit of the byte being filled and moves on; the eighth bit writes it.
    void put_bit(bool bit);
    // The next bit; a new byte is read first when the last one is used up (at the end of the
    // file "Reading an 8-bit chunk" is printed and the bits read as 0).
    bool get_bit();

    // Codes v in 8, 12, 16 or 19 bits by a = |v|: a < 64: 0, sign, a in 6 bits;
    // a < 576: 1 0, sign, a - 64 in 9 bits; a < 4672: 1 1 0, sign, a - 576 in 12 bits;
    // otherwise 1 1 1 and the 16 bits of v. The sign bit is 1 for negative v.
    void write_coded_short(std::int16_t v);
    std::int16_t read_coded_short();

private:
    void putBits(std::uint32_t value, int count);
    std::uint32_t getBits(int count);

    std::uint8_t accumulator;
    std::uint8_t mask;
    binaryFileStream stream;
};
