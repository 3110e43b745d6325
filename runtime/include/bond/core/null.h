// bond::Null: the transform that takes nothing of what it is shown, so that
// the parser passes over all of it. This is how a struct is passed over by
// walking it, which an untagged payload, saying nothing of its own extent,
// needs.
#pragma once

#include <bond/base/bond_const.h>
#include <bond/base/metadata.h>
#include <bond/core/transform_kinds.h>

#include <cstdint>

namespace bond {

class Null : public DeserializingTransform {
public:
    void Begin(const Metadata&) const noexcept {}
    void End() const noexcept {}
    void UnknownEnd() const noexcept {}

    template <typename T>
    bool Field(uint16_t, const Metadata&, const T&) const noexcept
    {
        return false;
    }

    template <typename T>
    bool UnknownField(uint16_t, const T&) const noexcept
    {
        return false;
    }

    template <typename T>
    void Container(const T&, uint32_t) const noexcept
    {}

    template <typename Key, typename T>
    void Container(const Key&, const T&, uint32_t) const noexcept
    {}
};

}  // namespace bond
