#include <bond/core/metadata.h>
#include <bond/protocol/fast_binary.h>
#include <bond/stream/output_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

using testing_support::ToHex;
using Writer = bond::FastBinaryWriter<bond::OutputBuffer>;

const bond::Metadata no_metadata;

std::string HexOf(const std::function<void(Writer&)>& write, uint16_t version = 1)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    write(writer);
    return ToHex(output.GetBuffer());
}

TEST(FastBinaryWriter, HeaderAlwaysStatesVersion1)
{
    for (const uint16_t version : {uint16_t{0}, uint16_t{1}}) {
        EXPECT_EQ(HexOf([](Writer& w) { w.WriteVersion(); }, version), "4d460100") << version;
    }
}

TEST(FastBinaryWriter, FieldAndContainerHeadersUseWholeBytes)
{
    struct Case {
        const char* what;
        std::function<void(Writer&)> write;
        const char* hex;
    };
    const Case cases[] = {
        {"field 0", [](Writer& w) { w.WriteFieldBegin(bond::BT_LIST, 0, no_metadata); }, "0b0000"},
        {"field 6", [](Writer& w) { w.WriteFieldBegin(bond::BT_INT32, 6, no_metadata); }, "100600"},
        {"field 65534", [](Writer& w) { w.WriteFieldBegin(bond::BT_WSTRING, 65534, no_metadata); }, "12feff"},
        {"struct", [](Writer& w) { w.WriteStructBegin(no_metadata); }, ""},
        {"stop", [](Writer& w) { w.WriteStructEnd(); }, "00"},
        {"stop base", [](Writer& w) { w.WriteStructEnd(true); }, "01"},
        {"list of 3", [](Writer& w) { w.WriteContainerBegin(3, bond::BT_INT8); }, "0e03"},
        {"list of 300", [](Writer& w) { w.WriteContainerBegin(300, bond::BT_STRUCT); }, "0aac02"},
        {"map", [](Writer& w) { w.WriteContainerBegin(2, {bond::BT_STRING, bond::BT_DOUBLE}); }, "090802"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexOf(c.write), c.hex) << c.what;
    }
}

template <typename T>
std::string HexOfValue(T value)
{
    return HexOf([&](Writer& w) { w.Write(value); });
}

TEST(FastBinaryWriter, NumbersHaveTheirFullWidth)
{
    EXPECT_EQ(HexOfValue(true), "01");
    EXPECT_EQ(HexOfValue(uint8_t{0xFE}), "fe");
    EXPECT_EQ(HexOfValue(int8_t{-2}), "fe");
    EXPECT_EQ(HexOfValue(uint16_t{1}), "0100");
    EXPECT_EQ(HexOfValue(int16_t{-2}), "feff");
    EXPECT_EQ(HexOfValue(uint32_t{300}), "2c010000");
    EXPECT_EQ(HexOfValue(int32_t{-5}), "fbffffff");
    EXPECT_EQ(HexOfValue(std::numeric_limits<uint64_t>::max()), "ffffffffffffffff");
    EXPECT_EQ(HexOfValue(std::numeric_limits<int64_t>::min()), "0000000000000080");
    EXPECT_EQ(HexOfValue(1.5f), "0000c03f");
    EXPECT_EQ(HexOfValue(-2.0), "00000000000000c0");
}

TEST(FastBinaryWriter, StringsHaveVarintCounts)
{
    EXPECT_EQ(HexOfValue(std::string("abc")), "03616263");
    EXPECT_EQ(HexOfValue(std::string(128, 'a')).substr(0, 6), "800161");
    EXPECT_EQ(HexOfValue(std::wstring(L"\u00df")), "01df00");
    EXPECT_EQ(HexOfValue(std::wstring{L'A', static_cast<wchar_t>(0x1F600)}), "0341003dd800de");
    const char bytes[] = {'\xc0', '\xff', '\xee'};
    EXPECT_EQ(HexOfValue(bond::blob(bytes, 3)), "c0ffee");
}

template <typename W>
concept WritesPointers = requires(W writer) { writer.Write("text"); } || requires(W writer) { writer.Write(L"text"); };
static_assert(!WritesPointers<Writer>);

}  // namespace
