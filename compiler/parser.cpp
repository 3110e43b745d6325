#include "compiler/parser.h"
#include "compiler/lexer.h"
#include "compiler/unicode.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <limits>

namespace certpluck::gbc {
namespace {

// Words that can never name anything (the library's list).
// The longest default beyond 64 bits that is read: far past any double, and
// short enough that reading one in another base than ten stays quick.
constexpr size_t max_default_digits = 1000;

constexpr std::array<std::string_view, 38> reserved_words = {
    "blob",    "bond_meta", "bonded",    "bool",     "class",    "double",   "enum",
    "false",   "float",     "import",    "int16",    "int32",    "int64",    "int8",
    "list",    "map",       "namespace", "nullable", "optional", "required", "required_optional",
    "Schema",  "sealed",    "service",   "set",      "string",   "struct",   "true",
    "uint16",  "uint32",    "uint64",    "uint8",    "using",    "var",      "vector",
    "view_of", "void",      "wstring"};

struct BasicTypeName {
    std::string_view word;
    TypeKind kind;
};

constexpr std::array<BasicTypeName, 16> basic_types = {{{"int8", TypeKind::int8},
                                                        {"int16", TypeKind::int16},
                                                        {"int32", TypeKind::int32},
                                                        {"int64", TypeKind::int64},
                                                        {"uint8", TypeKind::uint8},
                                                        {"uint16", TypeKind::uint16},
                                                        {"uint32", TypeKind::uint32},
                                                        {"uint64", TypeKind::uint64},
                                                        {"float", TypeKind::float32},
                                                        {"double", TypeKind::float64},
                                                        {"bool", TypeKind::boolean},
                                                        {"string", TypeKind::string},
                                                        {"wstring", TypeKind::wstring},
                                                        {"blob", TypeKind::blob},
                                                        {"bond_meta::name", TypeKind::meta_name},
                                                        {"bond_meta::full_name", TypeKind::meta_full_name}}};

struct ContainerName {
    std::string_view word;
    TypeKind kind;
    size_t arguments;
};

constexpr std::array<ContainerName, 6> containers = {{{"list", TypeKind::list, 1},
                                                      {"vector", TypeKind::vector, 1},
                                                      {"nullable", TypeKind::nullable, 1},
                                                      {"set", TypeKind::set, 1},
                                                      {"map", TypeKind::map, 2},
                                                      {"bonded", TypeKind::bonded, 1}}};

// An integer as the library reads an enum value or a type argument: as a
// 64-bit integer, so that the two's complement 0xFFFFFFFFFFFFFFF6 is -10.
int64_t AsInt64(const Integer& value)
{
    return static_cast<int64_t>(value.negative ? 0 - value.magnitude : value.magnitude);
}

// Unwinds to the nearest point that can skip ahead; the error is reported.
struct SyntaxError {};

class Parser {
public:
    Parser(const TokenList& tokens, Diagnostics& diagnostics)
        : _list(tokens), _tokens(tokens.tokens), _diagnostics(diagnostics)
    {}

    bool WellFormed() const { return _well_formed; }

    Bond Run()
    {
        Bond bond;
        while (Current().IsWord("import")) {
            Guarded([&] { bond.imports.push_back(ParseImport()); }, [&] { SkipToDeclaration(); });
        }
        if (!Current().IsWord("namespace")) {
            Guarded([&] { Fail("expected 'namespace'"); }, [] {});
        }
        while (Current().IsWord("namespace")) {
            Guarded([&] { bond.namespaces.push_back(ParseNamespace()); }, [&] { SkipToDeclaration(); });
        }
        while (Current().kind != TokenKind::end) {
            const size_t first = _next;
            Guarded(
                [&] {
                    auto declaration = ParseDeclaration();
                    declaration->namespaces = bond.namespaces;
                    declaration->first_token = first;
                    declaration->last_token = _next;
                    bond.declarations.push_back(std::move(declaration));
                },
                [&] { SkipToDeclaration(); });
        }
        return bond;
    }

private:
    const Token& Current() const { return _tokens[_next]; }
    const Token& Ahead(size_t count) const { return _tokens[std::min(_next + count, _tokens.size() - 1)]; }

