// Simple Binary ("SP"), versions 1 and 2: an untagged protocol. Nothing on the
// wire names a field or a type, so only a schema can tell where a value starts
// and ends; a reader follows the schema field by field.
//
// A struct is its base part's fields, then its own, in schema order, with no
// header, length or stop marker; a nested struct stands inline. Every field is
// present. Values: bool, int8 and uint8 as one byte; 16-, 32- and 64-bit
// integers and enumerations (as int32) at 2, 4 and 8 bytes little-endian;
// float and double as IEEE 754 little-endian. Lengths and counts are 4-byte
// little-endian numbers in version 1 and varints in any other version (0
// included): a string's byte count before its bytes, a wstring's count of UTF-16
// units before two bytes per unit, a list's or set's element count before its
// elements, a map's pair count before its keys and values in turn. A blob is a
// count and its bytes.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/base/bond_version.h>
#include <bond/base/detail/checked.h>
#include <bond/base/exception.h>
#include <bond/protocol/detail/reader_base.h>
#include <bond/protocol/detail/text.h>
#include <bond/protocol/detail/wire.h>
#include <bond/protocol/encoding.h>

#include <cstdint>
#include <string>
#include <utility>

namespace bond {

// With no field headers to read, there is no ReadFieldBegin or ReadFieldEnd:
// an untagged parser reads each declared field's value directly.
template <typename BufferT>
class SimpleBinaryReader : public detail::ReaderBase<SimpleBinaryReader<BufferT>, BufferT> {
    using Base = detail::ReaderBase<SimpleBinaryReader, BufferT>;
    friend Base;

public:
    using typename Base::Buffer;
    static constexpr uint16_t magic = SIMPLE_PROTOCOL;
    static constexpr uint16_t version = 2;
    static constexpr bool tagged = false;

    // Reads from a copy of `input`'s view and position.
    explicit SimpleBinaryReader(const Buffer& input,
                                uint16_t protocol_version = default_version<SimpleBinaryReader>::value)
        : Base(input, protocol_version)
    {}

    void ReadStructBegin(bool = false) {}

    // A list's or set's count. The wire holds no element type, so `element_type`
    // keeps what the caller set: the type the schema declares.
    void ReadContainerBegin(uint32_t& size, BondDataType&) { ReadLength(size); }

    // A map's pair count; `types` keeps the caller's declared key and value types.
    void ReadContainerBegin(uint32_t& size, std::pair<BondDataType, BondDataType>&) { ReadLength(size); }

    // Passes over one basic value or string. Where a struct or container ends
    // depends on the schema, which the schema-driven caller follows instead of
    // asking for a skip, so those throw CoreException, as does a code that names
    // no type. Throws StreamException when the value needs more bytes than
    // remain, std::overflow_error for a wstring beyond 32 bits of bytes.
    void Skip(BondDataType type)
    {
        if (const uint32_t width = detail::FixedWidth(type)) {
            _input.Skip(width);
            return;
        }
        switch (type) {
        case BT_STRING:
        case BT_WSTRING: detail::SkipTextBytes(_input, type, this->Length()); break;
        case BT_STRUCT:
        case BT_LIST:
        case BT_SET:
        case BT_MAP: detail::ThrowSimpleBinarySkip();
        default: detail::ThrowUnknownDataType();
        }
    }

private:
    using Base::_input;
    using Base::_version;

    // Version 1 stores lengths and counts at a fixed 4 bytes; any other version,
    // 0 included, as varints.
    void ReadLength(uint32_t& length)
    {
        if (_version == 1) {
            _input.Read(length);
        } else {
            ReadVariableUnsigned(_input, length);
        }
    }
};

template <typename Buffer>
struct is_protocol_enabled<SimpleBinaryReader<Buffer>> : std::true_type {};

}  // namespace bond
