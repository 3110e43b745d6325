// Writes Compact Binary ("CB"), versions 1 and 2; compact_binary_reader.h
// describes the layout. The writer always picks the shortest form: a field
// header holds the id in its top 3 bits up to id 5, then in one more byte up to
// 255, then in two; integers are varints as short as their value allows; and
// version 2 packs a list count below 7 into the list header.
//
// Version 2 needs two passes over the same value. The first writes to a
// CompactBinaryWriter<CompactBinaryCounter::type>, which stores nothing but
// records the length of every struct that is not a base part; the second loads
// those lengths with SetStructLengths and writes one in front of each such
// struct, in the order they begin. Both passes must write the same structs.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_version.h>
#include <bond/base/exception.h>
#include <bond/base/metadata.h>
#include <bond/protocol/detail/compact_binary_counter.h>
#include <bond/protocol/detail/compact_binary_reader.h>
#include <bond/protocol/detail/map_header.h>
#include <bond/protocol/detail/writer_base.h>
#include <bond/protocol/detail/zigzag.h>
#include <bond/protocol/encoding.h>
#include <bond/stream/input_buffer.h>

#include <cassert>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace bond {

template <typename BufferT>
class CompactBinaryWriter : public detail::WriterBase<CompactBinaryWriter<BufferT>, BufferT> {
    using Base = detail::WriterBase<CompactBinaryWriter, BufferT>;
    friend Base;

public:
    using Base::Write;
    using typename Base::Buffer;
    using Reader = CompactBinaryReader<InputBuffer>;
    // The writer of the first pass, which counts what this one will write.
    using Pass0 = CompactBinaryWriter<CompactBinaryCounter::type>;

    static constexpr uint16_t magic = COMPACT_PROTOCOL;
    static constexpr bool may_omit_fields = true;

    // Writes to `output`, which must outlive the writer.
    explicit CompactBinaryWriter(Buffer& output, uint16_t version = default_version<CompactBinaryReader<Buffer>>::value)
        : Base(output, version)
    {}

    // The first pass of `pass1`: counts into `counter`, which must outlive the
    // writer, what `pass1` will write, at pass1's version.
    template <typename Pass1Buffer>
        requires std::is_same_v<BufferT, CompactBinaryCounter::type>
    CompactBinaryWriter(Buffer& counter, const CompactBinaryWriter<Pass1Buffer>& pass1)
        : Base(counter, pass1.GetVersion())
    {}

    // The marshaling header: the protocol's tag, then the writer's version.
    void WriteVersion()
    {
        _output.Write(magic);
        _output.Write(_version);
    }

    // The lengths that the counting pass recorded, for a version 2 writer over
    // real output; they are written in order, one per non-base struct.
    void SetStructLengths(std::vector<uint32_t> lengths)
    {
        _struct_lengths = std::move(lengths);
        _next_length = 0;
    }

    // Whether the next struct needs a counting pass first: a version 2 writer over
    // real output that has no recorded lengths left.
    bool NeedsFirstPass() const noexcept
    {
        if constexpr (counting) {
            return false;
        } else {
            return _version == 2 && _next_length == _struct_lengths.size();
        }
    }

    // Throws CoreException when a version 2 writer over real output has no
    // recorded length left for a non-base struct.
    void WriteStructBegin(const Metadata&, bool base = false)
    {
        if (base) {
            return;
        }
        if constexpr (counting) {
            _output.BeginStruct();
        } else if (_version == 2) {
            if (_next_length == _struct_lengths.size()) {
                detail::ThrowStructLengthsExhausted();
            }
            WriteVariableUnsigned(_output, _struct_lengths[_next_length++]);
        }
    }

    void WriteStructEnd(bool base = false)
    {
        _output.Write(static_cast<uint8_t>(base ? BT_STOP_BASE : BT_STOP));
        if constexpr (counting) {
            if (!base) {
                _output.EndStruct();
            }
        }
    }

    void WriteFieldBegin(BondDataType type, uint16_t id, const Metadata&)
    {
        assert(IsValueType(type));
        if (id <= 5) {
            _output.Write(static_cast<uint8_t>(id << 5 | type));
        } else if (id <= 0xFF) {
            _output.Write(static_cast<uint8_t>(0xC0 | type));
            _output.Write(static_cast<uint8_t>(id));
        } else {
            _output.Write(static_cast<uint8_t>(0xE0 | type));
            _output.Write(id);
        }
    }

    // A list or set header. An empty container re-encoded from a payload keeps
    // the element code it carried even when that names no type (readers accept
    // it); a code wider than the header's 5 bits, which only a Fast Binary
    // payload can carry, throws CoreException "Unknown data type found".
    void WriteContainerBegin(uint32_t size, BondDataType element_type)
    {
        assert(size == 0 || IsValueType(element_type));
        if (element_type > 0x1F) {
            detail::ThrowUnknownDataType();
        }
        if (_version == 2 && size < 7) {
            _output.Write(static_cast<uint8_t>((size + 1) << 5 | static_cast<uint32_t>(element_type)));
        } else {
            _output.Write(static_cast<uint8_t>(element_type));
            WriteVariableUnsigned(_output, size);
        }
    }

    // A map header.
    void WriteContainerBegin(uint32_t size, std::pair<BondDataType, BondDataType> key_and_value_types)
    {
        detail::WriteMapHeader(_output, size, key_and_value_types);
    }

    // Integers wider than a byte are varints, the signed ones zigzag-encoded.
    void Write(uint16_t value) { WriteVariableUnsigned(_output, value); }
    void Write(uint32_t value) { WriteVariableUnsigned(_output, value); }
    void Write(uint64_t value) { WriteVariableUnsigned(_output, value); }
    void Write(int16_t value) { WriteVariableUnsigned(_output, detail::EncodeZigZag(value)); }
    void Write(int32_t value) { WriteVariableUnsigned(_output, detail::EncodeZigZag(value)); }
    void Write(int64_t value) { WriteVariableUnsigned(_output, detail::EncodeZigZag(value)); }

private:
    using Base::_output;
    using Base::_version;

    void WriteLength(uint32_t length) { WriteVariableUnsigned(_output, length); }

    static constexpr bool counting = std::is_same_v<Buffer, CompactBinaryCounter::type>;

    std::vector<uint32_t> _struct_lengths;
    size_t _next_length = 0;
};

}  // namespace bond
