// A count of bytes held against a limit, for one thread's allocations.
#pragma once

#include <bond/ext/capped_allocator_fwd.h>
#include <bond/ext/detail/counter_base.h>

#include <type_traits>

namespace bond::ext {

template <typename T>
class single_threaded_counter : public detail::counter_base<T> {
public:
    using is_thread_safe = std::false_type;
    using detail::counter_base<T>::counter_base;

    // Adds `n` unless that would pass the limit; tells whether it did.
    bool try_add(T n) noexcept
    {
        if (n > this->max_value() - _value) {
            return false;
        }
        _value += n;
        return true;
    }

    void subtract(T n) noexcept { _value -= n; }
    T value() const noexcept { return _value; }

private:
    T _value{};
};

}  // namespace bond::ext
