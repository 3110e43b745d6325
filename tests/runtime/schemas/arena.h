// The allocator allocated.bond is generated with: a type of its own, so that
// its strings and containers are not the standard ones, and stateful, so that
// a test can tell which allocator built an element.
#pragma once

#include <cstddef>
#include <memory>

namespace test::allocated {

template <typename T>
struct Arena {
    using value_type = T;

    Arena() = default;
    explicit Arena(int arena_id) : id(arena_id) {}
    template <typename U>
    Arena(const Arena<U>& other) : id(other.id)
    {}

    T* allocate(std::size_t n) { return std::allocator<T>().allocate(n); }
    void deallocate(T* data, std::size_t n) { std::allocator<T>().deallocate(data, n); }

    // Any arena frees what another allocated: they all draw on the heap.
    template <typename U>
    bool operator==(const Arena<U>&) const noexcept
    {
        return true;
    }

    int id = 0;
};

}  // namespace test::allocated
