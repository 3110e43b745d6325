// The runtime's public surface: serializing, deserializing, marshaling and
// run-time schemas, each a thin layer over Apply.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_version.h>
#include <bond/base/exception.h>
#include <bond/base/metadata.h>
#include <bond/core/apply.h>
#include <bond/core/bonded.h>
#include <bond/core/detail/select_protocol.h>
#include <bond/core/merge.h>
#include <bond/core/reflection.h>
#include <bond/core/transforms.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/schema/runtime_schema.h>
#include <bond/schema/schema_def.h>
#include <bond/stream/input_buffer.h>
#include <bond/stream/output_buffer.h>

#include <concepts>
#include <memory>
#include <type_traits>

namespace bond {

namespace detail {

// The protocols that unmarshaling may select among: a Protocols<...> list.
template <typename List>
inline constexpr bool is_protocol_list = false;
template <typename... Readers>
inline constexpr bool is_protocol_list<Protocols<Readers...>> = true;

}  // namespace detail

template <typename List>
concept ProtocolList = detail::is_protocol_list<List>;

// What Unmarshal reads from: an InputBuffer, or what makes one (a blob). Taken
// by value and as a parameter of its own, as the library takes it, so that a
// program's own Unmarshal(const InputBuffer&, T&) is the closer match for its
// calls rather than an ambiguous one.
template <typename Buffer>
concept MarshaledInput = std::constructible_from<InputBuffer, Buffer>;

// Writes a record, or re-encodes a payload, with `output`.
template <ProtocolList Protocols = BuiltInProtocols, typename Value, typename Writer>
void Serialize(const Value& value, Writer& output)
{
    Apply(Serializer<Writer, Protocols>(output), value);
}

// Writes the protocol's header, then the record or payload.
template <ProtocolList Protocols = BuiltInProtocols, typename Value, typename Writer>
void Marshal(const Value& value, Writer& output)
{
    Apply(Marshaler<Writer, Protocols>(output), value);
}

// A run-time schema is written as the SchemaDef it describes.
template <ProtocolList Protocols = BuiltInProtocols, typename Writer>
void Serialize(const RuntimeSchema& schema, Writer& output)
{
    Serialize<Protocols>(schema.GetSchema(), output);
}

template <ProtocolList Protocols = BuiltInProtocols, typename Writer>
void Marshal(const RuntimeSchema& schema, Writer& output)
{
    Marshal<Protocols>(schema.GetSchema(), output);
}

// Reads one T, laid out as T's compile-time schema says, from `input`. `var`
// must be in its default state: fields absent from the input keep their value.
template <ProtocolList Protocols = BuiltInProtocols, typename Reader, typename T>
void Deserialize(Reader input, T& var)
{
    Apply(To<T, Protocols>(var), bonded<T, Reader&>(input));
}

template <typename T, ProtocolList Protocols = BuiltInProtocols, typename Reader>
T Deserialize(Reader input)
{
    T var;
    Deserialize<Protocols>(input, var);
    return var;
}

// Reads one T, laid out as `schema` says, from `input`.
template <ProtocolList Protocols = BuiltInProtocols, typename Reader, typename T>
void Deserialize(Reader input, T& var, const RuntimeSchema& schema)
{
    Apply(To<T, Protocols>(var), bonded<void, Reader&>(input, schema));
}

template <typename T, ProtocolList Protocols = BuiltInProtocols, typename Reader>
T Deserialize(Reader input, const RuntimeSchema& schema)
{
    T var;
    Deserialize<Protocols>(input, var, schema);
    return var;
}

// Reads a marshaled T: the header picks the protocol and version among
// `Protocols`. Throws CoreException "Unmarshaling failed: unsupported protocol"
// for any other header.
template <ProtocolList Protocols = BuiltInProtocols, typename T, MarshaledInput Buffer>
void Unmarshal(Buffer input, T& var)
{
    InputBuffer start(input);
    detail::SelectProtocol<Protocols>(
        start, [&](auto& reader) { Apply(To<T, Protocols>(var), bonded<T, std::decay_t<decltype(reader)>&>(reader)); });
}

template <typename T, ProtocolList Protocols = BuiltInProtocols, MarshaledInput Buffer>
T Unmarshal(Buffer input)
{
    T var;
    Unmarshal<Protocols>(input, var);
    return var;
}

// Reads a marshaled payload laid out as `schema` says into a T.
template <ProtocolList Protocols = BuiltInProtocols, typename T, MarshaledInput Buffer>
void Unmarshal(Buffer input, T& var, const RuntimeSchema& schema)
{
    InputBuffer start(input);
    detail::SelectProtocol<Protocols>(start, [&](auto& reader) {
        Apply(To<T, Protocols>(var), bonded<void, std::decay_t<decltype(reader)>&>(reader, schema));
    });
}

template <typename T, ProtocolList Protocols = BuiltInProtocols, MarshaledInput Buffer>
T Unmarshal(Buffer input, const RuntimeSchema& schema)
{
    T var;
    Unmarshal<Protocols>(input, var, schema);
    return var;
}

// Makes `payload` the marshaled payload at `input`, undecoded: a reader of the
// protocol its header names, positioned after the header, over the same bytes,
// which must outlive the payload. With `schema`, the payload is laid out as it
// says rather than as T's compile-time schema.
template <ProtocolList Protocols = BuiltInProtocols, typename T, MarshaledInput Buffer>
void Unmarshal(Buffer input, bonded<T>& payload)
{
    InputBuffer start(input);
    detail::SelectProtocol<Protocols>(start, [&](const auto& reader) { payload = bonded<T>(reader); });
}

template <ProtocolList Protocols = BuiltInProtocols, typename T, MarshaledInput Buffer>
void Unmarshal(Buffer input, bonded<T>& payload, const RuntimeSchema& schema)
{
    InputBuffer start(input);
    detail::SelectProtocol<Protocols>(start, [&](const auto& reader) { payload = bonded<T>(reader, schema); });
}

// The run-time schema of T, built once.
template <typename T>
RuntimeSchema GetRuntimeSchema()
{
    static const std::shared_ptr<const SchemaDef> schema = [] {
        auto definition = std::make_shared<SchemaDef>();
        InitSchemaDef::Describe<T>(*definition);
        return definition;
    }();
    return RuntimeSchema(schema);
}

template <typename T>
RuntimeSchema GetRuntimeSchema(const T&)
{
    return GetRuntimeSchema<T>();
}

}  // namespace bond
