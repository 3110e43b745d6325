// Fast Binary ("MF"), version 1: a tagged protocol that trades size for simple
// decoding. Every type code is a whole byte and every number has its full width.
//
// A struct is its fields followed by the byte 00; a hierarchy puts 01 after each
// base part. A field header is the type byte and the field id as a 2-byte
// little-endian number; the markers 00 and 01 stand alone, with no id.
//
// Values: bool, int8 and uint8 as one byte; 16-, 32- and 64-bit integers and
// enumerations (as int32) at 2, 4 and 8 bytes little-endian, with no varint or
// zigzag; float and double as IEEE 754 little-endian; string as a varint byte
// count and the bytes; wstring as a varint count of UTF-16 units and two bytes
// per unit. A list or set is the element type byte, a varint count and the
// elements; a map is a key type byte, a value type byte, a varint count of pairs
// and the pairs. A blob is a list of int8.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/bond_version.h>
#include <bond/protocol/detail/map_header.h>
#include <bond/protocol/detail/reader_base.h>
#include <bond/protocol/detail/skip_value.h>
#include <bond/protocol/detail/text.h>
#include <bond/protocol/detail/wire.h>
#include <bond/protocol/encoding.h>

#include <cstdint>
#include <string>
#include <utility>

namespace bond {

template <typename BufferT>
class FastBinaryReader : public detail::ReaderBase<FastBinaryReader<BufferT>, BufferT> {
    using Base = detail::ReaderBase<FastBinaryReader, BufferT>;
    friend Base;

public:
    using typename Base::Buffer;
    static constexpr uint16_t magic = FAST_PROTOCOL;
    static constexpr uint16_t version = 1;
    static constexpr bool tagged = true;

    // Reads from a copy of `input`'s view and position.
    explicit FastBinaryReader(const Buffer& input, uint16_t protocol_version = default_version<FastBinaryReader>::value)
        : Base(input, protocol_version)
    {}

    void ReadStructBegin(bool = false) {}

    // The type may be any byte; the caller meets an invalid one when it reads or
    // skips the value. After 00 or 01 the id is 0.
    void ReadFieldBegin(BondDataType& type, uint16_t& id)
    {
        uint8_t code;
        _input.Read(code);
        type = static_cast<BondDataType>(code);
        if (type == BT_STOP || type == BT_STOP_BASE) {
            id = 0;
        } else {
            _input.Read(id);
        }
    }
    void ReadFieldEnd() {}

    // A list or set header. The element type is the code as it stands: whoever
    // reads or passes over the elements judges it (see detail/container.h).
    void ReadContainerBegin(uint32_t& size, BondDataType& element_type)
    {
        uint8_t code;
        _input.Read(code);
        element_type = static_cast<BondDataType>(code);
        ReadVariableUnsigned(_input, size);
    }

    // A map header: key type, value type, pair count.
    void ReadContainerBegin(uint32_t& size, std::pair<BondDataType, BondDataType>& types)
    {
        detail::ReadMapHeader(_input, size, types);
    }

    // Passes over one value of type `type`; see detail::SkipValue.
    void Skip(BondDataType type) { detail::SkipValue(*this, type); }

    // Every basic value takes the same number of bytes here.
    static uint32_t FixedSize(BondDataType type) noexcept { return detail::FixedWidth(type); }

private:
    using Base::_input;

    void ReadLength(uint32_t& length) { ReadVariableUnsigned(_input, length); }
};

template <typename Buffer>
struct is_protocol_enabled<FastBinaryReader<Buffer>> : std::true_type {};

}  // namespace bond
