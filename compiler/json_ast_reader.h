// Reads a schema given as the library's JSON AST, as `gbc schema` writes it
// (keys it may leave out take their defaults). Each user type in that form
// carries its declaration, which becomes a declaration of its own here.
#pragma once

#include "compiler/ast.h"

#include <deque>
#include <memory>
#include <string_view>

namespace certpluck::gbc {

// JSON nested deeper than this is refused before it is parsed.
inline constexpr int max_json_depth = 512;

struct JsonAst {
    Bond bond;
    // The declarations that user types refer to.
    std::deque<std::unique_ptr<Declaration>> referenced;
};

// Throws std::runtime_error saying what is wrong with the text.
JsonAst ReadJsonAst(std::string_view text);

}  // namespace certpluck::gbc
