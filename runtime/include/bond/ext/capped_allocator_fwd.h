// The capped allocator and its counters, declared with their defaults: a
// capped standard allocator shares one thread-safe count among its copies.
#pragma once

#include <cstddef>
#include <memory>

namespace bond::ext {

template <typename T = std::size_t>
class single_threaded_counter;

template <typename T = std::size_t>
class multi_threaded_counter;

template <typename Counter = multi_threaded_counter<>>
class shared_counter;

template <typename Alloc = std::allocator<char>,
          typename Counter = shared_counter<multi_threaded_counter<typename std::allocator_traits<Alloc>::size_type>>>
class capped_allocator;

}  // namespace bond::ext
