// The base-128 varint: seven bits a byte, lowest group first, the top bit set
// on every byte but the last. How many bytes a varint may take is decided here
// alone, and every varint is decoded and encoded by these functions, whatever
// stream it comes from or goes to, but for the one-byte varints that
// InputBuffer reads in place.
//
// A varint of a T takes at most as many bytes as the widest T needs (3, 5 or
// 10), and the last of those ends it whatever its top bit says, so an
// over-long varint cannot run on; both releases of the library read a field
// so whenever enough bytes remain. A varint passed over is read as the widest
// (uint64_t, up to 10 bytes) whatever the integer's width, as the library's
// newer releases pass it over.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <type_traits>

namespace bond::detail {

template <typename T>
    requires std::is_unsigned_v<T>
inline constexpr uint32_t max_varint_size = (sizeof(T) * 8 + 6) / 7;

// What a varint passed over is read as.
using PassedOverVarint = uint64_t;

// Decodes a varint of a T from `next_byte`, called once per byte; whatever it
// throws (the end of the input) passes through.
template <typename T, typename NextByte>
    requires std::is_unsigned_v<T>
T DecodeVarint(NextByte&& next_byte)
{
    T result = 0;
    for (uint32_t i = 0; i < max_varint_size<T>; ++i) {
        const uint8_t byte = next_byte();
        if (i + 1 == max_varint_size<T>) {
            return static_cast<T>(result | static_cast<T>(static_cast<T>(byte) << (7 * i)));
        }
        result = static_cast<T>(result | static_cast<T>(static_cast<T>(byte & 0x7F) << (7 * i)));
        if ((byte & 0x80) == 0) {
            break;
        }
    }
    return result;
}

// Whether the varint at the start of `input` (a copy, so nothing is consumed)
// runs through every byte a T allows with the top bit still set. A varint cut
// short by the end of the input is not: every reading fails there alike.
template <typename T, typename Stream>
bool IsOverLongVarint(Stream input)
{
    for (uint32_t i = 0; i < max_varint_size<T>; ++i) {
        uint8_t byte;
        if (!input.CanRead(1)) {
            return false;
        }
        input.Read(byte);
        if ((byte & 0x80) == 0) {
            return false;
        }
    }
    return true;
}

// Writes the shortest varint of `value` to `bytes`, which holds at least
// max_varint_size<T> bytes; returns how many it wrote.
template <typename T>
    requires std::is_unsigned_v<T>
uint32_t EncodeVarint(T value, uint8_t* bytes) noexcept
{
    uint32_t size = 0;
    while (value >= 0x80) {
        bytes[size++] = static_cast<uint8_t>(value | 0x80);
        value = static_cast<T>(value >> 7);
    }
    bytes[size++] = static_cast<uint8_t>(value);
    return size;
}

// The bytes of the shortest varint of `value`: one per started group of 7 bits.
template <typename T>
    requires std::is_unsigned_v<T>
constexpr uint32_t VarintSize(T value) noexcept
{
    return std::max(1u, (static_cast<uint32_t>(std::bit_width(value)) + 6) / 7);
}

}  // namespace bond::detail
