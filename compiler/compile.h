// One schema file compiled to its JSON AST file, NAME.json in the output
// folder. The file is written beside its final name and renamed once
// complete, so a failed run leaves no file, and no half-written one.
#pragma once

#include "compiler/ast.h"
#include "compiler/diagnostics.h"
#include "compiler/file_source.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace certpluck::gbc {

struct CompileSettings {
    std::vector<std::string> import_dirs;
    std::string output_dir = ".";
    uint64_t max_output_bytes = uint64_t{256} << 20;
};

struct CompileResult {
    bool succeeded = false;
    // What to print on standard error: every diagnostic, or why it failed.
    std::string report;
};

// What a command makes of a schema file's resolved tree; it may add errors,
// which then make the result.
using Emit = std::function<CompileResult(const Bond& bond, Diagnostics& diagnostics)>;

// Reads a schema file (ending in ".json": a JSON AST; else schema text) and
// everything it imports, and hands its tree to `emit` when it has no errors.
CompileResult Compile(const std::string& path, const CompileSettings& settings, FileSource& files, const Emit& emit);

// Writes `target` through a file beside it, renamed over it once complete;
// `path` is the schema file, named in a failure's report.
CompileResult WriteAtomically(const std::string& path, const std::filesystem::path& target,
                              const std::function<void(std::ostream&)>& write);

CompileResult CompileToJsonAst(const std::string& path, const CompileSettings& settings, FileSource& files);

}  // namespace certpluck::gbc
