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
[[noreturn]] void ThrowInputShrank(const std::string& input_path);
[[noreturn]] void ThrowCannotWriteOutput(const std::string& output_path, int error_number);
[[noreturn]] void ThrowInputTooLarge(std::uint64_t max_bytes);

// The text of an input that could not be read for `reason`.
std::string CannotReadInputMessage(const std::string& input_path, const std::string& reason);

// Why an input file that was cut short while it was being read cannot be read.
inline constexpr const char* input_shrank = "Input shrank while it was being read";

}  // namespace certpluck
