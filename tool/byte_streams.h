// Moves the tool's bytes between files or the standard streams and memory, in
// bulk. An empty path stands for standard input or standard output. Every
// failure is a std::runtime_error whose message names the file or stream and
// the system's reason; nothing fails silently.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "input_bytes.h"

namespace certpluck {

// The decoder measures its input with 32 bits.
inline constexpr std::uint64_t max_input_bytes = 0xFFFF'FFFF;

// Checks, before anything is read, that the run can go ahead, in this order:
// the input file can be opened ("Invalid input file: "; the output is then not
// touched); the output is not the very file that the input comes from, be it
// named by `input_path` or standing behind standard input ("Input and output are
// the same file: "); the output file can be created or truncated ("Invalid
// output file: "). Afterwards the output file exists and is empty.
void CheckPaths(const std::string& input_path, const std::string& output_path);

// Makes the whole input available at once: a regular file is mapped, anything
// else read. Throws when it cannot be read or holds more than max_input_bytes
// bytes (known from its size when it is a regular file, before anything is
// read), and std::bad_alloc when memory runs out.
InputBytes ReadInputBytes(const std::string& input_path);

// Replaces the output file's contents with `bytes`, or writes them to standard
// output, then closes the file or standard output so that a late write error is
// heard as well. Standard output is left alone when there is nothing to write.
// When `origin` says where the bytes lie in a file, the kernel copies them from
// there without passing them through the process.
void WriteOutputBytes(const std::string& output_path, std::span<const char> bytes,
                      const std::optional<InputBytes::FileRange>& origin = std::nullopt);

// Writes all of `text` to standard output, leaving it open.
void WriteStandardOutput(std::string_view text);

}  // namespace certpluck
