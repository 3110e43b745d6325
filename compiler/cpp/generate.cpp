#include "compiler/cpp/generate.h"

#include "compiler/cpp/emit.h"

#include <fmt/format.h>

namespace certpluck::gbc::cpp {
namespace {

// The library's compiler takes this ordinal, but its C++ runtime reserves it
// and fails to compile the generated code; say so at the field instead.
constexpr uint16_t reserved_ordinal = 65535;

void CheckOrdinals(const Bond& bond, Diagnostics& diagnostics)
{
    for (const Declaration* structure : Structs(bond)) {
        for (const Field& field : structure->fields) {
            if (field.ordinal == reserved_ordinal) {
                diagnostics.Error(field.position,
                                  fmt::format("field ordinal {} is reserved by the C++ runtime: use 0-{} for '{}'",
                                              reserved_ordinal, reserved_ordinal - 1, field.name));
            }
        }
    }
}

struct Output {
    const char* suffix;
    std::string (*emit)(const SchemaUnit&);
};

}  // namespace

CompileResult CompileToCpp(const std::string& path, const CompileSettings& settings, const CppOptions& options,
                           FileSource& files)
{
    return Compile(path, settings, files, [&](const Bond& bond, Diagnostics& diagnostics) {
        CheckOrdinals(bond, diagnostics);
        if (diagnostics.HasErrors()) {
            return CompileResult{};
        }
        const SchemaUnit unit{bond, std::filesystem::path(path).stem().string(), options, CppNames(options)};
        std::vector<Output> outputs = {{"_types.h", TypesHeader},
                                       {"_types.cpp", TypesSource},
                                       {"_reflection.h", ReflectionHeader},
                                       {"_apply.h", ApplyHeader},
                                       {"_apply.cpp", ApplySource}};
        if (options.enum_header) {
            outputs.push_back({"_enum.h", EnumHeader});
        }
        for (const Output& output : outputs) {
            const std::string file_name = unit.name + output.suffix;
            const std::string text = output.emit(unit);
            if (text.size() > settings.max_output_bytes) {
                return CompileResult{false, fmt::format("certpluck-gbc: {}: {} would be larger than the limit of {} "
                                                        "MiB (raise it with --max-output-mib)\n",
                                                        path, file_name, settings.max_output_bytes >> 20)};
            }
            CompileResult written = WriteAtomically(path, std::filesystem::path(settings.output_dir) / file_name,
                                                    [&](std::ostream& out) { out << text; });
            if (!written.succeeded) {
                return written;
            }
        }
        return CompileResult{true, {}};
    });
}

}  // namespace certpluck::gbc::cpp
