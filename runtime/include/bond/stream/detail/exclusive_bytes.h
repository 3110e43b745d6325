// The array behind an output stream while the stream alone owns it, and the
// deleter that hands it over to shared ownership once a blob shows it.
//
// With the standard allocator the array comes from malloc, so that growing it
// is a realloc: a large array's pages are moved rather than copied, and pages
// past the bytes in use stay untouched until written. On machines where
// touching fresh memory is slow, that halves what serializing a large record
// costs. Any other allocator grows by allocating anew and copying.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace bond::detail {

template <typename A>
struct ExclusiveBytes {
    static char* Allocate(A& allocator, uint32_t capacity)
    {
        return std::allocator_traits<A>::allocate(allocator, capacity);
    }

    // Keeps the first `used` bytes; on failure throws and leaves `data` as it was.
    static char* Resize(A& allocator, char* data, uint32_t used, uint32_t capacity, uint32_t new_capacity)
    {
        char* resized = Allocate(allocator, new_capacity);
        std::memcpy(resized, data, used);
        Release(allocator, data, capacity);
        return resized;
    }

    static void Release(A& allocator, char* data, uint32_t capacity) noexcept
    {
        if (data != nullptr) {
            std::allocator_traits<A>::deallocate(allocator, data, capacity);
        }
    }
};

template <>
struct ExclusiveBytes<std::allocator<char>> {
    static char* Allocate(std::allocator<char>&, uint32_t capacity)
    {
        void* data = std::malloc(capacity);
        if (data == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<char*>(data);
    }

    static char* Resize(std::allocator<char>&, char* data, uint32_t, uint32_t, uint32_t new_capacity)
    {
        void* resized = std::realloc(data, new_capacity);
        if (resized == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<char*>(resized);
    }

    static void Release(std::allocator<char>&, char* data, uint32_t) noexcept { std::free(data); }
};

// Releases the array it was armed with, whatever pointer the shared_ptr hands
// it: the owner is created unarmed, so that failing to allocate it frees
// nothing the stream still holds.
template <typename A>
struct ReleaseBytes {
    A allocator;
    char* data = nullptr;
    uint32_t capacity = 0;

    void operator()(char*) noexcept { ExclusiveBytes<A>::Release(allocator, data, capacity); }
};

}  // namespace bond::detail
