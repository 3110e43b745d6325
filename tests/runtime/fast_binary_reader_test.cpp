#include <bond/protocol/fast_binary.h>
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
using Reader = bond::FastBinaryReader<bond::InputBuffer>;

// Keeps the bytes alive beside a reader over them.
struct Fixture {
    explicit Fixture(const std::string& hex)
        : bytes(FromHex(hex)), reader(bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))))
    {}
    uint32_t Position() const { return reader.GetBuffer().GetPosition(); }

    std::vector<char> bytes;
    Reader reader;
};

TEST(FastBinaryReader, FieldHeaders)
{
    struct Case {
        const char* hex;
        uint8_t type;
        uint16_t id;
        uint32_t consumed;
    };
    const Case cases[] = {
        {"0b0000", bond::BT_LIST, 0, 3},        {"100200", bond::BT_INT32, 2, 3},
        {"12feff", bond::BT_WSTRING, 65534, 3}, {"0a2c01", bond::BT_STRUCT, 300, 3},
        {"00ffff", bond::BT_STOP, 0, 1},                                // the markers have no id
        {"01ffff", bond::BT_STOP_BASE, 0, 1},   {"ff0100", 255, 1, 3},  // an invalid type is the caller's to refuse
    };
    for (const Case& c : cases) {
        Fixture f(c.hex);
        bond::BondDataType type;
        uint16_t id = 7;
        f.reader.ReadFieldBegin(type, id);
        EXPECT_EQ(type, c.type) << c.hex;
        EXPECT_EQ(id, c.id) << c.hex;
        EXPECT_EQ(f.Position(), c.consumed) << c.hex;
    }
}

TEST(FastBinaryReader, ContainerHeaders)
{
    Fixture list("0aac02");
    uint32_t count;
    bond::BondDataType element;
    list.reader.ReadContainerBegin(count, element);
    EXPECT_EQ(element, bond::BT_STRUCT);
    EXPECT_EQ(count, 300u);

    Fixture map("091202");
    std::pair<bond::BondDataType, bond::BondDataType> types;
    map.reader.ReadContainerBegin(count, types);
    EXPECT_EQ(types, std::make_pair(bond::BT_STRING, bond::BT_WSTRING));
    EXPECT_EQ(count, 2u);
}

// As in Compact Binary, a container's codes are judged through its elements.
TEST(FastBinaryReader, InvalidElementTypesMatterOnlyWithElements)
{
    struct Case {
        bond::BondDataType type;
        const char* hex;
        const char* outcome;  // "" when passed over to the last byte
    };
    const Case cases[] = {
        {bond::BT_LIST, "0000", ""},
        {bond::BT_SET, "7f00", ""},
        {bond::BT_LIST, "ff00", ""},
        {bond::BT_MAP, "ff0100", ""},
        {bond::BT_LIST, "0101", "Unknown data type found"},
        {bond::BT_LIST, "ff0100", "Unknown data type found"},
        {bond::BT_MAP, "09ff01000000", "Unknown data type found"},
        {bond::BT_MAP, "13090100", "Unknown data type found"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex);
        const std::string outcome = MessageOf([&] { f.reader.Skip(c.type); });
        EXPECT_EQ(outcome, c.outcome[0] == 0 ? "no exception" : c.outcome) << c.hex;
        if (c.outcome[0] == 0) {
            EXPECT_EQ(f.Position(), f.bytes.size()) << c.hex;
        }
    }
}

template <typename T>
void ExpectRoundTrip(std::vector<T> values)
{
    for (const T& value : values) {
        bond::OutputBuffer output;
        bond::FastBinaryWriter<bond::OutputBuffer> writer(output);
        writer.Write(value);
        const bond::blob bytes = output.GetBuffer();
        Reader reader{bond::InputBuffer(bytes)};
        T result{};
        reader.Read(result);
        EXPECT_EQ(result, value) << ToHex(bytes);
        EXPECT_TRUE(reader.GetBuffer().IsEof()) << ToHex(bytes);
    }
}

TEST(FastBinaryReader, EveryValueTypeRoundTripsThroughTheWriter)
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
    ExpectRoundTrip<float>({0.0f, -2.5f, std::numeric_limits<float>::denorm_min()});
    ExpectRoundTrip<double>({0.0, -2.5, std::numeric_limits<double>::max()});
    ExpectRoundTrip<std::string>({"", "abc", std::string(300, 'x')});
    ExpectRoundTrip<std::wstring>({L"", L"Caf\u00e9 \u4e2d", std::wstring{static_cast<wchar_t>(0x1F600)}});
}

TEST(FastBinaryReader, BoolIsTrueForAnyNonZeroByte)
{
    for (const char* hex : {"01", "02", "ff"}) {
        Fixture f(hex);
        bool value = false;
        f.reader.Read(value);
        EXPECT_TRUE(value) << hex;
    }
}

