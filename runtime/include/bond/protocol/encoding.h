// Encodings that several protocols share: zigzag integers and wide strings as
// UTF-16 code units.
#pragma once

#include <bond/stream/input_buffer.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace bond::detail {

// Zigzag maps small magnitudes of either sign to small unsigned numbers:
// 0 -> 0, -1 -> 1, 1 -> 2, -2 -> 3, ...
template <typename Signed>
std::make_unsigned_t<Signed> EncodeZigZag(Signed value) noexcept
{
    using Unsigned = std::make_unsigned_t<Signed>;
    const auto bits = static_cast<Unsigned>(value);
    return static_cast<Unsigned>((bits << 1) ^ static_cast<Unsigned>(-(bits >> (sizeof(Signed) * 8 - 1))));
}

template <typename Unsigned>
std::make_signed_t<Unsigned> DecodeZigZag(Unsigned value) noexcept
{
    return static_cast<std::make_signed_t<Unsigned>>((value >> 1) ^ static_cast<Unsigned>(-(value & 1)));
}

// Reads `count` UTF-16 code units into `value`. A valid surrogate pair becomes
// one character; a lone surrogate is kept as it is. Nothing is allocated for
// units that the input does not hold: a count beyond the remaining bytes fails
// where the first missing unit would be read, as a unit-by-unit read would.
template <typename Buffer>
void ReadUtf16(Buffer& input, uint32_t count, std::wstring& value)
{
    static_assert(sizeof(wchar_t) == 4, "characters above U+FFFF need a 32-bit wchar_t");
    const uint32_t available = input.GetRemaining() / 2;
    if (count > available) {
        input.Skip(available * 2);
        uint16_t missing;
        input.Read(missing);
    }
    const uint8_t* units = input.Consume(count * 2);
    value.clear();
    value.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t unit = units[2 * i] | (units[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const uint32_t next = units[2 * i + 2] | (units[2 * i + 3] << 8);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                value.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
                ++i;
                continue;
            }
        }
        value.push_back(static_cast<wchar_t>(unit));
    }
}

}  // namespace bond::detail
