// bond::Apply: runs a transform over a value (a record in memory, a payload or
// an encoded value), through the walk that fits it:
//   - a payload over a reader: the tagged or the untagged parser, against T's
//     compile-time schema, a run-time schema, or none;
//   - an encoded container: its elements, reported to Container;
//   - a record in memory: the object parser.
// Serializer and Marshaler get what re-encoding needs besides (see below).
//
// A schema module may declare entry points beside its records: overloads of
// Apply in the record's namespace for given transforms and value forms, in
// which the runtime's templates are instantiated once. Wherever such an
// overload exists for the transform and value at hand, every Apply reaches it,
// whether the call is unqualified (argument-dependent lookup prefers the exact,
// non-template overload) or names bond::Apply (which forwards to it). Any other
// pairing is done by detail::ApplyTransform in the caller's own translation
// unit, which is also what every entry point runs.
#pragma once

#include <bond/core/bonded.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/fields.h>
#include <bond/core/detail/marshaled_payload.h>
#include <bond/core/detail/object_parser.h>
#include <bond/core/detail/select_protocol.h>
#include <bond/core/detail/tagged_parser.h>
#include <bond/core/detail/untagged_parser.h>
#include <bond/core/transforms.h>
#include <bond/core/value.h>
#include <bond/stream/input_buffer.h>

#include <concepts>
#include <cstdint>
#include <type_traits>

