// Golden inputs are written in hex, as they are given.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace certpluck::testing {

inline std::string FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) {
    throw std::invalid_argument("odd number of hex digits");
  }
  std::string bytes;
  for (std::size_t index = 0; index < hex.size(); index += 2) {
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(index, 2)), nullptr, 16));
  }
  return bytes;
}

}  // namespace certpluck::testing
