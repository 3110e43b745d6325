// Writing a record held in memory. Fields go out in ordinal order; a writer
// that may omit fields leaves out an optional field whose value equals the
// default in its metadata. Struct fields are always written.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/bond_fwd.h>
#include <bond/core/exception.h>
#include <bond/core/metadata.h>
#include <bond/core/nullable.h>
#include <bond/core/reflection.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

namespace bond::detail {

template <typename T>
bool IsDefault(const T& value, const Metadata& metadata)
{
    const Variant& fallback = metadata.default_value;
    if constexpr (std::is_same_v<T, bool>) {
        return value == (fallback.uint_value != 0);
    } else if constexpr (std::is_enum_v<T> || (std::is_integral_v<T> && std::is_signed_v<T>)) {
        return static_cast<int64_t>(value) == static_cast<int64_t>(static_cast<T>(fallback.int_value));
    } else if constexpr (std::is_integral_v<T>) {
        return value == static_cast<T>(fallback.uint_value);
    } else if constexpr (std::is_floating_point_v<T>) {
        return value == static_cast<T>(fallback.double_value);
    } else if constexpr (std::is_same_v<T, std::string>) {
        return value == fallback.string_value;
    } else if constexpr (std::is_same_v<T, std::wstring>) {
        return value == fallback.wstring_value;
    } else if constexpr (BondStruct<T>) {
        return false;
    } else {
        return value.empty();
    }
}

// A container that does not fit a 32-bit count cannot be encoded at all.
template <typename Container>
uint32_t ContainerSize(const Container& container)
{
    if (container.size() > UINT32_MAX) {
        ThrowContainerTooLarge();
    }
    return static_cast<uint32_t>(container.size());
}

template <typename Writer, typename T>
void WriteValue(Writer& writer, const T& value)
{
    if constexpr (std::is_enum_v<T>) {
        writer.Write(static_cast<int32_t>(value));
    } else if constexpr (std::is_arithmetic_v<T> || std::is_same_v<T, std::string> ||
                         std::is_same_v<T, std::wstring>) {
        writer.Write(value);
    } else if constexpr (BondStruct<T>) {
        Apply(Serializer<Writer>(writer), value);
    } else if constexpr (std::is_same_v<T, blob>) {
        writer.WriteContainerBegin(value.size(), BT_INT8);
        writer.Write(value);
        writer.WriteContainerEnd();
    } else if constexpr (is_nullable<T>::value) {
        writer.WriteContainerBegin(value.size(), get_type_id<typename T::value_type>::value);
        if (value.hasvalue()) {
            WriteValue(writer, value.value());
        }
        writer.WriteContainerEnd();
    } else if constexpr (is_map<T>::value) {
        writer.WriteContainerBegin(ContainerSize(value), std::make_pair(get_type_id<typename T::key_type>::value,
                                                                        get_type_id<typename T::mapped_type>::value));
        for (const auto& [key, element] : value) {
            WriteValue(writer, key);
            WriteValue(writer, element);
        }
        writer.WriteContainerEnd();
    } else {
        writer.WriteContainerBegin(ContainerSize(value), get_type_id<typename T::value_type>::value);
        for (const auto& element : value) {
            WriteValue(writer, element);
        }
        writer.WriteContainerEnd();
    }
}

template <typename Writer, typename FieldT, typename T>
void WriteField(Writer& writer, const T& object)
{
    const auto& value = FieldT::GetVariable(object);
    if constexpr (Writer::may_omit_fields && FieldT::field_modifier::value == Optional) {
        if (IsDefault(value, FieldT::metadata)) {
            return;
        }
    }
    writer.WriteFieldBegin(get_type_id<typename FieldT::field_type>::value, FieldT::id, FieldT::metadata);
    WriteValue(writer, value);
    writer.WriteFieldEnd();
}

template <typename Writer, typename T, typename... Fields>
void WriteFields(Writer& writer, const T& object, reflection::FieldList<Fields...>)
{
    (WriteField<Writer, Fields>(writer, object), ...);
}

template <typename Writer, typename T>
void WriteStruct(Writer& writer, const T& object)
{
    writer.WriteStructBegin(T::Schema::metadata);
    WriteFields(writer, object, typename T::Schema::fields{});
    writer.WriteStructEnd();
}

}  // namespace bond::detail