TEST(FastBinaryReader, SkipConsumesExactlyOneValue)
{
    struct Case {
        bond::BondDataType type;
        const char* hex;
    };
    const Case cases[] = {
        {bond::BT_BOOL, "01"},
        {bond::BT_UINT8, "ff"},
        {bond::BT_INT8, "ff"},
        {bond::BT_UINT16, "ffff"},
        {bond::BT_INT16, "ffff"},
        {bond::BT_UINT32, "ffffffff"},
        {bond::BT_INT32, "ffffffff"},
        {bond::BT_FLOAT, "0000c03f"},
        {bond::BT_UINT64, "ffffffffffffffff"},
        {bond::BT_INT64, "ffffffffffffffff"},
        {bond::BT_DOUBLE, "000000000000f03f"},
        {bond::BT_STRING, "026162"},
        {bond::BT_WSTRING, "0241004200"},
        {bond::BT_STRUCT, "00"},
        {bond::BT_STRUCT, "0a00000000"},            // a struct field holding an empty struct
        {bond::BT_STRUCT, "0e0000ff010201000100"},  // a base part's end marker inside
        {bond::BT_LIST, "0e03010203"},
        {bond::BT_LIST, "04020100ffff"},
        {bond::BT_LIST, "10020100000002000000"},
        {bond::BT_LIST, "0602ffffffffffffffff0000000000000000"},
        {bond::BT_LIST, "0902016100"},
        {bond::BT_LIST, "0a020000"},
        {bond::BT_SET, "0b020e00100100000000"},
        {bond::BT_MAP, "0910020161050000000162ffffffff"},
        {bond::BT_MAP, "0e0b01ff0e0101"},
    };
    for (const Case& c : cases) {
        Fixture f(std::string(c.hex) + "ee");
        f.reader.Skip(c.type);
        EXPECT_EQ(f.Position() + 1, f.bytes.size()) << c.hex;
    }
}

TEST(FastBinaryReader, SkipFailures)
{
    struct Case {
        uint8_t type;
        const char* hex;
        const char* message;
    };
    const Case cases[] = {
        {bond::BT_INT32, "0000", "Read out of bounds: 4 bytes requested, offset: 0, length: 2"},
        {bond::BT_UINT16, "00", "Read out of bounds: 2 bytes requested, offset: 0, length: 1"},
        {bond::BT_STRING, "056162", "Read out of bounds: 5 bytes requested, offset: 1, length: 3"},
        {bond::BT_WSTRING, "034100", "Read out of bounds: 6 bytes requested, offset: 1, length: 3"},
        {bond::BT_LIST, "100200", "Read out of bounds: 8 bytes requested, offset: 2, length: 3"},
        {bond::BT_LIST, "040300", "Read out of bounds: 6 bytes requested, offset: 2, length: 3"},
        {bond::BT_LIST, "0a02", "Read out of bounds: 1 bytes requested, offset: 2, length: 2"},
        {bond::BT_STRUCT, "", "Read out of bounds: 1 bytes requested, offset: 0, length: 0"},
        {bond::BT_STRUCT, "1001", "Read out of bounds: 2 bytes requested, offset: 1, length: 2"},
        {bond::BT_STRUCT, "100100", "Read out of bounds: 4 bytes requested, offset: 3, length: 3"},
        {bond::BT_WSTRING, "8080808008", "Overflow on multiplication"},
        {bond::BT_LIST, "048080808008", "Overflow on multiplication"},
        {bond::BT_LIST, "108080808004", "Overflow on multiplication"},
        {bond::BT_LIST, "078080808004", "Overflow on multiplication"},
        {bond::BT_LIST, "068080808002", "Overflow on multiplication"},
        {bond::BT_LIST, "088080808002", "Overflow on multiplication"},
        {bond::BT_STOP, "00", "Unknown data type found"},
        {bond::BT_STOP_BASE, "00", "Unknown data type found"},
        {19, "00", "Unknown data type found"},
        {127, "00", "Unknown data type found"},
        {255, "00", "Unknown data type found"},
        {bond::BT_STRUCT, "13000000", "Unknown data type found"},  // a field of type 19 inside
        {bond::BT_STRUCT, "ff000000", "Unknown data type found"},
        {bond::BT_LIST, "0001", "Unknown data type found"},
        {bond::BT_SET, "1301", "Unknown data type found"},
        {bond::BT_MAP, "09130100", "Unknown data type found"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex);
        EXPECT_EQ(MessageOf([&] { f.reader.Skip(static_cast<bond::BondDataType>(c.type)); }), c.message) << c.hex;
    }
}

TEST(FastBinaryReader, SkipRejectsAListOfFixedSizeElementsBeforeWalkingIt)
{
    // 2^32 - 1 one-byte elements fail at once, not after billions of steps.
    Fixture f("0effffffff0f00");
    EXPECT_EQ(MessageOf([&] { f.reader.Skip(bond::BT_LIST); }),
              "Read out of bounds: 4294967295 bytes requested, offset: 6, length: 7");
}

TEST(FastBinaryReader, SkipBoundsNesting)
{
    // The skipped value is level 1; 64 levels are allowed, 65 are not.
    for (const int levels : {64, 65}) {
        std::string structs;
        for (int i = 1; i < levels; ++i) {
            structs += "0a0000";
        }
        for (int i = 0; i < levels; ++i) {
            structs += "00";
        }
        Fixture nested_structs(structs);
        EXPECT_EQ(MessageOf([&] { nested_structs.reader.Skip(bond::BT_STRUCT); }),
                  levels == 64 ? "no exception" : "Max recursion depth exceeded")
            << levels;

        std::string lists;
        for (int i = 1; i < levels; ++i) {
            lists += "0b01";
        }
        Fixture nested_lists(lists + "0b00");
        EXPECT_EQ(MessageOf([&] { nested_lists.reader.Skip(bond::BT_LIST); }),
                  levels == 64 ? "no exception" : "Max recursion depth exceeded")
            << levels;

        std::string maps;
        for (int i = 1; i < levels; ++i) {
            maps += "030d0100";
        }
        Fixture nested_maps(maps + "030d00");
        EXPECT_EQ(MessageOf([&] { nested_maps.reader.Skip(bond::BT_MAP); }),
                  levels == 64 ? "no exception" : "Max recursion depth exceeded")
            << levels;
    }
}

}  // namespace
