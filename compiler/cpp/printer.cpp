#include "compiler/cpp/printer.h"

#include <algorithm>
#include <stdexcept>

namespace certpluck::gbc::cpp {

void Printer::Print(std::string_view text, Variables variables)
{
    for (size_t offset = 0; offset < text.size();) {
        const size_t dollar = text.find('$', offset);
        Put(text.substr(offset, dollar - offset));
        if (dollar == std::string_view::npos) {
            break;
        }
        const size_t end = text.find('$', dollar + 1);
        if (end == std::string_view::npos) {
            throw std::logic_error("unterminated variable in a template");
        }
        const std::string_view name = text.substr(dollar + 1, end - dollar - 1);
        if (name.empty()) {
            Put("$");
        } else {
            const auto found = std::find_if(variables.begin(), variables.end(),
                                            [&](const auto& entry) { return entry.first == name; });
            if (found == variables.end()) {
                throw std::logic_error("no value for the variable " + std::string(name));
            }
            Put(found->second);
        }
        offset = end + 1;
    }
}

// Indents each line that has anything on it; blank lines stay empty.
void Printer::Put(std::string_view text)
{
    for (size_t offset = 0; offset < text.size();) {
        const size_t newline = text.find('\n', offset);
        const std::string_view line = text.substr(offset, newline - offset);
        if (!line.empty()) {
            if (_at_line_start) {
                _out.append(_indent, ' ');
            }
            _out += line;
            _at_line_start = false;
        }
        if (newline == std::string_view::npos) {
            break;
        }
        _out += '\n';
        _at_line_start = true;
        offset = newline + 1;
    }
}

}  // namespace certpluck::gbc::cpp
