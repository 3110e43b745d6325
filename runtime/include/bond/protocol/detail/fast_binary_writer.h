// Writes Fast Binary ("MF"), version 1; fast_binary_reader.h describes the
// layout. Every number is written at its full width, little-endian; only
// lengths and counts are varints.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_version.h>
#include <bond/base/metadata.h>
#include <bond/protocol/detail/fast_binary_reader.h>
#include <bond/protocol/detail/text.h>
#include <bond/protocol/encoding.h>
#include <bond/stream/input_buffer.h>

#include <cassert>
#include <cstdint>
#include <string>
#include <utility>

namespace bond {

template <typename BufferT>
class FastBinaryWriter {
public:
    using Buffer = BufferT;
    static constexpr uint16_t magic = FAST_PROTOCOL;
    static constexpr bool may_omit_fields = true;
    using Reader = FastBinaryReader<InputBuffer>;

    // Writes to `output`, which must outlive the writer. The layout has a single
    // version; `version` is only reported back by GetVersion.
    explicit FastBinaryWriter(Buffer& output, uint16_t version = default_version<FastBinaryReader<Buffer>>::value)
        : _output(output), _version(version)
    {}

    Buffer& GetBuffer() noexcept { return _output; }
    uint16_t GetVersion() const noexcept { return _version; }

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
    void WriteFieldEnd() {}

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
        _output.Write(static_cast<uint8_t>(key_and_value_types.first));
        _output.Write(static_cast<uint8_t>(key_and_value_types.second));
        WriteVariableUnsigned(_output, size);
    }
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
        detail::WriteText(_output, value, [this](uint32_t length) { WriteVariableUnsigned(_output, length); });
    }
    void Write(const std::wstring& value)
    {
        detail::WriteText(_output, value, [this](uint32_t length) { WriteVariableUnsigned(_output, length); });
    }

    // Text as a reader's ReadText gives it.
    void WriteText(uint32_t length, const blob& bytes)
    {
        WriteVariableUnsigned(_output, length);
        _output.Write(bytes);
    }

    // A pointer would silently convert to bool and write one byte.
    void Write(const char*) = delete;
    void Write(const wchar_t*) = delete;

    // The bytes only: the caller writes the list header (element type BT_INT8).
    void Write(const blob& value) { _output.Write(value); }

private:
    Buffer& _output;
    uint16_t _version;
};

}  // namespace bond
