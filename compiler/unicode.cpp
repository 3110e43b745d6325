#include "compiler/unicode.h"

#include <unicode/uchar.h>

namespace certpluck::gbc {

size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    return 1;
}

char32_t DecodeUtf8(std::string_view text, size_t& offset)
{
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead < 0x80) {
        ++offset;
        return lead;
    }
    const size_t length = Utf8SequenceLength(lead);
    if (length == 1 || text.size() - offset < length) {
        ++offset;
        return invalid_code_point;
    }
    char32_t code_point = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[offset + i]);
        if ((next & 0xC0) != 0x80) {
            ++offset;
            return invalid_code_point;
        }
        code_point = (code_point << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code_point < 0x800) || (length == 4 && code_point < 0x10000);
    if (overlong || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        ++offset;
        return invalid_code_point;
    }
    offset += length;
    return code_point;
}

bool IsValidUtf8(std::string_view text)
{
    for (size_t offset = 0; offset < text.size();) {
        if (DecodeUtf8(text, offset) == invalid_code_point) {
            return false;
        }
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t code_point)
{
    if (code_point < 0x80) {
        out.push_back(static_cast<char>(code_point));
    } else if (code_point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
        out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else if (code_point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
    }
}

// The classes follow the general categories, as the library's compiler does:
// letters are L*, numbers N*, and spaces the Zs separators with the C
// controls from tab to carriage return.
bool IsLetter(char32_t code_point)
{
    if (code_point < 0x80) {
        return (code_point >= 'a' && code_point <= 'z') || (code_point >= 'A' && code_point <= 'Z');
    }
    return (U_GET_GC_MASK(static_cast<UChar32>(code_point)) & U_GC_L_MASK) != 0;
}

bool IsLetterOrNumber(char32_t code_point)
{
    if (code_point < 0x80) {
        return IsLetter(code_point) || (code_point >= '0' && code_point <= '9');
    }
    return (U_GET_GC_MASK(static_cast<UChar32>(code_point)) & (U_GC_L_MASK | U_GC_N_MASK)) != 0;
}

bool IsSpace(char32_t code_point)
{
    if (code_point < 0x80) {
        return code_point == ' ' || (code_point >= '\t' && code_point <= '\r');
    }
    return u_charType(static_cast<UChar32>(code_point)) == U_SPACE_SEPARATOR;
}

}  // namespace certpluck::gbc