namespace bond {

namespace detail {

template <typename Transform>
inline constexpr bool is_marshaler = false;
template <typename Writer, typename Protocols>
inline constexpr bool is_marshaler<Marshaler<Writer, Protocols>> = true;

// Every transform but Marshaler, which writes its header and hands the value
// on to a Serializer.
template <typename Transform>
concept Walking = !is_marshaler<Transform>;

template <typename Reader, typename Fields, typename Transform>
bool Parse(Reader& reader, const Fields& fields, const Transform& transform)
{
    if constexpr (Reader::tagged) {
        return ParseTagged(reader, fields, transform);
    } else {
        return ParseUntagged(reader, fields, transform);
    }
}

// The fields a payload of type T is matched against: T's own, or none when T
// is only declared, since a tagged payload can be walked without its schema.
template <typename T, typename Reader>
using PayloadFields = std::conditional_t<BondStruct<T>, StaticFields<T>, NoFields>;

template <Walking Transform, typename T, typename Reader>
bool ApplyTransform(const Transform& transform, const bonded<T, Reader&>& payload)
{
    static_assert(Reader::tagged || BondStruct<T>,
                  "an untagged payload's layout is its type's schema: T must be defined, not only declared");
    ValueAccess::Use(payload);
    return Parse(payload.GetReader(), PayloadFields<T, Reader>{}, transform);
}

// Walks the struct at `reader` that `schema` describes, or, without a schema,
// a tagged struct whose every field is unknown. Simple Binary stores a struct
// that the schema marks as bonded_type as a marshaled payload of its own, in
// whichever protocol its header names.
template <typename Reader, typename Transform>
bool ParseDescribed(Reader& reader, const RuntimeSchema* schema, const Transform& transform)
{
    if constexpr (Reader::tagged) {
        return schema ? ParseTagged(reader, DescribedFields(*schema), transform)
                      : ParseTagged(reader, NoFields{}, transform);
    } else {
        if (!schema->GetType().bonded_type) {
            return ParseUntagged(reader, DescribedFields(*schema), transform);
        }
        InputBuffer nested(ReadMarshaledPayload(reader));
        bool done = false;
        SelectProtocol(
            nested, [&](auto& nested_reader) { done = Parse(nested_reader, DescribedFields(*schema), transform); },
            BuiltInProtocols{});
        return done;
    }
}

template <Walking Transform, typename Reader>
bool ApplyTransform(const Transform& transform, const bonded<void, Reader&>& payload)
{
    ValueAccess::Use(payload);
    return ParseDescribed(payload.GetReader(), payload.GetSchema(), transform);
}

// Hands `element` (and `key`, for a map) to the transform's Container as the
// value of each of `count` elements in turn, then passes over those it left.
template <typename Transform, typename Element>
void OfferElements(const Transform& transform, const Element& element, uint32_t count)
{
    transform.Container(element, count);
    while (ValueAccess::Uses(element) < count) {
        element.Skip();
    }
}

template <typename Transform, typename Key, typename Element>
void OfferPairs(const Transform& transform, const Key& key, const Element& element, uint32_t count)
{
    transform.Container(key, element, count);
    while (ValueAccess::Uses(key) < count || ValueAccess::Uses(element) < count) {
        if (ValueAccess::Uses(key) == ValueAccess::Uses(element)) {
            key.Skip();
        } else {
            element.Skip();
        }
    }
}

// Calls `use` with the value of an element of wire type `wire`: typed as
// `Declared` when the wire gives the declared type, and otherwise by the wire
// type, with what `schema` (when not null) says of a struct or container.
template <typename Declared, typename Reader, typename Use>
void WithElementValue(Reader& reader, BondDataType wire, const RuntimeSchema* schema, Use&& use)
{
    if constexpr (!std::is_void_v<Declared>) {
        if (wire == get_type_id<Declared>::value) {
            if constexpr (BondStruct<Declared>) {
                use(bonded<Declared, Reader&>(reader));
            } else {
                use(value<Declared, Reader&>(reader));
            }
            return;
        }
    }
    if (schema && schema->GetTypeId() != wire) {
        schema = nullptr;
    }
    WithTypedValue(reader, wire, schema, use);
}

// The element type an encoded container declares, void when it is known only
// at run time.
template <typename T>
struct declared_element {
    using type = typename T::value_type;
};
template <>
struct declared_element<blob> {
    using type = int8_t;
};

template <typename T>
constexpr BondDataType DeclaredCode()
{
    if constexpr (std::is_void_v<T>) {
        return BT_UNAVAILABLE;
    } else {
        return get_type_id<T>::value;
    }
}

template <typename Key, typename Element, typename Transform, typename Reader>
void ApplyToMap(const Transform& transform, Reader& reader, const RuntimeSchema* schema)
{
    const std::optional<RuntimeSchema> key_schema = schema ? std::optional(schema->GetKeySchema()) : std::nullopt;
    const std::optional<RuntimeSchema> element_schema =
        schema ? std::optional(schema->GetElementSchema()) : std::nullopt;
    const BondDataType key_code = key_schema ? key_schema->GetTypeId() : DeclaredCode<Key>();
    const BondDataType element_code = element_schema ? element_schema->GetTypeId() : DeclaredCode<Element>();
    WithMap(reader, key_code, element_code, [&](const MapHeader& header) {
        if (header.count == 0) {
            transform.Container(value<void, Reader&>(reader, header.key), value<void, Reader&>(reader, header.element),
                                0);
            return;
        }
        WithElementValue<Key>(reader, header.key, key_schema ? &*key_schema : nullptr, [&](const auto& key) {
            WithElementValue<Element>(reader, header.element, element_schema ? &*element_schema : nullptr,
                                      [&](const auto& element) { OfferPairs(transform, key, element, header.count); });
        });
    });
}

template <typename Element, typename Transform, typename Reader>
void ApplyToList(const Transform& transform, Reader& reader, const RuntimeSchema* schema)
{
    const std::optional<RuntimeSchema> element_schema =
        schema ? std::optional(schema->GetElementSchema()) : std::nullopt;
    const BondDataType declared = element_schema ? element_schema->GetTypeId() : DeclaredCode<Element>();
    WithList(reader, declared, [&](const ListHeader& header) {
        if (header.count == 0) {
            transform.Container(value<void, Reader&>(reader, header.element), 0);
            return;
        }
        WithElementValue<Element>(reader, header.element, element_schema ? &*element_schema : nullptr,
                                  [&](const auto& element) { OfferElements(transform, element, header.count); });
    });
}

// An encoded list, set or map: its elements go to the transform's Container.
// An empty one passes on value<void> elements of the codes it carries, which
// need name no type.
template <Walking Transform, typename T, typename Reader>
bool ApplyTransform(const Transform& transform, const value<T, Reader&>& container)
{
    ValueAccess::Use(container);
    Reader& reader = container.GetReader();
    if constexpr (std::is_void_v<T>) {
        const RuntimeSchema* schema = container.GetSchema();
        if (container.GetTypeId() == BT_MAP) {
            ApplyToMap<void, void>(transform, reader, schema);
        } else {
            ApplyToList<void>(transform, reader, schema);
        }
    } else if constexpr (is_map<T>::value) {
        ApplyToMap<typename T::key_type, typename T::mapped_type>(transform, reader, nullptr);
    } else {
        ApplyToList<typename declared_element<T>::type>(transform, reader, nullptr);
    }
    return true;
}

// The Serializer re-encodes a payload's container element by element, each
// typed by its own code: handing a map's pairs to Container would make every
// pairing of a key type with a value type a function of its own. The codes of
// a container with elements must name value types before its header is
// written, since a writer takes nothing else.
template <typename Writer, typename Protocols, typename T, typename Reader>
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const value<T, Reader&>& container)
{
    ValueAccess::Use(container);
    Reader& reader = container.GetReader();
    const RuntimeSchema* schema = nullptr;
    BondDataType type = DeclaredCode<T>();
    if constexpr (std::is_void_v<T>) {
        schema = container.GetSchema();
        type = container.GetTypeId();
    }
    if constexpr (!std::is_void_v<T> && !is_map<T>::value) {
        ApplyToList<typename declared_element<T>::type>(transform, reader, schema);
        return true;
    } else if (type != BT_MAP) {
        ApplyToList<void>(transform, reader, schema);
        return true;
    }
    const std::optional<RuntimeSchema> key_schema = schema ? std::optional(schema->GetKeySchema()) : std::nullopt;
    const std::optional<RuntimeSchema> element_schema =
        schema ? std::optional(schema->GetElementSchema()) : std::nullopt;
    WithMap(reader, key_schema ? key_schema->GetTypeId() : BT_UNAVAILABLE,
            element_schema ? element_schema->GetTypeId() : BT_UNAVAILABLE, [&](const MapHeader& header) {
                if (header.count != 0) {
                    CheckedValueType(header.key);
                    CheckedValueType(header.element);
                }
                Writer& writer = transform.GetWriter();
                writer.WriteContainerBegin(header.count, std::make_pair(header.key, header.element));
                const auto write = [&](const auto& element) { SerializerAccess::Write(transform, element); };
                for (uint32_t i = 0; i < header.count; ++i) {
                    WithElementValue<void>(reader, header.key, key_schema ? &*key_schema : nullptr, write);
                    WithElementValue<void>(reader, header.element, element_schema ? &*element_schema : nullptr, write);
                }
                writer.WriteContainerEnd();
            });
    return true;
}

// Whether Transform reads into a T as To<T> does (To itself, or one derived
// from it).
template <typename T, typename Protocols, typename Validator>
std::true_type ReadsInto(const To<T, Protocols, Validator>*);
template <typename T>
std::false_type ReadsInto(const void*);
template <typename Transform, typename T>
concept ReadsIntoRecord = decltype(ReadsInto<T>(static_cast<const Transform*>(nullptr)))::value;

// A payload of any protocol is read from a copy of the reader it holds, so it
// can be applied again. A record held in memory is copied by To, walked by
// serializing transforms, and nothing to other deserializing ones, which take
// payloads only. A run-time schema, when the payload has one, describes its
// layout: a deserializing transform reads through it, and the others get the
// record it gives.
template <Walking Transform, typename T>
bool ApplyTransform(const Transform& transform, const bonded<T, ProtocolReader>& payload)
{
    return payload.GetReader().Visit([&](const auto& held) -> bool {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, ValueReader>) {
            if constexpr (!BondStruct<T>) {
                // A record of a type that is only declared cannot have been made.
                return false;
            } else if constexpr (ReadsIntoRecord<Transform, T>) {
                TargetOf(transform) = held.template Get<T>();
                return false;
            } else if constexpr (std::is_base_of_v<DeserializingTransform, Transform>) {
                return false;
            } else {
                return Apply(transform, held.template Get<T>());
            }
        } else {
            Held reader = held;
            if (payload.GetSchema()) {
                if constexpr (std::is_base_of_v<DeserializingTransform, Transform> || !BondStruct<T>) {
                    return Apply(transform, bonded<void, Held&>(reader, *payload.GetSchema()));
                } else {
                    T object;
                    Apply(To<T>(object), bonded<void, Held&>(reader, *payload.GetSchema()));
                    return Apply(transform, object);
                }
            }
            if constexpr (Held::tagged || BondStruct<T>) {
                return Apply(transform, bonded<T, Held&>(reader));
            } else {
                ThrowUntaggedPayloadWithoutSchema();
            }
        }
    });
}

