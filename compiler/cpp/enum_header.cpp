#include "compiler/cpp/emit.h"

#include <limits>

namespace certpluck::gbc::cpp {

// Decoding stores whatever 32-bit value the input carries, constant or not,
// so each enumeration has the full int32 range. A schema may also give a
// constant an unsigned 32-bit value, which the wire carries as the int32 of
// the same bits: the constant is converted to that, explicitly, since an
// enumerator outside its underlying type's range does not compile.
void PrintEnumDefinition(Printer& printer, const Declaration& enumeration)
{
    printer.Print("namespace _bond_enumerators {\nnamespace $name$ {\n\nenum $name$ : int32_t {\n",
                  {{"name", enumeration.name}});
    printer.Indent();
    int64_t next = 0;
    for (const Constant& constant : enumeration.constants) {
        const int64_t value = constant.value.value_or(next);
        const std::string written = value > std::numeric_limits<int32_t>::max()
                                        ? "static_cast<int32_t>(" + std::to_string(value) + "u)"
                                        : std::to_string(value);
        printer.Print("$name$ = $value$,\n", {{"name", constant.name}, {"value", written}});
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
