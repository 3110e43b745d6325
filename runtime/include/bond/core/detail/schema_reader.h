// Reading a payload into a T whose layout a run-time schema describes rather
// than T's compile-time schema: the payload's fields are found by the schema's
// field definitions and stored in T's field of the same ordinal when the types
// agree; everything else is passed over by the schema's description.
//
// Tagged payloads are matched as by the compile-time parser, except that a
// field with a given ordinal is taken once and later copies are passed over.
// An untagged payload (Simple Binary) is laid out field by field as the schema
// says; a struct that the schema marks as a nested payload is stored as a
// 32-bit byte count and a marshaled payload of its own, in any protocol.
#pragma once

#include <bond/core/blob.h>
#include <bond/core/detail/read_value.h>
#include <bond/core/detail/recursion_guard.h>
#include <bond/core/detail/select_protocol.h>
#include <bond/core/reflection.h>
#include <bond/core/runtime_schema.h>

#include <cstdint>
#include <type_traits>

namespace bond::detail {

// Calls `action` with T's field whose ordinal is `id`; false when T has none.
template <typename Action, typename... Fields>
bool WithField(uint16_t id, Action&& action, reflection::FieldList<Fields...>)
{
    return ((Fields::id == id ? (action(Fields{}), true) : false) || ...);
}

inline const TypeDef& ElementOf(const TypeDef& type)
{
    if (!type.element.hasvalue()) {
        ThrowInvalidRuntimeSchema();
    }
    return type.element.value();
}

inline const TypeDef& KeyOf(const TypeDef& type)
{
    if (!type.key.hasvalue()) {
        ThrowInvalidRuntimeSchema();
    }
    return type.key.value();
}

template <typename Reader>
void SkipByDefinition(Reader& reader, const RuntimeSchema& schema);

// Passes over a value of an untagged payload that `type` describes.
template <typename Reader>
void SkipByType(Reader& reader, const RuntimeSchema& parent, const TypeDef& type)
{
    if (type.bonded_type) {
        uint32_t size;
        reader.GetBuffer().Read(size);
        reader.GetBuffer().Skip(size);
        return;
    }
    switch (type.id) {
    case BT_STRUCT:
        SkipByDefinition(reader, RuntimeSchema(parent, type));
        break;
    case BT_LIST:
    case BT_SET: {
        RecursionGuard guard;
        const TypeDef& element = ElementOf(type);
        uint32_t count;
        BondDataType element_type = element.id;
        reader.ReadContainerBegin(count, element_type);
        for (uint32_t i = 0; i < count; ++i) {
            SkipByType(reader, parent, element);
        }
        break;
    }
    case BT_MAP: {
        RecursionGuard guard;
        const TypeDef& key = KeyOf(type);
        const TypeDef& element = ElementOf(type);
        uint32_t count;
        std::pair<BondDataType, BondDataType> types{key.id, element.id};
        reader.ReadContainerBegin(count, types);
        for (uint32_t i = 0; i < count; ++i) {
            SkipByType(reader, parent, key);
            SkipByType(reader, parent, element);
        }
        break;
    }
    default:
        reader.Skip(type.id);
    }
}

template <typename Reader>
void SkipByDefinition(Reader& reader, const RuntimeSchema& schema)
{
    RecursionGuard guard;
    for (const FieldDef& field : schema.GetStruct().fields) {
        SkipByType(reader, schema, field.type);
    }
}

// Whether values that `type` describes can be read into an X by the
// compile-time rules (which hold no nested structs).
template <typename X>
bool Matches(const TypeDef& type)
{
    if constexpr (std::is_same_v<X, blob>) {
        return type.id == BT_LIST && type.element.hasvalue() && type.element.value().id == BT_INT8;
    } else if constexpr (is_vector<X>::value || is_nullable<X>::value || is_set<X>::value) {
        return type.id == get_type_id<X>::value && type.element.hasvalue() &&
               Matches<typename X::value_type>(type.element.value());
    } else if constexpr (is_map<X>::value) {
        return type.id == BT_MAP && type.key.hasvalue() && type.element.hasvalue() &&
               Matches<typename X::key_type>(type.key.value()) &&
               Matches<typename X::mapped_type>(type.element.value());
    } else if constexpr (BondStruct<X>) {
        return false;
    } else {
        return Accepts<X>(type.id) && !type.bonded_type;
    }
}

template <typename T, typename Reader>
void ReadStructWithSchema(Reader& reader, const RuntimeSchema& schema, T& var);

template <typename T>
void ReadMarshaledWithSchema(const blob& payload, const RuntimeSchema& schema, T& var)
{
    InputBuffer input(payload);
    SelectProtocol(input, [&](auto& reader) { ReadStructWithSchema(reader, schema, var); }, BuiltInProtocols{});
}

// Reads one value that `type` describes, found on the wire as `wire`, into
// `var`, or passes over it when the two do not agree.
template <typename X, typename Reader>
void ReadValueWithSchema(Reader& reader, const RuntimeSchema& parent, const TypeDef& type, BondDataType wire, X& var)
{
    if constexpr (!Reader::tagged) {
        if (type.bonded_type) {
            uint32_t size;
            reader.GetBuffer().Read(size);
            blob payload;
            reader.GetBuffer().Read(payload, size);
            if constexpr (BondStruct<X>) {
                var = X{};
                ReadMarshaledWithSchema(payload, RuntimeSchema(parent, type), var);
            }
            return;
        }
    }
    if constexpr (BondStruct<X>) {
        if (wire == BT_STRUCT && type.id == BT_STRUCT) {
            var = X{};
            ReadStructWithSchema(reader, RuntimeSchema(parent, type), var);
            return;
        }
    } else if constexpr (HoldsRecords<X>) {
        if (wire == BT_LIST && type.id == BT_LIST && type.element.hasvalue() && type.element.value().id == BT_STRUCT &&
            !type.element.value().bonded_type) {
            RecursionGuard guard;
            uint32_t count;
            BondDataType element_type = BT_STRUCT;
            reader.ReadContainerBegin(count, element_type);
            if (element_type == BT_STRUCT) {
                const RuntimeSchema element(parent, type.element.value());
                var = X{};
                for (uint32_t i = 0; i < count; ++i) {
                    if constexpr (is_vector<X>::value) {
                        ReadStructWithSchema(reader, element, var.emplace_back());
                    } else if (i == 0) {
                        ReadStructWithSchema(reader, element, var.set());
                    } else {
                        reader.Skip(BT_STRUCT);
                    }
                }
            } else {
                SkipElements<typename X::value_type>(reader, element_type, count);
            }
            reader.ReadContainerEnd();
            return;
        }
    } else {
        if (Matches<X>(type) && Accepts<X>(wire)) {
            ReadValue(reader, wire, var);
            return;
        }
    }
    if constexpr (Reader::tagged) {
        reader.Skip(wire);
    } else {
        SkipByType(reader, parent, type);
    }
}

template <typename T, typename Reader>
void ReadStructWithSchema(Reader& reader, const RuntimeSchema& schema, T& var)
{
    RecursionGuard guard;
    const StructDef& definition = schema.GetStruct();
    const auto read_field = [&](const FieldDef& field, BondDataType wire) {
        const bool declared = WithField(
            field.id,
            [&](auto field_type) {
                using FieldT = decltype(field_type);
                ReadValueWithSchema(reader, schema, field.type, wire, FieldT::GetVariable(var));
            },
            typename T::Schema::fields{});
        if (!declared) {
            if constexpr (Reader::tagged) {
                reader.Skip(wire);
            } else {
                SkipByType(reader, schema, field.type);
            }
        }
    };
    reader.ReadStructBegin();
    if constexpr (Reader::tagged) {
        const auto& fields = definition.fields;
        size_t cursor = 0;
        bool matching = true;
        BondDataType type;
        uint16_t id;
        for (reader.ReadFieldBegin(type, id); type != BT_STOP; reader.ReadFieldBegin(type, id)) {
            if (type == BT_STOP_BASE) {
                matching = false;
                continue;
            }
            while (matching && cursor < fields.size() && fields[cursor].id < id) {
                ++cursor;
            }
            const bool found = matching && cursor < fields.size() && fields[cursor].id == id;
            if (found && (IsBasicType(type) || fields[cursor].type.id == type)) {
                read_field(fields[cursor++], type);
            } else {
                cursor += found ? 1 : 0;
                reader.Skip(type);
            }
            reader.ReadFieldEnd();
        }
    } else {
        for (const FieldDef& field : definition.fields) {
            read_field(field, field.type.id);
        }
    }
    reader.ReadStructEnd();
}

}  // namespace bond::detail
