#include "compiler/diagnostics.h"

#include "compiler/unicode.h"

#include <fmt/format.h>

namespace certpluck::gbc {
namespace {

// A line longer than this is not shown: a caret under column 700,000 helps
// nobody, and a binary file's "line" can be megabytes long.
constexpr size_t max_shown_line = 300;
constexpr size_t max_message = 300;

}  // namespace

TooManyErrors::TooManyErrors() : std::runtime_error("too many errors; giving up on this file") {}

// A message quotes names from the file, which can be megabytes long.
std::string Shortened(std::string message)
{
    if (message.size() <= max_message) {
        return message;
    }
    size_t end = max_message;
    while (end > 0 && (static_cast<unsigned char>(message[end]) & 0xC0) == 0x80) {
        --end;
    }
    message.resize(end);
    return message + "...";
}

void Diagnostics::Error(Position position, std::string message)
{
    if (++_errors > max_errors) {
        throw TooManyErrors();
    }
    _all.push_back({position, Shortened(std::move(message)), false});
}

void Diagnostics::Note(Position position, std::string message)
{
    _all.push_back({position, Shortened(std::move(message)), true});
}

std::string FormatDiagnostic(const Diagnostic& diagnostic)
{
    const Position& at = diagnostic.position;
    const char* kind = diagnostic.is_note ? "note" : "error";
    if (at.file == nullptr) {
        return fmt::format("certpluck-gbc: {}: {}\n", kind, diagnostic.message);
    }
    std::string report = fmt::format("{}:{}:{}: {}: {}\n", at.file->path, at.line, at.column, kind, diagnostic.message);
    const std::string_view line = at.file->Line(at.line);
    if (line.empty() || line.size() > max_shown_line || !IsValidUtf8(line)) {
        return report;
    }
    report.append(line);
    report.push_back('\n');
    // Tabs are kept so that the caret lines up however the terminal expands them.
    uint32_t column = 1;
    for (size_t offset = 0; offset < line.size() && column < at.column; ++column) {
        report.push_back(line[offset] == '\t' ? '\t' : ' ');
        offset += Utf8SequenceLength(static_cast<unsigned char>(line[offset]));
    }
    report.append("^\n");
    return report;
}

}  // namespace certpluck::gbc
