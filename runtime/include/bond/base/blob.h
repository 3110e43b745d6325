// bond::blob: a read-only byte range of at most 2^32 - 1 bytes. A blob either
// shares the ownership of its storage or, made from a bare pointer, has no owner
// at all; then whoever made it keeps the bytes alive and unchanged for as long as
// the blob and every blob taken from it are in use. Copies share the bytes; a
// moved-from blob is empty, so it never points at bytes it no longer keeps alive.
#pragma once

#include <bond/base/detail/boost_shared.h>
#include <bond/base/detail/checked.h>
#include <bond/base/exception.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

namespace bond {

class InputBuffer;

namespace detail {

// The element types whose storage a blob may view as bytes.
template <typename T>
concept BlobStorage = std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, char> ||
                      std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, signed char> ||
                      std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, unsigned char> ||
                      std::is_same_v<std::remove_cv_t<std::remove_extent_t<T>>, std::byte> || std::is_void_v<T>;

// `length` bytes from `allocator`, left uninitialised: every caller overwrites
// them all at once.
template <typename Allocator>
std::shared_ptr<char[]> AllocateBytes(const Allocator& allocator, uint32_t length)
{
    return std::allocate_shared_for_overwrite<char[]>(allocator, length);
}

}  // namespace detail

class blob {
public:
    using value_type = int8_t;
    using const_iterator = const char*;

    blob() noexcept = default;

    // A view without an owner. Throws std::overflow_error when the range would
    // end past the top of the address space.
    blob(const void* content, uint32_t length) : _content(static_cast<const char*>(content)), _length(length)
    {
        (void)detail::CheckedAdvance(_content, length);
    }

    // Shares the ownership of `buffer`, which holds at least `offset + length`
    // bytes; `buffer` may be of any byte-sized element type. Throws
    // std::overflow_error when the range would end past the top of the address
    // space.
    blob(std::shared_ptr<const char[]> buffer, uint32_t length) : blob(std::move(buffer), 0, length) {}
    blob(std::shared_ptr<const char[]> buffer, uint32_t offset, uint32_t length)
        : _content(detail::CheckedAdvance(buffer.get(), offset)), _length(length)
    {
        (void)detail::CheckedAdvance(_content, length);
        _owner = std::move(buffer);
    }
    template <typename T>
        requires detail::BlobStorage<T>
    blob(std::shared_ptr<T> buffer, uint32_t length) : blob(std::move(buffer), 0, length)
    {}
    template <typename T>
        requires detail::BlobStorage<T>
    blob(std::shared_ptr<T> buffer, uint32_t offset, uint32_t length)
        : _content(detail::CheckedAdvance(static_cast<const char*>(static_cast<const void*>(buffer.get())), offset)),
          _length(length)
    {
        (void)detail::CheckedAdvance(_content, length);
        _owner = std::move(buffer);
    }

    // The same from Boost's shared pointers, as the library takes them.
    template <typename T>
        requires detail::BlobStorage<T>
    blob(const boost::shared_ptr<T>& buffer, uint32_t length) : blob(detail::ShareFrom(buffer), 0, length)
    {}
    template <typename T>
        requires detail::BlobStorage<T>
    blob(const boost::shared_ptr<T>& buffer, uint32_t offset, uint32_t length)
        : blob(detail::ShareFrom(buffer), offset, length)
    {}

    blob(const blob&) = default;
    blob& operator=(const blob&) = default;
    blob(blob&& other) noexcept
        : _owner(std::move(other._owner)), _content(std::exchange(other._content, nullptr)),
          _length(std::exchange(other._length, 0))
    {}
    blob& operator=(blob&& other) noexcept
    {
        blob(std::move(other)).swap(*this);
        return *this;
    }
    ~blob() = default;

    // Becomes the bytes [offset, offset + length) of `from`, sharing its
    // ownership. Throws as range() does; then this blob is unchanged.
    void assign(const blob& from, uint32_t offset, uint32_t length) { *this = from.range(offset, length); }

    // Becomes blob(buffer, length) or blob(buffer, offset, length). Throws as
    // that constructor does; then this blob is unchanged.
    template <typename T>
        requires std::is_constructible_v<blob, const T&, uint32_t>
    void assign(const T& buffer, uint32_t length)
    {
        blob(buffer, length).swap(*this);
    }
    template <typename T>
        requires std::is_constructible_v<blob, const T&, uint32_t, uint32_t>
    void assign(const T& buffer, uint32_t offset, uint32_t length)
    {
        blob(buffer, offset, length).swap(*this);
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
        if (detail::CheckedAdd(offset, length) > _length) {
            detail::ThrowBlobRangeTooLarge();
        }
        blob part = *this;
        part._content = _content + offset;
        part._length = length;
        return part;
    }

