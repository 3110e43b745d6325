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

// Each user type's declaration is written inside the type, so a chain of
// records nests as deep as it is long; the writer recurses once a level, and
// refuses to go deeper than the stacks its callers give it allow (the
// program's workers take 512 MiB, ample for this depth).
inline constexpr size_t max_declaration_depth = 100000;

// Throws OutputTooLarge, having written part of the output, when it would
// pass `limit` bytes, and std::runtime_error past max_declaration_depth.
void WriteJsonAst(const Bond& bond, std::ostream& out, uint64_t limit);

}  // namespace certpluck::gbc
