// What the fuzz targets and the corpus generator share: the exact-size copy
// of an input, the five reader/writer pairs of the binary protocols, encoding
// with one of them, and the one way a target reports a broken property.
#pragma once

#include <bond/core/bond.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace certpluck_fuzz {

// libFuzzer's buffer may be followed by readable bytes; a copy of exactly
// `size` bytes lets AddressSanitizer catch a read one past the end.
inline std::vector<char> ExactCopy(const uint8_t* data, size_t size)
{
    return std::vector<char>(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
}

inline bond::blob View(const std::vector<char>& bytes)
{
    return bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

// Aborting is how a fuzz target signals a finding; the message says which
// property broke, since the stack alone does not.
[[noreturn]] inline void Fail(const char* property)
{
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

template <template <typename> class Reader, template <typename> class Writer>
struct Protocol {
    using reader = Reader<bond::InputBuffer>;
    using writer = Writer<bond::OutputBuffer>;
    uint16_t version;
    const char* name;
};

inline constexpr size_t protocol_count = 5;

// Calls `action` with the protocol numbered `index` (taken modulo 5): Compact
// Binary v1, v2, Fast Binary, Simple Binary v1, v2.
template <typename Action>
void WithProtocol(size_t index, Action&& action)
{
    using namespace bond;
    switch (index % protocol_count) {
    case 0: action(Protocol<CompactBinaryReader, CompactBinaryWriter>{1, "Compact Binary v1"}); break;
    case 1: action(Protocol<CompactBinaryReader, CompactBinaryWriter>{2, "Compact Binary v2"}); break;
    case 2: action(Protocol<FastBinaryReader, FastBinaryWriter>{1, "Fast Binary"}); break;
    case 3: action(Protocol<SimpleBinaryReader, SimpleBinaryWriter>{1, "Simple Binary v1"}); break;
    default: action(Protocol<SimpleBinaryReader, SimpleBinaryWriter>{2, "Simple Binary v2"}); break;
    }
}

// `value` (a record or a payload) written, or marshaled, with `protocol`'s
// writer. The blob shares the ownership of the written bytes, so a record
// decoded from it stays valid for as long as the blob is kept.
template <typename Protocol, typename Value>
bond::blob Encode(const Protocol& protocol, const Value& value, bool marshal)
{
    bond::OutputBuffer output;
    typename Protocol::writer writer(output, protocol.version);
    if (marshal) {
        bond::Marshal(value, writer);
    } else {
        bond::Serialize(value, writer);
    }
    return output.GetBuffer();
}

template <typename Action>
void ForEachProtocol(Action&& action)
{
    for (size_t index = 0; index < protocol_count; ++index) {
        WithProtocol(index, action);
    }
}

}  // namespace certpluck_fuzz
