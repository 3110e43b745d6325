// Containers as every reader meets them: a header (the element type, or the
// key and value types, and a count), then the elements. Whoever reads, passes
// over or re-encodes a list, set or map goes through here, which decides:
//   - nesting: a container is one level deeper than what holds it;
//   - element codes: they are judged (by CheckedValueType) where an element
//     of them is met, so an empty container is passed over whatever codes it
//     carries, and a map's value code only once its first key is through;
//   - counts: storage is never reserved for more elements than the remaining
//     input could hold.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/protocol/detail/recursion_guard.h>
#include <bond/protocol/detail/stream_access.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace bond::detail {

struct ListHeader {
    uint32_t count;
    BondDataType element;
};

struct MapHeader {
    uint32_t count;
    BondDataType key;
    BondDataType element;
};

// Reads a list or set header, then hands it to `body`, which reads or passes
// over exactly its elements. An untagged reader leaves `declared` as the
// element type.
template <typename Reader, typename Body>
[[gnu::always_inline]] inline void WithList(Reader& reader, BondDataType declared, Body&& body)
{
    RecursionGuard guard;
    ListHeader header{0, declared};
    reader.ReadContainerBegin(header.count, header.element);
    body(header);
    reader.ReadContainerEnd();
}

// The same for a map header; an untagged reader leaves the declared key and
// value types.
template <typename Reader, typename Body>
void WithMap(Reader& reader, BondDataType declared_key, BondDataType declared_element, Body&& body)
{
    RecursionGuard guard;
    std::pair<BondDataType, BondDataType> types{declared_key, declared_element};
    uint32_t count = 0;
    reader.ReadContainerBegin(count, types);
    body(MapHeader{count, types.first, types.second});
    reader.ReadContainerEnd();
}

// How many of `count` declared elements storage may be reserved for (see
// PlausibleCount of a stream).
template <typename Reader>
uint32_t PlausibleElementCount(const Reader& reader, uint32_t count)
{
    return PlausibleCount(reader.GetBuffer(), count);
}

}  // namespace bond::detail