    const Token& Take()
    {
        const Token& token = _tokens[_next];
        if (token.kind != TokenKind::end) {
            ++_next;
        }
        return token;
    }

    static std::string Describe(const Token& token)
    {
        if (token.kind == TokenKind::end) {
            return "end of file";
        }
        constexpr size_t shown = 40;
        if (token.text.size() > shown) {
            return fmt::format("'{}...'", token.text.substr(0, shown));
        }
        return fmt::format("'{}'", token.text);
    }

    [[noreturn]] void Fail(std::string_view expected)
    {
        _diagnostics.Error(Current().position, fmt::format("{}, found {}", expected, Describe(Current())));
        throw SyntaxError();
    }

    template <typename Body, typename Recover>
    void Guarded(Body body, Recover recover)
    {
        try {
            body();
        } catch (const SyntaxError&) {
            _well_formed = false;
            recover();
        }
    }

    void Expect(char punctuation, std::string_view where)
    {
        if (!Current().Is(punctuation)) {
            Fail(fmt::format("expected '{}' {}", punctuation, where));
        }
        Take();
    }

    void ExpectWord(std::string_view word)
    {
        if (!Current().IsWord(word)) {
            Fail(fmt::format("expected '{}'", word));
        }
        Take();
    }

    bool Accept(char punctuation)
    {
        if (Current().Is(punctuation)) {
            Take();
            return true;
        }
        return false;
    }

    static bool IsReserved(std::string_view word)
    {
        return std::find(reserved_words.begin(), reserved_words.end(), word) != reserved_words.end();
    }

    std::string Identifier(std::string_view what, bool allow_schema = false)
    {
        const Token& token = Current();
        if (token.kind != TokenKind::identifier) {
            Fail(fmt::format("expected {}", what));
        }
        if (IsReserved(token.text) && !(allow_schema && token.text == "Schema")) {
            Fail(fmt::format("expected {} (a keyword cannot be one)", what));
        }
        Take();
        return std::string(token.text);
    }

    QualifiedName ParseQualifiedName(std::string_view what)
    {
        QualifiedName name{Identifier(what, true)};
        while (Current().Is('.')) {
            Take();
            name.push_back(Identifier(what, true));
        }
        return name;
    }

    Import ParseImport()
    {
        Take();
        const Token& path = Current();
        if (path.kind != TokenKind::string) {
            Fail("expected the imported file's name in quotes");
        }
        Take();
        Accept(';');
        // An import's path is taken as written: its backslashes are Windows
        // separators, not escapes. White space after the opening quote is
        // passed over, as the library's compiler does, which lists the path
        // without it.
        std::string_view written = path.text.substr(1, path.text.size() - 2);
        while (!written.empty()) {
            size_t next = 0;
            if (!IsSpace(DecodeUtf8(written, next))) {
                break;
            }
            written.remove_prefix(next);
        }
        return {std::string(written), path.position};
    }

    Namespace ParseNamespace()
    {
        Take();
        Namespace result;
        const Token& word = Current();
        if (Ahead(1).kind == TokenKind::identifier) {
            if (word.IsWord("cpp")) {
                result.language = Language::cpp;
            } else if (word.IsWord("cs") || word.IsWord("csharp")) {
                result.language = Language::cs;
            } else if (word.IsWord("java")) {
                result.language = Language::java;
            }
            if (result.language) {
                Take();
            }
        }
        result.name = ParseQualifiedName("a namespace's name");
        Accept(';');
        return result;
    }

    std::vector<Attribute> ParseAttributes()
    {
        std::vector<Attribute> attributes;
        while (Current().Is('[')) {
            Take();
            Attribute attribute;
            attribute.name = ParseQualifiedName("an attribute's name");
            Expect('(', "after an attribute's name");
            if (Current().kind != TokenKind::string) {
                Fail("expected an attribute's value in quotes");
            }
            attribute.value = _list.StringValue(Take());
            Expect(')', "after an attribute's value");
            Expect(']', "at the end of an attribute");
            attributes.push_back(std::move(attribute));
        }
        return attributes;
    }

