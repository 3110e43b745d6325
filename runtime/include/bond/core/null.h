// bond::Null: the transform that reads a record and discards it; this is how an
// untagged payload, which says nothing of its own extent, is passed over.
#pragma once

#include <bond/core/detail/read_value.h>
#include <bond/core/metadata.h>

#include <cstdint>

namespace bond {

class Null {
public:
    void Begin(const Metadata&) const noexcept {}
    void End() const noexcept {}

    template <typename FieldT, typename Reader>
    void Field(FieldT, Reader& reader, BondDataType type) const
    {
        detail::SkipElement<typename FieldT::field_type>(reader, type);
    }

    template <typename FieldT>
    void OmittedField(FieldT) const noexcept
    {}

    template <typename Reader>
    void UnknownField(uint16_t, Reader& reader, BondDataType type) const
    {
        reader.Skip(type);
    }
};

}  // namespace bond
