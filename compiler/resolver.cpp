#include "compiler/resolver.h"

#include "compiler/checks.h"
#include "compiler/lexer.h"
#include "compiler/parser.h"
#include "compiler/type_queries.h"

#include <fmt/format.h>

#include <algorithm>
#include <filesystem>

namespace certpluck::gbc {
namespace {

std::string JoinName(const QualifiedName& name)
{
    return fmt::format("{}", fmt::join(name, "."));
}

bool NamespacesMeet(const std::vector<Namespace>& left, const std::vector<Namespace>& right)
{
    return std::any_of(left.begin(), left.end(),
                       [&](const Namespace& one) { return std::find(right.begin(), right.end(), one) != right.end(); });
}

// A namespace written for one language matches the same name written for
// any language or for none.
bool NamespaceMatches(const Namespace& left, const Namespace& right)
{
    return left.name == right.name && (left.language == right.language || !left.language || !right.language);
}

bool IsForward(const Symbol& symbol)
{
    return symbol.as_forward || symbol.declaration->kind == DeclarationKind::forward;
}

bool ParamsMatch(const Declaration& left, const Declaration& right)
{
    return std::equal(left.params.begin(), left.params.end(), right.params.begin(), right.params.end(),
                      [](const TypeParam& a, const TypeParam& b) { return a.value_constraint == b.value_constraint; });
}

const char* KindName(DeclarationKind kind)
{
    switch (kind) {
    case DeclarationKind::structure: return "struct";
    case DeclarationKind::enumeration: return "enum";
    case DeclarationKind::forward: return "struct";
    case DeclarationKind::alias: return "alias";
    case DeclarationKind::service: return "service";
    }
    return "declaration";
}

std::string ArityMessage(const Declaration& generic, size_t expected, size_t given)
{
    if (expected == 0) {
        return fmt::format("'{}' takes no type arguments", generic.name);
    }
    return fmt::format("'{}' takes {} type argument{}, not {}", generic.name, expected, expected == 1 ? "" : "s",
                       given);
}

}  // namespace

Resolver::Resolver(FileSource& files, std::vector<std::string> import_dirs, Diagnostics& diagnostics)
    : _files(files), _import_dirs(std::move(import_dirs)), _diagnostics(diagnostics)
{}

const Unit* Resolver::Load(const std::string& path)
{
    return LoadUnit(path, Position{});
}

Unit* Resolver::LoadUnit(const std::string& path, Position imported_at)
{
    const std::string identity = _files.Identity(path);
    if (const auto found = _by_identity.find(identity); found != _by_identity.end()) {
        if (found->second->loading) {
            _diagnostics.Error(imported_at, fmt::format("import cycle: '{}' imports itself", path));
        }
        return found->second;
    }

    std::optional<std::string> text = _files.Read(path);
    if (!text) {
        _diagnostics.Error(imported_at, fmt::format("cannot find the schema file '{}'", path));
        return nullptr;
    }
    Unit& unit = _units.emplace_back();
    _by_identity.emplace(identity, &unit);
    _by_source.emplace(&unit.source, &unit);
    unit.source.path = path;
    unit.source.text = std::move(*text);
    unit.loading = true;
    const size_t errors_before = _diagnostics.ErrorCount();
    unit.tokens = Tokenize(unit.source, _diagnostics);
    const bool lexed = _diagnostics.ErrorCount() == errors_before;
    bool well_formed = false;
    unit.bond = Parse(unit.tokens, _diagnostics, well_formed);
    well_formed = well_formed && lexed;
    bool imports_failed = false;
    for (const Import& import : unit.bond.imports) {
        const std::string found = FindImport(unit, import);
        const Unit* imported = found.empty() ? nullptr : LoadUnit(found, import.position);
        if (found.empty()) {
            _diagnostics.Error(import.position, fmt::format("cannot find the imported file '{}'", import.path));
        }
        imports_failed = imports_failed || imported == nullptr || imported->failed || imported->loading;
    }

    // Names in a file that did not parse, or whose imports failed, would
    // only give errors that follow from the first ones.
    unit.failed = imports_failed || !well_formed;
    if (!unit.failed) {
        for (auto& declaration : unit.bond.declarations) {
            ResolveDeclaration(*declaration);
        }
    }
    unit.loading = false;
    return &unit;
}

std::string Resolver::FindImport(const Unit& importer, const Import& import)
{
    std::vector<std::filesystem::path> candidates{std::filesystem::path(importer.source.path).parent_path() /
                                                  import.path};
    for (const std::string& dir : _import_dirs) {
        candidates.push_back(std::filesystem::path(dir) / import.path);
    }
    for (const auto& candidate : candidates) {
        if (_by_identity.count(_files.Identity(candidate.string())) != 0 || _files.Exists(candidate.string())) {
            return candidate.string();
        }
    }
    return {};
}

const Symbol* Resolver::Find(const QualifiedName& name, const std::vector<Namespace>& namespaces) const
{
    const auto found = _symbols.find(name.back());
    if (found == _symbols.end()) {
        return nullptr;
    }

    const QualifiedName prefix(name.begin(), name.end() - 1);
    // The latest declaration wins, as later ones replace forward ones.
    for (auto symbol = found->second.rbegin(); symbol != found->second.rend(); ++symbol) {
        const auto& declared_in = symbol->declaration->namespaces;
        const bool matches = name.size() == 1
                                 ? std::any_of(namespaces.begin(), namespaces.end(),
                                               [&](const Namespace& here) {
                                                   return std::any_of(declared_in.begin(), declared_in.end(),
                                                                      [&](const Namespace& there) {
                                                                          return NamespaceMatches(here, there);
                                                                      });
                                               })
                                 : std::any_of(declared_in.begin(), declared_in.end(),
                                               [&](const Namespace& there) { return there.name == prefix; });
        if (matches) {
            return &*symbol;
        }
    }
    return nullptr;
}

bool Resolver::SameText(const Declaration& left, const Declaration& right) const
{
    const auto& left_tokens = _by_source.at(left.position.file)->tokens.tokens;
    const auto& right_tokens = _by_source.at(right.position.file)->tokens.tokens;
    return left.kind == right.kind && std::equal(left_tokens.begin() + static_cast<std::ptrdiff_t>(left.first_token),
                                                 left_tokens.begin() + static_cast<std::ptrdiff_t>(left.last_token),
                                                 right_tokens.begin() + static_cast<std::ptrdiff_t>(right.first_token),
                                                 right_tokens.begin() + static_cast<std::ptrdiff_t>(right.last_token),
                                                 [](const Token& a, const Token& b) { return a.text == b.text; });
}

// The rules of the library's compiler, with one change: a struct defined
// again must be defined the same way (the library keeps the last definition).
void Resolver::Declare(Symbol symbol)
{
    const Declaration& declaration = *symbol.declaration;
    auto& same_name = _symbols[declaration.name];
    const auto previous = std::find_if(same_name.begin(), same_name.end(), [&](const Symbol& other) {
        return NamespacesMeet(other.declaration->namespaces, declaration.namespaces);
    });
    if (previous == same_name.end()) {
        same_name.push_back(symbol);
        return;
    }

    const Declaration& earlier = *previous->declaration;
    const bool is_forward = IsForward(symbol);
    const bool is_struct = declaration.kind == DeclarationKind::structure && !symbol.as_forward;
    const bool earlier_is_struct = earlier.kind == DeclarationKind::structure && !previous->as_forward;
    if ((IsForward(*previous) && (is_struct || is_forward)) || (earlier_is_struct && is_forward)) {
        if (!ParamsMatch(earlier, declaration)) {
            _diagnostics.Error(
                declaration.position,
                fmt::format("'{}' is declared with other type parameters than before", declaration.name));
            _diagnostics.Note(earlier.position, "the earlier declaration is here");
            return;
        }
        if (is_struct && previous->earlier_definition != nullptr &&
            !SameText(*previous->earlier_definition, declaration)) {
            _diagnostics.Error(declaration.position,
                               fmt::format("struct '{}' is defined again, differently", declaration.name));
            _diagnostics.Note(previous->earlier_definition->position, "the earlier definition is here");
            // Later uses of the name mean the first definition.
            *previous = Symbol{previous->earlier_definition, false, nullptr};
            return;
        }
        if (IsForward(*previous) && is_forward) {
            return;
        }
        if (earlier_is_struct) {
            symbol.earlier_definition = &earlier;
        }
        same_name.erase(previous);
        same_name.push_back(symbol);
        return;
    }
    if (!SameText(earlier, declaration)) {
        _diagnostics.Error(declaration.position,
                           fmt::format("{} '{}' is already defined as {} '{}'", KindName(declaration.kind),
                                       declaration.name, KindName(earlier.kind), earlier.name));
        _diagnostics.Note(earlier.position, "the earlier definition is here");
    }
}

void Resolver::ResolveDeclaration(Declaration& declaration)
{
    switch (declaration.kind) {
    case DeclarationKind::forward: break;
    case DeclarationKind::alias: ResolveType(*declaration.aliased, declaration); break;
    case DeclarationKind::enumeration: CheckEnum(declaration, _diagnostics); break;
    case DeclarationKind::structure:
        if (declaration.view) {
            ResolveView(declaration);
        } else {
            ResolveStruct(declaration);
        }
        break;
    case DeclarationKind::service: ResolveService(declaration); break;
    }
    Declare({&declaration, false, nullptr});
}

void Resolver::ResolveStruct(Declaration& declaration)
{
    Declare({&declaration, true, nullptr});
    if (declaration.base) {
        ResolveType(*declaration.base, declaration);
        CheckBase(declaration, _diagnostics);
    }
    for (Field& field : declaration.fields) {
        ResolveType(field.type, declaration, true);
    }
    CheckFields(declaration, _diagnostics);
}

void Resolver::ResolveView(Declaration& declaration)
{
    ViewOf& view = *declaration.view;
    const Symbol* target = Find(view.target, declaration.namespaces);
    if (target == nullptr || target->as_forward || target->declaration->kind != DeclarationKind::structure) {
        _diagnostics.Error(view.target_position,
                           fmt::format("a view must be of a defined struct; '{}' is not one", JoinName(view.target)));
        return;
    }

    const Declaration& viewed = *target->declaration;
    for (const auto& [name, position] : view.fields) {
        const std::string& wanted = name;
        const bool exists = std::any_of(viewed.fields.begin(), viewed.fields.end(),
                                        [&](const Field& field) { return field.name == wanted; });
        if (!exists) {
            _diagnostics.Error(position, fmt::format("struct '{}' has no field '{}'", viewed.name, name));
        }
    }
    declaration.params = viewed.params;
    declaration.base = viewed.base;
    for (const Field& field : viewed.fields) {
        const bool named = std::any_of(view.fields.begin(), view.fields.end(),
                                       [&](const auto& entry) { return entry.first == field.name; });
        if (named) {
            declaration.fields.push_back(field);
        }
    }
}

void Resolver::ResolveService(Declaration& declaration)
{
    if (declaration.base) {
        Type& base = *declaration.base;
        const Symbol* symbol = base.name.empty() ? nullptr : Find(base.name, declaration.namespaces);
        if (symbol == nullptr || symbol->declaration->kind != DeclarationKind::service) {
            _diagnostics.Error(base.position, "a service's base must be a service");
        } else if (symbol->declaration->params.size() != base.arguments.size()) {
            _diagnostics.Error(base.position, ArityMessage(*symbol->declaration, symbol->declaration->params.size(),
                                                           base.arguments.size()));
        } else {
            base.declaration = symbol->declaration;
            for (Type& argument : base.arguments) {
                ResolveType(argument, declaration);
            }
        }
    }
    for (Method& method : declaration.methods) {
        for (MethodType* payload : {&method.input, &method.result}) {
            if (payload->type) {
                ResolveType(*payload->type, declaration);
            }
        }
    }
    CheckMethods(declaration, _diagnostics);
}

void Resolver::ResolveType(Type& type, const Declaration& scope, bool field_top)
{
    switch (type.kind) {
    case TypeKind::meta_name:
    case TypeKind::meta_full_name:
        if (!field_top) {
            _diagnostics.Error(type.position, "bond_meta types can only be the type of a field");
        }
        return;
    case TypeKind::list:
    case TypeKind::vector:
    case TypeKind::nullable:
    case TypeKind::maybe:
    case TypeKind::constant:
    case TypeKind::parameter:
        for (Type& argument : type.arguments) {
            ResolveType(argument, scope);
        }
        return;
    case TypeKind::set:
    case TypeKind::map:
        for (Type& argument : type.arguments) {
            ResolveType(argument, scope);
        }
        if (IsResolved(type.arguments[0]) && !IsScalar(type.arguments[0]) && !IsString(type.arguments[0]) &&
            !IsParameter(type.arguments[0])) {
            _diagnostics.Error(type.arguments[0].position,
                               "a set's or map's key must be a scalar, string or enum type");
        }
        return;
    case TypeKind::bonded:
        ResolveType(type.arguments[0], scope);
        if (IsResolved(type.arguments[0]) && !IsStruct(type.arguments[0]) && !IsParameter(type.arguments[0])) {
            _diagnostics.Error(type.arguments[0].position, "bonded<T> needs a struct for T");
        }
        return;
    case TypeKind::user: break;
    default: return;
    }
    if (type.name.size() == 1) {
        const auto param = std::find_if(scope.params.begin(), scope.params.end(),
                                        [&](const TypeParam& one) { return one.name == type.name[0]; });
        if (param != scope.params.end()) {
            if (!type.arguments.empty()) {
                _diagnostics.Error(type.position,
                                   fmt::format("type parameter '{}' takes no type arguments", param->name));
            }
            type.kind = TypeKind::parameter;
            type.parameter = *param;
            type.arguments.clear();
            return;
        }
    }

    const Symbol* symbol = Find(type.name, scope.namespaces);
    if (symbol == nullptr) {
        _diagnostics.Error(type.position, fmt::format("unknown type '{}'", JoinName(type.name)));
        return;
    }

    const Declaration& declaration = *symbol->declaration;
    if (declaration.kind == DeclarationKind::service) {
        _diagnostics.Error(type.position, fmt::format("service '{}' is not a type", declaration.name));
        return;
    }

    const size_t expected = declaration.kind == DeclarationKind::enumeration ? 0 : declaration.params.size();
    if (type.arguments.size() != expected) {
        _diagnostics.Error(type.position, ArityMessage(declaration, expected, type.arguments.size()));
        return;
    }
    type.declaration = &declaration;
    type.as_forward = symbol->as_forward;
    for (Type& argument : type.arguments) {
        ResolveType(argument, scope);
    }
}

}  // namespace certpluck::gbc
