// bond::OutputCounter: a byte sink that stores nothing and counts what a writer
// would have written, with the same write interface as OutputMemoryStream. The
// count is 64-bit, so counting never wraps, even past what an output buffer
// could hold.
//
// bond::CompactBinaryCounter::type is the counter of the first of the two passes
// a Compact Binary v2 writer makes. Version 2 puts a varint byte count in front
// of every struct that is not a base part, and that count is only known once the
// struct has been written; the first pass records each one, in the order the
// structs begin, for the second pass to write in front of them.
#pragma once

#include <bond/core/blob.h>
#include <bond/protocol/detail/wire.h>

#include <cassert>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond {

class OutputCounter {
public:
    // `data` is never read.
    void Write(const void*, uint32_t size) noexcept { _count += size; }

    template <typename T>
        requires std::is_arithmetic_v<T>
    void Write(T) noexcept
    {
        _count += sizeof(T);
    }

    template <typename T>
        requires std::is_unsigned_v<T>
    void WriteVariableUnsigned(T value) noexcept
    {
        _count += detail::VarintSize(value);
    }

    void Write(const blob& value) noexcept { _count += value.length(); }

    uint64_t GetCount() const noexcept { return _count; }

protected:
    uint64_t _count = 0;
};

struct CompactBinaryCounter {
    class type : public OutputCounter {
    public:
        // At the start of a struct that is not a base part, before anything of it
        // is counted: reserves its length's slot, so that the lengths stand in the
        // order the structs begin, which is the order they are written in.
        void BeginStruct()
        {
            _open.emplace_back(_lengths.size(), _count);
            _lengths.push_back(0);
        }

        // After the struct's final 00 has been counted. Fills the struct's slot and
        // counts the varint of its length, so that the length of every enclosing
        // struct covers it. Throws std::length_error for a struct longer than
        // 4294967295 bytes. Precondition: a matching BeginStruct.
        void EndStruct()
        {
            assert(!_open.empty());
            const auto [slot, start] = _open.back();
            _open.pop_back();
            const uint32_t length = detail::CheckedLength(_count - start);
            _lengths[slot] = length;
            _count += detail::VarintSize(length);
        }

        // One length per struct begun, complete once every struct has ended.
        const std::vector<uint32_t>& StructLengths() const noexcept { return _lengths; }

    private:
        // The slot and the count at the start of every struct begun and not ended.
        std::vector<std::pair<size_t, uint64_t>> _open;
        std::vector<uint32_t> _lengths;
    };
};

}  // namespace bond
