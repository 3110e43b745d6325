#include "compiler/cpp/allocator_constructors.h"

#include "compiler/type_queries.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

namespace certpluck::gbc::cpp {
namespace {

// Whether a field is built from the record's allocator: its strings,
// containers and records are. A maybe or nullable starts empty, so it has
// nothing to build; a type of one's own (--using) is left as its author made it.
bool TakesAllocator(const CppNames& names, const Type& type)
{
    if (names.IsMappedAlias(type)) {
        return false;
    }
    switch (SeeThroughAliases(type).kind) {
    case TypeKind::string:
    case TypeKind::wstring:
    case TypeKind::meta_name:
    case TypeKind::meta_full_name:
    case TypeKind::list:
    case TypeKind::vector:
    case TypeKind::set:
    case TypeKind::map: return true;
    default: return IsStruct(type);
    }
}

// The constructor that copies (`take` "other.x") or moves ("std::move(other.x)")
// another record into one of the given allocator.
void PrintCopyWithAllocator(Printer& printer, const SchemaUnit& unit, const Declaration& structure,
                            const char* other_type, const char* take)
{
    std::vector<std::string> initializers;
    bool uses_allocator = false;
    if (structure.base) {
        initializers.push_back(fmt::format("{}({}, allocator)", unit.names.TypeName(*structure.base),
                                           fmt::format(fmt::runtime(take), "")));
        uses_allocator = true;
    }
    for (const Field& field : structure.fields) {
        const std::string value = fmt::format(fmt::runtime(take), "." + field.name);
        if (TakesAllocator(unit.names, field.type)) {
            initializers.push_back(fmt::format("{}({}, allocator)", field.name, value));
            uses_allocator = true;
        } else {
            initializers.push_back(fmt::format("{}({})", field.name, value));
        }
    }
    const std::string signature = fmt::format("{}({}{}, const allocator_type&{})", structure.name,
                                              fmt::format(fmt::runtime(other_type), structure.name),
                                              initializers.empty() ? "" : " other", uses_allocator ? " allocator" : "");
    PrintConstructor(printer, signature, initializers);
}

}  // namespace

void PrintConstructor(Printer& printer, const std::string& signature, const std::vector<std::string>& initializers)
{
    if (initializers.empty()) {
        printer.Print("$signature$ {}\n", {{"signature", signature}});
        return;
    }
    printer.Print("$signature$\n    : $list$\n{}\n",
                  {{"signature", signature}, {"list", fmt::format("{}", fmt::join(initializers, ",\n      "))}});
}

bool TextDefaultInConstructors(const SchemaUnit& unit, const Field& field)
{
    return !unit.options.allocator.empty() && IsString(field.type) && !unit.names.IsMappedAlias(field.type) &&
           field.default_value && field.default_value->kind == DefaultKind::string;
}

bool DefaultNeedsAllocator(const SchemaUnit& unit, const Declaration& structure)
{
    if (unit.options.allocator.empty()) {
        return false;
    }
    bool needs = structure.base.has_value();
    for (const Field& field : structure.fields) {
        needs = needs || IsStruct(field.type) ||
                unit.names.TypeName(field.type).find(unit.options.allocator) != std::string::npos;
    }
    return needs;
}

void PrintAllocatorConstructors(Printer& printer, const SchemaUnit& unit, const Declaration& structure)
{
    if (unit.options.allocator.empty()) {
        return;
    }
    std::vector<std::string> initializers;
    if (structure.base) {
        initializers.push_back(unit.names.TypeName(*structure.base) + "(allocator)");
    }
    for (const Field& field : structure.fields) {
        if (!TakesAllocator(unit.names, field.type)) {
            continue;
        }
        initializers.push_back(TextDefaultInConstructors(unit, field)
                                   ? fmt::format("{}({}, allocator)", field.name, unit.names.DefaultLiteral(field))
                                   : field.name + "(allocator)");
    }
    PrintConstructor(
        printer,
        fmt::format("explicit {}(const allocator_type&{})", structure.name, initializers.empty() ? "" : " allocator"),
        initializers);
    if (unit.options.alloc_ctors) {
        PrintCopyWithAllocator(printer, unit, structure, "const {}&", "other{}");
        PrintCopyWithAllocator(printer, unit, structure, "{}&&", "std::move(other{})");
    }
}

}  // namespace certpluck::gbc::cpp
