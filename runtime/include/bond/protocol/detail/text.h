// Text on the wire, the same in every protocol but for how its length is
// stored: a narrow string as its bytes, a wide string as UTF-16 code units,
// two bytes each, little-endian.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/detail/checked.h>
#include <bond/protocol/detail/stream_access.h>
#include <bond/stream/output_counter.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace bond::detail {

// `length` bytes as a narrow string.
template <typename Buffer, typename A>
void ReadString(Buffer& input, uint32_t length, std::basic_string<char, std::char_traits<char>, A>& value)
{
    std::vector<uint8_t> storage;
    const uint8_t* bytes = ReadRun(input, length, storage);
    value.assign(reinterpret_cast<const char*>(bytes), length);
}

// The bytes of text whose length was read: `length` bytes of a narrow string,
// or `length` UTF-16 units of a wide one, as a view of the input. Units past
// the end fail where the first missing one would be read.
template <typename Buffer>
void ReadTextBytes(Buffer& input, BondDataType type, uint32_t length, blob& bytes)
{
    if (type == BT_WSTRING) {
        RequireElements(input, length, 2);
        input.Read(bytes, CheckedMultiply(length, 2));
    } else {
        input.Read(bytes, length);
    }
}

// Passes over the bytes of text whose length was read, as ReadTextBytes would
// read them.
template <typename Buffer>
void SkipTextBytes(Buffer& input, BondDataType type, uint32_t length)
{
    input.Skip(type == BT_WSTRING ? CheckedMultiply(length, 2) : length);
}

// Text is converted a run of units at a time through a buffer on the stack:
// a run that holds no surrogate, as most text does, is a plain widening or
// narrowing that the compiler turns into vector instructions, and the string
// or output is appended to once per run.
inline constexpr uint32_t utf16_run = 256;

// The `index`th two-byte little-endian unit at `units`.
inline uint16_t UnitAt(const uint8_t* units, size_t index) noexcept
{
    uint16_t unit;
    std::memcpy(&unit, units + 2 * index, 2);
    if constexpr (std::endian::native == std::endian::big) {
        unit = static_cast<uint16_t>(unit << 8 | unit >> 8);
    }
    return unit;
}

// Appends the characters of units [begin, end) of `units` (two bytes each,
// little-endian) to `value`, pairing surrogates; a pair may reach one unit past
// `end` but not past `count`. Returns where it stopped.
template <typename A>
uint32_t AppendPairedUtf16(const uint8_t* units, uint32_t begin, uint32_t end, uint32_t count,
                           std::basic_string<wchar_t, std::char_traits<wchar_t>, A>& value)
{
    uint32_t i = begin;
    while (i < end) {
        const uint32_t unit = UnitAt(units, i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const uint32_t next = UnitAt(units, i + 1);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                value.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00)));
                i += 2;
                continue;
            }
        }
        value.push_back(static_cast<wchar_t>(unit));
        ++i;
    }
    return i;
}

// Widens `size` units at `units` into `out`, one character each; tells
// whether any was a surrogate, which the caller must then pair instead. The
// surrogate test is made on the 16-bit units, with a 64-bit index, so that the
// compiler checks eight units per vector instruction.
inline bool WidenUtf16(const uint8_t* __restrict units, uint32_t size, wchar_t* __restrict out) noexcept
{
    uint16_t surrogates = 0;
    for (size_t k = 0; k < size; ++k) {
        const uint16_t unit = UnitAt(units, k);
        out[k] = static_cast<wchar_t>(unit);
        surrogates |= static_cast<uint16_t>((unit & 0xF800) == 0xD800);
    }
    return surrogates != 0;
}

// WidenUtf16 for a run of long text, defined in the runtime's library: the
// loop where long text spends its time then sits at one place, aligned,
// whatever code a program builds around it. Inlined into a program's own code,
// its speed moved by a tenth with changes elsewhere in the program.
bool WidenUtf16Run(const uint8_t* units, uint32_t size, wchar_t* out) noexcept;

