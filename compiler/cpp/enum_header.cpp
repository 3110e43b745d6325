#include "compiler/cpp/emit.h"

namespace certpluck::gbc::cpp {

// Decoding stores whatever 32-bit value the input carries, constant or not,
// so each enumeration has the full int32 range.
void PrintEnumDefinition(Printer& printer, const Declaration& enumeration)
{
    printer.Print("namespace _bond_enumerators {\nnamespace $name$ {\n\nenum $name$ : int32_t {\n",
                  {{"name", enumeration.name}});
    printer.Indent();
    int64_t next = 0;
    for (const Constant& constant : enumeration.constants) {
        const int64_t value = constant.value.value_or(next);
        printer.Print("$name$ = $value$,\n", {{"name", constant.name}, {"value", std::to_string(value)}});
        next = value + 1;
    }
    printer.Outdent();
    printer.Print("};\n\n}  // namespace $name$\n}  // namespace _bond_enumerators\n\n"
                  "using namespace _bond_enumerators::$name$;\n\n",
                  {{"name", enumeration.name}});
}

std::string EnumHeader(const SchemaUnit& unit)
{
    std::string out;
    Printer printer(out);
    PrintBanner(printer, unit);
    printer.Print("#pragma once\n\n#include <cstdint>\n\n");
    OpenNamespace(printer, unit);
    for (const Declaration* enumeration : Enums(unit.bond)) {
        PrintEnumDefinition(printer, *enumeration);
    }
    CloseNamespace(printer, unit);
    return out;
}

}  // namespace certpluck::gbc::cpp
