// Property: any bytes, read as a schema file or as a JSON AST, end in errors or in an AST that is valid JSON.
// No input may crash the compiler, make it recurse without bound, or make it write more than its output limit.
#include "compiler/diagnostics.h"
#include "compiler/file_source.h"
#include "compiler/json_ast_reader.h"
#include "compiler/json_writer.h"
#include "compiler/resolver.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// Small enough that an input which multiplies its output stops quickly.
constexpr uint64_t output_limit = uint64_t{1} << 20;

[[noreturn]] void Fail(const char* property)
{
    std::fprintf(stderr, "fuzz_schema_compiler: %s\n", property);
    std::abort();
}

void CheckWritten(const certpluck::gbc::Bond& bond)
{
    std::ostringstream out;
    try {
        certpluck::gbc::WriteJsonAst(bond, out, output_limit);
    } catch (const certpluck::gbc::OutputTooLarge&) {
        if (out.str().size() > output_limit) {
            Fail("wrote past the output limit");
        }
        return;
    }
    if (!nlohmann::json::accept(out.str())) {
        Fail("wrote an AST that is not JSON");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    certpluck::gbc::MemoryFileSource files;
    files.Add("main.bond", text);
    // An input importing itself or "dep.bond" reaches the import paths too.
    files.Add("dep.bond", "namespace dep\nstruct D { 0: int32 x; }\nenum E { A, B }\n");
    certpluck::gbc::Diagnostics diagnostics;
    certpluck::gbc::Resolver resolver(files, {}, diagnostics);
    try {
        const certpluck::gbc::Unit* unit = resolver.Load("main.bond");
        if (unit == nullptr) {
            Fail("lost the file it was given");
        }
        if (!diagnostics.HasErrors()) {
            CheckWritten(unit->bond);
        }
    } catch (const certpluck::gbc::TooManyErrors&) {
    }
    for (const auto& diagnostic : diagnostics.All()) {
        if (!diagnostic.is_note && diagnostic.position.file == nullptr) {
            Fail("reported an error in the file without its position");
        }
        (void)certpluck::gbc::FormatDiagnostic(diagnostic);
    }
    try {
        const certpluck::gbc::JsonAst ast = certpluck::gbc::ReadJsonAst(text);
        CheckWritten(ast.bond);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
