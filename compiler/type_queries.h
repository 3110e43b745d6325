// What a resolved type is once its aliases are seen through: generic aliases
// are followed with their arguments bound to their parameters, as the
// library's compiler does before it checks a default or a container's key.
#pragma once

#include "compiler/ast.h"

namespace certpluck::gbc {

// The type an alias chain ends in: never an alias, possibly a type parameter
// left unbound (of the declaration being checked).
const Type& SeeThroughAliases(const Type& type);

// Whether every name in the type was bound; checks of a type that was not
// would only repeat the error that says so.
bool IsResolved(const Type& type);
// A struct, or a struct declared forward.
bool IsStruct(const Type& type);
// The enum the type is, or null.
const Declaration* EnumOf(const Type& type);
// Integers, floating point, bool and enums.
bool IsScalar(const Type& type);
bool IsString(const Type& type);
bool IsParameter(const Type& type);
// The struct a type names while it is only declared forward (its own name
// inside its definition, or a forward declaration), or null.
const Declaration* ForwardStructOf(const Type& type);
// Whether two declarations are of one name in the same namespaces.
bool SameName(const Declaration& left, const Declaration& right);

}  // namespace certpluck::gbc
