#include "compiler/cpp/emit.h"
#include "compiler/cpp/literals.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

namespace certpluck::gbc::cpp {
namespace {

const char* ModifierTag(Modifier modifier)
{
    switch (modifier) {
    case Modifier::optional: return "optional_field_modifier";
    case Modifier::required: return "required_field_modifier";
    case Modifier::required_optional: return "required_optional_field_modifier";
    }
    return "optional_field_modifier";
}

void PrintMetadataFunction(Printer& printer, const Declaration& structure)
{
    const std::string space = CppNames::SchemaNamespace(structure.namespaces);
    const std::string name = StringLiteral(structure.name, false);
    const std::string qualified = StringLiteral(space.empty() ? structure.name : space + "." + structure.name, false);
    const std::string attributes = CppNames::AttributesExpression(structure.attributes);
    printer.Print("\nstatic ::bond::Metadata GetMetadata()\n{\n");
    printer.Indent();
    if (!structure.params.empty()) {
        std::vector<std::string> names;
        for (const TypeParam& param : structure.params) {
            names.push_back(param.name);
        }
        const std::string params = fmt::format("{}", fmt::join(names, ", "));
        printer.Print("return ::bond::reflection::MetadataInit<boost::mpl::list<$params$>>($name$, $qualified$, "
                      "$attributes$);\n",
                      {{"params", params}, {"name", name}, {"qualified", qualified}, {"attributes", attributes}});
    } else if (!structure.attributes.empty()) {
        printer.Print("return ::bond::reflection::MetadataInit($name$, $qualified$, $attributes$);\n",
                      {{"name", name}, {"qualified", qualified}, {"attributes", attributes}});
    } else {
        printer.Print("return ::bond::reflection::MetadataInit($name$, $qualified$);\n",
                      {{"name", name}, {"qualified", qualified}});
    }
    printer.Outdent();
    printer.Print("}\n");
}

void PrintSchema(Printer& printer, const SchemaUnit& unit, const Declaration& structure)
{
    const std::string head = CppNames::TemplateHead(structure);
    const std::string self = CppNames::SelfName(structure);
    printer.Print(head.empty() ? "struct $self$::Schema {\n" : "$head$\nstruct $self$::Schema {\n",
                  {{"head", head}, {"self", self}});
    printer.Indent();
    printer.Print("using base = $base$;\nstatic const ::bond::Metadata metadata;\n",
                  {{"base", structure.base ? unit.names.TypeName(*structure.base) : "::bond::no_base"}});
    if (!structure.fields.empty()) {
        printer.Outdent();
        printer.Print("\nprivate:\n");
        printer.Indent();
        for (const Field& field : structure.fields) {
            printer.Print("static const ::bond::Metadata s_$name$_metadata;\n", {{"name", field.name}});
        }
        printer.Outdent();
        printer.Print("\npublic:\n");
        printer.Indent();
    }
    printer.Print("struct var {\n");
    printer.Indent();
    for (const Field& field : structure.fields) {
        printer.Print("using $name$ = ::bond::reflection::FieldTemplate<\n"
                      "    $ordinal$, ::bond::reflection::$modifier$, $self$, $type$,\n"
                      "    &$self$::$name$, &s_$name$_metadata>;\n",
                      {{"name", field.name},
                       {"ordinal", std::to_string(field.ordinal)},
                       {"modifier", ModifierTag(field.modifier)},
                       {"self", self},
                       {"type", unit.names.TypeName(field.type)}});
    }
    printer.Outdent();
    printer.Print("};\nusing fields = ::bond::reflection::FieldList<");
    // A generic record's fields depend on its parameters.
    const std::string_view dependent = structure.params.empty() ? "" : "typename ";
    for (size_t index = 0; index < structure.fields.size(); ++index) {
        printer.Print(index == 0 ? "$dependent$var::$name$" : ", $dependent$var::$name$",
                      {{"dependent", dependent}, {"name", structure.fields[index].name}});
    }
    printer.Print(">;\n");
    PrintMetadataFunction(printer, structure);
    printer.Outdent();
    printer.Print("};\n\n");
    if (!head.empty()) {
        PrintMetadataDefinitions(printer, unit, structure);
    }
}

}  // namespace

// Each record's own metadata before its fields', so that they are built in
// that order before main.
void PrintMetadataDefinitions(Printer& printer, const SchemaUnit& unit, const Declaration& structure)
{
    const std::string head = CppNames::TemplateHead(structure);
    const std::string self = CppNames::SelfName(structure);
    const Variables variables = {{"head", head}, {"self", self}};
    const std::string_view prefix = head.empty() ? "" : "$head$\n";
    printer.Print(std::string(prefix) +
                      "const ::bond::Metadata $self$::Schema::metadata = $self$::Schema::GetMetadata();\n",
                  variables);
    for (const Field& field : structure.fields) {
        printer.Print(
            std::string(prefix) + "const ::bond::Metadata $self$::Schema::s_$name$_metadata =\n"
                                  "    ::bond::reflection::MetadataInit($arguments$);\n",
            {{"head", head}, {"self", self}, {"name", field.name}, {"arguments", unit.names.MetadataArguments(field)}});
    }
    printer.Print("\n");
}

std::string ReflectionHeader(const SchemaUnit& unit)
{
    std::string out;
    Printer printer(out);
    PrintBanner(printer, unit);
    printer.Print("#pragma once\n\n#include \"$name$_types.h\"\n", {{"name", unit.name}});
    PrintImports(printer, unit, "_reflection.h");
    printer.Print("\n#include <bond/core/reflection.h>\n\n");
    OpenNamespace(printer, unit);
    for (const Declaration* structure : Structs(unit.bond)) {
        PrintSchema(printer, unit, *structure);
    }
    CloseNamespace(printer, unit);
    return out;
}

}  // namespace certpluck::gbc::cpp