// A payload over a reader it holds is read from a copy of the reader.
template <Walking Transform, typename T, typename Reader>
    requires(!std::is_reference_v<Reader>)
bool ApplyTransform(const Transform& transform, const bonded<T, Reader>& payload)
{
    Reader reader = payload.GetReader();
    return Apply(transform, bonded<T, Reader&>(reader));
}

template <Walking Transform>
bool ApplyTransform(const Transform& transform, const bonded<void, ProtocolReader>& payload)
{
    return payload.GetReader().Visit([&](const auto& held) -> bool {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, ValueReader>) {
            return false;  // unreachable: its constructor takes protocol readers only
        } else {
            Held reader = held;
            return Apply(transform, bonded<void, Held&>(reader, payload.GetSchema()));
        }
    });
}

template <Walking Transform, BondStruct T>
bool ApplyTransform(const Transform& transform, const T& object)
{
    return ParseObject(object, transform);
}

// A Compact Binary version 2 writer needs the length of every struct before it
// writes it, so it first runs the same value through a counting writer. Nested
// structs find the lengths loaded and do not start a pass of their own, so a
// payload's reader is copied for the pass only when one is needed.
template <typename Writer>
bool NeedsFirstPass(const Writer& writer) noexcept
{
    if constexpr (requires { writer.NeedsFirstPass(); }) {
        return writer.NeedsFirstPass();
    } else {
        return false;
    }
}

