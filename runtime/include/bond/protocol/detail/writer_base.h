// The part of a writer that is the same in every protocol. A writer derives
// from WriterBase<itself, its stream> and says how the protocol stores a
// length or count (WriteLength); it overrides the integers wider than a byte,
// which go out here at full width, little-endian, where the protocol makes
// them varints. One-byte values, floating point, text and blobs go out alike
// in every protocol.
#pragma once

#include <bond/base/blob.h>
#include <bond/protocol/detail/text.h>

#include <cstdint>
#include <string>
#include <type_traits>

namespace bond::detail {

template <typename Writer, typename BufferT>
class WriterBase {
public:
    using Buffer = BufferT;

    Buffer& GetBuffer() noexcept { return _output; }
    uint16_t GetVersion() const noexcept { return _version; }

    void WriteFieldEnd() {}
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
    template <typename Char, typename A>
        requires std::is_same_v<Char, char> || std::is_same_v<Char, wchar_t>
    void Write(const std::basic_string<Char, std::char_traits<Char>, A>& value)
    {
        detail::WriteText(_output, value, [this](uint32_t length) { Length(length); });
    }

    // Text as a reader's ReadText gives it.
    void WriteText(uint32_t length, const blob& bytes)
    {
        Length(length);
        _output.Write(bytes);
    }

    // A pointer would silently convert to bool and write one byte.
    void Write(const char*) = delete;
    void Write(const wchar_t*) = delete;

    // The bytes only: the caller writes the container's header first.
    void Write(const blob& value) { _output.Write(value); }

protected:
    // Writes to `output`, which must outlive the writer.
    WriterBase(Buffer& output, uint16_t version) : _output(output), _version(version) {}

    // The length of text, or the count of a container, as the protocol stores it.
    void Length(uint32_t length) { static_cast<Writer&>(*this).WriteLength(length); }

    Buffer& _output;
    uint16_t _version;
};

}  // namespace bond::detail
