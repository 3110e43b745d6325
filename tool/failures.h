// Every failure that the front end reports by itself. Each kind is raised from
// one out-of-line function, so that its message text is written in one place.
// An empty path stands for the standard stream in the input and output messages.
#pragma once

#include <cstdint>
#include <string>

namespace certpluck {

[[noreturn]] void ThrowInvalidInputFile(const std::string& input_path);
[[noreturn]] void ThrowInvalidOutputFile(const std::string& output_path);
[[noreturn]] void ThrowSameFile(const std::string& output_path);
[[noreturn]] void ThrowCannotReadInput(const std::string& input_path, int error_number);
[[noreturn]] void ThrowCannotWriteOutput(const std::string& output_path, int error_number);
[[noreturn]] void ThrowInputTooLarge(std::uint64_t max_bytes);

} // namespace certpluck
