// bond::To<T>: the transform that deserializes a payload into an existing T.
// The target must be in its default state: fields absent from the payload keep
// the value they have.
#pragma once

#include <bond/base/bond_fwd.h>
#include <bond/base/exception.h>
#include <bond/base/metadata.h>
#include <bond/core/detail/apply_fwd.h>
#include <bond/core/detail/base_of.h>
#include <bond/core/detail/readable.h>
#include <bond/core/detail/value_access.h>
#include <bond/core/transform_kinds.h>
#include <bond/core/validate.h>
#include <bond/schema/maybe.h>
#include <bond/schema/reflection.h>

#include <cstdint>
#include <type_traits>

namespace bond {

template <typename T, typename Protocols, typename Validator>
class To;

namespace detail {

// The record a To transform reads into.
template <typename T, typename Protocols, typename Validator>
T& TargetOf(const To<T, Protocols, Validator>& transform) noexcept;

// Calls `action` with the field of T whose ordinal is `id`, if T has one.
template <typename T, typename Action>
void WithFieldOf(uint16_t id, Action&& action)
{
    [&]<typename... Fields>(reflection::FieldList<Fields...>) {
        (void)((Fields::id == id ? (action.template operator()<Fields>(), true) : false) || ...);
    }(typename schema_of<T>::fields{});
}

}  // namespace detail

template <typename T, typename Protocols, typename Validator>
class To : public DeserializingTransform {
public:
    explicit To(T& var) noexcept : _var(var) {}

    void Begin(const Metadata&) const { _validator.Begin(); }
    void End() const { _validator.End(); }
    void UnknownEnd() const noexcept {}

    // The part of the payload that T's base holds is read into the base, which
    // checks its own required fields. A struct that ends there is not a T.
    template <typename Payload>
        requires detail::is_payload_value<Payload>
    bool Base(const Payload& base) const
    {
        if constexpr (detail::HasBase<T>) {
            if (Apply(To<detail::BaseOf<T>, Protocols>(_var), base)) {
                detail::ThrowUnexpectedStructStop(schema_of<T>::metadata.qualified_name);
            }
        }
        return false;
    }

    // A field of T's compile-time schema: read into the member it names.
    template <typename FieldT, typename Value>
        requires std::is_same_v<typename FieldT::struct_type, T> && detail::is_payload_value<Value>
    bool Field(const FieldT&, const Value& value) const
    {
        if constexpr (is_bonded<typename FieldT::field_type>::value) {
            // The parsers hand a bonded<X> field its own payload, kept as it is.
            FieldT::GetVariable(_var) = value;
        } else {
            value.Deserialize(detail::HeldVariable(FieldT::GetVariable(_var)));
        }
        _validator.template Validate<FieldT>();
        return false;
    }

    // A field known by its ordinal only, as a run-time schema describes it: read
    // into T's member of that ordinal when there is one that can take it, and
    // otherwise left for the parser to pass over.
    template <typename Value>
        requires detail::is_payload_value<Value>
    bool Field(uint16_t id, const Metadata&, const Value& value) const
    {
        detail::WithFieldOf<T>(id, [&]<typename FieldT>() {
            // A bonded<X> field takes only the payload a compile-time schema
            // hands it.
            using Held = typename detail::held_type<typename FieldT::field_type>::type;
            if constexpr (!is_bonded<Held>::value && detail::CanRead<Held, Value>()) {
                value.Deserialize(detail::HeldVariable(FieldT::GetVariable(_var)));
                _validator.template Validate<FieldT>();
            }
        });
        return false;
    }

    template <typename Value>
    bool UnknownField(uint16_t, const Value&) const noexcept
    {
        return false;
    }

private:
    friend T& detail::TargetOf<>(const To& transform) noexcept;

    T& _var;
    mutable Validator _validator;
};

template <typename T, typename Protocols, typename Validator>
T& detail::TargetOf(const To<T, Protocols, Validator>& transform) noexcept
{
    return transform._var;
}

}  // namespace bond
