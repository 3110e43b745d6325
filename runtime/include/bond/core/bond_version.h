// Protocol versions: the numbers a reader or writer is made with and a
// marshaling header carries.
#pragma once

#include <cstdint>
#include <type_traits>

namespace bond {

inline constexpr uint16_t v1 = 1;
inline constexpr uint16_t v2 = 2;

// The version a reader (and its protocol's writer) uses unless told otherwise.
// A reader's own `version` is the highest it reads.
template <typename Reader>
struct default_version : std::integral_constant<uint16_t, Reader::default_version> {};

}  // namespace bond
