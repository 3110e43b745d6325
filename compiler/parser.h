// A recursive-descent parser for the schema language. It records a position
// on every node and, after a syntax error, skips to the next field or the
// next declaration and goes on, so that one run reports every syntax error.
// Names are not looked up here: that is the resolver's job.
#pragma once

#include "compiler/ast.h"
#include "compiler/diagnostics.h"
#include "compiler/token.h"

#include <vector>

namespace certpluck::gbc {

// Types nest no deeper than this (list<list<...>>): deeper is an error, not a
// deep recursion.
inline constexpr int max_type_depth = 64;

// `well_formed` is cleared by a syntax error: one after which the tree lacks
// something that was written. Values out of range are reported but leave the
// tree whole, so that the resolver can go on to find more errors.
Bond Parse(const TokenList& tokens, Diagnostics& diagnostics, bool& well_formed);

}  // namespace certpluck::gbc
