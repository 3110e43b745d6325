// How the Serializer re-encodes what it is applied to, where that takes more
// than the walks that every transform gets (apply.h): a container element by
// element, a payload's bytes copied as they stand into its own protocol, the
// counting pass of a Compact Binary version 2 writer, a tagged payload
// written into an untagged protocol; and how the Marshaler hands its value on
// to a Serializer after the header.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/core/bonded.h>
#include <bond/core/detail/allocated_element.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/container_walk.h>
#include <bond/core/detail/nested_payload.h>
#include <bond/core/detail/payload_walk.h>
#include <bond/core/serializer.h>
#include <bond/core/to.h>
#include <bond/core/value.h>
#include <bond/schema/runtime_schema.h>

#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>

namespace bond::detail {

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
    if constexpr (is_bonded<T>::value) {
        // An element of a container of bonded<T>: its struct is kept as the
        // field of that type keeps it, and written as that field is.
        SerializerAccess::Write(transform, ReadNestedPayload<typename T::value_type>(reader));
        return true;
    }
    const RuntimeSchema* schema = nullptr;
    BondDataType type = DeclaredCode<T>();
    if constexpr (std::is_void_v<T>) {
        schema = container.GetSchema();
        type = container.GetTypeId();
    }
    if constexpr (!std::is_void_v<T> && !is_map_container<T>::value) {
        ApplyToList<element_of<T>>(transform, reader, schema);
        return true;
    } else if (type != BT_MAP) {
        ApplyToList<void>(transform, reader, schema);
        return true;
    }
    // An untagged payload's map carries no codes of its own: they come from
    // the schema, run-time or compile-time, that the payload is read with.
    using Key = typename declared_pair<T>::key;
    using Value = typename declared_pair<T>::mapped;
    const PartSchema keys(schema, &RuntimeSchema::GetKeySchema);
    const PartSchema elements(schema, &RuntimeSchema::GetElementSchema);
    WithMap(reader, keys.Code(DeclaredCode<Key>()), elements.Code(DeclaredCode<Value>()), [&](const MapHeader& header) {
        if (header.count != 0) {
            CheckedValueType(header.key);
            CheckedValueType(header.element);
        }
        Writer& writer = transform.GetWriter();
        writer.WriteContainerBegin(header.count, std::make_pair(header.key, header.element));
        const auto write = [&](const auto& element) { SerializerAccess::Write(transform, element); };
        for (uint32_t i = 0; i < header.count; ++i) {
            WithElementValue<Key>(reader, header.key, keys.Get(), write);
            WithElementValue<Value>(reader, header.element, elements.Get(), write);
        }
        writer.WriteContainerEnd();
    });
    return true;
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

// The pass runs the transform that `counting_for` makes over the counting
// writer: what the real pass will run, a Serializer unless said otherwise.
template <typename Writer, typename Value, typename MakeTransform>
void RunFirstPass(Writer& writer, const Value& value, MakeTransform&& counting_for)
{
    if constexpr (requires { typename Writer::Pass0; }) {
        using Pass0 = typename Writer::Pass0;
        typename Pass0::Buffer counter;
        Pass0 counting(counter, writer);
        Apply(counting_for(counting), value);
        writer.SetStructLengths(counter.StructLengths());
    }
}

template <typename Writer, typename Value>
void RunFirstPass(Writer& writer, const Value& value)
{
    RunFirstPass(writer, value,
                 [](auto& counting) { return Serializer<std::remove_cvref_t<decltype(counting)>>(counting); });
}

// The payload at `start` that `payload` is at its own reader.
template <typename T, typename Reader>
bonded<T, Reader&> SamePayloadAt(const bonded<T, Reader&>& payload, Reader& start)
{
    return bonded<T, Reader&>(start, payload.IsBasePart());
}

template <typename Reader>
bonded<void, Reader&> SamePayloadAt(const bonded<void, Reader&>& payload, Reader& start)
{
    if constexpr (Reader::tagged) {
        if (!payload.GetSchema()) {
            return bonded<void, Reader&>(start);
        }
    }
    return bonded<void, Reader&>(start, *payload.GetSchema(), payload.IsBasePart());
}

// Runs the counting pass over `payload`, from a copy of its reader, when the
// writer needs one: a base part is counted with its derived record.
template <typename Writer, typename Payload>
void CountPayloadFirst(Writer& writer, const Payload& payload)
{
    if (!payload.IsBasePart() && NeedsFirstPass(writer)) {
        auto start = payload.GetReader();
        RunFirstPass(writer, SamePayloadAt(payload, start));
    }
}

template <typename Writer, typename Protocols, BondStruct T>
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const T& object)
{
    if (!transform.WritesBasePart() && NeedsFirstPass(transform.GetWriter())) {
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

// Copies the bytes of the payload's struct (or base part, with its marker);
// tells whether the struct ended inside a base part.
template <typename T, typename Reader, typename Writer>
bool PassThrough(const bonded<T, Reader&>& payload, Writer& writer)
{
    Reader& reader = payload.GetReader();
    const auto start = GetCurrentBuffer(reader.GetBuffer());
    const bool done = ValueAccess::PassOver(bonded<T, Reader&>(reader, payload.IsBasePart()));
    writer.GetBuffer().Write(GetBufferRange(start, GetCurrentBuffer(reader.GetBuffer())));
    return done;
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
            return PassThrough(payload, writer);
        }
    }
    static_assert(Reader::tagged || BondStruct<T>,
                  "an untagged payload's layout is its type's schema: T must be defined, not only declared");
    if constexpr (Reader::tagged && !Writer::may_omit_fields) {
        static_assert(BondStruct<T>, "an untagged protocol's layout is T's schema: a payload of a type that is only "
                                     "declared can be re-encoded into a tagged protocol only");
        return WithNewRecord<T>([&](T& object) {
            Apply(To<T>(object), bonded<T, Reader&>(reader));
            return Apply(transform, object);
        });
    } else {
        CountPayloadFirst(writer, payload);
        return Parse(reader, PayloadFields<T, Reader>{}, transform, payload.IsBasePart());
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
        CountPayloadFirst(transform.GetWriter(), payload);
        ValueAccess::Use(payload);
        return ParseDescribed(payload.GetReader(), payload.GetSchema(), transform, payload.IsBasePart());
    }
}

template <typename Writer, typename Protocols, typename Value>
bool ApplyTransform(const Marshaler<Writer, Protocols>& transform, const Value& value)
{
    Writer& writer = transform.GetWriter();
    writer.WriteVersion();
    return Apply(Serializer<Writer, Protocols>(writer), value);
}

}  // namespace bond::detail
