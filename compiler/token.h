// The tokens of the schema language. Keywords are identifiers: most of them
// are keywords only where the grammar expects one (`stream`, `nothing`,
// `value`), so the parser decides.
#pragma once

#include "compiler/source_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace certpluck::gbc {

enum class TokenKind : uint8_t { identifier, integer, floating, string, punctuation, end };

// Kept small: a schema of a million tokens holds them all at once.
struct Token {
    TokenKind kind = TokenKind::end;
    // An integer that does not fit in 64 bits.
    bool too_large = false;
    // A string's index among TokenList::strings.
    uint32_t string_index = 0;
    // The token as written; for a string, with its quotes.
    std::string_view text;
    Position position;
    uint64_t integer = 0;
    double floating = 0;

    bool Is(char punctuation) const
    {
        return kind == TokenKind::punctuation && text.size() == 1 && text[0] == punctuation;
    }
    bool IsWord(std::string_view word) const { return kind == TokenKind::identifier && text == word; }
};

struct TokenList {
    std::vector<Token> tokens;
    // The strings' values, their escapes decoded.
    std::vector<std::string> strings;

    const std::string& StringValue(const Token& token) const { return strings[token.string_index]; }
};

}  // namespace certpluck::gbc
