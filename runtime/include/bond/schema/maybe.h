// bond::maybe<T>: the type of a field whose schema default is `nothing`: it
// holds a T or nothing at all, and starts out holding nothing. Unlike
// std::optional, a maybe that is moved from holds nothing afterwards, and
// asking for the value of one that holds nothing throws CoreException
// "Field value is 'nothing'" rather than leaving the behaviour undefined.
#pragma once

#include <bond/base/exception.h>
#include <bond/schema/reflection.h>

#include <new>
#include <optional>
#include <type_traits>
#include <utility>

namespace bond {

template <typename T>
class maybe {
public:
    using value_type = T;

    maybe() = default;
    maybe(const maybe&) = default;
    maybe(maybe&& that) noexcept(std::is_nothrow_move_constructible_v<T>) : _value(std::move(that._value))
    {
        that._value.reset();
    }
    explicit maybe(const T& value) : _value(value) {}
    explicit maybe(T&& value) : _value(std::move(value)) {}

    maybe& operator=(const maybe&) = default;
    maybe& operator=(maybe&& that) noexcept(std::is_nothrow_move_assignable_v<T> &&
                                            std::is_nothrow_move_constructible_v<T>)
    {
        if (this != &that) {
            _value = std::move(that._value);
            that._value.reset();
        }
        return *this;
    }
    maybe& operator=(const T& value)
    {
        _value = value;
        return *this;
    }
    maybe& operator=(T&& value)
    {
        _value = std::move(value);
        return *this;
    }

    bool is_nothing() const noexcept { return !_value.has_value(); }
    explicit operator bool() const noexcept { return _value.has_value(); }

    void set_nothing() noexcept { _value.reset(); }

    template <typename... Args>
    T& emplace(Args&&... args)
    {
        return _value.emplace(std::forward<Args>(args)...);
    }

    // The value, made a default T first if there is none.
    T& set_value()
    {
        if (!_value) {
            _value.emplace();
        }
        return *_value;
    }

    T& value()
    {
        if (!_value) {
            detail::ThrowNothing();
        }
        return *_value;
    }
    const T& value() const
    {
        if (!_value) {
            detail::ThrowNothing();
        }
        return *_value;
    }

    // The value, which the caller knows is there.
    T& value(const std::nothrow_t&) noexcept { return *_value; }
    const T& value(const std::nothrow_t&) const noexcept { return *_value; }

    void swap(maybe& that) noexcept(std::is_nothrow_swappable_v<T> && std::is_nothrow_move_constructible_v<T>)
    {
        _value.swap(that._value);
    }

    // Two maybes are equal when both hold nothing or both hold equal values;
    // a maybe that holds nothing equals no value.
    friend bool operator==(const maybe& left, const maybe& right) { return left._value == right._value; }
    friend bool operator==(const maybe& left, const T& right) { return left._value == right; }

private:
    std::optional<T> _value;
};

template <typename T>
void swap(maybe<T>& left, maybe<T>& right) noexcept(noexcept(left.swap(right)))
{
    left.swap(right);
}

// A maybe travels as the value it holds.
template <typename T>
struct get_type_id<maybe<T>> : get_type_id<T> {};

namespace detail {

template <typename T>
struct is_maybe : std::false_type {};
template <typename T>
struct is_maybe<maybe<T>> : std::true_type {};

// The type that a field of type T holds a value of: T itself, or for a maybe
// the type it may hold.
template <typename T>
struct held_type {
    using type = T;
};
template <typename T>
struct held_type<maybe<T>> {
    using type = T;
};

// The variable that a value read for a field of type T goes into.
template <typename T>
T& HeldVariable(T& var) noexcept
{
    return var;
}
template <typename T>
T& HeldVariable(maybe<T>& var)
{
    return var.set_value();
}

}  // namespace detail

}  // namespace bond
