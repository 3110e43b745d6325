#include "compiler/cpp/emit.h"
#include "compiler/cpp/entry_points.h"

namespace certpluck::gbc::cpp {

// Generic records have none: their templates are instantiated where used.
std::string ApplyHeader(const SchemaUnit& unit)
{
    std::string out;
    Printer printer(out);
    PrintBanner(printer, unit);
    printer.Print(R"(// The serialization entry points of the records: every Apply of these
// pairings reaches them, and the runtime's templates are instantiated for them
// once, in $name$_apply.cpp.
#pragma once

#include "$name$_reflection.h"
)",
                  {{"name", unit.name}});
    PrintImports(printer, unit, "_apply.h");
    printer.Print("\n#include <bond/core/bond.h>\n#include <bond/core/entry_points.h>\n\n");
    OpenNamespace(printer, unit);
    const std::string attribute = unit.options.export_attribute.empty() ? "" : unit.options.export_attribute + " ";
    // The second parameter lines up with the first.
    const std::string indent(attribute.size() + std::string_view("bool Apply(").size(), ' ');
    for (const Declaration* structure : Structs(unit.bond)) {
        if (!structure->params.empty()) {
            continue;
        }
        for (const EntryPoint& entry : EntryPoints(unit.names.Qualified(*structure), unit.options.apply)) {
            printer.Print(
                "$attribute$bool Apply(const $transform$& transform,\n$indent$const $value$& value);\n",
                {{"attribute", attribute}, {"transform", entry.transform}, {"indent", indent}, {"value", entry.value}});
        }
        printer.Print("\n");
    }
    CloseNamespace(printer, unit);
    return out;
}

}  // namespace certpluck::gbc::cpp
