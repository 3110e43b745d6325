#include "compiler/cpp/emit.h"
#include "compiler/cpp/entry_points.h"

namespace certpluck::gbc::cpp {

std::string ApplySource(const SchemaUnit& unit)
{
    std::string out;
    Printer printer(out);
    PrintBanner(printer, unit);
    printer.Print("#include \"$name$_apply.h\"\n\n", {{"name", unit.name}});
    OpenNamespace(printer, unit);
    for (const Declaration* structure : Structs(unit.bond)) {
        if (!structure->params.empty()) {
            continue;
        }
        for (const EntryPoint& entry : EntryPoints(unit.names.Qualified(*structure), unit.options.apply)) {
            printer.Print(R"(bool Apply(const $transform$& transform,
           const $value$& value)
{
    return ::bond::detail::ApplyTransform(transform, value);
}

)",
                          {{"transform", entry.transform}, {"value", entry.value}});
        }
    }
    CloseNamespace(printer, unit);
    return out;
}

}  // namespace certpluck::gbc::cpp
