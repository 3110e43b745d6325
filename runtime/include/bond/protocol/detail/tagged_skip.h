// Passing over one value of a tagged protocol, the same way for each of them. A
// reader says how many bytes a type always takes (FixedSize: 0 when its size
// varies, as for a varint) and supplies Skip, through which nested values are
// passed over so that its own rules apply at every level.
#pragma once

#include <bond/core/bond_const.h>
#include <bond/core/detail/checked.h>
#include <bond/core/detail/recursion_guard.h>
#include <bond/core/exception.h>

#include <cstdint>
#include <utility>

namespace bond::detail {

// Throws StreamException when the value needs more bytes than remain,
// CoreException for a code that names no type or for nesting beyond the limit,
// std::overflow_error for a size beyond 32 bits. The element, key and value
// codes of a container are judged only through its elements, so an empty
// container is passed over whatever codes it carries.
template <typename Reader>
void SkipTagged(Reader& reader, BondDataType type)
{
    auto& input = reader.GetBuffer();
    if (const uint32_t size = Reader::FixedSize(type)) {
        input.Skip(size);
        return;
    }
    switch (type) {
    case BT_UINT16:
    case BT_UINT32:
    case BT_UINT64:
    case BT_INT16:
    case BT_INT32:
    case BT_INT64: {
        uint64_t ignored;
        input.ReadVariableUnsigned(ignored);
        break;
    }
    case BT_STRING: {
        uint32_t length;
        input.ReadVariableUnsigned(length);
        input.Skip(length);
        break;
    }
    case BT_WSTRING: {
        uint32_t count;
        input.ReadVariableUnsigned(count);
        input.Skip(CheckedMultiply(count, 2));
        break;
    }
    case BT_STRUCT: {
        RecursionGuard guard;
        BondDataType field_type;
        uint16_t id;
        for (reader.ReadFieldBegin(field_type, id); field_type != BT_STOP; reader.ReadFieldBegin(field_type, id)) {
            if (field_type != BT_STOP_BASE) {
                reader.Skip(field_type);
            }
        }
        break;
    }
    case BT_LIST:
    case BT_SET: {
        RecursionGuard guard;
        uint32_t count;
        BondDataType element_type;
        reader.ReadContainerBegin(count, element_type);
        if (const uint32_t size = Reader::FixedSize(element_type)) {
            input.Skip(CheckedMultiply(count, size));
            break;
        }
        for (uint32_t i = 0; i < count; ++i) {
            reader.Skip(element_type);
        }
        break;
    }
    case BT_MAP: {
        RecursionGuard guard;
        uint32_t count;
        std::pair<BondDataType, BondDataType> types;
        reader.ReadContainerBegin(count, types);
        for (uint32_t i = 0; i < count; ++i) {
            reader.Skip(types.first);
            reader.Skip(types.second);
        }
        break;
    }
    default:
        ThrowUnknownDataType();
    }
}

}  // namespace bond::detail
