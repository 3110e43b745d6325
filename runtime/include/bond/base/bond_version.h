// Protocol versions: the numbers a reader or writer is made with and a
// marshaling header carries, and the version each protocol's readers and
// writers use unless told otherwise.
//
// A program may change a protocol's default by specializing default_version
// for its reader, as the library's example on protocol versions does, before
// it includes the protocols' headers:
//     template <typename Buffer>
//     struct bond::default_version<bond::SimpleBinaryReader<Buffer>>
//         : std::integral_constant<uint16_t, bond::v2> {};
// A protocol's writer takes its default from its reader's.
#pragma once

#include <cstdint>
#include <type_traits>

namespace bond {

template <typename Buffer>
class CompactBinaryReader;
template <typename Buffer>
class FastBinaryReader;
template <typename Buffer>
class SimpleBinaryReader;

inline constexpr uint16_t v1 = 1;
inline constexpr uint16_t v2 = 2;

// Every protocol's first version, unless a program says otherwise. A reader's
// own `version` is the highest it reads.
template <typename Reader>
struct default_version : std::integral_constant<uint16_t, v1> {};

}  // namespace bond
