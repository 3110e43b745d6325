// bond::blob: a read-only byte range of at most 2^32 - 1 bytes. A blob either
// shares the ownership of its storage or, made from a bare pointer, has no owner
// at all; then whoever made it keeps the bytes alive and unchanged for as long as
// the blob and every blob taken from it are in use.
#pragma once

#include <bond/core/exception.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace bond {

class blob {
public:
    using value_type = char;
    using const_iterator = const char*;

    blob() noexcept = default;

    // A view without an owner. Throws std::overflow_error when the range would
    // end past the top of the address space.
    blob(const void* content, uint32_t length)
        : _content(static_cast<const char*>(content)), _length(length)
    {
        if (reinterpret_cast<uintptr_t>(content) + length < reinterpret_cast<uintptr_t>(content)) {
            detail::ThrowPointerOverflow();
        }
    }

    // Shares the ownership of `buffer`, which holds at least `length` bytes.
    blob(std::shared_ptr<const char[]> buffer, uint32_t length)
        : _owner(std::move(buffer)), _length(length)
    {
        _content = static_cast<const char*>(_owner.get());
    }

    const char* content() const noexcept { return _content; }
    const char* data() const noexcept { return _content; }
    uint32_t size() const noexcept { return _length; }
    uint32_t length() const noexcept { return _length; }
    bool empty() const noexcept { return _length == 0; }
    const_iterator begin() const noexcept { return _content; }
    const_iterator end() const noexcept { return _content + _length; }

    // The bytes [offset, offset + length) of this blob, sharing its ownership.
    // Throws std::overflow_error or std::invalid_argument for a range outside it.
    blob range(uint32_t offset, uint32_t length) const
    {
        if (offset > _length) {
            detail::ThrowBlobOffsetTooLarge();
        }
        if (offset + length < offset) {
            detail::ThrowAdditionOverflow();
        }
        if (offset + length > _length) {
            detail::ThrowBlobRangeTooLarge();
        }
        blob part = *this;
        part._content = _content + offset;
        part._length = length;
        return part;
    }

    // Blobs compare by content, whoever owns the bytes.
    friend bool operator==(const blob& left, const blob& right) noexcept
    {
        return std::equal(left.begin(), left.end(), right.begin(), right.end());
    }

private:
    std::shared_ptr<const void> _owner;
    const char* _content = nullptr;
    uint32_t _length = 0;
};

}  // namespace bond
