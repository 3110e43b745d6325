// Passing over a value of an untagged protocol (Simple Binary), where only a
// schema tells where it ends:
//   - SkipDeclared<T>: by the type a compile-time schema declares;
//   - SkipDescribed: by the type a run-time schema describes.
// A struct is passed over by its payload's Skip, which walks it with the Null
// transform, so its fields are passed over by the same walk that reads them.
// The tagged protocols pass over a value by its wire type alone
// (protocol/detail/skip_value.h).
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_fwd.h>
#include <bond/core/detail/marshaled_payload.h>
#include <bond/protocol/detail/container.h>
#include <bond/schema/reflection.h>
#include <bond/schema/runtime_schema.h>

#include <cstdint>
#include <type_traits>

namespace bond::detail {

template <typename T, typename Reader>
void SkipDeclared(Reader& reader)
{
    if constexpr (BondStruct<T>) {
        bonded<T, Reader&>(reader).Skip();
    } else if constexpr (is_bonded<T>::value) {
        (void)ReadMarshaledPayload(reader);
    } else if constexpr (std::is_same_v<T, blob>) {
        WithList(reader, BT_INT8, [&](const ListHeader& header) {
            blob ignored;
            reader.Read(ignored, header.count);
        });
    } else if constexpr (is_map_container<T>::value) {
        WithMap(reader, get_type_id<key_of<T>>::value, get_type_id<mapped_of<T>>::value, [&](const MapHeader& header) {
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipDeclared<key_of<T>>(reader);
                SkipDeclared<mapped_of<T>>(reader);
            }
        });
    } else if constexpr (is_list_container<T>::value || is_set_container<T>::value) {
        WithList(reader, get_type_id<element_of<T>>::value, [&](const ListHeader& header) {
            for (uint32_t i = 0; i < header.count; ++i) {
                SkipDeclared<element_of<T>>(reader);
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
