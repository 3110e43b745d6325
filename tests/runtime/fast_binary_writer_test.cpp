#include <bond/protocol/fast_binary.h>
#include <bond/stream/output_buffer.h>

#include "hex.h"
#include "sample_records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

using testing_support::ToHex;
using Writer = bond::FastBinaryWriter<bond::OutputBuffer>;

std::string HexOf(const std::function<void(Writer&)>& write, uint16_t version = 1)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    write(writer);
    return ToHex(output.GetBuffer());
}

TEST(FastBinaryWriter, WritesTheReferenceBytes)
{
    struct Case {
        const char* name;
        const char* serialized;
        const char* marshaled;
    };
    const Case cases[] = {
        {"CertMapping.default", "00", "4d46010000"},
        {"CertMapping.full", "12000006430061006600e90020002d4e0b01000e0401020304100200fbffffff0b03000e02aabb00",
         "4d46010012000006430061006600e90020002d4e0b01000e0401020304100200fbffffff0b03000e02aabb00"},
        {"CertMapping.full2", "12000001fc000b01000e01051002002c01000000",
         "4d46010012000001fc000b01000e01051002002c01000000"},
        {"SupportingCert.default", "00", "4d46010000"},
        {"SupportingCert.full", "100000010000000b01000e03c0ffee120200034d007900df0000",
         "4d460100100000010000000b01000e03c0ffee120200034d007900df0000"},
        {"ManagedCertificatesPackage.default", "00", "4d46010000"},
        {"ManagedCertificatesPackage.full",
         "0b00000e043082010a0b01000a0212000006430061006600e90020002d4e0b01000e0401020304100200fbffffff0b0300"
         "0e02aabb0012000001fc000b01000e01051002002c010000000b02000e04deadbeef00",
         "4d4601000b00000e043082010a0b01000a0212000006430061006600e90020002d4e0b01000e0401020304100200fbffff"
         "ff0b03000e02aabb0012000001fc000b01000e01051002002c010000000b02000e04deadbeef00"},
        {"SecretsPackage.default", "0a01000000", "4d4601000a01000000"},
    };
    for (const Case& c : cases) {
        const sample::Record record = sample::Instance(c.name);
        EXPECT_EQ(HexOf([&](Writer& w) { sample::WriteRecord(w, record, false); }), c.serialized) << c.name;
        EXPECT_EQ(HexOf([&](Writer& w) { sample::WriteRecord(w, record, true); }), c.marshaled) << c.name;
    }
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
        {"field 0", [](Writer& w) { w.WriteFieldBegin(bond::BT_LIST, 0, sample::no_metadata); }, "0b0000"},
        {"field 6", [](Writer& w) { w.WriteFieldBegin(bond::BT_INT32, 6, sample::no_metadata); }, "100600"},
        {"field 65534", [](Writer& w) { w.WriteFieldBegin(bond::BT_WSTRING, 65534, sample::no_metadata); }, "12feff"},
        {"struct", [](Writer& w) { w.WriteStructBegin(sample::no_metadata); }, ""},
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
