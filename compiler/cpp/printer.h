// Writes generated text line by line: "$name$" in a template stands for the
// variable of that name ("$$" for a dollar sign), and every line begins at the
// current indentation, so that the emitters say what they write, not how.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace certpluck::gbc::cpp {

using Variables = std::initializer_list<std::pair<std::string_view, std::string_view>>;

class Printer {
public:
    explicit Printer(std::string& out) : _out(out) {}

    // Throws std::logic_error for a variable the template names but `variables` lacks.
    void Print(std::string_view text, Variables variables = {});
    void Indent() { _indent += 4; }
    void Outdent() { _indent -= 4; }

private:
    void Put(std::string_view text);

    std::string& _out;
    size_t _indent = 0;
    bool _at_line_start = true;
};

}  // namespace certpluck::gbc::cpp
