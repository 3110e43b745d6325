// The checks on a declaration whose names are resolved: what the library's
// compiler refuses (duplicate ordinals and names, defaults of the wrong type
// or out of range, an enum field without a default, `nothing` for a struct)
// and the plain faults it lets through (an enum default that names no
// constant, a repeated constant, a struct holding itself by value).
#pragma once

#include "compiler/ast.h"
#include "compiler/diagnostics.h"

namespace certpluck::gbc {

// Also gives a field whose default is `nothing` its maybe type, and sorts
// the fields by ordinal, as the AST has them.
void CheckFields(Declaration& structure, Diagnostics& diagnostics);
// A struct's base must be a struct defined before it, or a type parameter.
void CheckBase(const Declaration& structure, Diagnostics& diagnostics);
void CheckEnum(const Declaration& enumeration, Diagnostics& diagnostics);
void CheckMethods(const Declaration& service, Diagnostics& diagnostics);

}  // namespace certpluck::gbc