    // The bytes from `offset` to the end. Throws std::invalid_argument when
    // `offset` is past the end.
    blob range(uint32_t offset) const
    {
        if (offset > _length) {
            detail::ThrowBlobOffsetTooLarge();
        }
        return range(offset, _length - offset);
    }

    void swap(blob& other) noexcept
    {
        _owner.swap(other._owner);
        std::swap(_content, other._content);
        std::swap(_length, other._length);
    }

    // Drops the reference to the storage and becomes empty.
    void clear() noexcept { blob().swap(*this); }

    // Blobs compare by content, whoever owns the bytes.
    friend bool operator==(const blob& left, const blob& right) noexcept
    {
        return std::equal(left.begin(), left.end(), right.begin(), right.end());
    }

    template <typename Allocator>
    friend blob blob_prolong(blob source, const Allocator& allocator);

private:
    friend class InputBuffer;

    // Becomes the bytes [offset, offset + length) of `whole`, which the caller
    // has checked hold them.
    void AssignPart(const blob& whole, uint32_t offset, uint32_t length)
    {
        _owner = whole._owner;
        _content = whole._content + offset;
        _length = length;
    }

    std::shared_ptr<const void> _owner;
    const char* _content = nullptr;
    uint32_t _length = 0;
};

inline void swap(blob& left, blob& right) noexcept
{
    left.swap(right);
}

// `source` itself when it shares the ownership of its bytes; otherwise a blob
// owning a copy of them taken from `allocator`, which stays valid after whoever
// made `source` frees the bytes.
template <typename Allocator>
blob blob_prolong(blob source, const Allocator& allocator)
{
    if (source._owner.use_count() != 0 || source.empty()) {
        return source;
    }
    std::shared_ptr<char[]> copy = detail::AllocateBytes(allocator, source._length);
    std::memcpy(copy.get(), source._content, source._length);
    return blob(std::move(copy), source._length);
}

inline blob blob_prolong(blob source)
{
    return blob_prolong(std::move(source), std::allocator<char>());
}

// The bytes of `first` followed by those of `second`. When one of them is empty
// the other is returned as it is, sharing its storage; otherwise the result owns
// a copy taken from `allocator`. Throws std::overflow_error when the total would
// not fit a blob.
template <typename Allocator>
blob merge(const Allocator& allocator, const blob& first, const blob& second)
{
    if (first.empty() || second.empty()) {
        return first.empty() ? second : first;
    }
    const uint32_t length = detail::CheckedAdd(first.length(), second.length());
    std::shared_ptr<char[]> bytes = detail::AllocateBytes(allocator, length);
    std::memcpy(bytes.get(), first.content(), first.length());
    std::memcpy(bytes.get() + first.length(), second.content(), second.length());
    return blob(std::move(bytes), length);
}

// The bytes of the blobs in [begin, end), in order. When at most one of them is
// not empty it is returned as it is; otherwise as the two-blob merge above.
template <typename Iterator, typename Allocator>
blob merge(const Allocator& allocator, Iterator begin, Iterator end)
{
    uint32_t length = 0;
    Iterator only = end;
    bool several = false;
    for (Iterator it = begin; it != end; ++it) {
        const uint32_t part = it->length();
        if (part == 0) {
            continue;
        }
        length = detail::CheckedAdd(length, part);
        several = several || only != end;
        only = it;
    }
    if (!several) {
        return only == end ? blob() : blob(*only);
    }
    std::shared_ptr<char[]> bytes = detail::AllocateBytes(allocator, length);
    uint32_t offset = 0;
    for (Iterator it = begin; it != end; ++it) {
        if (!it->empty()) {
            std::memcpy(bytes.get() + offset, it->content(), it->length());
            offset += it->length();
        }
    }
    return blob(std::move(bytes), length);
}

inline blob merge(const blob& first, const blob& second)
{
    return merge(std::allocator<char>(), first, second);
}

template <typename Iterator>
    requires(!std::is_same_v<std::remove_cvref_t<Iterator>, blob>)
blob merge(Iterator begin, Iterator end)
{
    return merge(std::allocator<char>(), begin, end);
}

}  // namespace bond
