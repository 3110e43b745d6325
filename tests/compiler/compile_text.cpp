#include "compile_text.h"

#include "compiler/file_source.h"
#include "compiler/json_writer.h"
#include "compiler/resolver.h"

#include <sstream>

namespace certpluck::gbc::testing {

Compiled CompileFiles(const std::map<std::string, std::string>& files, const std::vector<std::string>& import_dirs)
{
    MemoryFileSource source;
    for (const auto& [path, text] : files) {
        source.Add(path, text);
    }
    Diagnostics diagnostics;
    Resolver resolver(source, import_dirs, diagnostics);
    Compiled compiled;
    try {
        const Unit* unit = resolver.Load("main.bond");
        if (unit != nullptr && !diagnostics.HasErrors()) {
            std::ostringstream out;
            WriteJsonAst(unit->bond, out, uint64_t{1} << 30);
            compiled.ast = nlohmann::json::parse(out.str());
        }
    } catch (const TooManyErrors&) {
        compiled.report += "too many errors\n";
    }
    for (const Diagnostic& diagnostic : diagnostics.All()) {
        compiled.report += FormatDiagnostic(diagnostic);
        if (!diagnostic.is_note) {
            const Position& at = diagnostic.position;
            compiled.errors.push_back(
                {at.file != nullptr ? at.file->path : "", at.line, at.column, diagnostic.message});
        }
    }
    return compiled;
}

Compiled CompileText(const std::string& text)
{
    return CompileFiles({{"main.bond", text}});
}

}  // namespace certpluck::gbc::testing
