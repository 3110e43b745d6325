// How the schema's names and types are written in C++: namespaces (as
// --namespace maps them), types (aliases seen through, or as --using maps
// them), defaults and metadata arguments. User types are written fully
// qualified, so that a field named like a type cannot hide it.
#pragma once

#include "compiler/ast.h"
#include "compiler/cpp/cpp_options.h"

#include <map>
#include <string>

namespace certpluck::gbc::cpp {

class CppNames {
public:
    explicit CppNames(const CppOptions& options) : _options(options) {}

    // "a::b", the namespace the declarations of a file with these namespaces go in.
    std::string Namespace(const std::vector<gbc::Namespace>& namespaces) const;
    // "a.b", as the schema writes it.
    static std::string SchemaNamespace(const std::vector<gbc::Namespace>& namespaces);
    // "::a::b::Name".
    std::string Qualified(const Declaration& declaration) const;
    // "template <typename T, typename U>", or empty for a declaration without parameters.
    static std::string TemplateHead(const Declaration& declaration);
    // "Name<T, U>", or "Name".
    static std::string SelfName(const Declaration& declaration);

    std::string TypeName(const Type& type) const;
    // What an alias's own declaration (--type-aliases) names: the --using
    // type that maps it, over the alias's parameters, or the aliased type.
    std::string AliasTarget(const Declaration& alias) const;
    // The field's initializer ("= 5", "{}"), or empty when its type's own default constructor sets it.
    std::string Initializer(const Field& field) const;
    // The field's default as a C++ literal or constant.
    std::string DefaultLiteral(const Field& field) const;
    // Whether the type is an alias written as a type of one's own (--using).
    bool IsMappedAlias(const Type& type) const;
    // The arguments of the field's MetadataInit call.
    std::string MetadataArguments(const Field& field) const;
    // "{{\"name\", \"value\"}, ...}" as a bond::reflection::Attributes.
    static std::string AttributesExpression(const std::vector<Attribute>& attributes);

private:
    using Bindings = std::map<std::string, std::string>;
    std::string TypeName(const Type& type, const Bindings& bindings) const;
    // With --allocator, a string or container written with the allocator
    // rebound to its elements; empty for any other type.
    std::string AllocatedTypeName(const Type& type, const Bindings& bindings) const;
    std::string Allocator(const std::string& element) const;
    std::string UserTypeName(const Type& type, const Bindings& bindings) const;
    std::string Arguments(const std::vector<Type>& arguments, const Bindings& bindings) const;
    const AliasMapping* MappedAlias(const Declaration& declaration) const;
    std::string EnumConstant(const Declaration& enumeration, const std::string& constant) const;

    const CppOptions& _options;
};

}  // namespace certpluck::gbc::cpp
