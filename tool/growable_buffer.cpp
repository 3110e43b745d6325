#include "growable_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace certpluck {
namespace {

// The kernel maps whole pages anyway; rounding up makes the slack usable.
std::size_t WholePages(std::size_t bytes)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t pages = std::max<std::size_t>(1, (bytes + page - 1) / page);
    if (pages > SIZE_MAX / page) {
        throw std::bad_alloc();
    }
    return pages * page;
}

}  // namespace

GrowableBuffer::GrowableBuffer(std::size_t capacity, bool prefault) : _capacity(WholePages(capacity))
{
    void* const memory = ::mmap(nullptr, _capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    _data = static_cast<char*>(memory);
    // Both are advice: faulting in large pages, and all of them in one call rather
    // than one by one during the reads, takes a large input in several times
    // faster. A kernel that declines either still works, only slower. A mapping
    // moved or extended by Grow keeps the large-page advice.
    ::madvise(_data, _capacity, MADV_HUGEPAGE);
    if (prefault) {
        ::madvise(_data, _capacity, MADV_POPULATE_WRITE);
    }
}

GrowableBuffer::GrowableBuffer(GrowableBuffer&& other) noexcept
    : _data(std::exchange(other._data, nullptr)), _size(std::exchange(other._size, 0)),
      _capacity(std::exchange(other._capacity, 0))
{}

GrowableBuffer::~GrowableBuffer()
{
    if (_data != nullptr) {
        ::munmap(_data, _capacity);
    }
}

void GrowableBuffer::Grow(std::size_t capacity)
{
    const std::size_t new_capacity = WholePages(capacity);
    if (new_capacity <= _capacity) {
        return;
    }
    void* const memory = ::mremap(_data, _capacity, new_capacity, MREMAP_MAYMOVE);
    if (memory == MAP_FAILED) {
        throw std::bad_alloc();
    }
    _data = static_cast<char*>(memory);
    _capacity = new_capacity;
}

}  // namespace certpluck
