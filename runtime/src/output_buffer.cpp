#include <bond/stream/output_buffer.h>

#include <algorithm>
#include <utility>

namespace bond {

namespace {

// Small enough for a short record, large enough that short records never regrow.
constexpr uint64_t initial_capacity = 256;

}  // namespace

OutputMemoryStream::OutputMemoryStream(OutputMemoryStream&& other) noexcept
    : _storage(std::move(other._storage)),
      _size(std::exchange(other._size, 0)),
      _capacity(std::exchange(other._capacity, 0))
{}

OutputMemoryStream& OutputMemoryStream::operator=(OutputMemoryStream&& other) noexcept
{
    _storage = std::move(other._storage);
    _size = std::exchange(other._size, 0);
    _capacity = std::exchange(other._capacity, 0);
    return *this;
}

void OutputMemoryStream::Grow(uint32_t extra)
{
    const uint64_t needed = uint64_t{_size} + extra;
    if (needed > UINT32_MAX) {
        detail::ThrowOutputBufferTooLarge();
    }
    const uint64_t capacity =
        std::min<uint64_t>(std::max({needed, 2 * uint64_t{_capacity}, initial_capacity}), UINT32_MAX);
    std::shared_ptr<char[]> storage(new char[capacity]);
    if (_size != 0) {
        std::memcpy(storage.get(), _storage.get(), _size);
    }
    _storage = std::move(storage);
    _capacity = static_cast<uint32_t>(capacity);
}

}  // namespace bond
