#include "compiler/cpp/cpp_names.h"

#include "compiler/cpp/literals.h"
#include "compiler/type_queries.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>

namespace certpluck::gbc::cpp {
namespace {

const Namespace* CppNamespace(const std::vector<Namespace>& namespaces)
{
    const auto cpp = std::find_if(namespaces.begin(), namespaces.end(),
                                  [](const Namespace& candidate) { return candidate.language == Language::cpp; });
    if (cpp != namespaces.end()) {
        return &*cpp;
    }
    const auto any = std::find_if(namespaces.begin(), namespaces.end(),
                                  [](const Namespace& candidate) { return !candidate.language; });
    return any == namespaces.end() ? nullptr : &*any;
}

std::string Join(const QualifiedName& name, std::string_view separator)
{
    return fmt::format("{}", fmt::join(name, separator));
}

const char* BasicTypeName(TypeKind kind)
{
    switch (kind) {
    case TypeKind::int8: return "int8_t";
    case TypeKind::int16: return "int16_t";
    case TypeKind::int32: return "int32_t";
    case TypeKind::int64: return "int64_t";
    case TypeKind::uint8: return "uint8_t";
    case TypeKind::uint16: return "uint16_t";
    case TypeKind::uint32: return "uint32_t";
    case TypeKind::uint64: return "uint64_t";
    case TypeKind::float32: return "float";
    case TypeKind::float64: return "double";
    case TypeKind::boolean: return "bool";
    case TypeKind::string:
    case TypeKind::meta_name:
    case TypeKind::meta_full_name: return "std::string";
    case TypeKind::wstring: return "std::wstring";
    case TypeKind::blob: return "::bond::blob";
    default: return nullptr;
    }
}

const char* TemplateName(TypeKind kind)
{
    switch (kind) {
    case TypeKind::maybe: return "::bond::maybe";
    case TypeKind::list: return "std::list";
    case TypeKind::vector: return "std::vector";
    case TypeKind::set: return "std::set";
    case TypeKind::map: return "std::map";
    case TypeKind::nullable: return "::bond::nullable";
    case TypeKind::bonded: return "::bond::bonded";
    default: return nullptr;
    }
}

const char* ModifierName(Modifier modifier)
{
    switch (modifier) {
    case Modifier::optional: return "::bond::Optional";
    case Modifier::required: return "::bond::Required";
    case Modifier::required_optional: return "::bond::RequiredOptional";
    }
    return "::bond::Optional";
}

// "{0}", "{1}"... of the template replaced by the arguments.
std::string Substitute(const std::string& pattern, const std::vector<std::string>& arguments)
{
    std::string out = pattern;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string placeholder = fmt::format("{{{}}}", index);
        for (size_t at = out.find(placeholder); at != std::string::npos;
             at = out.find(placeholder, at + arguments[index].size())) {
            out.replace(at, placeholder.size(), arguments[index]);
        }
    }
    return out;
}

}  // namespace

std::string CppNames::Namespace(const std::vector<gbc::Namespace>& namespaces) const
{
    const std::string schema = SchemaNamespace(namespaces);
    for (const NamespaceMapping& mapping : _options.namespaces) {
        if (mapping.schema == schema) {
            return mapping.cpp;
        }
    }
    const gbc::Namespace* chosen = CppNamespace(namespaces);
    return chosen == nullptr ? std::string() : Join(chosen->name, "::");
}

std::string CppNames::SchemaNamespace(const std::vector<gbc::Namespace>& namespaces)
{
    const gbc::Namespace* chosen = CppNamespace(namespaces);
    return chosen == nullptr ? std::string() : Join(chosen->name, ".");
}

std::string CppNames::Qualified(const Declaration& declaration) const
{
    const std::string space = Namespace(declaration.namespaces);
    return space.empty() ? "::" + declaration.name : fmt::format("::{}::{}", space, declaration.name);
}

