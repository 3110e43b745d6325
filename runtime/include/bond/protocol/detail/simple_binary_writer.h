// Writes Simple Binary ("SP"), versions 1 and 2; simple_binary_reader.h
// describes the layout. There are no headers, type codes or stop markers to
// write: struct, field and container boundaries write nothing but a container's
// count, and since a reader can only follow the schema, every field is written.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_version.h>
#include <bond/base/metadata.h>
#include <bond/protocol/detail/simple_binary_reader.h>
#include <bond/protocol/detail/writer_base.h>
#include <bond/protocol/encoding.h>
#include <bond/stream/input_buffer.h>

#include <cstdint>
#include <string>
#include <utility>

namespace bond {

template <typename BufferT>
class SimpleBinaryWriter : public detail::WriterBase<SimpleBinaryWriter<BufferT>, BufferT> {
    using Base = detail::WriterBase<SimpleBinaryWriter, BufferT>;
    friend Base;

public:
    using typename Base::Buffer;
    static constexpr uint16_t magic = SIMPLE_PROTOCOL;
    static constexpr bool may_omit_fields = false;
    using Reader = SimpleBinaryReader<InputBuffer>;

    // Writes to `output`, which must outlive the writer.
    explicit SimpleBinaryWriter(Buffer& output, uint16_t version = default_version<SimpleBinaryReader<Buffer>>::value)
        : Base(output, version)
    {}

    // The marshaling header: the protocol's tag, then the writer's version.
    void WriteVersion()
    {
        _output.Write(magic);
        _output.Write(_version);
    }

    void WriteStructBegin(const Metadata&, bool = false) {}
    void WriteStructEnd(bool = false) {}
    void WriteFieldBegin(BondDataType, uint16_t, const Metadata&) {}

    // A list's or set's count; the element type is the schema's to know.
    void WriteContainerBegin(uint32_t size, BondDataType) { WriteLength(size); }
    // A map's count of pairs.
    void WriteContainerBegin(uint32_t size, std::pair<BondDataType, BondDataType>) { WriteLength(size); }

private:
    using Base::_output;
    using Base::_version;

    // Only version 1 stores lengths and counts at a fixed 4 bytes; any other
    // version, 0 included, stores them as varints.
    void WriteLength(uint32_t length)
    {
        if (_version == 1) {
            _output.Write(length);
        } else {
            WriteVariableUnsigned(_output, length);
        }
    }
};

}  // namespace bond
