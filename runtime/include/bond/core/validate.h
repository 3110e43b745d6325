// bond::RequiredFieldValiadator<T> (the library's spelling): checks, while a
// struct is read, that its required fields arrive in ordinal order and none is
// missing. For a struct without required fields it does nothing at all.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/exception.h>
#include <bond/schema/reflection.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace bond {

namespace detail {

template <typename... Fields>
constexpr auto RequiredIds(reflection::FieldList<Fields...>)
{
    constexpr size_t count = (size_t{0} + ... + (Fields::field_modifier::value == Required ? 1 : 0));
    std::array<uint16_t, count> ids{};
    size_t next = 0;
    ((Fields::field_modifier::value == Required ? void(ids[next++] = Fields::id) : void()), ...);
    return ids;
}

}  // namespace detail

template <typename T>
class RequiredFieldValiadator {
public:
    void Begin() noexcept { _next = 0; }

    template <typename Field>
    void Validate()
    {
        if constexpr (Field::field_modifier::value == Required) {
            if (_next < required.size() && required[_next] == Field::id) {
                ++_next;
            } else {
                Fail();
            }
        }
    }

    void End() const
    {
        if constexpr (!required.empty()) {
            if (_next < required.size()) {
                Fail();
            }
        }
    }

private:
    static constexpr auto required = detail::RequiredIds(typename schema_of<T>::fields{});

    [[noreturn]] void Fail() const
    {
        const uint16_t missing = _next < required.size() ? required[_next] : required.back();
        detail::ThrowRequiredFieldMissing(missing, schema_of<T>::metadata.qualified_name);
    }

    size_t _next = 0;
};

}  // namespace bond