// Reads `count` UTF-16 code units into `value`. A valid surrogate pair becomes
// one character; a lone surrogate is kept as it is. Nothing is allocated for
// units that the input does not hold: a count beyond the remaining bytes fails
// where the first missing unit would be read, as a unit-by-unit read would.
// Short text is widened in place in the string; long text a run at a time
// through the stack, so that its characters are not zero-filled first.
template <typename Buffer, typename A>
void ReadUtf16(Buffer& input, uint32_t count, std::basic_string<wchar_t, std::char_traits<wchar_t>, A>& value)
{
    static_assert(sizeof(wchar_t) == 4, "characters above U+FFFF need a 32-bit wchar_t");
    RequireElements(input, count, 2);
    std::vector<uint8_t> storage;
    const uint8_t* units = ReadRun(input, CheckedMultiply(count, 2), storage);
    if (count <= utf16_run) {
        value.resize(count);
        if (WidenUtf16(units, count, value.data())) {
            value.clear();
            AppendPairedUtf16(units, 0, count, count, value);
        }
        return;
    }
    value.clear();
    value.reserve(count);
    wchar_t run[utf16_run];
    for (uint32_t i = 0; i < count;) {
        const uint32_t size = std::min(utf16_run, count - i);
        if (WidenUtf16Run(units + 2 * i, size, run)) {
            i = AppendPairedUtf16(units, i, i + size, count, value);
        } else {
            value.append(run, size);
            i += size;
        }
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
inline uint64_t Utf16Length(std::wstring_view value) noexcept
{
    uint64_t pairs = 0;
    for (const wchar_t character : value) {
        const auto code_point = static_cast<uint32_t>(character);
        pairs += code_point - 0x10000 < 0x100000;
    }
    return value.size() + pairs;
}

// Writes `value` as UTF-16 units, two bytes each, little-endian; no count.
template <typename Buffer>
void WriteUtf16(Buffer& output, std::wstring_view value)
{
    static_assert(sizeof(wchar_t) == 4, "characters above U+FFFF need a 32-bit wchar_t");
    uint8_t run[2 * utf16_run + 2];
    const wchar_t* characters = value.data();
    for (size_t i = 0; i < value.size();) {
        const auto size = static_cast<uint32_t>(std::min<size_t>(utf16_run, value.size() - i));
        uint32_t wide = 0;
        for (uint32_t k = 0; k < size; ++k) {
            const auto code_point = static_cast<uint32_t>(characters[i + k]);
            uint16_t unit = static_cast<uint16_t>(code_point);
            if constexpr (std::endian::native == std::endian::big) {
                unit = static_cast<uint16_t>(unit << 8 | unit >> 8);
            }
            std::memcpy(run + 2 * k, &unit, 2);
            wide |= code_point >> 16;
        }
        uint32_t bytes = 2 * size;
        if (wide) {
            bytes = 0;
            for (uint32_t k = 0; k < size; ++k) {
                uint16_t units[2];
                const uint32_t unit_count = ToUtf16(characters[i + k], units);
                for (uint32_t u = 0; u < unit_count; ++u) {
                    run[bytes++] = static_cast<uint8_t>(units[u]);
                    run[bytes++] = static_cast<uint8_t>(units[u] >> 8);
                }
                if (bytes > 2 * utf16_run - 2 && k + 1 < size) {
                    output.Write(run, bytes);
                    bytes = 0;
                }
            }
        }
        output.Write(run, bytes);
        i += size;
    }
}

// Text as its length (written by `write_length`, in the protocol's own way),
// then its bytes or UTF-16 units. Throws std::length_error for text longer than
// a 32-bit count can state.
template <typename Buffer, typename A, typename WriteLength>
void WriteText(Buffer& output, const std::basic_string<char, std::char_traits<char>, A>& value,
               WriteLength&& write_length)
{
    const uint32_t length = CheckedLength(value.size());
    write_length(length);
    output.Write(value.data(), length);
}

// Always inlined into the writer's Write, as the narrow one is by itself: left
// to the compiler, it became a call of its own for every wide string, which
// showed in writing many small records.
template <typename Buffer, typename A, typename WriteLength>
[[gnu::always_inline]] inline void WriteText(Buffer& output,
                                             const std::basic_string<wchar_t, std::char_traits<wchar_t>, A>& value,
                                             WriteLength&& write_length)
{
    const uint32_t length = CheckedLength(Utf16Length(value));
    write_length(length);
    if constexpr (std::is_base_of_v<OutputCounter, Buffer>) {
        // A counter needs only the bytes' number, which the length gives.
        output.Write(nullptr, CheckedMultiply(length, 2));
    } else {
        WriteUtf16(output, value);
    }
}

}  // namespace bond::detail
