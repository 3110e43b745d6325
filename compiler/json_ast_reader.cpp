#include "compiler/json_ast_reader.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <array>
#include <stdexcept>

namespace certpluck::gbc {
namespace {

using Json = nlohmann::json;

[[noreturn]] void Invalid(std::string_view why)
{
    throw std::runtime_error(fmt::format("invalid JSON AST: {}", why));
}

// Counts brackets outside strings: the reader below recurses once a level.
void CheckDepth(std::string_view text)
{
    int depth = 0;
    bool in_string = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (in_string) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                in_string = false;
            }
        } else if (c == '"') {
            in_string = true;
        } else if (c == '[' || c == '{') {
            if (++depth > max_json_depth) {
                Invalid("nested too deeply");
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
}

const Json& Member(const Json& object, const char* key)
{
    if (!object.is_object() || !object.contains(key)) {
        Invalid(fmt::format("missing \"{}\"", key));
    }
    return object.at(key);
}

// A key the library's reader lets a file leave out, or set to null.
const Json* OptionalMember(const Json& object, const char* key)
{
    if (!object.is_object()) {
        Invalid("expected an object");
    }
    const auto found = object.find(key);
    return found == object.end() || found->is_null() ? nullptr : &*found;
}

std::string Text(const Json& value)
{
    if (!value.is_string()) {
        Invalid("expected a string");
    }
    return value.get<std::string>();
}

const Json& Array(const Json& value)
{
    if (!value.is_array()) {
        Invalid("expected an array");
    }
    return value;
}

QualifiedName Names(const Json& value)
{
    QualifiedName name;
    for (const Json& part : Array(value)) {
        name.push_back(Text(part));
    }
    return name;
}

class Reader {
public:
    explicit Reader(JsonAst& ast) : _ast(ast) {}

    void Bond(const Json& root)
    {
        for (const Json& import : Array(Member(root, "imports"))) {
            _ast.bond.imports.push_back({Text(import), {}});
        }
        _ast.bond.namespaces = Namespaces(Member(root, "namespaces"));
        for (const Json& declaration : Array(Member(root, "declarations"))) {
            _ast.bond.declarations.push_back(Declaration(declaration));
        }
    }

private:
    static std::vector<Namespace> Namespaces(const Json& value)
    {
        std::vector<Namespace> namespaces;
        for (const Json& one : Array(value)) {
            Namespace result;
            if (const Json* language = OptionalMember(one, "language")) {
                const std::string name = Text(*language);
                if (name == "Cpp") {
                    result.language = Language::cpp;
                } else if (name == "Cs") {
                    result.language = Language::cs;
                } else if (name == "Java") {
                    result.language = Language::java;
                } else {
                    Invalid(fmt::format("unknown language \"{}\"", name));
                }
            }
            result.name = Names(Member(one, "name"));
            namespaces.push_back(std::move(result));
        }
        return namespaces;
    }

    static std::vector<Attribute> Attributes(const Json& object, const char* key)
    {
        std::vector<Attribute> attributes;
        if (const Json* list = OptionalMember(object, key)) {
            for (const Json& one : Array(*list)) {
                attributes.push_back({Names(Member(one, "attrName")), Text(Member(one, "attrValue"))});
            }
        }
        return attributes;
    }

    static TypeParam Param(const Json& value)
    {
        TypeParam param{Text(Member(value, "paramName")), false};
        if (const Json* constraint = OptionalMember(value, "paramConstraint")) {
            if (Text(*constraint) != "value") {
                Invalid("a type parameter's constraint can only be \"value\"");
            }
            param.value_constraint = true;
        }
        return param;
    }

    std::unique_ptr<gbc::Declaration> Declaration(const Json& value)
    {
        auto declaration = std::make_unique<gbc::Declaration>();
        const std::string tag = Text(Member(value, "tag"));
        declaration->namespaces = Namespaces(Member(value, "declNamespaces"));
        declaration->name = Text(Member(value, "declName"));
        declaration->attributes = Attributes(value, "declAttributes");
        if (const Json* params = OptionalMember(value, "declParams")) {
            for (const Json& param : Array(*params)) {
                declaration->params.push_back(Param(param));
            }
        }
        if (tag == "Struct") {
            declaration->kind = DeclarationKind::structure;
            declaration->base = OptionalType(value, "structBase");
            for (const Json& field : Array(Member(value, "structFields"))) {
                declaration->fields.push_back(Field(field));
            }
        } else if (tag == "Enum") {
            declaration->kind = DeclarationKind::enumeration;
            for (const Json& constant : Array(Member(value, "enumConstants"))) {
                Constant result{{}, Text(Member(constant, "constantName")), std::nullopt};
                if (const Json* number = OptionalMember(constant, "constantValue")) {
                    if (!number->is_number_integer()) {
                        Invalid("an enum constant's value must be an integer");
                    }
                    result.value = number->get<int64_t>();
                }
                declaration->constants.push_back(std::move(result));
            }
        } else if (tag == "Forward") {
            declaration->kind = DeclarationKind::forward;
        } else if (tag == "Alias") {
            declaration->kind = DeclarationKind::alias;
            declaration->aliased = Type(Member(value, "aliasType"));
        } else if (tag == "Service") {
            declaration->kind = DeclarationKind::service;
            declaration->base = OptionalType(value, "serviceBase");
            for (const Json& method : Array(Member(value, "serviceMethods"))) {
                declaration->methods.push_back(Method(method));
            }
        } else {
            Invalid(fmt::format("unknown declaration tag \"{}\"", tag));
        }
        return declaration;
    }

    std::optional<gbc::Type> OptionalType(const Json& object, const char* key)
    {
        if (const Json* type = OptionalMember(object, key)) {
            return Type(*type);
        }
        return std::nullopt;
    }

    gbc::Method Method(const Json& value)
    {
        gbc::Method method;
        const std::string tag = Text(Member(value, "tag"));
        method.name = Text(Member(value, "methodName"));
        method.attributes = Attributes(value, "methodAttributes");
        method.input.type = OptionalType(value, "methodInput");
        if (tag == "Event") {
            method.is_event = true;
            if (value.contains("methodStreaming")) {
                Invalid("an event cannot have \"methodStreaming\"");
            }
            return method;
        }
        if (tag != "Function") {
            Invalid(fmt::format("unknown method tag \"{}\"", tag));
        }
        method.result.type = OptionalType(value, "methodResult");
        const Json* streaming = OptionalMember(value, "methodStreaming");
        const std::string kind = streaming == nullptr ? "Unary" : Text(*streaming);
        if (kind != "Unary" && kind != "Client" && kind != "Server" && kind != "Duplex") {
            Invalid(fmt::format("unknown methodStreaming \"{}\"", kind));
        }
        method.input.streaming = kind == "Client" || kind == "Duplex";
        method.result.streaming = kind == "Server" || kind == "Duplex";
        if ((method.input.streaming && !method.input.type) || (method.result.streaming && !method.result.type)) {
            Invalid(fmt::format("method \"{}\" streams a void payload", method.name));
        }
        return method;
    }

    gbc::Field Field(const Json& value)
    {
        gbc::Field field;
        field.attributes = Attributes(value, "fieldAttributes");
        const Json& ordinal = Member(value, "fieldOrdinal");
        if (!ordinal.is_number_unsigned() || ordinal.get<uint64_t>() > 65535) {
            Invalid("a field's ordinal must be an integer within 0-65535");
        }
        field.ordinal = ordinal.get<uint16_t>();
        if (const Json* modifier = OptionalMember(value, "fieldModifier")) {
            const std::string name = Text(*modifier);
            if (name == "Required") {
                field.modifier = Modifier::required;
            } else if (name == "RequiredOptional") {
                field.modifier = Modifier::required_optional;
            } else if (name != "Optional") {
                Invalid(fmt::format("unknown field modifier \"{}\"", name));
            }
        }
        field.type = Type(Member(value, "fieldType"));
        field.name = Text(Member(value, "fieldName"));
        if (const Json* given = OptionalMember(value, "fieldDefault")) {
            field.default_value = DefaultValue(*given);
        }
        return field;
    }

    static Default DefaultValue(const Json& value)
    {
        Default result;
        const std::string type = Text(Member(value, "type"));
        if (type == "nothing") {
            result.kind = DefaultKind::nothing;
            return result;
        }
        const Json& given = Member(value, "value");
        if (type == "bool" && given.is_boolean()) {
            result.kind = DefaultKind::boolean;
            result.boolean = given.get<bool>();
        } else if (type == "integer" && given.is_number_integer()) {
            result.kind = DefaultKind::integer;
            result.integer.negative =
                given.is_number_integer() && !given.is_number_unsigned() && given.get<int64_t>() < 0;
            result.integer.magnitude =
                result.integer.negative ? 0 - static_cast<uint64_t>(given.get<int64_t>()) : given.get<uint64_t>();
        } else if (type == "float" && given.is_number()) {
            result.kind = DefaultKind::floating;
            result.floating = given.get<double>();
        } else if ((type == "string" || type == "enum") && given.is_string()) {
            result.kind = type == "string" ? DefaultKind::string : DefaultKind::enumeration;
            result.text = given.get<std::string>();
        } else {
            Invalid(fmt::format("invalid default of type \"{}\"", type));
        }
        return result;
    }

    gbc::Type Type(const Json& value)
    {
        static constexpr std::array<std::string_view, 16> basic = {
            "int8",   "int16",  "int32",   "int64",           "uint8",
            "uint16", "uint32", "uint64",  "float",           "double",
            "bool",   "string", "wstring", "bond_meta::name", "bond_meta::full_name",
            "blob"};
        static constexpr std::array<std::string_view, 7> containers = {"maybe", "list", "vector", "nullable",
                                                                       "set",   "map",  "bonded"};
        gbc::Type type;
        if (value.is_string()) {
            const std::string name = value.get<std::string>();
            const auto found = std::find(basic.begin(), basic.end(), name);
            if (found == basic.end()) {
                Invalid(fmt::format("unknown type \"{}\"", name));
            }
            type.kind = static_cast<TypeKind>(found - basic.begin());
            return type;
        }
        const std::string kind = Text(Member(value, "type"));
        if (const auto found = std::find(containers.begin(), containers.end(), kind); found != containers.end()) {
            type.kind = static_cast<TypeKind>(static_cast<size_t>(TypeKind::maybe) +
                                              static_cast<size_t>(found - containers.begin()));
            if (type.kind == TypeKind::map) {
                type.arguments.push_back(Type(Member(value, "key")));
            }
            type.arguments.push_back(Type(Member(value, "element")));
        } else if (kind == "constant") {
            type.kind = TypeKind::constant;
            const Json& number = Member(value, "value");
            if (!number.is_number_integer()) {
                Invalid("a constant type argument must be an integer");
            }
            type.constant = number.get<int64_t>();
        } else if (kind == "parameter") {
            type.kind = TypeKind::parameter;
            type.parameter = Param(Member(value, "value"));
        } else if (kind == "user") {
            type.kind = TypeKind::user;
            _ast.referenced.push_back(Declaration(Member(value, "declaration")));
            type.declaration = _ast.referenced.back().get();
            if (const Json* arguments = OptionalMember(value, "arguments")) {
                for (const Json& argument : Array(*arguments)) {
                    type.arguments.push_back(Type(argument));
                }
            }
        } else {
            Invalid(fmt::format("unknown type \"{}\"", kind));
        }
        return type;
    }

    JsonAst& _ast;
};

}  // namespace

JsonAst ReadJsonAst(std::string_view text)
{
    CheckDepth(text);
    const Json root = Json::parse(text, nullptr, false);
    if (root.is_discarded()) {
        Invalid("the file is not JSON");
    }
    JsonAst ast;
    Reader(ast).Bond(root);
    return ast;
}

}  // namespace certpluck::gbc