std::string CppNames::TemplateHead(const Declaration& declaration)
{
    if (declaration.params.empty()) {
        return {};
    }
    std::vector<std::string> params;
    for (const TypeParam& param : declaration.params) {
        params.push_back("typename " + param.name);
    }
    return fmt::format("template <{}>", fmt::join(params, ", "));
}

std::string CppNames::SelfName(const Declaration& declaration)
{
    if (declaration.params.empty()) {
        return declaration.name;
    }
    std::vector<std::string> params;
    for (const TypeParam& param : declaration.params) {
        params.push_back(param.name);
    }
    return fmt::format("{}<{}>", declaration.name, fmt::join(params, ", "));
}

std::string CppNames::TypeName(const Type& type) const
{
    return TypeName(type, {});
}

std::string CppNames::TypeName(const Type& type, const Bindings& bindings) const
{
    if (!_options.allocator.empty()) {
        if (std::string name = AllocatedTypeName(type, bindings); !name.empty()) {
            return name;
        }
    }
    if (const char* basic = BasicTypeName(type.kind)) {
        return basic;
    }
    if (const char* name = TemplateName(type.kind)) {
        return name + Arguments(type.arguments, bindings);
    }
    switch (type.kind) {
    case TypeKind::constant: return std::to_string(type.constant);
    case TypeKind::parameter: {
        const auto bound = bindings.find(type.parameter.name);
        return bound == bindings.end() ? type.parameter.name : bound->second;
    }
    default: return UserTypeName(type, bindings);
    }
}

std::string CppNames::Allocator(const std::string& element) const
{
    const std::string rebound =
        fmt::format("typename std::allocator_traits<{}>::template rebind_alloc<{}>", _options.allocator, element);
    return _options.scoped_alloc ? fmt::format("std::scoped_allocator_adaptor<{}>", rebound) : rebound;
}

std::string CppNames::AllocatedTypeName(const Type& type, const Bindings& bindings) const
{
    const auto text = [this](const char* unit) {
        return fmt::format("std::basic_string<{0}, std::char_traits<{0}>, {1}>", unit, Allocator(unit));
    };
    const auto element = [&](size_t index) { return TypeName(type.arguments[index], bindings); };
    switch (type.kind) {
    case TypeKind::string:
    case TypeKind::meta_name:
    case TypeKind::meta_full_name: return text("char");
    case TypeKind::wstring: return text("wchar_t");
    case TypeKind::list:
    case TypeKind::vector: return fmt::format("{}<{}, {}>", TemplateName(type.kind), element(0), Allocator(element(0)));
    case TypeKind::set: return fmt::format("std::set<{0}, std::less<{0}>, {1}>", element(0), Allocator(element(0)));
    case TypeKind::map:
        return fmt::format("std::map<{0}, {1}, std::less<{0}>, {2}>", element(0), element(1),
                           Allocator(fmt::format("std::pair<const {}, {}>", element(0), element(1))));
    default: return {};
    }
}

std::string CppNames::UserTypeName(const Type& type, const Bindings& bindings) const
{
    const Declaration& declaration = *type.declaration;
    if (declaration.kind != DeclarationKind::alias) {
        return Qualified(declaration) + Arguments(type.arguments, bindings);
    }
    if (const AliasMapping* mapping = MappedAlias(declaration)) {
        std::vector<std::string> arguments;
        for (const Type& argument : type.arguments) {
            arguments.push_back(TypeName(argument, bindings));
        }
        return Substitute(mapping->cpp_template, arguments);
    }
    Bindings inner;
    for (size_t index = 0; index < declaration.params.size() && index < type.arguments.size(); ++index) {
        inner[declaration.params[index].name] = TypeName(type.arguments[index], bindings);
    }
    return TypeName(*declaration.aliased, inner);
}

std::string CppNames::AliasTarget(const Declaration& alias) const
{
    if (const AliasMapping* mapping = MappedAlias(alias)) {
        std::vector<std::string> parameters;
        for (const auto& parameter : alias.params) {
            parameters.push_back(parameter.name);
        }
        return Substitute(mapping->cpp_template, parameters);
    }
    return TypeName(*alias.aliased);
}