template <typename Writer, typename Value>
void RunFirstPass(Writer& writer, const Value& value)
{
    if constexpr (requires { typename Writer::Pass0; }) {
        using Pass0 = typename Writer::Pass0;
        typename Pass0::Buffer counter;
        Pass0 counting(counter, writer);
        Apply(Serializer<Pass0>(counting), value);
        writer.SetStructLengths(counter.StructLengths());
    }
}

template <typename Writer, typename Protocols, BondStruct T>
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const T& object)
{
    if (NeedsFirstPass(transform.GetWriter())) {
        RunFirstPass(transform.GetWriter(), object);
    }
    return ParseObject(object, transform);
}

// Whether a reader's stream can hand out the bytes between two of its
// positions (as InputBuffer does), which copying a payload as it stands needs.
template <typename Reader>
concept HandsOutRanges = requires(const typename Reader::Buffer& input) {
    GetBufferRange(GetCurrentBuffer(input), GetCurrentBuffer(input));
};

// Copies the bytes of the struct at the reader's position.
template <typename T, typename Reader, typename Writer>
void PassThrough(Reader& reader, Writer& writer)
{
    const auto start = GetCurrentBuffer(reader.GetBuffer());
    bonded<T, Reader&>(reader).Skip();
    writer.GetBuffer().Write(GetBufferRange(start, GetCurrentBuffer(reader.GetBuffer())));
}