    std::vector<TypeParam> ParseParams()
    {
        std::vector<TypeParam> params;
        if (!Accept('<')) {
            return params;
        }
        do {
            TypeParam param;
            param.name = Identifier("a type parameter's name");
            if (Accept(':')) {
                ExpectWord("value");
                param.value_constraint = true;
            }
            params.push_back(std::move(param));
        } while (Accept(','));
        Expect('>', "after the type parameters");
        return params;
    }

    std::unique_ptr<Declaration> ParseDeclaration()
    {
        auto declaration = std::make_unique<Declaration>();
        declaration->position = Current().position;
        if (Current().IsWord("using")) {
            Take();
            declaration->kind = DeclarationKind::alias;
            declaration->name = Identifier("an alias's name");
            declaration->params = ParseParams();
            Expect('=', "after the alias's name");
            declaration->aliased = ParseType(0);
            Expect(';', "after the aliased type");
            return declaration;
        }
        declaration->attributes = ParseAttributes();
        declaration->position = Current().position;
        if (Current().IsWord("enum")) {
            ParseEnum(*declaration);
        } else if (Current().IsWord("service")) {
            ParseService(*declaration);
        } else if (Current().IsWord("struct")) {
            ParseStruct(*declaration);
        } else {
            Fail("expected a declaration (struct, enum, using or service)");
        }
        return declaration;
    }

    void ParseEnum(Declaration& declaration)
    {
        Take();
        declaration.kind = DeclarationKind::enumeration;
        declaration.name = Identifier("an enum's name");
        Expect('{', "to open the enum's constants");
        do {
            Constant constant;
            constant.position = Current().position;
            constant.name = Identifier("an enum constant");
            if (Accept('=')) {
                const Position at = Current().position;
                const Integer value = ParseInteger("an enum constant's value");
                // Being 32-bit on the wire, it must fit in 32 bits, either
                // signed or not.
                const int64_t wrapped = AsInt64(value);
                if (wrapped < std::numeric_limits<int32_t>::min() || wrapped > std::numeric_limits<uint32_t>::max()) {
                    _diagnostics.Error(
                        at, fmt::format("the value of enum constant '{}' does not fit in 32 bits", constant.name));
                }
                constant.value = wrapped;
            }
            declaration.constants.push_back(std::move(constant));
        } while ((Accept(',') || Accept(';')) && !Current().Is('}'));
        Expect('}', "to close the enum's constants");
        Accept(';');
    }

    void ParseService(Declaration& declaration)
    {
        Take();
        declaration.kind = DeclarationKind::service;
        declaration.name = Identifier("a service's name");
        declaration.params = ParseParams();
        if (Accept(':')) {
            declaration.base = ParseType(0);
        }
        ParseMembers(declaration.methods, "service's methods", [&] { return ParseMethod(); });
    }

    // Parses "{ member... }" and the optional ';' after it; a member with a
    // syntax error is skipped, and the next one parsed.
    template <typename Member, typename ParseMember>
    void ParseMembers(std::vector<Member>& members, std::string_view what, ParseMember parse_member)
    {
        Expect('{', fmt::format("to open the {}", what));
        while (!Current().Is('}') && Current().kind != TokenKind::end) {
            Guarded([&] { members.push_back(parse_member()); }, [&] { SkipToMember(); });
        }
        Expect('}', fmt::format("to close the {}", what));
        Accept(';');
    }

    // Whether `stream` starts a streamed result rather than being the name
    // of a result type: it does when a type and then the method's name follow.
    bool StreamedResultAhead() const
    {
        size_t at = _next + 1;
        auto is = [&](char c) { return _tokens[at].Is(c); };
        if (_tokens[at].kind != TokenKind::identifier) {
            return false;
        }
        ++at;
        while (is('.') && _tokens[at + 1].kind == TokenKind::identifier) {
            at += 2;
        }
        if (is('<')) {
            for (int depth = 0; _tokens[at].kind != TokenKind::end; ++at) {
                depth += is('<') ? 1 : is('>') ? -1 : 0;
                if (depth == 0) {
                    ++at;
                    break;
                }
            }
        }
        return _tokens[at].kind == TokenKind::identifier;
    }

