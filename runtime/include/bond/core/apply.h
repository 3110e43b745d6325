// bond::Apply: runs a transform over a value (a record in memory, or a payload).
// A schema module may declare entry points beside its records: overloads of
// Apply in the record's namespace for given transforms and value forms, in which
// the runtime's templates are instantiated once. Wherever such an overload
// exists for the transform and value at hand, every Apply reaches it, whether
// the call is unqualified (argument-dependent lookup prefers the exact,
// non-template overload) or names bond::Apply (which forwards to it). Any other
// pairing is done by detail::ApplyTransform in the caller's own translation
// unit, which is also what every entry point runs.
#pragma once

#include <bond/core/bonded.h>
#include <bond/core/detail/schema_reader.h>
#include <bond/core/detail/skip_typed.h>
#include <bond/core/detail/transcode.h>
#include <bond/core/detail/untagged_parser.h>
#include <bond/core/detail/write_value.h>
#include <bond/core/transforms.h>
#include <bond/protocol/compact_binary.h>

#include <concepts>
#include <type_traits>

namespace bond {

namespace detail {

template <typename Transform>
inline constexpr bool is_marshaler = false;
template <typename Writer, typename Protocols>
inline constexpr bool is_marshaler<Marshaler<Writer, Protocols>> = true;

// A Compact Binary version 2 writer needs the length of every struct before it
// writes it, so it first runs the same value through a counting writer. Nested
// structs find the lengths loaded and do not start a pass of their own.
template <typename Writer, typename Value>
void RunFirstPassIfNeeded(Writer& writer, const Value& value)
{
    if constexpr (requires { writer.NeedsFirstPass(); }) {
        if (writer.NeedsFirstPass()) {
            using Pass0 = typename Writer::Pass0;
            typename Pass0::Buffer counter;
            Pass0 counting(counter, writer);
            Apply(Serializer<Pass0>(counting), value);
            writer.SetStructLengths(counter.StructLengths());
        }
    }
}

template <typename T, typename Protocols, typename Validator, typename Reader>
bool ApplyTransform(const To<T, Protocols, Validator>& transform, const bonded<T, Reader&>& value)
{
    Parse<T>(value.GetReader(), transform);
    return false;
}

template <typename T, typename Reader>
bool ApplyTransform(const Null& transform, const bonded<T, Reader&>& value)
{
    Parse<T>(value.GetReader(), transform);
    return false;
}

template <typename Writer, typename Protocols, BondStruct T>
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const T& value)
{
    Writer& writer = transform.GetWriter();
    RunFirstPassIfNeeded(writer, value);
    WriteStruct(writer, value);
    return false;
}

template <typename Writer, typename Protocols, typename T, typename Reader>
bool ApplyTransform(const Serializer<Writer, Protocols>& transform, const bonded<T, Reader&>& value)
{
    Writer& writer = transform.GetWriter();
    Reader start = value.GetReader();
    RunFirstPassIfNeeded(writer, bonded<T, Reader&>(start));
    TranscodePayload<T>(value.GetReader(), writer);
    return false;
}

template <typename Writer, typename Protocols, typename Value>
bool ApplyTransform(const Marshaler<Writer, Protocols>& transform, const Value& value)
{
    Writer& writer = transform.GetWriter();
    writer.WriteVersion();
    return Apply(Serializer<Writer, Protocols>(writer), value);
}

// A payload of any protocol goes to the entry point for the reader it holds,
// from a copy of that reader, so the payload can be applied again. A record
// held in memory is copied by To and written as a record by the writers. A
// run-time schema, when the payload has one, describes its layout.
template <typename Transform, typename T>
    requires(!is_marshaler<Transform>)
bool ApplyTransform(const Transform& transform, const bonded<T, ProtocolReader>& value)
{
    return value.GetReader().Visit([&](const auto& held) -> bool {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, ValueReader>) {
            if constexpr (requires { transform.GetTarget() = held.template Get<T>(); }) {
                transform.GetTarget() = held.template Get<T>();
                return false;
            } else {
                return Apply(transform, held.template Get<T>());
            }
        } else {
            Held reader = held;
            if (value.GetSchema()) {
                if constexpr (requires { transform.GetTarget(); }) {
                    ReadStructWithSchema(reader, *value.GetSchema(), transform.GetTarget());
                    return false;
                } else {
                    T object;
                    ReadStructWithSchema(reader, *value.GetSchema(), object);
                    return Apply(transform, object);
                }
            }
            return Apply(transform, bonded<T, Held&>(reader));
        }
    });
}

template <typename X>
TypeDef MakeTypeDef(SchemaDef& schema);

// The index of S's definition, which is added (with everything it refers to)
// the first time S is met.
template <BondStruct S>
uint16_t StructIndex(SchemaDef& schema)
{
    for (size_t i = 0; i < schema.structs.size(); ++i) {
        if (schema.structs[i].metadata.qualified_name == S::Schema::metadata.qualified_name) {
            return static_cast<uint16_t>(i);
        }
    }
    const auto index = static_cast<uint16_t>(schema.structs.size());
    Apply(InitSchemaDef(schema), S{});
    return index;
}

template <typename X>
TypeDef MakeTypeDef(SchemaDef& schema)
{
    TypeDef type;
    type.id = get_type_id<X>::value;
    if constexpr (BondStruct<X>) {
        type.struct_def = StructIndex<X>(schema);
    } else if constexpr (std::is_same_v<X, blob>) {
        type.element.set().id = BT_INT8;
    } else if constexpr (is_vector<X>::value || is_nullable<X>::value || is_set<X>::value) {
        type.element.set() = MakeTypeDef<typename X::value_type>(schema);
    } else if constexpr (is_map<X>::value) {
        type.key.set() = MakeTypeDef<typename X::key_type>(schema);
        type.element.set() = MakeTypeDef<typename X::mapped_type>(schema);
    }
    return type;
}

template <typename... Fields>
void AddFieldDefs(SchemaDef& schema, size_t index, reflection::FieldList<Fields...>)
{
    (
        [&] {
            FieldDef field;
            field.metadata = Fields::metadata;
            field.id = Fields::id;
            field.type = MakeTypeDef<typename Fields::field_type>(schema);
            schema.structs[index].fields.push_back(std::move(field));
        }(),
        ...);
}

template <BondStruct T>
bool ApplyTransform(const InitSchemaDef& transform, const T&)
{
    SchemaDef& schema = transform.GetSchema();
    schema.structs[transform.GetIndex()].metadata = T::Schema::metadata;
    AddFieldDefs(schema, transform.GetIndex(), typename T::Schema::fields{});
    return false;
}

}  // namespace detail

namespace detail {

// A value that only a non-template Apply taking the value's own type accepts,
// through the conversion: the templates here would deduce the wrapper and step
// aside. Looking up Apply with it finds nothing but entry points.
template <typename Value>
struct EntryPointArgument {
    const Value& value;
    operator const Value&() const noexcept { return value; }
};

template <typename Value>
inline constexpr bool is_entry_point_argument = false;
template <typename Value>
inline constexpr bool is_entry_point_argument<EntryPointArgument<Value>> = true;

}  // namespace detail

template <typename Transform, typename Value>
    requires(!detail::is_entry_point_argument<Value>)
bool Apply(const Transform& transform, const Value& value);

namespace detail {

template <typename Transform, typename Value>
concept HasEntryPoint = requires(const Transform& transform, const Value& value) {
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

}  // namespace bond
