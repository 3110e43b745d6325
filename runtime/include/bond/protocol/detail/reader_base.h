// What the readers of the three protocols share: the stream they read, their
// version, and the values that every protocol stores alike: one-byte values
// and floating point as they are, text and blobs after a length that each
// protocol stores its own way (the reader's ReadLength). Integers wider than a
// byte are read at their full width, little-endian, where a reader does not
// say otherwise.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/protocol/detail/text.h>

#include <cstdint>
#include <string>

namespace bond::detail {

template <typename Reader, typename BufferT>
class ReaderBase {
public:
    using Buffer = BufferT;

    const Buffer& GetBuffer() const noexcept { return _input; }
    Buffer& GetBuffer() noexcept { return _input; }
    uint16_t GetVersion() const noexcept { return _version; }

    void ReadStructEnd(bool = false) {}
    void ReadContainerEnd() {}

    void Read(bool& value) { _input.Read(value); }
    void Read(uint8_t& value) { _input.Read(value); }
    void Read(int8_t& value) { _input.Read(value); }
    void Read(uint16_t& value) { _input.Read(value); }
    void Read(uint32_t& value) { _input.Read(value); }
    void Read(uint64_t& value) { _input.Read(value); }
    void Read(int16_t& value) { _input.Read(value); }
    void Read(int32_t& value) { _input.Read(value); }
    void Read(int64_t& value) { _input.Read(value); }
    void Read(float& value) { _input.Read(value); }
    void Read(double& value) { _input.Read(value); }

    template <typename A>
    void Read(std::basic_string<char, std::char_traits<char>, A>& value)
    {
        ReadString(_input, Length(), value);
    }
    template <typename A>
    void Read(std::basic_string<wchar_t, std::char_traits<wchar_t>, A>& value)
    {
        ReadUtf16(_input, Length(), value);
    }

    // Text as it stands on the wire: its length (bytes of a string, UTF-16
    // units of a wide string) and its bytes, which `bytes` views uncopied.
    void ReadText(BondDataType type, uint32_t& length, blob& bytes)
    {
        length = Length();
        ReadTextBytes(_input, type, length, bytes);
    }

    // The next `size` bytes of a list of int8 (a blob), without copying them.
    void Read(blob& value, uint32_t size) { _input.Read(value, size); }

protected:
    // Reads from a copy of `input`'s view and position.
    ReaderBase(const Buffer& input, uint16_t version) : _input(input), _version(version) {}

    // The length of text, or the count of a container, as the protocol stores it.
    uint32_t Length()
    {
        uint32_t length;
        static_cast<Reader&>(*this).ReadLength(length);
        return length;
    }

    Buffer _input;
    uint16_t _version;
};

}  // namespace bond::detail
