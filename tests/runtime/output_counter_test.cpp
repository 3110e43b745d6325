#include <bond/protocol/compact_binary.h>
#include <bond/stream/output_buffer.h>
#include <bond/stream/output_counter.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using testing_support::MessageOf;

// Runs the same writes into a counter and into a buffer.
template <typename Write>
void ExpectCountMatchesBuffer(Write write, const char* what)
{
    bond::OutputCounter counter;
    bond::OutputBuffer output;
    write(counter);
    write(output);
    EXPECT_EQ(counter.GetCount(), output.GetSize()) << what;
}

TEST(OutputCounter, CountsWhatABufferWouldHold)
{
    const char bytes[] = {1, 2, 3};
    ExpectCountMatchesBuffer([](auto& out) { out.Write(uint8_t{1}); }, "uint8");
    ExpectCountMatchesBuffer([](auto& out) { out.Write(uint16_t{1}); }, "uint16");
    ExpectCountMatchesBuffer([](auto& out) { out.Write(1.0f); }, "float");
    ExpectCountMatchesBuffer([](auto& out) { out.Write(int64_t{-1}); }, "int64");
    ExpectCountMatchesBuffer([&](auto& out) { out.Write(bytes, 3); }, "bytes");
    ExpectCountMatchesBuffer([&](auto& out) { out.Write(bond::blob(bytes, 2)); }, "blob");
    for (const uint64_t value : {uint64_t{0}, uint64_t{127}, uint64_t{128}, uint64_t{16383}, uint64_t{16384},
                                 uint64_t{0xFFFFFFFF}, std::numeric_limits<uint64_t>::max()}) {
        ExpectCountMatchesBuffer([&](auto& out) { out.WriteVariableUnsigned(value); }, "varint");
    }
    ExpectCountMatchesBuffer([](auto& out) { out.WriteVariableUnsigned(uint16_t{0xFFFF}); }, "varint16");
}

TEST(OutputCounter, CountsPast32Bits)
{
    bond::OutputCounter counter;
    counter.Write(nullptr, std::numeric_limits<uint32_t>::max());
    counter.Write(nullptr, std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(counter.GetCount(), 2 * uint64_t{std::numeric_limits<uint32_t>::max()});
}

TEST(CompactBinaryCounter, LengthsCoverNestedPrefixes)
{
    bond::CompactBinaryCounter::type counter;
    counter.BeginStruct();         // outer
    counter.Write(uint8_t{0x2a});  // a struct field's header
    counter.BeginStruct();         // inner
    counter.Write(nullptr, 200);   // 200 bytes of fields
    counter.Write(uint8_t{0});     // inner stop
    counter.EndStruct();           // 201: a two-byte prefix
    counter.BeginStruct();         // a second, empty inner struct
    counter.Write(uint8_t{0});
    counter.EndStruct();        // 1: a one-byte prefix
    counter.Write(uint8_t{0});  // outer stop
    counter.EndStruct();        // 1 + (2 + 201) + (1 + 1) + 1 = 207: two bytes
    EXPECT_EQ(counter.StructLengths(), (std::vector<uint32_t>{207, 201, 1}));
    EXPECT_EQ(counter.GetCount(), 209u);
}

TEST(CompactBinaryCounter, RefusesAStructLongerThan32Bits)
{
    bond::CompactBinaryCounter::type counter;
    counter.BeginStruct();
    counter.Write(nullptr, std::numeric_limits<uint32_t>::max() - 1);
    counter.Write(uint8_t{0});
    counter.EndStruct();
    EXPECT_EQ(counter.StructLengths(), std::vector<uint32_t>{std::numeric_limits<uint32_t>::max()});

    const auto end_longer_struct = [] {
        bond::CompactBinaryCounter::type longer;
        longer.BeginStruct();
        longer.Write(nullptr, std::numeric_limits<uint32_t>::max());
        longer.Write(uint8_t{0});
        longer.EndStruct();
    };
    EXPECT_EQ(MessageOf(end_longer_struct), "Length 4294967296 does not fit in 32 bits");
    EXPECT_THROW(end_longer_struct(), std::length_error);
}

}  // namespace
