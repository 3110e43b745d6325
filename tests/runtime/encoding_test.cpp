#include <bond/protocol/detail/text.h>
#include <bond/protocol/encoding.h>
#include <bond/stream/input_buffer.h>
#include <bond/stream/output_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using testing_support::ToHex;

std::wstring Characters(std::initializer_list<uint32_t> code_points)
{
    std::wstring text;
    for (const uint32_t code_point : code_points) {
        text.push_back(static_cast<wchar_t>(code_point));
    }
    return text;
}

TEST(WriteUtf16, CharactersBecomeUnits)
{
    struct Case {
        std::wstring text;
        uint64_t units;
        const char* hex;
    };
    const Case cases[] = {
        {L"", 0, ""},
        {L"A\u00e9", 2, "4100e900"},
        {Characters({0xFFFF}), 1, "ffff"},
        {Characters({0x10000}), 2, "00d800dc"},
        {Characters({0x1F600}), 2, "3dd800de"},
        {Characters({0x10FFFF}), 2, "ffdbffdf"},
        // Surrogate code points stay single units, as the reader keeps them.
        {Characters({0xD83D}), 1, "3dd8"},
        {Characters({0xDE00, 0xD83D}), 2, "00de3dd8"},
        // Beyond the last code point: the replacement character.
        {Characters({0x110000}), 1, "fdff"},
        {Characters({0xFFFFFFFF, 0x41}), 2, "fdff4100"},
    };
    for (const Case& c : cases) {
        bond::OutputBuffer output;
        bond::detail::WriteUtf16(output, c.text);
        EXPECT_EQ(ToHex(output.GetBuffer()), c.hex) << c.hex;
        EXPECT_EQ(bond::detail::Utf16Length(c.text), c.units) << c.hex;
    }
}

TEST(WriteUtf16, ReadUtf16GivesBackEveryCodePoint)
{
    const std::wstring text = Characters({0x0, 0x41, 0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF, 0xDBFF});
    bond::OutputBuffer output;
    bond::detail::WriteUtf16(output, text);
    bond::InputBuffer input(output.GetBuffer());
    std::wstring result;
    bond::detail::ReadUtf16(input, static_cast<uint32_t>(bond::detail::Utf16Length(text)), result);
    EXPECT_EQ(result, text);
    EXPECT_TRUE(input.IsEof());
}

}  // namespace
