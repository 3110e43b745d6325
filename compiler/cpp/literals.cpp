#include "compiler/cpp/literals.h"

#include "compiler/unicode.h"

#include <fmt/format.h>

#include <limits>

namespace certpluck::gbc::cpp {
namespace {

bool IsUnsigned(TypeKind kind)
{
    return kind == TypeKind::uint8 || kind == TypeKind::uint16 || kind == TypeKind::uint32 || kind == TypeKind::uint64;
}

// Three octal digits, so that a digit after it cannot extend it.
void AppendOctal(std::string& out, uint32_t value)
{
    out += fmt::format("\\{:03o}", value);
}

void AppendAscii(std::string& out, char c)
{
    if (c == '"' || c == '\\') {
        out += '\\';
        out += c;
    } else if (c >= 0x20 && c < 0x7F) {
        out += c;
    } else {
        AppendOctal(out, static_cast<unsigned char>(c));
    }
}

}  // namespace

std::string StringLiteral(std::string_view utf8, bool wide)
{
    std::string out = wide ? "L\"" : "\"";
    for (size_t offset = 0; offset < utf8.size();) {
        if (static_cast<unsigned char>(utf8[offset]) < 0x80) {
            AppendAscii(out, utf8[offset++]);
            continue;
        }
        if (!wide) {
            AppendOctal(out, static_cast<unsigned char>(utf8[offset++]));
            continue;
        }
        const size_t start = offset;
        const char32_t code_point = DecodeUtf8(utf8, offset);
        if (code_point == invalid_code_point) {
            AppendOctal(out, static_cast<unsigned char>(utf8[start]));
        } else if (code_point < 0xA0) {
            // A universal character name may not stand for a control character.
            AppendOctal(out, static_cast<uint32_t>(code_point));
        } else if (code_point <= 0xFFFF) {
            out += fmt::format("\\u{:04X}", static_cast<uint32_t>(code_point));
        } else {
            out += fmt::format("\\U{:08X}", static_cast<uint32_t>(code_point));
        }
    }
    return out + '"';
}

std::string IntegerLiteral(const Integer& value, TypeKind kind)
{
    constexpr uint64_t int64_min_magnitude = uint64_t{1} << 63;
    if (value.negative && value.magnitude == int64_min_magnitude) {
        // Its magnitude alone is too large for a signed literal.
        return fmt::format("(-{} - 1)", std::numeric_limits<int64_t>::max());
    }
    return DecimalText(value) + (IsUnsigned(kind) && !value.negative ? "u" : "");
}

std::string FloatingLiteral(double value, TypeKind kind)
{
    std::string text = fmt::format("{}", value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return kind == TypeKind::float32 ? text + "f" : text;
}

}  // namespace certpluck::gbc::cpp
