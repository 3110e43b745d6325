// The runtime's public surface: serializing, deserializing, marshaling and
// run-time schemas, each a thin layer over Apply.
#pragma once

#include <bond/core/apply.h>
#include <bond/core/blob.h>
#include <bond/core/bonded.h>
#include <bond/core/detail/schema_reader.h>
#include <bond/core/detail/select_protocol.h>
#include <bond/core/exception.h>
#include <bond/core/metadata.h>
#include <bond/core/reflection.h>
#include <bond/core/runtime_schema.h>
#include <bond/core/schema_def.h>
#include <bond/core/transforms.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/input_buffer.h>
#include <bond/stream/output_buffer.h>
#include <bond/stream/output_counter.h>

#include <memory>
#include <type_traits>

namespace bond {

// Writes a record, or re-encodes a payload, with `output`.
template <typename Value, typename Writer>
void Serialize(const Value& value, Writer& output)
{
    Apply(Serializer<Writer>(output), value);
}

// Writes the protocol's header, then the record or payload.
template <typename Value, typename Writer>
void Marshal(const Value& value, Writer& output)
{
    Apply(Marshaler<Writer>(output), value);
}

// Reads one T, laid out as T's compile-time schema says, from `input`.
template <typename Reader, typename T>
void Deserialize(Reader input, T& var)
{
    Apply(To<T>(var), bonded<T, Reader&>(input));
}

// Reads one T, laid out as `schema` says, from `input`.
template <typename Reader, typename T>
void Deserialize(Reader input, T& var, const RuntimeSchema& schema)
{
    detail::ReadStructWithSchema(input, schema, var);
}

// Reads a marshaled T: the header picks the protocol and version. Throws
// CoreException "Unmarshaling failed: unsupported protocol" for any other header.
template <typename T>
void Unmarshal(const InputBuffer& input, T& var)
{
    InputBuffer start = input;
    detail::SelectProtocol(
        start, [&](auto& reader) { Apply(To<T>(var), bonded<T, std::decay_t<decltype(reader)>&>(reader)); },
        BuiltInProtocols{});
}

// Reads a marshaled payload laid out as `schema` says into a T.
template <typename T>
void Unmarshal(const InputBuffer& input, T& var, const RuntimeSchema& schema)
{
    InputBuffer start = input;
    detail::SelectProtocol(
        start, [&](auto& reader) { detail::ReadStructWithSchema(reader, schema, var); }, BuiltInProtocols{});
}

// The run-time schema of T, built once.
template <typename T>
RuntimeSchema GetRuntimeSchema()
{
    static const std::shared_ptr<const SchemaDef> schema = [] {
        auto definition = std::make_shared<SchemaDef>();
        Apply(InitSchemaDef(*definition), T{});
        return definition;
    }();
    return RuntimeSchema(schema);
}

}  // namespace bond
