// What the counters share: their limit, and no copying, since copies would
// count apart (share one through a reference or a shared_counter).
#pragma once

#include <type_traits>

namespace bond::ext::detail {

template <typename T>
class counter_base {
    static_assert(std::is_integral_v<T>);

public:
    using value_type = T;

    explicit counter_base(T max_value) noexcept : _max_value(max_value) {}
    counter_base(const counter_base&) = delete;
    counter_base& operator=(const counter_base&) = delete;

    T max_value() const noexcept { return _max_value; }

private:
    const T _max_value;
};

}  // namespace bond::ext::detail
