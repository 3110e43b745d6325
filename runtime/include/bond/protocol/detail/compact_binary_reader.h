// Compact Binary ("CB"), versions 1 and 2: a tagged protocol of small headers and
// variable-length integers.
//
// A struct is its fields followed by the byte 00; version 2 puts a varint byte
// count in front of every struct that is not a base part, counting everything
// after it up to and including the 00. A field header is one byte holding the
// type code in its low 5 bits and the field id in its top 3 bits when the id is
// below 6; otherwise the top bits are 6 with the id in one more byte, or 7 with
// the id in two more bytes (little-endian). The type codes 00 (stop) and 01 (end
// of a base part) end a level whatever their top bits say.
//
// Values: bool, int8 and uint8 as one byte; wider unsigned integers as varints;
// signed integers and enumerations as zigzag varints; float and double as IEEE
// 754 little-endian; string as a varint byte count and the bytes; wstring as a
// varint count of UTF-16 units and two bytes per unit. A list or set is a header
// byte with the element type in its low 5 bits and a varint count; version 2
// writes counts below 7 as (count + 1) in the header's top 3 bits instead. A map
// is a key type byte, a value type byte and a varint count of pairs. A blob is a
// list of int8.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/bond_version.h>
#include <bond/protocol/detail/map_header.h>
#include <bond/protocol/detail/reader_base.h>
#include <bond/protocol/detail/recursion_guard.h>
#include <bond/protocol/detail/skip_value.h>
#include <bond/protocol/detail/text.h>
#include <bond/protocol/detail/wire.h>
#include <bond/protocol/detail/zigzag.h>
#include <bond/protocol/encoding.h>

#include <cstdint>
#include <string>
#include <utility>

namespace bond {

template <typename BufferT>
class CompactBinaryReader : public detail::ReaderBase<CompactBinaryReader<BufferT>, BufferT> {
    using Base = detail::ReaderBase<CompactBinaryReader, BufferT>;
    friend Base;

public:
    using Base::Read;
    using typename Base::Buffer;
    static constexpr uint16_t magic = COMPACT_PROTOCOL;
    static constexpr uint16_t version = 2;
    static constexpr bool tagged = true;

    // Reads from a copy of `input`'s view and position.
    explicit CompactBinaryReader(const Buffer& input,
                                 uint16_t protocol_version = default_version<CompactBinaryReader>::value)
        : Base(input, protocol_version)
    {}

    void ReadStructBegin(bool base = false)
    {
        if (!base && _version == 2) {
            uint32_t length;
            ReadVariableUnsigned(_input, length);
        }
    }
    void ReadFieldBegin(BondDataType& type, uint16_t& id)
    {
        uint8_t header;
        _input.Read(header);
        type = static_cast<BondDataType>(header & 0x1F);
        id = static_cast<uint16_t>(header >> 5);
        if (id >= 6) [[unlikely]] {
            ReadLongId(id);
        }
    }
    void ReadFieldEnd() {}

    // A list or set header. The element type is the code as it stands: whoever
    // reads or passes over the elements judges it (see detail/container.h).
    // Always inlined, as InputBuffer's blob read is: every blob starts here.
    [[gnu::always_inline]] void ReadContainerBegin(uint32_t& size, BondDataType& element_type)
    {
        uint8_t header;
        _input.Read(header);
        element_type = static_cast<BondDataType>(header & 0x1F);
        if (_version == 2 && (header >> 5) != 0) {
            size = (header >> 5) - 1u;
        } else {
            ReadVariableUnsigned(_input, size);
        }
    }

    // A map header: key type, value type, pair count.
    void ReadContainerBegin(uint32_t& size, std::pair<BondDataType, BondDataType>& types)
    {
        detail::ReadMapHeader(_input, size, types);
    }

    // Integers wider than a byte are varints, the signed ones zigzag-encoded.
    void Read(uint16_t& value) { ReadVariableUnsigned(_input, value); }
    void Read(uint32_t& value) { ReadVariableUnsigned(_input, value); }
    void Read(uint64_t& value) { ReadVariableUnsigned(_input, value); }
    void Read(int16_t& value) { ReadZigZag(value); }
    void Read(int32_t& value) { ReadZigZag(value); }
    void Read(int64_t& value) { ReadZigZag(value); }

    // Passes over one value of type `type`; see detail::SkipValue.
    void Skip(BondDataType type) { detail::SkipValue(*this, type); }

    // Version 2 passes over a struct by its length prefix, without looking
    // inside; false for version 1, which must walk it.
    bool SkipStructByLength()
    {
        if (_version != 2) {
            return false;
        }
        detail::RecursionGuard guard;
        uint32_t length;
        ReadVariableUnsigned(_input, length);
        _input.Skip(length);
        return true;
    }

    // The encoded size of a type that always takes the same number of bytes, else
    // 0: integers wider than a byte are varints here.
    static uint32_t FixedSize(BondDataType type) noexcept
    {
        const uint32_t width = detail::FixedWidth(type);
        return width == 1 || type == BT_FLOAT || type == BT_DOUBLE ? width : 0;
    }

private:
    using Base::_input;
    using Base::_version;

    void ReadLength(uint32_t& length) { ReadVariableUnsigned(_input, length); }

    // The id of a field header whose top bits are 6 (one more byte) or 7 (two).
    [[gnu::noinline]] void ReadLongId(uint16_t& id)
    {
        if (id == 6) {
            uint8_t short_id;
            _input.Read(short_id);
            id = short_id;
        } else {
            _input.Read(id);
        }
    }

    template <typename Signed>
    void ReadZigZag(Signed& value)
    {
        std::make_unsigned_t<Signed> encoded;
        ReadVariableUnsigned(_input, encoded);
        value = detail::DecodeZigZag(encoded);
    }
};

template <typename Buffer>
struct is_protocol_enabled<CompactBinaryReader<Buffer>> : std::true_type {};

}  // namespace bond
