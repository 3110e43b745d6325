#include <bond/protocol/simple_binary.h>
#include <bond/stream/input_buffer.h>
#include <bond/stream/output_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::FromHex;
using testing_support::MessageOf;
using testing_support::ToHex;
using Reader = bond::SimpleBinaryReader<bond::InputBuffer>;

constexpr uint16_t all_versions[] = {0, 1, 2};

// Keeps the bytes alive beside a reader over them.
struct Fixture {
    Fixture(const std::string& hex, uint16_t version)
        : bytes(FromHex(hex)),
          reader(bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), version)
    {}
    uint32_t Position() const { return reader.GetBuffer().GetPosition(); }

    std::vector<char> bytes;
    Reader reader;
};

template <typename T>
void ExpectRoundTrip(std::vector<T> values)
{
    for (const uint16_t version : all_versions) {
        for (const T& value : values) {
            bond::OutputBuffer output;
            bond::SimpleBinaryWriter<bond::OutputBuffer> writer(output, version);
            writer.Write(value);
            const bond::blob bytes = output.GetBuffer();
            Reader reader(bond::InputBuffer(bytes), version);
            T result{};
            reader.Read(result);
            EXPECT_EQ(result, value) << ToHex(bytes);
            EXPECT_TRUE(reader.GetBuffer().IsEof()) << ToHex(bytes);
        }
    }
}

TEST(SimpleBinaryReader, EveryValueTypeRoundTripsThroughTheWriter)
{
    ExpectRoundTrip<bool>({false, true});
    ExpectRoundTrip<uint8_t>({0, 0xFF});
    ExpectRoundTrip<uint16_t>({0, 0x1234, 0xFFFF});
    ExpectRoundTrip<uint32_t>({0, 0x12345678, 0xFFFFFFFF});
    ExpectRoundTrip<uint64_t>({0, 0x0123456789ABCDEF, std::numeric_limits<uint64_t>::max()});
    ExpectRoundTrip<int8_t>({-128, -1, 0, 127});
    ExpectRoundTrip<int16_t>({std::numeric_limits<int16_t>::min(), -1, 0, std::numeric_limits<int16_t>::max()});
    ExpectRoundTrip<int32_t>({std::numeric_limits<int32_t>::min(), -1, 0, std::numeric_limits<int32_t>::max()});
    ExpectRoundTrip<int64_t>({std::numeric_limits<int64_t>::min(), -1, 0, std::numeric_limits<int64_t>::max()});
    ExpectRoundTrip<float>({0.0f, -2.5f, std::numeric_limits<float>::lowest()});
    ExpectRoundTrip<double>({0.0, -2.5, std::numeric_limits<double>::epsilon()});
    ExpectRoundTrip<std::string>({"", "abc", std::string(300, 'x')});
    ExpectRoundTrip<std::wstring>({L"", L"My\u00df", std::wstring{static_cast<wchar_t>(0x10FFFF)}});
}

TEST(SimpleBinaryReader, ContainerCountsLeaveTheDeclaredTypes)
{
    struct Case {
        uint16_t version;
        const char* hex;
        uint32_t count;
    };
    const Case cases[] = {
        {1, "03000000", 3}, {1, "ffffffff", 0xFFFFFFFF}, {2, "03", 3}, {2, "ac02", 300}, {0, "ac02", 300},
    };
    for (const Case& c : cases) {
        Fixture list(c.hex, c.version);
        uint32_t count = 0;
        bond::BondDataType element = bond::BT_WSTRING;
        list.reader.ReadContainerBegin(count, element);
        EXPECT_EQ(count, c.count) << c.hex;
        EXPECT_EQ(element, bond::BT_WSTRING) << c.hex;
        EXPECT_EQ(list.Position(), list.bytes.size()) << c.hex;

        Fixture map(c.hex, c.version);
        std::pair<bond::BondDataType, bond::BondDataType> types{bond::BT_STRING, bond::BT_INT64};
        map.reader.ReadContainerBegin(count, types);
        EXPECT_EQ(count, c.count) << c.hex;
        EXPECT_EQ(types, std::make_pair(bond::BT_STRING, bond::BT_INT64)) << c.hex;
    }
}