    Method ParseMethod()
    {
        Method method;
        method.attributes = ParseAttributes();
        method.position = Current().position;
        if (Current().IsWord("nothing")) {
            Take();
            method.is_event = true;
        } else if (Current().IsWord("void")) {
            Take();
        } else if (Current().IsWord("stream") && StreamedResultAhead()) {
            Take();
            method.result = {ParseType(0), true};
        } else {
            method.result = {ParseType(0), false};
        }
        method.name = Identifier("a method's name");
        Expect('(', "after the method's name");
        if (Current().IsWord("void")) {
            Take();
        } else if (Current().IsWord("stream") && Ahead(1).kind == TokenKind::identifier) {
            Take();
            method.input = {ParseType(0), true};
        } else if (!Current().Is(')')) {
            method.input = {ParseType(0), false};
        }
        Expect(')', "after the method's input");
        Expect(';', "after the method");
        return method;
    }

    void ParseStruct(Declaration& declaration)
    {
        Take();
        declaration.name = Identifier("a struct's name");
        if (Current().IsWord("view_of")) {
            Take();
            ViewOf view;
            view.target_position = Current().position;
            view.target = ParseQualifiedName("the viewed struct's name");
            Expect('{', "to open the view's fields");
            do {
                const Position at = Current().position;
                view.fields.emplace_back(Identifier("a field's name"), at);
            } while ((Accept(',') || Accept(';')) && !Current().Is('}'));
            Expect('}', "to close the view's fields");
            Accept(';');
            declaration.view = std::move(view);
            return;
        }
        declaration.params = ParseParams();
        if (Current().Is(';') && declaration.attributes.empty()) {
            Take();
            declaration.kind = DeclarationKind::forward;
            return;
        }
        if (Accept(':')) {
            declaration.base = ParseType(0);
        }
        ParseMembers(declaration.fields, "struct's fields", [&] { return ParseField(); });
    }

    Field ParseField()
    {
        Field field;
        field.attributes = ParseAttributes();
        field.position = Current().position;
        const Integer ordinal = ParseInteger("a field's ordinal");
        if ((ordinal.negative && ordinal.magnitude != 0) || ordinal.magnitude > std::numeric_limits<uint16_t>::max()) {
            _diagnostics.Error(field.position, "field ordinals go from 0 to 65535");
        }
        field.ordinal = static_cast<uint16_t>(ordinal.magnitude);
        Expect(':', "after the field's ordinal");
        if (Current().IsWord("optional")) {
            Take();
        } else if (Current().IsWord("required")) {
            Take();
            field.modifier = Modifier::required;
        } else if (Current().IsWord("required_optional")) {
            Take();
            field.modifier = Modifier::required_optional;
        }
        field.type = ParseType(0);
        field.name_position = Current().position;
        field.name = Identifier("a field's name");
        if (Accept('=')) {
            field.default_value = ParseDefault();
        }
        Expect(';', "after the field");
        return field;
    }

    Default ParseDefault()
    {
        Default value;
        value.position = Current().position;
        const Token& token = Current();
        if (token.IsWord("true") || token.IsWord("false")) {
            value.kind = DefaultKind::boolean;
            value.boolean = Take().text == "true";
        } else if (token.IsWord("nothing")) {
            Take();
            value.kind = DefaultKind::nothing;
        } else if (token.kind == TokenKind::string || (token.IsWord("L") && Ahead(1).kind == TokenKind::string)) {
            if (token.IsWord("L")) {
                Take();
            }
            value.kind = DefaultKind::string;
            value.text = _list.StringValue(Take());
        } else if (token.kind == TokenKind::identifier) {
            value.kind = DefaultKind::enumeration;
            value.text = Identifier("an enum constant");
        } else {
            const bool negative = token.Is('-');
            const size_t sign = token.Is('-') || token.Is('+') ? 1 : 0;
            if (Ahead(sign).kind == TokenKind::floating) {
                _next += sign;
                value.kind = DefaultKind::floating;
                value.floating = negative ? -Take().floating : Take().floating;
            } else {
                value.kind = DefaultKind::integer;
                value.integer = ParseInteger("a default value", true);
            }
        }
        return value;
    }

