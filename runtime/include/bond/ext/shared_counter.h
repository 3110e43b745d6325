// One counter shared by every copy of a capped allocator, so that a record and
// all it holds are counted against one limit however often the allocator is
// copied and rebound.
#pragma once

#include <bond/ext/capped_allocator_fwd.h>
#include <bond/ext/single_threaded_counter.h>

#include <functional>
#include <memory>
#include <new>

namespace bond::ext {

template <typename Counter>
class shared_counter {
public:
    using value_type = typename Counter::value_type;
    using is_thread_safe = typename Counter::is_thread_safe;

    explicit shared_counter(value_type max_value) : _counter(std::make_shared<Counter>(max_value)) {}

    // The counter is allocated from `alloc`, and its own bytes count against
    // the limit too: a limit smaller than the counter throws std::bad_alloc.
    template <typename Alloc>
    shared_counter(value_type max_value, const Alloc& alloc) : _counter(Allocate(max_value, alloc))
    {}

    bool try_add(value_type n) noexcept { return _counter->try_add(n); }
    void subtract(value_type n) noexcept { _counter->subtract(n); }
    value_type value() const noexcept { return _counter->value(); }
    value_type max_value() const noexcept { return _counter->max_value(); }

    friend bool operator==(const shared_counter&, const shared_counter&) = default;

private:
    // Defined beside capped_allocator, which it allocates with.
    template <typename Alloc>
    std::shared_ptr<Counter> Allocate(value_type max_value, const Alloc& alloc);

    std::shared_ptr<Counter> _counter;
};

}  // namespace bond::ext

// Copies share the count, so an allocator-aware container may take one.
template <typename Counter, typename Alloc>
struct std::uses_allocator<bond::ext::shared_counter<Counter>, Alloc> : std::true_type {};
