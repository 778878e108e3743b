// bitStream: bit writing and reading and the four-class prefix code.
#include "fieldio/bitStream.h"

#include <cstdlib>

bitStream::bitStream()
    : accumulator(0)
    , mask(128)
{}

void bitStream::put_bit(bool bit)
{
    if (bit)
        accumulator |= mask;
    mask >>= 1;
    if (mask == 0) {
        stream.write_byte(accumulator, "");
        accumulator = 0;
        mask = 128;
    }
}

bool bitStream::get_bit()
{
    if (mask == 128) {
        const int c = stream.get();
        if (c == std::char_traits<char>::eof()) {
            stream.reportError("Reading an 8-bit chunk");
            accumulator = 0;
        } else {
            accumulator = static_cast<std::uint8_t>(c);
        }
    }
    const bool bit = (accumulator & mask) != 0;
    mask = mask == 1 ? 128 : mask >> 1;
    return bit;
}

void bitStream::putBits(std::uint32_t value, int count)
{
    for (int b = count - 1; b >= 0; --b)
        put_bit(((value >> b) & 1u) != 0);
}

std::uint32_t bitStream::getBits(int count)
{
    std::uint32_t value = 0;
    for (int b = 0; b < count; ++b)
        value = value << 1 | (get_bit() ? 1u : 0u);
    return value;
}

void bitStream::write_coded_short(std::int16_t v)
{
    const std::int32_t a = std::abs(std::int32_t(v));
    const bool negative = v < 0;
    if (a < 64) {
        put_bit(false);
        put_bit(negative);
        putBits(std::uint32_t(a), 6);
    } else if (a < 576) {
        putBits(0b10, 2);
        put_bit(negative);
        putBits(std::uint32_t(a - 64), 9);
    } else if (a < 4672) {
        putBits(0b110, 3);
        put_bit(negative);
        putBits(std::uint32_t(a - 576), 12);
    } else {
        putBits(0b111, 3);
        putBits(std::uint16_t(v), 16);
    }
}

std::int16_t bitStream::read_coded_short()
{
    std::int32_t a = 0;
    bool negative = false;
    if (!get_bit()) {
        negative = get_bit();
        a = std::int32_t(getBits(6));
    } else if (!get_bit()) {
        negative = get_bit();
        a = std::int32_t(getBits(9)) + 64;
    } else if (!get_bit()) {
        negative = get_bit();
        a = std::int32_t(getBits(12)) + 576;
    } else {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(getBits(16)));
    }
    return static_cast<std::int16_t>(negative ? -a : a);
}
