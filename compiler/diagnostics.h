// Errors found in schema files, collected so that one run reports all of them,
// and printed as clang prints its own: "FILE:LINE:COLUMN: error: MESSAGE", the
// line, and a caret under the column; a note (where an earlier definition is)
// follows the error it explains.
#pragma once

#include "compiler/source_file.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace certpluck::gbc {

struct Diagnostic {
    Position position;
    std::string message;
    bool is_note = false;
};

// Thrown once a file has given more errors than are worth reading: garbage
// would otherwise make a report as large as itself.
class TooManyErrors : public std::runtime_error {
public:
    TooManyErrors();
};

class Diagnostics {
public:
    static constexpr size_t max_errors = 50;

    // Throws TooManyErrors when the error is one over max_errors.
    void Error(Position position, std::string message);
    // Attaches a note to the error reported last.
    void Note(Position position, std::string message);

    bool HasErrors() const { return _errors != 0; }
    size_t ErrorCount() const { return _errors; }
    const std::vector<Diagnostic>& All() const { return _all; }

private:
    std::vector<Diagnostic> _all;
    size_t _errors = 0;
};

// The report of one diagnostic, ending with a newline.
std::string FormatDiagnostic(const Diagnostic& diagnostic);

}  // namespace certpluck::gbc
