// bond::CompactBinaryCounter::type: the counter of the first of the two passes
// a Compact Binary v2 writer makes. Version 2 puts a varint byte count in front
// of every struct that is not a base part, and that count is only known once
// the struct has been written; the first pass records each one, in the order
// the structs begin, for the second pass to write in front of them.
#pragma once

#include <bond/base/detail/checked.h>
#include <bond/stream/detail/varint.h>
#include <bond/stream/output_counter.h>

#include <cassert>
#include <cstdint>
#include <utility>
#include <vector>

namespace bond {

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
