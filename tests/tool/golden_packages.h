// Inputs and messages that the tool's tests share. Golden inputs are written
// in hex, as they are given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hex.h"

namespace certpluck::testing {

// The tool's tests hold bytes as strings; the shared helper gives a vector.
inline std::string FromHex(std::string_view hex)
{
    const std::vector<char> bytes = testing_support::FromHex(hex);
    return std::string(bytes.begin(), bytes.end());
}

// A package whose certificate bytes are "ABC".
inline const std::string package = FromHex("0b0e0341424300");

// The report on an empty input, which the decoder cannot even begin.
inline constexpr std::string_view empty_input_failure =
    "Exception: Read out of bounds: 1 bytes requested, offset: 0, length: 0\n";

}  // namespace certpluck::testing
