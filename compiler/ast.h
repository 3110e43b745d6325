// The schema's abstract syntax tree, as the library's compiler defines it
// (Bond, Declaration, Field, Type, ...), with a position on every node. The
// parser fills in what is written; the resolver binds each user type to the
// declaration its name meant at that point of the file, which is what the
// JSON form writes out in full.
#pragma once

#include "compiler/source_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace certpluck::gbc {

using QualifiedName = std::vector<std::string>;

enum class Language { cpp, cs, java };

struct Namespace {
    std::optional<Language> language;
    QualifiedName name;
    bool operator==(const Namespace&) const = default;
};

struct Attribute {
    QualifiedName name;
    std::string value;
};

struct TypeParam {
    std::string name;
    bool value_constraint = false;
};

struct Declaration;

enum class TypeKind {
    int8,
    int16,
    int32,
    int64,
    uint8,
    uint16,
    uint32,
    uint64,
    float32,
    float64,
    boolean,
    string,
    wstring,
    meta_name,
    meta_full_name,
    blob,
    maybe,
    list,
    vector,
    nullable,
    set,
    map,
    bonded,
    constant,   // an integer argument of a generic alias
    parameter,  // a type parameter of the declaration it is in
    user,       // a struct, enum, alias or forward declaration
};

struct Type {
    TypeKind kind = TypeKind::int32;
    Position position;
    // The element of a container (a map's key first, then its value), or a
    // user type's arguments.
    std::vector<Type> arguments;
    // A user type's name as written.
    QualifiedName name;
    // A user type's declaration once resolved. `as_forward` when the name
    // meant the struct before its definition ended (a forward declaration).
    const Declaration* declaration = nullptr;
    bool as_forward = false;
    TypeParam parameter;
    int64_t constant = 0;
};

enum class Modifier { optional, required, required_optional };

// An integer as written: its magnitude and sign, which is what range checks need.
struct Integer {
    uint64_t magnitude = 0;
    bool negative = false;
    // The decimal digits of a magnitude beyond 64 bits (which only a default
    // of a floating-point or type parameter field may have), else empty.
    std::string beyond_64_bits;
};

// The integer in decimal, as the JSON AST and messages write it.
inline std::string DecimalText(const Integer& value)
{
    return (value.negative ? "-" : "") +
           (value.beyond_64_bits.empty() ? std::to_string(value.magnitude) : value.beyond_64_bits);
}

enum class DefaultKind { boolean, integer, floating, string, enumeration, nothing };

struct Default {
    DefaultKind kind = DefaultKind::nothing;
    Position position;
    bool boolean = false;
    Integer integer;
    double floating = 0;
    // A string's value or an enum constant's name.
    std::string text;
};

struct Field {
    Position position;
    std::vector<Attribute> attributes;
    uint16_t ordinal = 0;
    Modifier modifier = Modifier::optional;
    Type type;
    std::string name;
    Position name_position;
    std::optional<Default> default_value;
};

struct Constant {
    Position position;
    std::string name;
    std::optional<int64_t> value;
};

// A method's input or result: nothing (void), one struct, or a stream of them.
struct MethodType {
    std::optional<Type> type;
    bool streaming = false;
};

struct Method {
    Position position;
    bool is_event = false;
    std::vector<Attribute> attributes;
    std::string name;
    MethodType input;
    MethodType result;
};

enum class DeclarationKind { structure, enumeration, forward, alias, service };

struct ViewOf {
    QualifiedName target;
    Position target_position;
    std::vector<std::pair<std::string, Position>> fields;
};

struct Declaration {
    DeclarationKind kind = DeclarationKind::structure;
    Position position;
    std::vector<Namespace> namespaces;
    std::vector<Attribute> attributes;
    std::string name;
    std::vector<TypeParam> params;
    std::optional<Type> base;  // a struct's or a service's
    std::vector<Field> fields;
    std::vector<Constant> constants;
    std::optional<Type> aliased;
    std::vector<Method> methods;
    // A struct view, until the resolver fills in the fields it names.
    std::optional<ViewOf> view;
    // The declaration's tokens, [first, last), to tell an identical
    // redefinition (allowed) from a different one.
    size_t first_token = 0;
    size_t last_token = 0;
};

struct Import {
    std::string path;
    Position position;
};

struct Bond {
    std::vector<Import> imports;
    std::vector<Namespace> namespaces;
    std::vector<std::unique_ptr<Declaration>> declarations;
};

}  // namespace certpluck::gbc
