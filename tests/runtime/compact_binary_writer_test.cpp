#include <bond/core/metadata.h>
#include <bond/protocol/compact_binary.h>
#include <bond/stream/input_buffer.h>
#include <bond/stream/output_buffer.h>
#include <bond/stream/output_counter.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using testing_support::MessageOf;
using testing_support::ToHex;
using Writer = bond::CompactBinaryWriter<bond::OutputBuffer>;
using CountingWriter = Writer::Pass0;

const bond::Metadata no_metadata;

// The bytes that `write` makes a writer of `version` produce.
std::string HexOf(const std::function<void(Writer&)>& write, uint16_t version = 1)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    write(writer);
    return ToHex(output.GetBuffer());
}

// The first pass is made from the writer it counts for and takes its version,
// which decides how list headers are counted; struct lengths are always counted.
TEST(CompactBinaryWriter, FirstPassTakesTheVersionOfTheWriterItCountsFor)
{
    static_assert(std::is_same_v<Writer::Pass0, bond::CompactBinaryWriter<bond::CompactBinaryCounter::type>>);
    static_assert(std::is_same_v<Writer::Pass0::Buffer, bond::CompactBinaryCounter::type>);
    for (const uint16_t version : {uint16_t{1}, uint16_t{2}}) {
        bond::OutputBuffer output;
        Writer pass1(output, version);
        Writer::Pass0::Buffer counter;
        Writer::Pass0 pass0(counter, pass1);
        EXPECT_EQ(pass0.GetVersion(), version);
        pass0.WriteContainerBegin(3, bond::BT_INT8);
        EXPECT_EQ(counter.GetCount(), version == 2 ? 1u : 2u) << version;
    }
}

TEST(CompactBinaryWriter, BasePartsHaveNoLengthAndEndWithStopBase)
{
    bond::CompactBinaryCounter::type counter;
    CountingWriter first_pass(counter, 2);
    const auto write = [](auto& writer) {
        writer.WriteStructBegin(no_metadata);
        writer.WriteStructBegin(no_metadata, true);
        writer.WriteFieldBegin(bond::BT_UINT8, 0, no_metadata);
        writer.Write(uint8_t{7});
        writer.WriteStructEnd(true);
        writer.WriteStructEnd();
    };
    write(first_pass);
    EXPECT_EQ(counter.StructLengths(), std::vector<uint32_t>{4});
    EXPECT_EQ(HexOf(
                  [&](Writer& writer) {
                      writer.SetStructLengths(counter.StructLengths());
                      write(writer);
                  },
                  2),
              "0403070100");
}

TEST(CompactBinaryWriter, Version2WithoutALengthLeftIsAnError)
{
    bond::OutputBuffer output;
    Writer writer(output, 2);
    writer.SetStructLengths({1});
    writer.WriteStructBegin(no_metadata);
    EXPECT_EQ(MessageOf([&] { writer.WriteStructBegin(no_metadata); }),
              "Compact Binary v2 writer has no struct length left; the counting pass saw fewer structs");
    EXPECT_EQ(ToHex(output.GetBuffer()), "01");
}

TEST(CompactBinaryWriter, FieldHeadersTakeTheShortestForm)
{
    struct Case {
        bond::BondDataType type;
        uint16_t id;
        const char* hex;
    };
    const Case cases[] = {
        {bond::BT_STRUCT, 0, "0a"},      {bond::BT_WSTRING, 3, "72"},      {bond::BT_LIST, 5, "ab"},
        {bond::BT_LIST, 6, "cb06"},      {bond::BT_INT32, 255, "d0ff"},    {bond::BT_INT32, 256, "f00001"},
        {bond::BT_INT32, 300, "f02c01"}, {bond::BT_BOOL, 65534, "e2feff"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexOf([&](Writer& w) { w.WriteFieldBegin(c.type, c.id, no_metadata); }), c.hex) << c.id;
    }
}

TEST(CompactBinaryWriter, ListHeadersByVersion)
{
    struct Case {
        uint16_t version;
        uint32_t count;
        const char* hex;
    };
    const Case cases[] = {
        {1, 0, "0e00"}, {1, 6, "0e06"}, {1, 7, "0e07"}, {1, 300, "0eac02"},
        {2, 0, "2e"},   {2, 6, "ee"},   {2, 7, "0e07"}, {2, 300, "0eac02"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexOf([&](Writer& w) { w.WriteContainerBegin(c.count, bond::BT_INT8); }, c.version), c.hex)
            << c.version << " " << c.count;
    }
    for (const uint16_t version : {uint16_t{1}, uint16_t{2}}) {
        EXPECT_EQ(HexOf([](Writer& w) { w.WriteContainerBegin(2, {bond::BT_STRING, bond::BT_INT32}); }, version),
                  "091002");
    }
}

template <typename T>
std::string HexOfValue(T value)
{
    return HexOf([&](Writer& w) { w.Write(value); });
}

