// The Unicode the schema language needs: UTF-8 decoding and encoding, and
// the character classes its lexer uses (letters and digits of any script in
// identifiers, any space separator between tokens).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace certpluck::gbc {

inline constexpr char32_t invalid_code_point = 0xFFFFFFFF;

// The length a UTF-8 sequence with this first byte claims (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead);
// Decodes the code point at `offset` and moves past it; on a malformed,
// overlong or surrogate sequence returns invalid_code_point and moves one byte.
char32_t DecodeUtf8(std::string_view text, size_t& offset);
bool IsValidUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t code_point);

bool IsLetter(char32_t code_point);
bool IsLetterOrNumber(char32_t code_point);
bool IsSpace(char32_t code_point);

}  // namespace certpluck::gbc
