// The tokens of the schema language. Keywords are identifiers: most of them
// are keywords only where the grammar expects one (`stream`, `nothing`,
// `value`), so the parser decides.
#pragma once

#include "compiler/source_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace certpluck::gbc {

enum class TokenKind { identifier, integer, floating, string, punctuation, end };

struct Token {
    TokenKind kind = TokenKind::end;
    // The token as written; for a string, with its quotes.
    std::string_view text;
    Position position;
    // An integer's value, unless it does not fit in 64 bits (too_large).
    uint64_t integer = 0;
    bool too_large = false;
    double floating = 0;
    // A string's value, its escapes decoded.
    std::string value;

    bool Is(char punctuation) const
    {
        return kind == TokenKind::punctuation && text.size() == 1 && text[0] == punctuation;
    }
    bool IsWord(std::string_view word) const { return kind == TokenKind::identifier && text == word; }
};

}  // namespace certpluck::gbc
