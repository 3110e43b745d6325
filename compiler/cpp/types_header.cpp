#include "compiler/cpp/allocator_constructors.h"
#include "compiler/cpp/emit.h"
#include "compiler/cpp/literals.h"

#include <fmt/format.h>

#include <functional>
#include <optional>
#include <set>

namespace certpluck::gbc::cpp {
namespace {

// Every kind of type the file's fields and bases use, so that the header
// includes the runtime's header for each template it names.
std::set<TypeKind> KindsUsed(const Bond& bond)
{
    std::set<TypeKind> kinds;
    std::function<void(const Type&)> visit = [&](const Type& type) {
        kinds.insert(type.kind);
        for (const Type& argument : type.arguments) {
            visit(argument);
        }
        if (type.kind == TypeKind::user && type.declaration->aliased) {
            visit(*type.declaration->aliased);
        }
    };
    for (const auto& declaration : bond.declarations) {
        for (const Field& field : declaration->fields) {
            visit(field.type);
        }
        if (declaration->aliased) {
            visit(*declaration->aliased);
        }
    }
    return kinds;
}

void PrintIncludes(Printer& printer, const SchemaUnit& unit)
{
    if (unit.options.enum_header) {
        printer.Print("#include \"$name$_enum.h\"\n", {{"name", unit.name}});
    }
    PrintImports(printer, unit, "_types.h");
    if (unit.options.enum_header || !unit.bond.imports.empty()) {
        printer.Print("\n");
    }
    const std::set<TypeKind> kinds = KindsUsed(unit.bond);
    const std::pair<std::optional<TypeKind>, const char*> runtime_headers[] = {{std::nullopt, "blob"},
                                                                               {TypeKind::bonded, "bonded"},
                                                                               {TypeKind::maybe, "maybe"},
                                                                               {std::nullopt, "metadata"},
                                                                               {TypeKind::nullable, "nullable"}};
    for (const auto& [kind, header] : runtime_headers) {
        if (!kind || kinds.count(*kind) != 0) {
            printer.Print("#include <bond/core/$header$.h>\n", {{"header", header}});
        }
    }
    for (const std::string& header : unit.options.headers) {
        const bool delimited = !header.empty() && (header.front() == '<' || header.front() == '"');
        printer.Print("#include $header$\n", {{"header", delimited ? header : "\"" + header + "\""}});
    }
    printer.Print("\n#include <cstdint>\n#include <list>\n#include <map>\n");
    if (!unit.options.allocator.empty()) {
        printer.Print(unit.options.scoped_alloc ? "#include <memory>\n#include <scoped_allocator>\n"
                                                : "#include <memory>\n");
    }
    printer.Print("#include <set>\n#include <string>\n#include <utility>\n#include <vector>\n\n");
}

// The constants' names, as the initializer of a name table.
void PrintNameTable(Printer& printer, const Declaration& enumeration, std::string_view entry)
{
    printer.Print("static const Map map{\n");
    printer.Indent();
    for (const Constant& constant : enumeration.constants) {
        printer.Print(entry, {{"constant", constant.name}, {"text", StringLiteral(constant.name, false)}});
    }
    printer.Outdent();
    printer.Print("};\nreturn map;\n");
}

void PrintEnumFunctions(Printer& printer, const Declaration& enumeration)
{
    const std::string space = CppNames::SchemaNamespace(enumeration.namespaces);
    const std::string qualified = space.empty() ? enumeration.name : space + "." + enumeration.name;
    const Variables variables = {{"name", enumeration.name}, {"qualified", qualified}};
    printer.Print(R"(namespace _bond_enumerators::$name$ {

inline const char* GetTypeName(enum $name$)
{
    return "$name$";
}

inline const char* GetTypeName(enum $name$, const ::bond::qualified_name_tag&)
{
    return "$qualified$";
}

// The name of a constant; throws bond::CoreException for any other value.
const std::string& ToString(enum $name$ value);
// Sets `value` to the constant named `name`; throws bond::CoreException when there is none.
void FromString(const std::string& name, enum $name$& value);
// Sets `value` to the constant named `name`; false, leaving it as it was, when there is none.
bool ToEnum(enum $name$& value, const std::string& name);
// Sets `name` to the name of the constant `value`; false, leaving it as it was, for any other value.
bool FromEnum(std::string& name, enum $name$ value);

// Every constant and its name, in a map of the caller's choice, built on the
// first call for each map type; a value that two constants share has the
// name declared first.
template <typename Map = std::map<enum $name$, std::string>>
const Map& GetValueToNameMap(enum $name$)
{
)",
                  variables);
    printer.Indent();
    PrintNameTable(printer, enumeration, "{$constant$, $text$},\n");
    printer.Outdent();
    printer.Print(R"(}

template <typename Map = std::map<std::string, enum $name$>>
const Map& GetNameToValueMap(enum $name$)
{
)",
                  variables);
    printer.Indent();
    PrintNameTable(printer, enumeration, "{$text$, $constant$},\n");
    printer.Outdent();
    printer.Print("}\n\n}  // namespace _bond_enumerators::$name$\n\n", variables);
}

// Whether a record's values compare with ==: not when it holds a bonded<T>,
// which has no ==, anywhere in its fields or its base (a defaulted == would
// be deleted, which clang reports). A record met again while it is being
// judged is taken to compare; its other fields decide.
bool ComparesEqual(const Declaration& structure, std::set<const Declaration*>& judging);

bool TypeComparesEqual(const Type& type, std::set<const Declaration*>& judging)
{
    if (type.kind == TypeKind::bonded) {
        return false;
    }
    for (const Type& argument : type.arguments) {
        if (!TypeComparesEqual(argument, judging)) {
            return false;
        }
    }
    if (type.kind != TypeKind::user || type.declaration == nullptr) {
        return true;
    }
    if (type.declaration->aliased) {
        return TypeComparesEqual(*type.declaration->aliased, judging);
    }
    return type.declaration->kind != DeclarationKind::structure || ComparesEqual(*type.declaration, judging);
}

bool ComparesEqual(const Declaration& structure, std::set<const Declaration*>& judging)
{
    if (!judging.insert(&structure).second) {
        return true;
    }
    bool compares = !structure.base || TypeComparesEqual(*structure.base, judging);
    for (const Field& field : structure.fields) {
        compares = compares && TypeComparesEqual(field.type, judging);
    }
    judging.erase(&structure);
    return compares;
}

void PrintStruct(Printer& printer, const SchemaUnit& unit, const Declaration& structure)
{
    const std::string head = CppNames::TemplateHead(structure);
    if (!head.empty()) {
        printer.Print("$head$\n", {{"head", head}});
    }
    if (structure.base) {
        printer.Print("struct $name$ : $base$ {\n",
                      {{"name", structure.name}, {"base", unit.names.TypeName(*structure.base)}});
    } else {
        printer.Print("struct $name$ {\n", {{"name", structure.name}});
    }
    printer.Indent();
    if (!unit.options.allocator.empty()) {
        printer.Print("using allocator_type = $allocator$;\n\n", {{"allocator", unit.options.allocator}});
    }
    std::vector<std::string> text_defaults;
    for (const Field& field : structure.fields) {
        const bool in_constructors = TextDefaultInConstructors(unit, field);
        printer.Print("$type$ $name$$init$;\n", {{"type", unit.names.TypeName(field.type)},
                                                 {"name", field.name},
                                                 {"init", in_constructors ? "" : unit.names.Initializer(field)}});
        if (in_constructors) {
            text_defaults.push_back(fmt::format("{}({})", field.name, unit.names.DefaultLiteral(field)));
        }
    }
    // A constructor of its own, though the members' initializers set the
    // defaults, so that value-initialization (a vector growing as it is read)
    // does not first fill the record with zeros.
    printer.Print(DefaultNeedsAllocator(unit, structure) ? "\ntemplate <int = 0>\n" : "\n");
    PrintConstructor(printer, structure.name + "()", text_defaults);
    PrintAllocatorConstructors(printer, unit, structure);
    printer.Print("\nstruct Schema;\n");
    std::set<const Declaration*> judging;
    if (ComparesEqual(structure, judging)) {
        printer.Print("bool operator==(const $name$&) const = default;\n", {{"name", structure.name}});
    }
    printer.Print("void swap($name$& other)\n{\n    std::swap(*this, other);\n}\n", {{"name", structure.name}});
    printer.Outdent();
    printer.Print("};\n\n");
    printer.Print(head.empty() ? "inline void swap($self$& left, $self$& right)\n{\n    left.swap(right);\n}\n\n"
                               : "$head$\nvoid swap($self$& left, $self$& right)\n{\n    left.swap(right);\n}\n\n",
                  {{"head", head}, {"self", CppNames::SelfName(structure)}});
}

void PrintDeclaration(Printer& printer, const SchemaUnit& unit, const Declaration& declaration)
{
    switch (declaration.kind) {
    case DeclarationKind::enumeration:
        if (!unit.options.enum_header) {
            PrintEnumDefinition(printer, declaration);
        }
        PrintEnumFunctions(printer, declaration);
        break;
    case DeclarationKind::forward: {
        const std::string head = CppNames::TemplateHead(declaration);
        printer.Print(head.empty() ? "struct $name$;\n\n" : "$head$\nstruct $name$;\n\n",
                      {{"head", head}, {"name", declaration.name}});
        break;
    }
    case DeclarationKind::alias:
        if (unit.options.type_aliases) {
            const std::string head = CppNames::TemplateHead(declaration);
            printer.Print(head.empty() ? "using $name$ = $type$;\n\n" : "$head$\nusing $name$ = $type$;\n\n",
                          {{"head", head}, {"name", declaration.name}, {"type", unit.names.AliasTarget(declaration)}});
        }
        break;
    case DeclarationKind::structure: PrintStruct(printer, unit, declaration); break;
    case DeclarationKind::service: break;
    }
}

}  // namespace

std::string TypesHeader(const SchemaUnit& unit)
{
    std::string out;
    Printer printer(out);
    PrintBanner(printer, unit);
    printer.Print("#pragma once\n\n");
    PrintIncludes(printer, unit);
    OpenNamespace(printer, unit);
    for (const auto& declaration : unit.bond.declarations) {
        PrintDeclaration(printer, unit, *declaration);
    }
    CloseNamespace(printer, unit);
    return out;
}

}  // namespace certpluck::gbc::cpp