// Re-encoding a payload:
//   - to the same protocol and version, its bytes are copied as they stand;
//   - from a tagged protocol to an untagged one, it is read into a T and the
//     record is written, so exactly the declared fields go out, once each, in
//     order, with their defaults where the payload lacks them or holds a type
//     that does not convert;
//   - otherwise the walk reports every field as the payload holds it, and the
//     Serializer writes it.
template <typename Writer, typename Protocols, typename T, typename Reader>
    requires(!std::is_void_v<T>)
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const bonded<T, Reader&>& payload)
{
    ValueAccess::Use(payload);
    Writer& writer = transform.GetWriter();
    Reader& reader = payload.GetReader();
    if constexpr (Writer::Reader::magic == Reader::magic && HandsOutRanges<Reader>) {
        if (reader.GetVersion() == writer.GetVersion()) {
            PassThrough<T>(reader, writer);
            return false;
        }
    }
    static_assert(Reader::tagged || BondStruct<T>,
                  "an untagged payload's layout is its type's schema: T must be defined, not only declared");
    if constexpr (Reader::tagged && !Writer::may_omit_fields) {
        static_assert(BondStruct<T>, "an untagged protocol's layout is T's schema: a payload of a type that is only "
                                     "declared can be re-encoded into a tagged protocol only");
        T object;
        Apply(To<T>(object), bonded<T, Reader&>(reader));
        return Apply(transform, object);
    } else {
        if (NeedsFirstPass(writer)) {
            Reader start = reader;
            RunFirstPass(writer, bonded<T, Reader&>(start));
        }
        return Parse(reader, PayloadFields<T, Reader>{}, transform);
    }
}

// A payload that a run-time schema describes is re-encoded field by field as
// the walk reports it; into an untagged protocol only from an untagged one,
// whose every field the walk reports in order, since only a record of its
// type could say what a tagged payload lacks. From one untagged payload into
// another, a struct stored as a marshaled payload of its own keeps that form
// and goes out as it stands.
template <typename Writer, typename Protocols, typename Reader>
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const bonded<void, Reader&>& payload)
{
    if constexpr (Reader::tagged && !Writer::may_omit_fields) {
        ThrowUntaggedTargetWithoutRecord();
    } else {
        if constexpr (!Reader::tagged && !Writer::may_omit_fields) {
            if (payload.GetSchema()->GetType().bonded_type) {
                ValueAccess::Use(payload);
                const blob nested = ReadMarshaledPayload(payload.GetReader());
                auto& output = transform.GetWriter().GetBuffer();
                output.Write(nested.length());
                output.Write(nested);
                return false;
            }
        }
        if (NeedsFirstPass(transform.GetWriter())) {
            Reader start = payload.GetReader();
            if (payload.GetSchema()) {
                RunFirstPass(transform.GetWriter(), bonded<void, Reader&>(start, *payload.GetSchema()));
            } else if constexpr (Reader::tagged) {
                RunFirstPass(transform.GetWriter(), bonded<void, Reader&>(start));
            }
        }
        ValueAccess::Use(payload);
        return ParseDescribed(payload.GetReader(), payload.GetSchema(), transform);
    }
}

template <typename Writer, typename Protocols, typename Value>
bool ApplyTransform(const Marshaler<Writer, Protocols>& transform, const Value& value)
{
    Writer& writer = transform.GetWriter();
    writer.WriteVersion();
    return Apply(Serializer<Writer, Protocols>(writer), value);
}

// Entry points are declared for the built-in transforms themselves; a
// transform derived from one must not reach them as its base.
template <typename Transform>
inline constexpr bool has_entry_points = std::is_same_v<Transform, Null> || std::is_same_v<Transform, InitSchemaDef>;
template <typename T, typename Protocols, typename Validator>
inline constexpr bool has_entry_points<To<T, Protocols, Validator>> = true;
template <typename Writer, typename Protocols>
inline constexpr bool has_entry_points<Serializer<Writer, Protocols>> = true;
template <typename Writer, typename Protocols>
inline constexpr bool has_entry_points<Marshaler<Writer, Protocols>> = true;

template <typename Transform, typename Value>
concept HasEntryPoint = has_entry_points<Transform> && requires(const Transform& transform, const Value& value) {
    { Apply(transform, EntryPointArgument<Value>{value}) } -> std::same_as<bool>;
};

}  // namespace detail

template <typename Transform, typename Value>
    requires(!detail::is_entry_point_argument<Value>)
bool Apply(const Transform& transform, const Value& value)
{
    if constexpr (detail::HasEntryPoint<Transform, Value>) {
        return Apply(transform, detail::EntryPointArgument<Value>{value});
    } else {
        return detail::ApplyTransform(transform, value);
    }
}

template <typename Transform, typename T>
    requires std::is_base_of_v<ModifyingTransform, Transform>
bool Apply(const Transform& transform, T& value)
{
    return detail::ParseObject(value, transform);
}

}  // namespace bond
