// Re-encoding a payload with another writer.
//   - Same protocol and version: the struct's bytes are copied as they are.
//   - From a tagged protocol to a tagged one: every field is copied in wire
//     order with its wire type, unknown fields and base-part markers included,
//     nothing omitted.
//   - From an untagged protocol: every declared field, in order, as declared.
//   - From a tagged protocol to an untagged one: the payload is decoded into a
//     T and that record is written, so exactly the declared fields go out, once
//     each, in order, with their defaults where the payload lacks them or holds
//     a type that does not convert.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_const.h>
#include <bond/core/bond_fwd.h>
#include <bond/core/detail/recursion_guard.h>
#include <bond/core/exception.h>
#include <bond/core/metadata.h>
#include <bond/core/null.h>
#include <bond/core/reflection.h>
#include <bond/protocol/detail/wire.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

namespace bond::detail {

inline const Metadata& NoMetadata()
{
    static const Metadata none;
    return none;
}

template <typename Value, typename Reader, typename Writer>
void CopyValue(Reader& reader, Writer& writer)
{
    Value value;
    reader.Read(value);
    writer.Write(value);
}

template <typename Reader, typename Writer>
void TranscodeStruct(Reader& reader, Writer& writer, const Metadata& metadata);

// A container's element types are judged only when it has elements: an empty
// one is copied with the codes it carries, as every reader accepts it. This
// runs before the header is written, since writers take only value types for
// elements that follow.
inline void RequireElementTypes(uint32_t count, std::initializer_list<BondDataType> types)
{
    if (count > 0) {
        for (const BondDataType type : types) {
            CheckedValueType(type);
        }
    }
}

// Copies one value of a tagged payload, described by its wire type.
template <typename Reader, typename Writer>
void TranscodeValue(Reader& reader, Writer& writer, BondDataType type)
{
    switch (type) {
    // A bool's byte goes out as it stands, whatever its value, as the other
    // one-byte values do: re-encoding does not judge values.
    case BT_BOOL:
    case BT_UINT8: CopyValue<uint8_t>(reader, writer); break;
    case BT_UINT16: CopyValue<uint16_t>(reader, writer); break;
    case BT_UINT32: CopyValue<uint32_t>(reader, writer); break;
    case BT_UINT64: CopyValue<uint64_t>(reader, writer); break;
    case BT_INT8: CopyValue<int8_t>(reader, writer); break;
    case BT_INT16: CopyValue<int16_t>(reader, writer); break;
    case BT_INT32: CopyValue<int32_t>(reader, writer); break;
    case BT_INT64: CopyValue<int64_t>(reader, writer); break;
    case BT_FLOAT: CopyValue<float>(reader, writer); break;
    case BT_DOUBLE: CopyValue<double>(reader, writer); break;
    case BT_STRING: CopyValue<std::string>(reader, writer); break;
    case BT_WSTRING: CopyValue<std::wstring>(reader, writer); break;
    case BT_STRUCT: TranscodeStruct(reader, writer, NoMetadata()); break;
    case BT_LIST:
    case BT_SET: {
        RecursionGuard guard;
        uint32_t count;
        BondDataType element_type;
        reader.ReadContainerBegin(count, element_type);
        RequireElementTypes(count, {element_type});
        writer.WriteContainerBegin(count, element_type);
        if (FixedWidth(element_type) == 1) {
            reader.GetBuffer().RequireElements(count, 1);
            blob bytes;
            reader.Read(bytes, count);
            writer.Write(bytes);
        } else {
            for (uint32_t i = 0; i < count; ++i) {
                TranscodeValue(reader, writer, element_type);
            }
        }
        reader.ReadContainerEnd();
        writer.WriteContainerEnd();
        break;
    }
    case BT_MAP: {
        RecursionGuard guard;
        uint32_t count;
        std::pair<BondDataType, BondDataType> types;
        reader.ReadContainerBegin(count, types);
        RequireElementTypes(count, {types.first, types.second});
        writer.WriteContainerBegin(count, types);
        for (uint32_t i = 0; i < count; ++i) {
            TranscodeValue(reader, writer, types.first);
            TranscodeValue(reader, writer, types.second);
        }
        reader.ReadContainerEnd();
        writer.WriteContainerEnd();
        break;
    }
    default:
        ThrowUnknownDataType();
    }
}

template <typename Reader, typename Writer>
void TranscodeStruct(Reader& reader, Writer& writer, const Metadata& metadata)
{
    RecursionGuard guard;
    reader.ReadStructBegin();
    writer.WriteStructBegin(metadata);
    BondDataType type;
    uint16_t id;
    for (reader.ReadFieldBegin(type, id); type != BT_STOP; reader.ReadFieldBegin(type, id)) {
        if (type == BT_STOP_BASE) {
            writer.WriteStructEnd(true);
            continue;
        }
        // A writer takes only value types; the wire may hold any code, and it
        // must be refused before a header is written for it.
        if (!IsValueType(type)) {
            ThrowUnknownDataType();
        }
        writer.WriteFieldBegin(type, id, NoMetadata());
        TranscodeValue(reader, writer, type);
        writer.WriteFieldEnd();
        reader.ReadFieldEnd();
    }
    reader.ReadStructEnd();
    writer.WriteStructEnd();
}

// Copies one value of an untagged payload, described by its declared type.
template <typename X, typename Reader, typename Writer>
void TranscodeTyped(Reader& reader, Writer& writer)
{
    if constexpr (BondStruct<X>) {
        Apply(Serializer<Writer>(writer), bonded<X, Reader&>(reader));
    } else if constexpr (std::is_same_v<X, blob>) {
        RecursionGuard guard;
        uint32_t count;
        BondDataType element_type = BT_INT8;
        reader.ReadContainerBegin(count, element_type);
        writer.WriteContainerBegin(count, BT_INT8);
        blob bytes;
        reader.Read(bytes, count);
        writer.Write(bytes);
        reader.ReadContainerEnd();
        writer.WriteContainerEnd();
    } else if constexpr (is_vector<X>::value || is_nullable<X>::value || is_set<X>::value) {
        using Element = typename X::value_type;
        RecursionGuard guard;
        uint32_t count;
        BondDataType element_type = get_type_id<Element>::value;
        reader.ReadContainerBegin(count, element_type);
        writer.WriteContainerBegin(count, get_type_id<Element>::value);
        for (uint32_t i = 0; i < count; ++i) {
            TranscodeTyped<Element>(reader, writer);
        }
        reader.ReadContainerEnd();
        writer.WriteContainerEnd();
    } else if constexpr (is_map<X>::value) {
        using Key = typename X::key_type;
        using Value = typename X::mapped_type;
        RecursionGuard guard;
        uint32_t count;
        std::pair<BondDataType, BondDataType> types{get_type_id<Key>::value, get_type_id<Value>::value};
        reader.ReadContainerBegin(count, types);
        writer.WriteContainerBegin(count, std::make_pair(get_type_id<Key>::value, get_type_id<Value>::value));
        for (uint32_t i = 0; i < count; ++i) {
            TranscodeTyped<Key>(reader, writer);
            TranscodeTyped<Value>(reader, writer);
        }
        reader.ReadContainerEnd();
        writer.WriteContainerEnd();
    } else if constexpr (std::is_enum_v<X>) {
        CopyValue<int32_t>(reader, writer);
    } else {
        CopyValue<X>(reader, writer);
    }
}

template <typename Reader, typename Writer, typename... Fields>
void TranscodeDeclaredFields(Reader& reader, Writer& writer, reflection::FieldList<Fields...>)
{
    ((writer.WriteFieldBegin(get_type_id<typename Fields::field_type>::value, Fields::id, Fields::metadata),
      TranscodeTyped<typename Fields::field_type>(reader, writer), writer.WriteFieldEnd()),
     ...);
}

template <typename T, typename Reader, typename Writer>
void TranscodeUntaggedStruct(Reader& reader, Writer& writer)
{
    RecursionGuard guard;
    reader.ReadStructBegin();
    writer.WriteStructBegin(T::Schema::metadata);
    TranscodeDeclaredFields(reader, writer, typename T::Schema::fields{});
    reader.ReadStructEnd();
    writer.WriteStructEnd();
}

// Copies the bytes of the struct at the reader's position.
template <typename T, typename Reader, typename Writer>
void PassThrough(Reader& reader, Writer& writer)
{
    const uint32_t start = reader.GetBuffer().GetPosition();
    if constexpr (Reader::tagged) {
        reader.Skip(BT_STRUCT);
    } else {
        Apply(Null(), bonded<T, Reader&>(reader));
    }
    const uint32_t end = reader.GetBuffer().GetPosition();
    writer.GetBuffer().Write(reader.GetBuffer().GetBuffer().range(start, end - start));
}

template <typename T, typename Reader, typename Writer>
void TranscodePayload(Reader& reader, Writer& writer)
{
    if constexpr (std::is_same_v<typename Writer::Reader, Reader>) {
        if (reader.GetVersion() == writer.GetVersion()) {
            PassThrough<T>(reader, writer);
            return;
        }
    }
    if constexpr (!Reader::tagged) {
        TranscodeUntaggedStruct<T>(reader, writer);
    } else if constexpr (!Writer::may_omit_fields) {
        T object;
        Apply(To<T>(object), bonded<T, Reader&>(reader));
        Apply(Serializer<Writer>(writer), object);
    } else {
        TranscodeStruct(reader, writer, T::Schema::metadata);
    }
}

}  // namespace bond::detail
