// What the walks and the built-in transforms know of values and payloads
// (bond::value, bond::bonded) beyond their interface: which are encoded, and
// what a transform did with one, so that a walk can pass over what it left.
#pragma once

#include <bond/base/blob.h>
#include <bond/base/bond_const.h>
#include <bond/base/bond_fwd.h>
#include <bond/protocol/detail/stream_access.h>
#include <bond/schema/reflection.h>

#include <cstdint>
#include <type_traits>

namespace bond::detail {

// An encoded value or payload, as the parsers hand them to transforms, rather
// than a value in memory.
template <typename Value>
inline constexpr bool is_payload_value = false;
template <typename T, typename Reader>
inline constexpr bool is_payload_value<value<T, Reader>> = true;
template <typename T, typename Reader>
inline constexpr bool is_payload_value<bonded<T, Reader>> = true;

// Counts what a transform did with a value or payload: how many times it was
// read, passed over or applied, so that the walk that handed it over can pass
// over whatever was left.
class ValueUses {
public:
    void Use(uint32_t count = 1) const noexcept { _uses += count; }
    uint32_t Uses() const noexcept { return _uses; }

private:
    mutable uint32_t _uses = 0;
};

// What the walks and the built-in transforms do with values and payloads
// beyond their interface.
struct ValueAccess {
    template <typename Value>
    static uint32_t Uses(const Value& value) noexcept
    {
        return value._uses.Uses();
    }

    template <typename Value>
    static void Use(const Value& value) noexcept
    {
        value._uses.Use();
    }

    // Passes over a payload; tells whether its struct ended inside a base part
    // (see ParseTagged).
    template <typename Payload>
    static bool PassOver(const Payload& payload)
    {
        return payload.PassOver();
    }

    // Copies text from a value to a writer as it stands on the wire, where the
    // value's reader and the writer both can.
    template <typename Value, typename Writer>
    static bool CopyText(const Value& text, Writer& writer)
    {
        using Text = typename Value::value_type;
        if constexpr (requires(uint32_t length, blob bytes) {
                          text._reader->ReadText(BT_STRING, length, bytes);
                          writer.WriteText(length, bytes);
                      }) {
            uint32_t length;
            blob bytes;
            text._reader->ReadText(get_type_id<Text>::value, length, bytes);
            text._uses.Use();
            writer.WriteText(length, bytes);
            return true;
        } else {
            return false;
        }
    }

    // A one-byte value's byte as it stands, which for a bool may be any.
    template <typename Value>
    static uint8_t ReadByte(const Value& encoded)
    {
        uint8_t byte;
        encoded._reader->Read(byte);
        encoded._uses.Use();
        return byte;
    }

    // The next `count` one-byte values of a list at once, as their bytes. In a
    // tagged payload, which could have said otherwise of each, it fails where
    // reading them one at a time would: at the first one missing; an untagged
    // one holds them as one run of the count's length, as a blob.
    template <typename Value>
    static blob ReadByteRun(const Value& element, uint32_t count)
    {
        auto& reader = *element._reader;
        if constexpr (std::remove_reference_t<decltype(reader)>::tagged) {
            RequireElements(reader.GetBuffer(), count, 1);
        }
        blob bytes;
        reader.Read(bytes, count);
        element._uses.Use(count);
        return bytes;
    }
};

}  // namespace bond::detail
