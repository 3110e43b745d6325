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
#include <bond/protocol/detail/text.h>
#include <bond/protocol/encoding.h>
#include <bond/stream/input_buffer.h>

#include <cstdint>
#include <string>
#include <utility>

namespace bond {

template <typename BufferT>
class SimpleBinaryWriter {
public:
    using Buffer = BufferT;
    static constexpr uint16_t magic = SIMPLE_PROTOCOL;
    static constexpr bool may_omit_fields = false;
    using Reader = SimpleBinaryReader<InputBuffer>;

    // Writes to `output`, which must outlive the writer.
    explicit SimpleBinaryWriter(Buffer& output, uint16_t version = default_version<SimpleBinaryReader<Buffer>>::value)
        : _output(output), _version(version)
    {}

    Buffer& GetBuffer() noexcept { return _output; }
    uint16_t GetVersion() const noexcept { return _version; }

    // The marshaling header: the protocol's tag, then the writer's version.
    void WriteVersion()
    {
        _output.Write(magic);
        _output.Write(_version);
    }

    void WriteStructBegin(const Metadata&, bool = false) {}
    void WriteStructEnd(bool = false) {}
    void WriteFieldBegin(BondDataType, uint16_t, const Metadata&) {}
    void WriteFieldEnd() {}

    // A list's or set's count; the element type is the schema's to know.
    void WriteContainerBegin(uint32_t size, BondDataType) { WriteLength(size); }
    // A map's count of pairs.
    void WriteContainerBegin(uint32_t size, std::pair<BondDataType, BondDataType>) { WriteLength(size); }
    void WriteContainerEnd() {}

    void Write(bool value) { _output.Write(static_cast<uint8_t>(value ? 1 : 0)); }
    void Write(uint8_t value) { _output.Write(value); }
    void Write(int8_t value) { _output.Write(value); }
    void Write(uint16_t value) { _output.Write(value); }
    void Write(uint32_t value) { _output.Write(value); }
    void Write(uint64_t value) { _output.Write(value); }
    void Write(int16_t value) { _output.Write(value); }
    void Write(int32_t value) { _output.Write(value); }
    void Write(int64_t value) { _output.Write(value); }
    void Write(float value) { _output.Write(value); }
    void Write(double value) { _output.Write(value); }

    // Throws std::length_error for text longer than a 32-bit count can state.
    void Write(const std::string& value)
    {
        detail::WriteText(_output, value, [this](uint32_t length) { WriteLength(length); });
    }
    void Write(const std::wstring& value)
    {
        detail::WriteText(_output, value, [this](uint32_t length) { WriteLength(length); });
    }

    // Text as a reader's ReadText gives it.
    void WriteText(uint32_t length, const blob& bytes)
    {
        WriteLength(length);
        _output.Write(bytes);
    }

    // A pointer would silently convert to bool and write one byte.
    void Write(const char*) = delete;
    void Write(const wchar_t*) = delete;

    // The bytes only: the caller writes the count first.
    void Write(const blob& value) { _output.Write(value); }

private:
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

    Buffer& _output;
    uint16_t _version;
};

}  // namespace bond
