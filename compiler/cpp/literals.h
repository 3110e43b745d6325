// C++ literals for the values a schema writes: text is escaped so that any
// string the schema holds (quotes, backslashes, control characters, any
// Unicode) reads back as exactly that string.
#pragma once

#include "compiler/ast.h"

#include <string>
#include <string_view>

namespace certpluck::gbc::cpp {

// A narrow literal holds the UTF-8 bytes; a wide one (L"...") the code points.
std::string StringLiteral(std::string_view utf8, bool wide);

// An integer literal of the given type (an unsigned type's ends in "u").
std::string IntegerLiteral(const Integer& value, TypeKind kind);

// A floating-point literal that reads back as `value` (float ends in "f").
std::string FloatingLiteral(double value, TypeKind kind);

}  // namespace certpluck::gbc::cpp
