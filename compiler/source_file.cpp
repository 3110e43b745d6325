#include "compiler/source_file.h"

namespace certpluck::gbc {

std::string_view SourceFile::Line(uint32_t line) const
{
    if (line == 0 || line > line_starts.size()) {
        return {};
    }
    const size_t begin = line_starts[line - 1];
    size_t end = line < line_starts.size() ? line_starts[line] : text.size();
    while (end > begin && (text[end - 1] == '\n' || text[end - 1] == '\r')) {
        --end;
    }
    return std::string_view(text).substr(begin, end - begin);
}

}  // namespace certpluck::gbc
