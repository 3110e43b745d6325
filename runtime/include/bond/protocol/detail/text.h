// Text on the wire, the same in every protocol but for how its length is
// stored: a narrow string as its bytes, a wide string as UTF-16 code units,
// two bytes each, little-endian.
#pragma once

#include <bond/core/detail/checked.h>

#include <cstdint>
#include <string>

namespace bond::detail {

// `length` bytes as a narrow string.
template <typename Buffer>
void ReadString(Buffer& input, uint32_t length, std::string& value)
{
    const uint8_t* bytes = input.Consume(length);
    value.assign(reinterpret_cast<const char*>(bytes), length);
}

// Reads `count` UTF-16 code units into `value`. A valid surrogate pair becomes
// one character; a lone surrogate is kept as it is. Nothing is allocated for
// units that the input does not hold: a count beyond the remaining bytes fails
// where the first missing unit would be read, as a unit-by-unit read would.
template <typename Buffer>
void ReadUtf16(Buffer& input, uint32_t count, std::wstring& value)
{
    static_assert(sizeof(wchar_t) == 4, "characters above U+FFFF need a 32-bit wchar_t");
    input.RequireElements(count, 2);
    const uint8_t* units = input.Consume(count * 2);
    value.clear();
    value.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const auto unit = static_cast<uint32_t>(units[2 * i] | units[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const auto next = static_cast<uint32_t>(units[2 * i + 2] | units[2 * i + 3] << 8);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                value.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
                ++i;
                continue;
            }
        }
        value.push_back(static_cast<wchar_t>(unit));
    }
}

// One character as UTF-16 code units in `units`; returns how many (1 or 2).
// Above U+FFFF a character becomes a surrogate pair. A surrogate code point
// stays one unit, as ReadUtf16 keeps it, so text read from the wire writes back
// as the same units. Values beyond U+10FFFF have no UTF-16 form: they become
// U+FFFD, the replacement character, rather than be cut to an unrelated one.
inline uint32_t ToUtf16(wchar_t character, uint16_t (&units)[2]) noexcept
{
    static_assert(sizeof(wchar_t) == 4, "characters above U+FFFF need a 32-bit wchar_t");
    const auto code_point = static_cast<uint32_t>(character);
    if (code_point <= 0xFFFF) {
        units[0] = static_cast<uint16_t>(code_point);
        return 1;
    }
    if (code_point > 0x10FFFF) {
        units[0] = 0xFFFD;
        return 1;
    }
    const uint32_t offset = code_point - 0x10000;
    units[0] = static_cast<uint16_t>(0xD800 + (offset >> 10));
    units[1] = static_cast<uint16_t>(0xDC00 + (offset & 0x3FF));
    return 2;
}

// The number of UTF-16 units WriteUtf16 writes for `value`: the count that goes
// on the wire in front of them.
inline uint64_t Utf16Length(const std::wstring& value) noexcept
{
    uint64_t count = 0;
    uint16_t units[2];
    for (const wchar_t character : value) {
        count += ToUtf16(character, units);
    }
    return count;
}

// Writes `value` as UTF-16 units, two bytes each, little-endian; no count.
template <typename Buffer>
void WriteUtf16(Buffer& output, const std::wstring& value)
{
    uint16_t units[2];
    for (const wchar_t character : value) {
        const uint32_t count = ToUtf16(character, units);
        for (uint32_t i = 0; i < count; ++i) {
            output.Write(units[i]);
        }
    }
}

// Text as its length (written by `write_length`, in the protocol's own way),
// then its bytes or UTF-16 units. Throws std::length_error for text longer than
// a 32-bit count can state.
template <typename Buffer, typename WriteLength>
void WriteText(Buffer& output, const std::string& value, WriteLength&& write_length)
{
    const uint32_t length = CheckedLength(value.size());
    write_length(length);
    output.Write(value.data(), length);
}

template <typename Buffer, typename WriteLength>
void WriteText(Buffer& output, const std::wstring& value, WriteLength&& write_length)
{
    write_length(CheckedLength(Utf16Length(value)));
    WriteUtf16(output, value);
}

}  // namespace bond::detail
