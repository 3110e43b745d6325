// Passing over a value without keeping it, in the three ways a reader can know
// where the value ends:
//   - SkipValue: by the type the wire gives (the tagged protocols, whose
//     readers' Skip(type) is this);
//   - SkipDeclared<T>: by the type a compile-time schema declares (untagged);
//   - SkipDescribed: by the type a run-time schema describes (untagged).
// A struct is passed over by reading it into the Null transform, so its fields
// are matched and passed over by the same walk that reads them.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_fwd.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/checked.h>
#include <bond/core/detail/container.h>
#include <bond/core/detail/type_dispatch.h>
#include <bond/core/null.h>
#include <bond/core/reflection.h>
#include <bond/core/runtime_schema.h>
#include <bond/protocol/encoding.h>

#include <cstdint>

namespace bond::detail {

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
    case BT_STRING: {
        uint32_t length;
        ReadVariableUnsigned(input, length);
        input.Skip(length);
        break;
    }
    case BT_WSTRING: {
        uint32_t count;
        ReadVariableUnsigned(input, count);
        input.Skip(CheckedMultiply(count, 2));
        break;
    }
    case BT_STRUCT:
        if constexpr (requires { reader.SkipStructByLength(); }) {
            if (reader.SkipStructByLength()) {
                break;
            }
        }
        Apply(Null(), bonded<void, Reader&>(reader));
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
        uint64_t ignored;
        ReadVariableUnsigned(input, ignored);
    }
}

template <typename T, typename Reader>
void SkipDeclared(Reader& reader)
{
    if constexpr (BondStruct<T>) {
        Apply(Null(), bonded<T, Reader&>(reader));
    } else if constexpr (std::is_same_v<T, blob>) {
        WithList(reader, BT_INT8, [&](const ListHeader& header) {
            blob ignored;
            reader.Read(ignored, header.count);
        });
    } else if constexpr (is_map<T>::value) {
        WithMap(reader, get_type_id<typename T::key_type>::value, get_type_id<typename T::mapped_type>::value,
                [&](const MapHeader& header) {
                    for (uint32_t i = 0; i < header.count; ++i) {
                        SkipDeclared<typename T::key_type>(reader);
                        SkipDeclared<typename T::mapped_type>(reader);
                    }
                });
    } else if constexpr (is_sequence<T>::value || is_nullable<T>::value || is_set<T>::value) {
        WithList(reader, get_type_id<typename T::value_type>::value, [&](const ListHeader& header) {
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipDeclared<typename T::value_type>(reader);
            }
        });
    } else {
        reader.Skip(get_type_id<T>::value);
    }
}

// Throws CoreException "Invalid run-time schema: ..." for a container type
// without its element or key type, or a struct type the schema lacks.
template <typename Reader>
void SkipDescribed(Reader& reader, const RuntimeSchema& schema)
{
    const TypeDef& type = schema.GetType();
    if (type.bonded_type || type.id == BT_STRUCT) {
        bonded<void, Reader&>(reader, schema).Skip();
        return;
    }
    switch (type.id) {
    case BT_LIST:
    case BT_SET: {
        const RuntimeSchema element = schema.GetElementSchema();
        WithList(reader, element.GetTypeId(), [&](const ListHeader& header) {
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipDescribed(reader, element);
            }
        });
        break;
    }
    case BT_MAP: {
        const RuntimeSchema key = schema.GetKeySchema();
        const RuntimeSchema element = schema.GetElementSchema();
        WithMap(reader, key.GetTypeId(), element.GetTypeId(), [&](const MapHeader& header) {
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipDescribed(reader, key);
                SkipDescribed(reader, element);
            }
        });
        break;
    }
    default: reader.Skip(type.id);
    }
}

}  // namespace bond::detail
