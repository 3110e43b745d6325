// bond::Apply: runs a transform over a value (a record in memory, a payload or
// an encoded value), through the walk that fits it:
//   - a payload over a reader: the tagged or the untagged parser, against T's
//     compile-time schema, a run-time schema, or none;
//   - an encoded container: its elements, reported to Container;
//   - a record in memory: the object parser.
// Serializer and Marshaler get what re-encoding needs besides (reencoding.h).
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
#include <bond/core/detail/allocated_element.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/container_walk.h>
#include <bond/core/detail/object_parser.h>
#include <bond/core/detail/payload_walk.h>
#include <bond/core/reencoding.h>
#include <bond/core/transforms.h>
#include <bond/core/value.h>
#include <bond/schema/reflection.h>

#include <concepts>
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

template <Walking Transform, typename T, typename Reader>
bool ApplyTransform(const Transform& transform, const bonded<T, Reader&>& payload)
{
    static_assert(Reader::tagged || BondStruct<T>,
                  "an untagged payload's layout is its type's schema: T must be defined, not only declared");
    ValueAccess::Use(payload);
    return Parse(payload.GetReader(), PayloadFields<T, Reader>{}, transform, payload.IsBasePart());
}

template <Walking Transform, typename Reader>
bool ApplyTransform(const Transform& transform, const bonded<void, Reader&>& payload)
{
    ValueAccess::Use(payload);
    return ParseDescribed(payload.GetReader(), payload.GetSchema(), transform, payload.IsBasePart());
}

// An encoded list, set or map: its elements go to the transform's Container.
// An empty one passes on value<void> elements of the codes it carries, which
// need name no type.
template <Walking Transform, typename T, typename Reader>
bool ApplyTransform(const Transform& transform, const value<T, Reader&>& container)
{
    return WalkContainer(transform, container);
}

// Whether Transform reads into a T as To<T> does (To itself, or one derived
// from it).
template <typename T, typename Protocols, typename Validator>
std::true_type ReadsInto(const To<T, Protocols, Validator>*);
template <typename T>
std::false_type ReadsInto(const void*);
template <typename Transform, typename T>
concept ReadsIntoRecord = decltype(ReadsInto<T>(static_cast<const Transform*>(nullptr)))::value;

// The readers a transform expects nested payloads over: those it was made
// with (To and Serializer take a list; a Marshaler hands its list to the
// Serializer it makes), else the built-in ones.
template <typename T, typename Protocols, typename Validator>
Protocols ProtocolsFrom(const To<T, Protocols, Validator>*);
template <typename Writer, typename Protocols>
Protocols ProtocolsFrom(const Serializer<Writer, Protocols>*);
BuiltInProtocols ProtocolsFrom(const void*);
template <typename Transform>
using ProtocolsOf = decltype(ProtocolsFrom(static_cast<const Transform*>(nullptr)));

template <typename Value>
inline constexpr bool is_held_payload = false;
template <typename T>
inline constexpr bool is_held_payload<bonded<T, ProtocolReader>> = true;

// A payload of any protocol is read from a copy of the reader it holds, so it
// can be applied again. A record held in memory is copied by To, walked by
// serializing transforms, and nothing to other deserializing ones, which take
// payloads only. A run-time schema, when the payload has one, describes its
// layout: a deserializing transform reads through it, and the others get the
// record it gives.
template <typename Protocols, Walking Transform, typename T>
bool ApplyHeld(const Transform& transform, const bonded<T, ProtocolReader>& payload)
{
    return payload.GetReader().template Visit<Protocols>([&](const auto& held) -> bool {
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
                    return WithNewRecord<T>([&](T& object) {
                        Apply(To<T>(object), bonded<void, Held&>(reader, *payload.GetSchema()));
                        return Apply(transform, object);
                    });
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

template <typename Protocols, Walking Transform>
bool ApplyHeld(const Transform& transform, const bonded<void, ProtocolReader>& payload)
{
    return payload.GetReader().template Visit<Protocols>([&](const auto& held) -> bool {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, ValueReader>) {
            return false;  // unreachable: its constructor takes protocol readers only
        } else {
            Held reader = held;
            return Apply(transform, bonded<void, Held&>(reader, payload.GetSchema()));
        }
    });
}

template <Walking Transform, typename T>
bool ApplyTransform(const Transform& transform, const bonded<T, ProtocolReader>& payload)
{
    return ApplyHeld<ProtocolsOf<Transform>>(transform, payload);
}

template <Walking Transform, BondStruct T>
bool ApplyTransform(const Transform& transform, const T& object)
{
    return ParseObject(object, transform);
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

template <typename Protocols, typename Transform, typename Value>
    requires(!detail::is_entry_point_argument<Value>)
bool Apply(const Transform& transform, const Value& value)
{
    // A Marshaler hands the payload to a Serializer of its own list.
    if constexpr (detail::is_held_payload<Value> && detail::Walking<Transform> && !std::is_void_v<Protocols> &&
                  !std::is_same_v<Protocols, detail::ProtocolsOf<Transform>>) {
        return detail::ApplyHeld<Protocols>(transform, value);
    } else if constexpr (detail::HasEntryPoint<Transform, Value>) {
        return Apply(transform, detail::EntryPointArgument<Value>{value});
    } else {
        return detail::ApplyTransform(transform, value);
    }
}

template <typename Protocols, typename Transform, typename T>
    requires std::is_base_of_v<ModifyingTransform, Transform>
bool Apply(const Transform& transform, T& value)
{
    return detail::ParseObject(value, transform);
}

}  // namespace bond
