#include "failures.h"

#include <cstring>
#include <stdexcept>

namespace certpluck {

void ThrowInvalidInputFile(const std::string& input_path)
{
    throw std::runtime_error("Invalid input file: " + input_path);
}

void ThrowInvalidOutputFile(const std::string& output_path)
{
    throw std::runtime_error("Invalid output file: " + output_path);
}

void ThrowSameFile(const std::string& output_path)
{
    throw std::runtime_error("Input and output are the same file: " + output_path);
}

std::string CannotReadInputMessage(const std::string& input_path, const std::string& reason)
{
    const std::string source = input_path.empty() ? "standard input" : "input file: " + input_path;
    return "Cannot read " + source + ": " + reason;
}

void ThrowCannotReadInput(const std::string& input_path, int error_number)
{
    throw std::runtime_error(CannotReadInputMessage(input_path, std::strerror(error_number)));
}

void ThrowInputShrank(const std::string& input_path)
{
    throw std::runtime_error(CannotReadInputMessage(input_path, input_shrank));
}

void ThrowCannotWriteOutput(const std::string& output_path, int error_number)
{
    const std::string sink = output_path.empty() ? "standard output" : "output file: " + output_path;
    throw std::runtime_error("Cannot write " + sink + ": " + std::strerror(error_number));
}

void ThrowInputTooLarge(std::uint64_t max_bytes)
{
    throw std::runtime_error("Input too large: more than " + std::to_string(max_bytes) + " bytes");
}

}  // namespace certpluck
