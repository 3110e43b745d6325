// bond::nullable<T>: a value that may be absent. It travels as a list of zero or
// one element, and is held on the heap so that a record may contain a nullable
// of its own type. Copies are deep; a moved-from nullable is empty.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace bond {

template <typename T>
class nullable {
public:
    using value_type = T;

    nullable() = default;
    explicit nullable(const T& value) : _value(std::make_unique<T>(value)) {}
    explicit nullable(T&& value) : _value(std::make_unique<T>(std::move(value))) {}
    nullable(const nullable& other) : _value(other._value ? std::make_unique<T>(*other._value) : nullptr) {}
    nullable(nullable&&) noexcept = default;
    nullable& operator=(const nullable& other)
    {
        if (this != &other) {
            _value = other._value ? std::make_unique<T>(*other._value) : nullptr;
        }
        return *this;
    }
    nullable& operator=(nullable&&) noexcept = default;

    bool hasvalue() const noexcept { return _value != nullptr; }
    bool empty() const noexcept { return _value == nullptr; }
    explicit operator bool() const noexcept { return _value != nullptr; }
    uint32_t size() const noexcept { return _value ? 1u : 0u; }

    // Precondition for these four: hasvalue().
    const T& value() const noexcept { return *_value; }
    T& value() noexcept { return *_value; }
    const T& operator*() const noexcept { return *_value; }
    T& operator*() noexcept { return *_value; }
    const T* operator->() const noexcept { return _value.get(); }
    T* operator->() noexcept { return _value.get(); }

    // Makes the value present, default-constructed when it was absent.
    T& set()
    {
        if (!_value) {
            _value = std::make_unique<T>();
        }
        return *_value;
    }

    // Makes the value present and equal to `value`: assigned in place when one
    // was present, so a throwing assignment leaves what T's assignment leaves;
    // otherwise constructed, and nothing changes when that throws.
    void set(const T& value)
    {
        if (_value) {
            *_value = value;
        } else {
            _value = std::make_unique<T>(value);
        }
    }
    void set(T&& value)
    {
        if (_value) {
            *_value = std::move(value);
        } else {
            _value = std::make_unique<T>(std::move(value));
        }
    }

    void reset() noexcept { _value.reset(); }
    void clear() noexcept { _value.reset(); }

    void swap(nullable& other) noexcept { _value.swap(other._value); }

    friend bool operator==(const nullable& left, const nullable& right)
    {
        return left.hasvalue() == right.hasvalue() && (!left.hasvalue() || left.value() == right.value());
    }

private:
    std::unique_ptr<T> _value;
};

template <typename T>
void swap(nullable<T>& left, nullable<T>& right) noexcept
{
    left.swap(right);
}

}  // namespace bond
