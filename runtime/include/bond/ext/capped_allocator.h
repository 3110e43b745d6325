// bond::ext::capped_allocator: an allocator over another (`Alloc`) that counts
// the bytes it hands out and throws std::bad_alloc instead of passing a limit,
// so that reading a record of untrusted size fails before it exhausts memory.
// Its copies and rebinds count on the same counter (a shared_counter, or a
// counter of one's own given by reference).
#pragma once

#include <bond/ext/capped_allocator_fwd.h>
#include <bond/ext/multi_threaded_counter.h>
#include <bond/ext/shared_counter.h>
#include <bond/ext/single_threaded_counter.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace bond::ext {
namespace detail {

// A counter held as itself (copies of a shared_counter share one count) or,
// for a reference Counter, by address, so that the allocator stays assignable.
template <typename Counter>
class counter_holder {
public:
    explicit counter_holder(Counter counter) : _counter(std::move(counter)) {}
    Counter& get() noexcept { return _counter; }
    const Counter& get() const noexcept { return _counter; }
    bool operator==(const counter_holder&) const = default;

private:
    Counter _counter;
};

template <typename Counter>
class counter_holder<Counter&> {
public:
    explicit counter_holder(Counter& counter) noexcept : _counter(&counter) {}
    Counter& get() const noexcept { return *_counter; }
    bool operator==(const counter_holder&) const = default;

private:
    Counter* _counter;
};

}  // namespace detail

template <typename Alloc, typename Counter>
class capped_allocator {
    using traits = std::allocator_traits<Alloc>;
    using counter_type = std::remove_reference_t<Counter>;

public:
    using value_type = typename traits::value_type;
    using pointer = typename traits::pointer;
    using const_pointer = typename traits::const_pointer;
    using void_pointer = typename traits::void_pointer;
    using const_void_pointer = typename traits::const_void_pointer;
    using size_type = typename traits::size_type;
    using difference_type = typename traits::difference_type;
    using propagate_on_container_copy_assignment = typename traits::propagate_on_container_copy_assignment;
    using propagate_on_container_move_assignment = typename traits::propagate_on_container_move_assignment;
    using propagate_on_container_swap = typename traits::propagate_on_container_swap;
    // Two allocators over equal ones still differ when they count apart.
    using is_always_equal = std::false_type;

    template <typename U>
    struct rebind {
        using other = capped_allocator<typename traits::template rebind_alloc<U>, Counter>;
    };

    // Counts on `counter`: a copy for a counter that shares itself when
    // copied, the very one for a reference Counter. Unless
    // `subtract_on_deallocate`, memory given back still counts, which caps
    // what is ever allocated rather than what is held at once.
    explicit capped_allocator(Counter counter, const Alloc& alloc = {}, bool subtract_on_deallocate = true)
        : _alloc(alloc), _counter(std::forward<Counter>(counter)), _subtract_on_deallocate(subtract_on_deallocate)
    {}

    // A new counter of `max_value` bytes, for a counter that is allocated
    // itself (shared_counter), from `alloc` and within the limit.
    template <typename C = Counter>
        requires std::uses_allocator_v<C, Alloc>
    explicit capped_allocator(typename C::value_type max_value, const Alloc& alloc = {},
                              bool subtract_on_deallocate = true)
        : capped_allocator(Counter(max_value, alloc), alloc, subtract_on_deallocate)
    {}

    template <typename Other>
        requires std::is_convertible_v<const Other&, Alloc>
    capped_allocator(const capped_allocator<Other, Counter>& other)
        : _alloc(other._alloc), _counter(other._counter), _subtract_on_deallocate(other._subtract_on_deallocate)
    {}

    pointer allocate(size_type n)
    {
        const size_type size = Bytes(n);
        if (!_counter.get().try_add(size)) {
            throw std::bad_alloc();
        }
        try {
            return traits::allocate(_alloc, n);
        } catch (...) {
            _counter.get().subtract(size);
            throw;
        }
    }

    void deallocate(pointer data, size_type n)
    {
        traits::deallocate(_alloc, data, n);
        if (_subtract_on_deallocate) {
            _counter.get().subtract(n * sizeof(value_type));
        }
    }

    template <typename T, typename... Args>
    void construct(T* at, Args&&... args)
    {
        traits::construct(_alloc, at, std::forward<Args>(args)...);
    }

    template <typename T>
    void destroy(T* at)
    {
        traits::destroy(_alloc, at);
    }

    // No more elements than the limit holds, so that a container refuses a
    // larger size (std::length_error) before it allocates.
    size_type max_size() const noexcept
    {
        return std::min<size_type>(_counter.get().max_value() / sizeof(value_type), traits::max_size(_alloc));
    }

    const Alloc& get_allocator() const noexcept { return _alloc; }
    Alloc& get_allocator() noexcept { return _alloc; }
    const counter_type& get_counter() const noexcept { return _counter.get(); }
    counter_type& get_counter() noexcept { return _counter.get(); }

    template <typename Other>
    bool operator==(const capped_allocator<Other, Counter>& other) const noexcept
    {
        return _alloc == other._alloc && _counter == other._counter;
    }

private:
    template <typename OtherAlloc, typename OtherCounter>
    friend class capped_allocator;

    // The bytes of `n` elements; a count whose bytes overflow cannot fit.
    size_type Bytes(size_type n) const
    {
        if (n > std::numeric_limits<size_type>::max() / sizeof(value_type)) {
            throw std::bad_alloc();
        }
        return n * sizeof(value_type);
    }

    [[no_unique_address]] Alloc _alloc;
    detail::counter_holder<Counter> _counter;
    bool _subtract_on_deallocate;
};

template <typename Counter>
template <typename Alloc>
std::shared_ptr<Counter> shared_counter<Counter>::Allocate(value_type max_value, const Alloc& alloc)
{
    // The counter's bytes are first counted apart, since it does not exist
    // yet; the allocator kept to free them later counts nothing.
    single_threaded_counter<value_type> own_bytes(max_value);
    capped_allocator<Alloc, single_threaded_counter<value_type>&> capped(own_bytes, alloc, false);
    auto counter = std::allocate_shared<Counter>(capped, max_value);
    counter->try_add(own_bytes.value());
    return counter;
}

}  // namespace bond::ext
