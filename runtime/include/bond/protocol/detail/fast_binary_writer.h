// Writes Fast Binary ("MF"), version 1; fast_binary_reader.h describes the
// layout. Every number is written at its full width, little-endian; only
// lengths and counts are varints.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_version.h>
#include <bond/base/metadata.h>
#include <bond/protocol/detail/fast_binary_reader.h>
#include <bond/protocol/detail/map_header.h>
#include <bond/protocol/detail/writer_base.h>
#include <bond/protocol/encoding.h>
#include <bond/stream/input_buffer.h>

#include <cassert>
#include <cstdint>
#include <string>
#include <utility>

namespace bond {

template <typename BufferT>
class FastBinaryWriter : public detail::WriterBase<FastBinaryWriter<BufferT>, BufferT> {
    using Base = detail::WriterBase<FastBinaryWriter, BufferT>;
    friend Base;

public:
    using typename Base::Buffer;
    static constexpr uint16_t magic = FAST_PROTOCOL;
    static constexpr bool may_omit_fields = true;
    using Reader = FastBinaryReader<InputBuffer>;

    // Writes to `output`, which must outlive the writer. The layout has a single
    // version; `version` is only reported back by GetVersion.
    explicit FastBinaryWriter(Buffer& output, uint16_t version = default_version<FastBinaryReader<Buffer>>::value)
        : Base(output, version)
    {}

    // The marshaling header: the protocol's tag, then version 1, the only one.
    void WriteVersion()
    {
        _output.Write(magic);
        _output.Write(v1);
    }

    void WriteStructBegin(const Metadata&, bool = false) {}
    void WriteStructEnd(bool base = false) { _output.Write(static_cast<uint8_t>(base ? BT_STOP_BASE : BT_STOP)); }

    void WriteFieldBegin(BondDataType type, uint16_t id, const Metadata&)
    {
        assert(IsValueType(type));
        _output.Write(static_cast<uint8_t>(type));
        _output.Write(id);
    }

    // A list or set header. An empty container re-encoded from a payload keeps
    // the element code it carried even when that names no type.
    void WriteContainerBegin(uint32_t size, BondDataType element_type)
    {
        assert(size == 0 || IsValueType(element_type));
        _output.Write(static_cast<uint8_t>(element_type));
        WriteVariableUnsigned(_output, size);
    }

    // A map header.
    void WriteContainerBegin(uint32_t size, std::pair<BondDataType, BondDataType> key_and_value_types)
    {
        detail::WriteMapHeader(_output, size, key_and_value_types);
    }

private:
    using Base::_output;

    void WriteLength(uint32_t length) { WriteVariableUnsigned(_output, length); }
};

}  // namespace bond