TEST(SimpleBinaryReader, CutValuesFailWhereTheDataRunsOut)
{
    struct Case {
        uint16_t version;
        bool wide;
        const char* hex;
        const char* message;
    };
    const Case cases[] = {
        {1, false, "0300", "Read out of bounds: 4 bytes requested, offset: 0, length: 2"},
        {1, false, "050000006162", "Read out of bounds: 5 bytes requested, offset: 4, length: 6"},
        {2, false, "056162", "Read out of bounds: 5 bytes requested, offset: 1, length: 3"},
        {2, false, "80", "Read out of bounds: 1 bytes requested, offset: 1, length: 1"},
        // A count of 2^32 - 1 units reserves nothing before failing.
        {1, true, "ffffffff4100", "Read out of bounds: 2 bytes requested, offset: 6, length: 6"},
        {2, true, "ffffffff0f4100", "Read out of bounds: 2 bytes requested, offset: 7, length: 7"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex, c.version);
        std::string narrow;
        std::wstring wide;
        EXPECT_EQ(MessageOf([&] { c.wide ? f.reader.Read(wide) : f.reader.Read(narrow); }), c.message) << c.hex;
    }
}

TEST(SimpleBinaryReader, SkipConsumesExactlyOneBasicValue)
{
    struct Case {
        bond::BondDataType type;
        uint16_t version;
        const char* hex;
    };
    const Case cases[] = {
        {bond::BT_BOOL, 1, "01"},
        {bond::BT_UINT8, 1, "ff"},
        {bond::BT_INT8, 1, "ff"},
        {bond::BT_UINT16, 2, "ffff"},
        {bond::BT_INT16, 2, "ffff"},
        {bond::BT_UINT32, 2, "ffffffff"},
        {bond::BT_INT32, 1, "ffffffff"},
        {bond::BT_FLOAT, 1, "0000c03f"},
        {bond::BT_UINT64, 2, "ffffffffffffffff"},
        {bond::BT_INT64, 1, "ffffffffffffffff"},
        {bond::BT_DOUBLE, 2, "000000000000f03f"},
        {bond::BT_STRING, 1, "020000006162"},
        {bond::BT_STRING, 2, "026162"},
        {bond::BT_STRING, 0, "026162"},
        {bond::BT_WSTRING, 1, "0200000041004200"},
        {bond::BT_WSTRING, 2, "0241004200"},
    };
    for (const Case& c : cases) {
        Fixture f(std::string(c.hex) + "ee", c.version);
        f.reader.Skip(c.type);
        EXPECT_EQ(f.Position() + 1, f.bytes.size()) << c.hex;
    }
}

TEST(SimpleBinaryReader, SkipFailures)
{
    struct Case {
        uint8_t type;
        uint16_t version;
        const char* hex;
        const char* message;
    };
    const Case cases[] = {
        {bond::BT_INT64, 1, "00000000", "Read out of bounds: 8 bytes requested, offset: 0, length: 4"},
        {bond::BT_STRING, 1, "0300000061", "Read out of bounds: 3 bytes requested, offset: 4, length: 5"},
        {bond::BT_WSTRING, 2, "034100", "Read out of bounds: 6 bytes requested, offset: 1, length: 3"},
        {bond::BT_WSTRING, 1, "00000080", "Overflow on multiplication"},
        {bond::BT_WSTRING, 2, "8080808008", "Overflow on multiplication"},
        {bond::BT_STRUCT, 1, "00", "Simple Binary cannot skip a struct or container without its schema"},
        {bond::BT_LIST, 1, "00", "Simple Binary cannot skip a struct or container without its schema"},
        {bond::BT_SET, 2, "00", "Simple Binary cannot skip a struct or container without its schema"},
        {bond::BT_MAP, 2, "00", "Simple Binary cannot skip a struct or container without its schema"},
        {bond::BT_STOP, 1, "00", "Unknown data type found"},
        {bond::BT_STOP_BASE, 1, "00", "Unknown data type found"},
        {19, 1, "00", "Unknown data type found"},
        {255, 2, "00", "Unknown data type found"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex, c.version);
        EXPECT_EQ(MessageOf([&] { f.reader.Skip(static_cast<bond::BondDataType>(c.type)); }), c.message) << c.hex;
    }
}

}  // namespace
