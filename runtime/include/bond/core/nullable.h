// bond::nullable<T>: a value that may be absent. It travels as a list of zero or
// one element, and is held on the heap so that a record may contain a nullable
// of its own type.
#pragma once

#include <cstdint>
#include <memory>

namespace bond {

template <typename T>
class nullable {
public:
    using value_type = T;

    nullable() = default;
    nullable(const T& value) : _value(std::make_unique<T>(value)) {}
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
    uint32_t size() const noexcept { return _value ? 1u : 0u; }

    // Precondition: hasvalue().
    const T& value() const noexcept { return *_value; }
    T& value() noexcept { return *_value; }

    // Makes the value present, default-constructed when it was absent.
    T& set()
    {
        if (!_value) {
            _value = std::make_unique<T>();
        }
        return *_value;
    }
    void reset() noexcept { _value.reset(); }

    friend bool operator==(const nullable& left, const nullable& right)
    {
        return left.hasvalue() == right.hasvalue() && (!left.hasvalue() || left.value() == right.value());
    }

private:
    std::unique_ptr<T> _value;
};

}  // namespace bond
