// Compiles schema text held in memory, for the compiler's tests.
#pragma once

#include "compiler/diagnostics.h"

#include <nlohmann/json.hpp>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace certpluck::gbc::testing {

struct Located {
    std::string file;
    uint32_t line = 0;
    uint32_t column = 0;
    std::string message;
    bool operator==(const Located&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Located& located)
{
    return out << located.file << ":" << located.line << ":" << located.column << ": " << located.message;
}

struct Compiled {
    // The JSON AST; null when there were errors.
    nlohmann::json ast;
    std::vector<Located> errors;
    // Every diagnostic as the program prints it.
    std::string report;
};

// Compiles `main.bond` of `files` (path to text); imports are found among
// `files`, `import_dirs` being searched after the importing file's folder.
Compiled CompileFiles(const std::map<std::string, std::string>& files,
                      const std::vector<std::string>& import_dirs = {});
Compiled CompileText(const std::string& text);

}  // namespace certpluck::gbc::testing
