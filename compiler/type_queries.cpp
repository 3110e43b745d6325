#include "compiler/type_queries.h"

#include <algorithm>
#include <deque>

namespace certpluck::gbc {
namespace {

// A generic alias's parameters bound to the arguments of one of its uses;
// the arguments are read in the scope the use was in.
struct Scope {
    const Declaration* alias = nullptr;
    const std::vector<Type>* arguments = nullptr;
    const Scope* outer = nullptr;
};

}  // namespace

const Type& SeeThroughAliases(const Type& type)
{
    std::deque<Scope> scopes;
    const Type* current = &type;
    const Scope* scope = nullptr;
    // Each step either enters an alias defined earlier in the file than the
    // one before (so aliases cannot loop) or leaves a scope.
    for (;;) {
        if (current->kind == TypeKind::user && current->declaration != nullptr &&
            current->declaration->kind == DeclarationKind::alias && current->declaration->aliased) {
            scopes.push_back({current->declaration, &current->arguments, scope});
            scope = &scopes.back();
            current = &*current->declaration->aliased;
            continue;
        }
        if (current->kind == TypeKind::parameter && scope != nullptr) {
            const auto& params = scope->alias->params;
            size_t index = 0;
            while (index < params.size() && params[index].name != current->parameter.name) {
                ++index;
            }
            if (index < params.size() && index < scope->arguments->size()) {
                current = &(*scope->arguments)[index];
                scope = scope->outer;
                continue;
            }
        }
        return *current;
    }
}

bool IsResolved(const Type& type)
{
    if (type.kind == TypeKind::user && type.declaration == nullptr) {
        return false;
    }
    return std::all_of(type.arguments.begin(), type.arguments.end(), [](const Type& one) { return IsResolved(one); });
}

bool IsStruct(const Type& type)
{
    const Type& seen = SeeThroughAliases(type);
    return seen.kind == TypeKind::user && seen.declaration != nullptr &&
           (seen.declaration->kind == DeclarationKind::structure || seen.declaration->kind == DeclarationKind::forward);
}

const Declaration* EnumOf(const Type& type)
{
    const Type& seen = SeeThroughAliases(type);
    if (seen.kind == TypeKind::user && seen.declaration != nullptr &&
        seen.declaration->kind == DeclarationKind::enumeration) {
        return seen.declaration;
    }
    return nullptr;
}

bool IsScalar(const Type& type)
{
    const Type& seen = SeeThroughAliases(type);
    return (seen.kind >= TypeKind::int8 && seen.kind <= TypeKind::boolean) || EnumOf(seen) != nullptr;
}

bool IsString(const Type& type)
{
    const TypeKind kind = SeeThroughAliases(type).kind;
    return kind == TypeKind::string || kind == TypeKind::wstring;
}

bool IsParameter(const Type& type)
{
    return SeeThroughAliases(type).kind == TypeKind::parameter;
}

const Declaration* ForwardStructOf(const Type& type)
{
    const Type& seen = SeeThroughAliases(type);
    if (seen.kind == TypeKind::user && seen.declaration != nullptr &&
        (seen.as_forward || seen.declaration->kind == DeclarationKind::forward)) {
        return seen.declaration;
    }
    return nullptr;
}

bool SameName(const Declaration& left, const Declaration& right)
{
    return left.name == right.name && left.namespaces == right.namespaces;
}

}  // namespace certpluck::gbc
