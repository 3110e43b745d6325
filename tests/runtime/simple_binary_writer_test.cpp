#include <bond/core/metadata.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/output_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

using testing_support::ToHex;
using Writer = bond::SimpleBinaryWriter<bond::OutputBuffer>;

const bond::Metadata no_metadata;

std::string HexOf(const std::function<void(Writer&)>& write, uint16_t version = 1)
{
    bond::OutputBuffer output;
    Writer writer(output, version);
    write(writer);
    return ToHex(output.GetBuffer());
}

TEST(SimpleBinaryWriter, HeaderStatesTheWritersVersion)
{
    EXPECT_EQ(HexOf([](Writer& w) { w.WriteVersion(); }, 1), "53500100");
    EXPECT_EQ(HexOf([](Writer& w) { w.WriteVersion(); }, 2), "53500200");
    EXPECT_EQ(HexOf([](Writer& w) { w.WriteVersion(); }, 0), "53500000");
}

TEST(SimpleBinaryWriter, OnlyVersion1HasFixedWidthLengths)
{
    struct Case {
        uint16_t version;
        const char* hex;
    };
    const Case cases[] = {{1, "0300000061626380000000"}, {2, "036162638001"}, {0, "036162638001"}};
    for (const Case& c : cases) {
        EXPECT_EQ(HexOf(
                      [](Writer& w) {
                          w.Write(std::string("abc"));
                          w.WriteContainerBegin(128, bond::BT_INT8);
                      },
                      c.version),
                  c.hex)
            << c.version;
    }
}

TEST(SimpleBinaryWriter, WritesNoHeadersTypesOrMarkers)
{
    EXPECT_EQ(HexOf([](Writer& w) {
                  w.WriteStructBegin(no_metadata);
                  w.WriteStructBegin(no_metadata, true);
                  w.WriteFieldBegin(bond::BT_MAP, 65534, no_metadata);
                  w.WriteContainerBegin(2, {bond::BT_STRING, bond::BT_INT32});
                  w.WriteContainerEnd();
                  w.WriteFieldEnd();
                  w.WriteStructEnd(true);
                  w.WriteStructEnd();
              }),
              "02000000");
}

template <typename T>
std::string HexOfValue(T value, uint16_t version = 1)
{
    return HexOf([&](Writer& w) { w.Write(value); }, version);
}

TEST(SimpleBinaryWriter, Values)
{
    EXPECT_EQ(HexOfValue(true), "01");
    EXPECT_EQ(HexOfValue(int8_t{-2}), "fe");
    EXPECT_EQ(HexOfValue(uint16_t{0x1234}), "3412");
    EXPECT_EQ(HexOfValue(int16_t{-2}), "feff");
    EXPECT_EQ(HexOfValue(uint32_t{300}, 2), "2c010000");  // numbers stay fixed in version 2
    EXPECT_EQ(HexOfValue(int32_t{-5}, 2), "fbffffff");
    EXPECT_EQ(HexOfValue(std::numeric_limits<uint64_t>::max()), "ffffffffffffffff");
    EXPECT_EQ(HexOfValue(int64_t{1}), "0100000000000000");
    EXPECT_EQ(HexOfValue(1.5f), "0000c03f");
    EXPECT_EQ(HexOfValue(1.0), "000000000000f03f");
    EXPECT_EQ(HexOfValue(std::wstring{static_cast<wchar_t>(0x1F600)}), "020000003dd800de");
    EXPECT_EQ(HexOfValue(std::wstring{static_cast<wchar_t>(0x1F600)}, 2), "023dd800de");
    const char bytes[] = {'\xaa', '\xbb'};
    EXPECT_EQ(HexOfValue(bond::blob(bytes, 2)), "aabb");
}

template <typename W>
concept WritesPointers = requires(W writer) { writer.Write("text"); } || requires(W writer) { writer.Write(L"text"); };
static_assert(!WritesPointers<Writer>);

}  // namespace
