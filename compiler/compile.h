// One schema file compiled to its JSON AST file, NAME.json in the output
// folder. The file is written beside its final name and renamed once
// complete, so a failed run leaves no file, and no half-written one.
#pragma once

#include "compiler/file_source.h"

#include <cstdint>
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

// Schema files ending in ".json" are read as JSON ASTs, others as schema text.
CompileResult CompileToJsonAst(const std::string& path, const CompileSettings& settings, FileSource& files);

}  // namespace certpluck::gbc
