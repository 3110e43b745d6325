// Inputs and messages that the tool's tests share. Golden inputs are written
// in hex, as they are given.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace certpluck::testing {

inline std::string FromHex(std::string_view hex)
{
    if (hex.size() % 2 != 0) {
        throw std::invalid_argument("odd number of hex digits");
    }
    std::string bytes;
    for (std::size_t index = 0; index < hex.size(); index += 2) {
        bytes += static_cast<char>(std::stoi(std::string(hex.substr(index, 2)), nullptr, 16));
    }
    return bytes;
}

// A package whose certificate bytes are "ABC".
inline const std::string kPackage = FromHex("0b0e0341424300");

// The report on an empty input, which the decoder cannot even begin.
inline constexpr std::string_view kEmptyInputFailure =
    "Exception: Read out of bounds: 1 bytes requested, offset: 0, length: 0\n";

} // namespace certpluck::testing