const AliasMapping* CppNames::MappedAlias(const Declaration& declaration) const
{
    if (declaration.kind != DeclarationKind::alias) {
        return nullptr;
    }
    const std::string qualified = SchemaNamespace(declaration.namespaces) + "." + declaration.name;
    const auto found = std::find_if(_options.aliases.begin(), _options.aliases.end(), [&](const AliasMapping& mapping) {
        return mapping.alias == declaration.name || mapping.alias == qualified;
    });
    return found == _options.aliases.end() ? nullptr : &*found;
}

std::string CppNames::Arguments(const std::vector<Type>& arguments, const Bindings& bindings) const
{
    if (arguments.empty()) {
        return {};
    }
    std::vector<std::string> names;
    for (const Type& argument : arguments) {
        names.push_back(TypeName(argument, bindings));
    }
    return fmt::format("<{}>", fmt::join(names, ", "));
}

std::string CppNames::Initializer(const Field& field) const
{
    if (field.default_value && field.default_value->kind != DefaultKind::nothing) {
        return " = " + DefaultLiteral(field);
    }
    // Numbers, bools and type parameters start at zero; a type of one's own
    // (--using) is value-initialized too, since it may stand for a number.
    return IsScalar(field.type) || IsParameter(field.type) || IsMappedAlias(field.type) ? "{}" : "";
}

bool CppNames::IsMappedAlias(const Type& type) const
{
    return type.kind == TypeKind::user && MappedAlias(*type.declaration) != nullptr;
}

std::string CppNames::DefaultLiteral(const Field& field) const
{
    const Default& value = *field.default_value;
    const TypeKind kind = SeeThroughAliases(field.type).kind;
    const bool floating = kind == TypeKind::float32 || kind == TypeKind::float64;
    switch (value.kind) {
    case DefaultKind::boolean: return value.boolean ? "true" : "false";
    case DefaultKind::integer:
        return floating ? DecimalText(value.integer) + (kind == TypeKind::float32 ? ".0f" : ".0")
                        : IntegerLiteral(value.integer, kind);
    case DefaultKind::floating: return FloatingLiteral(value.floating, kind);
    case DefaultKind::string: return StringLiteral(value.text, kind == TypeKind::wstring);
    case DefaultKind::enumeration: return EnumConstant(*EnumOf(field.type), value.text);
    case DefaultKind::nothing: break;
    }
    return "::bond::nothing";
}

std::string CppNames::EnumConstant(const Declaration& enumeration, const std::string& constant) const
{
    const std::string space = Namespace(enumeration.namespaces);
    return fmt::format("{}::_bond_enumerators::{}::{}", space.empty() ? "" : "::" + space, enumeration.name, constant);
}

std::string CppNames::MetadataArguments(const Field& field) const
{
    std::string arguments;
    if (field.default_value) {
        const std::string literal = DefaultLiteral(field);
        if (field.default_value->kind == DefaultKind::string) {
            // Text is passed as a string object, so that it is not taken for a record's name.
            arguments = fmt::format("std::{}({}), ", literal.front() == 'L' ? "wstring" : "string", literal);
        } else {
            arguments = literal + ", ";
        }
    }
    arguments += StringLiteral(field.name, false);
    if (field.modifier != Modifier::optional || !field.attributes.empty()) {
        arguments += fmt::format(", {}, {}", ModifierName(field.modifier), AttributesExpression(field.attributes));
    }
    return arguments;
}

std::string CppNames::AttributesExpression(const std::vector<Attribute>& attributes)
{
    std::vector<std::string> entries;
    for (const Attribute& attribute : attributes) {
        entries.push_back(fmt::format("{{{}, {}}}", StringLiteral(Join(attribute.name, "."), false),
                                      StringLiteral(attribute.value, false)));
    }
    return fmt::format("::bond::reflection::Attributes{{{}}}", fmt::join(entries, ", "));
}

}  // namespace certpluck::gbc::cpp
