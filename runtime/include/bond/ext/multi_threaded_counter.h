// A count of bytes held against a limit, shared by threads that allocate at
// once: an addition that would pass the limit is refused as a whole, however
// the threads interleave.
#pragma once

#include <bond/ext/capped_allocator_fwd.h>
#include <bond/ext/detail/counter_base.h>

#include <atomic>
#include <type_traits>

namespace bond::ext {

template <typename T>
class multi_threaded_counter : public detail::counter_base<T> {
public:
    using is_thread_safe = std::true_type;
    using detail::counter_base<T>::counter_base;

    bool try_add(T n) noexcept
    {
        T current = _value.load(std::memory_order_acquire);
        do {
            if (n > this->max_value() - current) {
                return false;
            }
        } while (
            !_value.compare_exchange_weak(current, current + n, std::memory_order_acq_rel, std::memory_order_acquire));
        return true;
    }

    void subtract(T n) noexcept { _value.fetch_sub(n, std::memory_order_relaxed); }
    // May already be out of date when another thread allocates.
    T value() const noexcept { return _value.load(std::memory_order_relaxed); }

private:
    std::atomic<T> _value{};
};

}  // namespace bond::ext
