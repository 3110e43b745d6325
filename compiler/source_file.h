// A schema file's text and where each of its lines starts, so that a position
// can be shown as the line it is on. A Position is 1-based in lines and in
// characters (code points), as editors count them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace certpluck::gbc {

struct SourceFile;

struct Position {
    const SourceFile* file = nullptr;
    uint32_t line = 0;
    uint32_t column = 0;
};

struct SourceFile {
    std::string path;
    std::string text;
    // Byte offsets of each line's first byte; filled by the lexer.
    std::vector<size_t> line_starts;

    // The text of a line without its end; empty for a line the file lacks.
    std::string_view Line(uint32_t line) const;
};

}  // namespace certpluck::gbc
