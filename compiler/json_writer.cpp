#include "compiler/json_writer.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <array>

namespace certpluck::gbc {
namespace {

constexpr std::array<std::string_view, 16> basic_names = {
    "int8",   "int16",  "int32",   "int64",           "uint8",
    "uint16", "uint32", "uint64",  "float",           "double",
    "bool",   "string", "wstring", "bond_meta::name", "bond_meta::full_name",
    "blob"};

constexpr std::array<std::string_view, 6> container_names = {"maybe", "list", "vector", "nullable", "set", "map"};

// The shortest text that reads back as the value, written as a floating-point
// number even when it is integral (1500.0), as the library writes it; the
// library's decimal numbers have no negative zero, so neither does this.
std::string FloatText(double value)
{
    std::string text = fmt::format("{}", value == 0 ? 0.0 : value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

class Writer {
public:
    Writer(std::ostream& out, uint64_t limit) : _out(out), _limit(limit) {}

    ~Writer() = default;
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Whether a declaration nested past max_declaration_depth stopped the
    // output short.
    bool TooDeep() const noexcept { return _too_deep; }

    void Bond(const gbc::Bond& bond)
    {
        Put("{\"imports\":");
        List(bond.imports, [&](const Import& import) { String(import.path); });
        Put(",\"namespaces\":");
        Namespaces(bond.namespaces);
        Put(",\"declarations\":");
        List(bond.declarations, [&](const auto& declaration) { Declaration(*declaration, false); });
        Put("}\n");
        Flush();
    }

private:
    void Put(std::string_view text)
    {
        if (_too_deep) {
            return;
        }
        _written += text.size();
        if (_written > _limit) {
            Flush();
            throw OutputTooLarge(_limit);
        }
        _buffer.append(text);
        if (_buffer.size() >= 1 << 16) {
            Flush();
        }
    }

    void Flush()
    {
        _out.write(_buffer.data(), static_cast<std::streamsize>(_buffer.size()));
        _buffer.clear();
    }

    // Writes a JSON array of the items, each by write_item.
    template <typename Items, typename WriteItem>
    void List(const Items& items, WriteItem write_item)
    {
        Put("[");
        for (size_t i = 0; i < items.size(); ++i) {
            if (i != 0) {
                Put(",");
            }
            write_item(items[i]);
        }
        Put("]");
    }

    void String(const std::string& text) { Put(nlohmann::json(text).dump()); }

    void Key(std::string_view key)
    {
        Put("\"");
        Put(key);
        Put("\":");
    }

    void Names(const QualifiedName& name)
    {
        List(name, [&](const std::string& part) { String(part); });
    }

    void Namespaces(const std::vector<Namespace>& namespaces)
    {
        List(namespaces, [&](const Namespace& one) {
            Put("{");
            if (one.language) {
                constexpr std::array<std::string_view, 3> languages = {"\"Cpp\"", "\"Cs\"", "\"Java\""};
                Key("language");
                Put(languages[static_cast<size_t>(*one.language)]);
                Put(",");
            }
            Key("name");
            Names(one.name);
            Put("}");
        });
    }

    void Attributes(const std::vector<Attribute>& attributes)
    {
        List(attributes, [&](const Attribute& attribute) {
            Put("{\"attrName\":");
            Names(attribute.name);
            Put(",\"attrValue\":");
            String(attribute.value);
            Put("}");
        });
    }

    void Param(const TypeParam& param)
    {
        Put("{\"paramName\":");
        String(param.name);
        Put(param.value_constraint ? ",\"paramConstraint\":\"value\"}" : ",\"paramConstraint\":null}");
    }

    void Params(const std::vector<TypeParam>& params)
    {
        List(params, [&](const TypeParam& param) { Param(param); });
    }

    void Common(const gbc::Declaration& declaration, std::string_view tag, bool attributes, bool params)
    {
        Put("{\"tag\":\"");
        Put(tag);
        Put("\",\"declNamespaces\":");
        Namespaces(declaration.namespaces);
        if (attributes) {
            Put(",\"declAttributes\":");
            Attributes(declaration.attributes);
        }
        Put(",\"declName\":");
        String(declaration.name);
        if (params) {
            Put(",\"declParams\":");
            Params(declaration.params);
        }
    }

    void OptionalType(const std::optional<gbc::Type>& type)
    {
        if (type) {
            Type(*type);
        } else {
            Put("null");
        }
    }

    void Declaration(const gbc::Declaration& declaration, bool as_forward)
    {
        if (as_forward || declaration.kind == DeclarationKind::forward) {
            Common(declaration, "Forward", false, true);
            Put("}");
            return;
        }
        switch (declaration.kind) {
        case DeclarationKind::structure:
            Common(declaration, "Struct", true, true);
            Put(",\"structBase\":");
            OptionalType(declaration.base);
            Put(",\"structFields\":");
            List(declaration.fields, [&](const gbc::Field& field) { Field(field); });
            Put("}");
            return;
        case DeclarationKind::enumeration:
            Common(declaration, "Enum", true, false);
            Put(",\"enumConstants\":");
            List(declaration.constants, [&](const Constant& constant) {
                Put("{\"constantName\":");
                String(constant.name);
                Put(",\"constantValue\":");
                Put(constant.value ? fmt::format("{}", *constant.value) : "null");
                Put("}");
            });
            Put("}");
            return;
        case DeclarationKind::alias:
            Common(declaration, "Alias", false, true);
            Put(",\"aliasType\":");
            OptionalType(declaration.aliased);
            Put("}");
            return;
        case DeclarationKind::service:
            Common(declaration, "Service", true, true);
            Put(",\"serviceBase\":");
            OptionalType(declaration.base);
            Put(",\"serviceMethods\":");
            List(declaration.methods, [&](const gbc::Method& method) { Method(method); });
            Put("}");
            return;
        case DeclarationKind::forward: return;
        }
    }

    void Method(const gbc::Method& method)
    {
        Put(method.is_event ? "{\"tag\":\"Event\",\"methodName\":" : "{\"tag\":\"Function\",\"methodName\":");
        String(method.name);
        Put(",\"methodAttributes\":");
        Attributes(method.attributes);
        Put(",\"methodInput\":");
        OptionalType(method.input.type);
        if (!method.is_event) {
            Put(",\"methodResult\":");
            OptionalType(method.result.type);
            const bool input = method.input.streaming;
            const bool result = method.result.streaming;
            Put(",\"methodStreaming\":");
            Put(input && result ? "\"Duplex\"" : input ? "\"Client\"" : result ? "\"Server\"" : "\"Unary\"");
        }
        Put("}");
    }

    void Field(const gbc::Field& field)
    {
        constexpr std::array<std::string_view, 3> modifiers = {"\"Optional\"", "\"Required\"", "\"RequiredOptional\""};
        Put("{\"fieldAttributes\":");
        Attributes(field.attributes);
        Put(fmt::format(",\"fieldOrdinal\":{},\"fieldModifier\":", field.ordinal));
        Put(modifiers[static_cast<size_t>(field.modifier)]);
        Put(",\"fieldType\":");
        Type(field.type);
        Put(",\"fieldName\":");
        String(field.name);
        Put(",\"fieldDefault\":");
        if (!field.default_value) {
            Put("null}");
            return;
        }
        const Default& value = *field.default_value;
        switch (value.kind) {
        case DefaultKind::boolean:
            Put(value.boolean ? "{\"type\":\"bool\",\"value\":true}" : "{\"type\":\"bool\",\"value\":false}");
            break;
        case DefaultKind::integer:
            Put(fmt::format("{{\"type\":\"integer\",\"value\":{}}}", DecimalText(value.integer)));
            break;
        case DefaultKind::floating:
            Put("{\"type\":\"float\",\"value\":");
            Put(FloatText(value.floating));
            Put("}");
            break;
        case DefaultKind::string:
            Put("{\"type\":\"string\",\"value\":");
            String(value.text);
            Put("}");
            break;
        case DefaultKind::enumeration:
            Put("{\"type\":\"enum\",\"value\":");
            String(value.text);
            Put("}");
            break;
        case DefaultKind::nothing: Put("{\"type\":\"nothing\"}"); break;
        }
        Put("}");
    }

    void Type(const gbc::Type& type)
    {
        if (_too_deep) {
            return;
        }
        const auto kind = static_cast<size_t>(type.kind);
        if (kind < basic_names.size()) {
            Put("\"");
            Put(basic_names[kind]);
            Put("\"");
            return;
        }
        switch (type.kind) {
        case TypeKind::constant: Put(fmt::format("{{\"type\":\"constant\",\"value\":{}}}", type.constant)); return;
        case TypeKind::parameter:
            Put("{\"type\":\"parameter\",\"value\":");
            Param(type.parameter);
            Put("}");
            return;
        case TypeKind::user:
            // Returned from rather than thrown from: an exception thrown
            // this deep unwinds a stack too large for AddressSanitizer to
            // clean up after, and every level returns at once anyway.
            if (++_depth > max_declaration_depth) {
                _too_deep = true;
                return;
            }
            Put("{\"type\":\"user\",\"declaration\":");
            Declaration(*type.declaration, type.as_forward);
            --_depth;
            if (!type.arguments.empty()) {
                Put(",\"arguments\":");
                List(type.arguments, [&](const gbc::Type& argument) { Type(argument); });
            }
            Put("}");
            return;
        case TypeKind::bonded:
            Put("{\"type\":\"bonded\",\"element\":");
            Type(type.arguments[0]);
            Put("}");
            return;
        default: break;
        }
        Put("{\"type\":\"");
        Put(container_names[kind - static_cast<size_t>(TypeKind::maybe)]);
        Put("\"");
        if (type.kind == TypeKind::map) {
            Put(",\"key\":");
            Type(type.arguments[0]);
        }
        Put(",\"element\":");
        Type(type.arguments.back());
        Put("}");
    }

    std::ostream& _out;
    uint64_t _limit;
    uint64_t _written = 0;
    // How many user types' declarations are being written, one inside another.
    size_t _depth = 0;
    bool _too_deep = false;
    std::string _buffer;
};

}  // namespace

OutputTooLarge::OutputTooLarge(uint64_t limit)
    : std::runtime_error(fmt::format("the JSON AST would be larger than the limit of {} MiB (raise it with "
                                     "--max-output-mib)",
                                     limit >> 20))
{}

void WriteJsonAst(const Bond& bond, std::ostream& out, uint64_t limit)
{
    Writer writer(out, limit);
    writer.Bond(bond);
    if (writer.TooDeep()) {
        throw std::runtime_error(
            fmt::format("the JSON AST would nest declarations more than {} deep", max_declaration_depth));
    }
}

}  // namespace certpluck::gbc
