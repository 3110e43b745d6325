// Writes a resolved schema as the library's JSON AST. The format repeats a
// user type's whole declaration wherever the type is used, so the output can
// be far larger than the schema: it is streamed, never held, and refused
// once it passes a limit.
#pragma once

#include "compiler/ast.h"

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <string>

namespace certpluck::gbc {

class OutputTooLarge : public std::runtime_error {
public:
    explicit OutputTooLarge(uint64_t limit);
};

// Throws OutputTooLarge, having written part of the output, when it would
// pass `limit` bytes.
void WriteJsonAst(const Bond& bond, std::ostream& out, uint64_t limit);

}  // namespace certpluck::gbc
