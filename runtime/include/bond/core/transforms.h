// Transforms: what is done with a record, whether it is read from a payload or
// walked in memory. A parser reports to a transform through Begin(metadata),
// Field(field, reader, type), UnknownField(id, reader, type),
// OmittedField(field) and End(); Field and UnknownField consume the value.
#pragma once

#include <bond/core/bond_fwd.h>
#include <bond/core/detail/read_value.h>
#include <bond/core/null.h>
#include <bond/core/metadata.h>
#include <bond/core/schema_def.h>
#include <bond/core/validate.h>

#include <cstddef>
#include <cstdint>

namespace bond {

// Deserializes into an existing T. The target must be in its default state:
// fields absent from the input keep the value they have.
template <typename T, typename Protocols, typename Validator>
class To {
public:
    using struct_type = T;

    explicit To(T& var) noexcept : _var(var) {}

    T& GetTarget() const noexcept { return _var; }

    void Begin(const Metadata&) const { _validator.Begin(); }
    void End() const { _validator.End(); }

    template <typename FieldT, typename Reader>
    void Field(FieldT, Reader& reader, BondDataType type) const
    {
        detail::ReadValue(reader, type, FieldT::GetVariable(_var));
        _validator.template Validate<FieldT>();
    }

    template <typename FieldT>
    void OmittedField(FieldT) const noexcept
    {}

    template <typename Reader>
    void UnknownField(uint16_t, Reader& reader, BondDataType type) const
    {
        reader.Skip(type);
    }

private:
    T& _var;
    mutable Validator _validator;
};

// Writes a record, or re-encodes a payload, with `Writer`.
template <typename Writer, typename Protocols>
class Serializer {
public:
    using writer_type = Writer;

    explicit Serializer(Writer& output) noexcept : _output(output) {}
    Writer& GetWriter() const noexcept { return _output; }

private:
    Writer& _output;
};

// Writes the protocol's 4-byte header, then what Serializer writes.
template <typename Writer, typename Protocols>
class Marshaler {
public:
    using writer_type = Writer;

    explicit Marshaler(Writer& output) noexcept : _output(output) {}
    Writer& GetWriter() const noexcept { return _output; }

private:
    Writer& _output;
};

// Appends the struct definition of the record it is applied to (and of every
// record that one refers to, the first time it is met) to a SchemaDef.
class InitSchemaDef {
public:
    // Appends an empty definition for the record the transform will be applied to.
    explicit InitSchemaDef(SchemaDef& schema) : _schema(schema), _index(schema.structs.size())
    {
        schema.structs.emplace_back();
    }

    SchemaDef& GetSchema() const noexcept { return _schema; }
    size_t GetIndex() const noexcept { return _index; }

private:
    SchemaDef& _schema;
    size_t _index;
};

}  // namespace bond