    // A default may be beyond 64 bits, as the library's compiler reads
    // defaults exactly: whether it suits its field is checked later.
    Integer ParseInteger(std::string_view what, bool beyond_64_bits_allowed = false)
    {
        Integer value;
        if (Current().Is('-') || Current().Is('+')) {
            value.negative = Take().Is('-');
        }
        if (Current().kind != TokenKind::integer) {
            Fail(fmt::format("expected {}", what));
        }
        if (Current().too_large && beyond_64_bits_allowed && Current().text.size() <= max_default_digits) {
            value.beyond_64_bits = DecimalDigits(Current().text);
        } else if (Current().too_large) {
            _diagnostics.Error(Current().position, "integer literal too large for 64 bits");
        }
        value.magnitude = Take().integer;
        return value;
    }

    Type ParseType(int depth)
    {
        Type type;
        type.position = Current().position;
        if (depth >= max_type_depth) {
            Fail("types are nested too deeply");
        }
        const Token& token = Current();
        if (token.kind != TokenKind::identifier) {
            Fail("expected a type");
        }
        for (const auto& basic : basic_types) {
            if (token.text == basic.word) {
                Take();
                type.kind = basic.kind;
                return type;
            }
        }
        for (const auto& container : containers) {
            if (token.text == container.word) {
                Take();
                type.kind = container.kind;
                Expect('<', fmt::format("after '{}'", container.word));
                type.arguments.push_back(ParseType(depth + 1));
                if (container.arguments == 2) {
                    Expect(',', "between a map's key and value types");
                    type.arguments.push_back(ParseType(depth + 1));
                }
                Expect('>', fmt::format("to close '{}<'", container.word));
                return type;
            }
        }
        type.kind = TypeKind::user;
        type.name = ParseQualifiedName("a type");
        if (Accept('<')) {
            do {
                if (Current().kind == TokenKind::integer ||
                    ((Current().Is('-') || Current().Is('+')) && Ahead(1).kind == TokenKind::integer)) {
                    Type constant;
                    constant.position = Current().position;
                    constant.kind = TypeKind::constant;
                    constant.constant = AsInt64(ParseInteger("an integer"));
                    type.arguments.push_back(std::move(constant));
                } else {
                    type.arguments.push_back(ParseType(depth + 1));
                }
            } while (Accept(','));
            Expect('>', "after the type arguments");
        }
        return type;
    }

    // Skips a balanced run of tokens up to the next ';' (taken) or an
    // unmatched '}' (left), which ends a field or a method.
    void SkipToMember()
    {
        int depth = 0;
        while (Current().kind != TokenKind::end) {
            if (depth == 0 && Current().Is('}')) {
                return;
            }
            const Token& token = Take();
            if (depth == 0 && token.Is(';')) {
                return;
            }
            depth += token.Is('{') ? 1 : token.Is('}') ? -1 : 0;
        }
    }

    // Skips to the next word that starts a declaration outside any braces.
    void SkipToDeclaration()
    {
        int depth = 0;
        if (_next > 0 && _tokens[_next - 1].Is('{')) {
            depth = 1;
        }
        for (bool first = true; Current().kind != TokenKind::end; first = false) {
            const Token& token = Current();
            const bool starts = token.IsWord("struct") || token.IsWord("enum") || token.IsWord("using") ||
                                token.IsWord("service") || token.Is('[') || token.IsWord("namespace");
            if (depth <= 0 && starts && !first) {
                return;
            }
            Take();
            depth += token.Is('{') ? 1 : token.Is('}') ? -1 : 0;
        }
    }

    const TokenList& _list;
    const std::vector<Token>& _tokens;
    Diagnostics& _diagnostics;
    size_t _next = 0;
    bool _well_formed = true;
};

}  // namespace

Bond Parse(const TokenList& tokens, Diagnostics& diagnostics, bool& well_formed)
{
    Parser parser(tokens, diagnostics);
    Bond bond = parser.Run();
    well_formed = parser.WellFormed();
    return bond;
}

}  // namespace certpluck::gbc
