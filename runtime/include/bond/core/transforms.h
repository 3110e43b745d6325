// Transforms: what a parser does with the fields it meets.
#pragma once

#include <bond/core/bond_fwd.h>
#include <bond/core/detail/read_value.h>
#include <bond/core/metadata.h>
#include <bond/core/validate.h>

#include <cstdint>

namespace bond {

// Deserializes into an existing T. The target must be in its default state:
// fields absent from the input keep the value they have.
template <typename T, typename Protocols, typename Validator>
class To {
public:
    using struct_type = T;

    explicit To(T& var) noexcept : _var(var) {}

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

}  // namespace bond