TEST(CompactBinaryWriter, UnsignedIntegersAreShortestVarints)
{
    EXPECT_EQ(HexOfValue(uint32_t{0}), "00");
    EXPECT_EQ(HexOfValue(uint32_t{127}), "7f");
    EXPECT_EQ(HexOfValue(uint32_t{128}), "8001");
    EXPECT_EQ(HexOfValue(uint32_t{300}), "ac02");
    EXPECT_EQ(HexOfValue(std::numeric_limits<uint32_t>::max()), "ffffffff0f");
    EXPECT_EQ(HexOfValue(std::numeric_limits<uint16_t>::max()), "ffff03");
    EXPECT_EQ(HexOfValue(uint64_t{0}), "00");
    EXPECT_EQ(HexOfValue(uint64_t{0xFFFFFFFF}), "ffffffff0f");
    EXPECT_EQ(HexOfValue(std::numeric_limits<uint64_t>::max()), "ffffffffffffffffff01");
}

TEST(CompactBinaryWriter, SignedIntegersAreZigZagVarints)
{
    EXPECT_EQ(HexOfValue(int32_t{0}), "00");
    EXPECT_EQ(HexOfValue(int32_t{-1}), "01");
    EXPECT_EQ(HexOfValue(int32_t{1}), "02");
    EXPECT_EQ(HexOfValue(int32_t{-5}), "09");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int32_t>::max()), "feffffff0f");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int32_t>::min()), "ffffffff0f");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int16_t>::max()), "feff03");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int16_t>::min()), "ffff03");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int64_t>::max()), "feffffffffffffffff01");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int64_t>::min()), "ffffffffffffffffff01");
}

TEST(CompactBinaryWriter, OtherValues)
{
    EXPECT_EQ(HexOfValue(true), "01");
    EXPECT_EQ(HexOfValue(false), "00");
    EXPECT_EQ(HexOfValue(int8_t{-1}), "ff");  // a raw byte, not zigzag
    EXPECT_EQ(HexOfValue(uint8_t{0x80}), "80");
    EXPECT_EQ(HexOfValue(1.5f), "0000c03f");
    EXPECT_EQ(HexOfValue(1.0), "000000000000f03f");
    EXPECT_EQ(HexOfValue(std::string("abc")), "03616263");
    EXPECT_EQ(HexOfValue(std::string("a\0b", 3)), "03610062");
    EXPECT_EQ(HexOfValue(std::wstring(L"A\u00e9")), "024100e900");
    EXPECT_EQ(HexOfValue(std::wstring(1, static_cast<wchar_t>(0x1F600))), "023dd800de");
    const char bytes[] = {1, 2};
    EXPECT_EQ(HexOfValue(bond::blob(bytes, 2)), "0102");  // the bytes only
}

// Writing the string literal must not pick the bool overload.
template <typename W>
concept WritesPointers = requires(W writer) { writer.Write("text"); } || requires(W writer) { writer.Write(L"text"); };
static_assert(!WritesPointers<Writer>);

template <typename T>
void ExpectRoundTrip(std::vector<T> values)
{
    for (const uint16_t version : {uint16_t{1}, uint16_t{2}}) {
        for (const T& value : values) {
            bond::OutputBuffer output;
            Writer writer(output, version);
            writer.Write(value);
            const bond::blob bytes = output.GetBuffer();
            bond::CompactBinaryReader<bond::InputBuffer> reader(bond::InputBuffer(bytes), version);
            T result{};
            reader.Read(result);
            EXPECT_EQ(result, value) << ToHex(bytes);
            EXPECT_TRUE(reader.GetBuffer().IsEof()) << ToHex(bytes);
        }
    }
}

TEST(CompactBinaryWriter, EveryValueTypeRoundTripsThroughTheReader)
{
    ExpectRoundTrip<bool>({false, true});
    ExpectRoundTrip<uint8_t>({0, 0xFF});
    ExpectRoundTrip<uint16_t>({0, 0x7F, 0x80, 0xFFFF});
    ExpectRoundTrip<uint32_t>({0, 0x80, 0xFFFFFFFF});
    ExpectRoundTrip<uint64_t>({0, 0xFFFFFFFF, std::numeric_limits<uint64_t>::max()});
    ExpectRoundTrip<int8_t>({-128, -1, 0, 127});
    ExpectRoundTrip<int16_t>({std::numeric_limits<int16_t>::min(), -1, 0, std::numeric_limits<int16_t>::max()});
    ExpectRoundTrip<int32_t>({std::numeric_limits<int32_t>::min(), -1, 0, std::numeric_limits<int32_t>::max()});
    ExpectRoundTrip<int64_t>({std::numeric_limits<int64_t>::min(), -1, 0, std::numeric_limits<int64_t>::max()});
    ExpectRoundTrip<float>({0.0f, -2.5f, std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity()});
    ExpectRoundTrip<double>({0.0, -2.5, std::numeric_limits<double>::lowest(), std::numeric_limits<double>::min()});
    ExpectRoundTrip<std::string>({"", "abc", std::string(200, 'x')});
    ExpectRoundTrip<std::wstring>({L"", L"Caf\u00e9 \u4e2d", std::wstring{L'a', static_cast<wchar_t>(0x10FFFF)}});
}

}  // namespace
