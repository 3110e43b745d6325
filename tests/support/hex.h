// Test helpers: hex text to bytes and back, and exact exception messages.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// "0b 0e 03" or "0b0e03" to bytes; blanks are ignored.
inline std::vector<char> FromHex(std::string_view hex)
{
    std::vector<char> bytes;
    int high = -1;
    for (const char c : hex) {
        if (c == ' ') {
            continue;
        }
        const int nibble = (c >= '0' && c <= '9') ? c - '0' : (c | 0x20) - 'a' + 10;
        if (high < 0) {
            high = nibble;
        } else {
            bytes.push_back(static_cast<char>(high << 4 | nibble));
            high = -1;
        }
    }
    return bytes;
}

inline std::string ToHex(const char* data, size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<uint8_t>(data[i]);
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

template <typename Bytes>
std::string ToHex(const Bytes& bytes)
{
    return ToHex(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The what() text of the exception `action` throws, or "no exception".
inline std::string MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no exception";
}

}  // namespace testing_support
