// Splits a schema file into tokens, skipping white space (any Unicode space
// separator) and both kinds of comment. Malformed text (invalid UTF-8, a
// stray character, an unterminated string or comment) is reported and
// skipped, so that parsing goes on and finds the errors after it.
#pragma once

#include "compiler/diagnostics.h"
#include "compiler/source_file.h"
#include "compiler/token.h"

#include <string>
#include <string_view>
#include <vector>

namespace certpluck::gbc {

// Fills file.line_starts. The tokens point into file.text and end with an
// `end` token.
TokenList Tokenize(SourceFile& file, Diagnostics& diagnostics);

// The decimal digits of an integer literal's value, however large: "0x10"
// gives "16".
std::string DecimalDigits(std::string_view literal);

}  // namespace certpluck::gbc
