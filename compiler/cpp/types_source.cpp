#include "compiler/cpp/emit.h"

namespace certpluck::gbc::cpp {
namespace {

void PrintEnumConversions(Printer& printer, const Declaration& enumeration)
{
    printer.Print(R"(namespace _bond_enumerators::$name$ {

const std::string& ToString(enum $name$ value)
{
    return ::bond::detail::EnumToString(value);
}

void FromString(const std::string& name, enum $name$& value)
{
    ::bond::detail::EnumFromString(name, value);
}

bool ToEnum(enum $name$& value, const std::string& name)
{
    return ::bond::detail::EnumToEnum(value, name);
}

bool FromEnum(std::string& name, enum $name$ value)
{
    return ::bond::detail::EnumFromEnum(name, value);
}

}  // namespace _bond_enumerators::$name$

)",
                  {{"name", enumeration.name}});
}

}  // namespace

std::string TypesSource(const SchemaUnit& unit)
{
    std::string out;
    Printer printer(out);
    PrintBanner(printer, unit);
    printer.Print("#include \"$name$_reflection.h\"\n\n", {{"name", unit.name}});
    const std::vector<const Declaration*> enums = Enums(unit.bond);
    if (!enums.empty()) {
        printer.Print("#include <bond/core/enum_conversions.h>\n\n");
    }
    OpenNamespace(printer, unit);
    for (const Declaration* structure : Structs(unit.bond)) {
        if (structure->params.empty()) {
            PrintMetadataDefinitions(printer, unit, *structure);
        }
    }
    for (const Declaration* enumeration : enums) {
        PrintEnumConversions(printer, *enumeration);
    }
    CloseNamespace(printer, unit);
    return out;
}

}  // namespace certpluck::gbc::cpp
