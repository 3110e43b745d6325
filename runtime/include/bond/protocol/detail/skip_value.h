// Passing over a value of a tagged protocol (Compact Binary, Fast Binary) by
// the type the wire gives it, which is what those readers' Skip(type) does.
// The untagged protocol's values end where a schema says, so they are passed
// over by core/detail/skip.h.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/detail/checked.h>
#include <bond/protocol/detail/container.h>
#include <bond/protocol/detail/recursion_guard.h>
#include <bond/protocol/detail/text.h>
#include <bond/protocol/detail/type_dispatch.h>
#include <bond/protocol/encoding.h>

#include <cstdint>

namespace bond::detail {

template <typename Reader>
void SkipValue(Reader& reader, BondDataType type);

// The fields of a struct up to its stop marker, each by its wire type; a marker
// that ends a base part goes by like any other field header. A struct's fields
// need no schema to be passed over in a tagged protocol.
template <typename Reader>
void SkipFields(Reader& reader)
{
    RecursionGuard guard;
    reader.ReadStructBegin();
    BondDataType type;
    uint16_t id;
    for (reader.ReadFieldBegin(type, id); type != BT_STOP; reader.ReadFieldBegin(type, id)) {
        if (type != BT_STOP_BASE) {
            SkipValue(reader, type);
        }
        reader.ReadFieldEnd();
    }
    reader.ReadStructEnd();
}

// Throws StreamException when the value needs more bytes than remain,
// CoreException for a code that names no type or for nesting beyond the
// limit, std::overflow_error for a size beyond 32 bits.
template <typename Reader>
void SkipValue(Reader& reader, BondDataType type)
{
    auto& input = reader.GetBuffer();
    if (const uint32_t size = Reader::FixedSize(type)) {
        input.Skip(size);
        return;
    }
    switch (CheckedValueType(type)) {
    case BT_STRING:
    case BT_WSTRING: {
        uint32_t length;
        ReadVariableUnsigned(input, length);
        SkipTextBytes(input, type, length);
        break;
    }
    case BT_STRUCT:
        if constexpr (requires { reader.SkipStructByLength(); }) {
            if (reader.SkipStructByLength()) {
                break;
            }
        }
        SkipFields(reader);
        break;
    case BT_LIST:
    case BT_SET:
        WithList(reader, BT_UNAVAILABLE, [&](const ListHeader& header) {
            if (const uint32_t size = Reader::FixedSize(header.element)) {
                input.Skip(CheckedMultiply(header.count, size));
                return;
            }
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipValue(reader, header.element);
            }
        });
        break;
    case BT_MAP:
        WithMap(reader, BT_UNAVAILABLE, BT_UNAVAILABLE, [&](const MapHeader& header) {
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipValue(reader, header.key);
                SkipValue(reader, header.element);
            }
        });
        break;
    default:
        // The integers wider than a byte, where they are varints.
        PassedOverVarint ignored;
        ReadVariableUnsigned(input, ignored);
    }
}

}  // namespace bond::detail
