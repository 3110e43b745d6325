// A contiguous byte buffer in anonymous memory that can grow without copying
// the bytes it holds: the kernel extends the mapping or moves its pages. Pages
// that were never written take no physical memory, so generous capacity is cheap.
#pragma once

#include <cstddef>
#include <span>

namespace certpluck {

class GrowableBuffer {
public:
    // Reserves at least `capacity` bytes (at least one); `prefault` backs them
    // with memory at once, for when they are known to be filled. Throws
    // std::bad_alloc when the memory cannot be had.
    GrowableBuffer(std::size_t capacity, bool prefault);
    GrowableBuffer(GrowableBuffer&& other) noexcept;
    GrowableBuffer(const GrowableBuffer&) = delete;
    GrowableBuffer& operator=(const GrowableBuffer&) = delete;
    GrowableBuffer& operator=(GrowableBuffer&&) = delete;
    ~GrowableBuffer();

    // The bytes committed so far; valid until the next Grow.
    std::span<const char> Bytes() const noexcept { return {_data, _size}; }

    // The room after the committed bytes, to be filled and then committed.
    std::span<char> FreeSpace() noexcept { return {_data + _size, _capacity - _size}; }

    // Adds the first `count` bytes of FreeSpace() to Bytes().
    // Precondition: count <= FreeSpace().size().
    void Commit(std::size_t count) noexcept { _size += count; }

    std::size_t Capacity() const noexcept { return _capacity; }

    // Raises the capacity to at least `capacity`, keeping the committed bytes;
    // the buffer may move. Throws std::bad_alloc, leaving the buffer as it was.
    void Grow(std::size_t capacity);

private:
    char* _data = nullptr;
    std::size_t _size = 0;
    std::size_t _capacity;
};

}  // namespace certpluck
