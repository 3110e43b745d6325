#include <bond/protocol/compact_binary.h>
#include <bond/stream/input_buffer.h>

#include "hex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::FromHex;
using testing_support::MessageOf;
using Reader = bond::CompactBinaryReader<bond::InputBuffer>;

// Keeps the bytes alive beside a reader over them.
struct Fixture {
    explicit Fixture(const std::string& hex, uint16_t version = 1)
        : bytes(FromHex(hex)),
          reader(bond::InputBuffer(bond::blob(bytes.data(), static_cast<uint32_t>(bytes.size()))), version)
    {}
    uint32_t Position() const { return reader.GetBuffer().GetPosition(); }

    std::vector<char> bytes;
    Reader reader;
};

TEST(CompactBinaryReader, FieldHeaders)
{
    struct Case {
        const char* hex;
        bond::BondDataType type;
        uint16_t id;
        uint32_t consumed;
    };
    const Case cases[] = {
        {"2a", bond::BT_STRUCT, 1, 1},   {"72", bond::BT_WSTRING, 3, 1},   {"ab", bond::BT_LIST, 5, 1},
        {"cb06", bond::BT_LIST, 6, 2},   {"d0ff", bond::BT_INT32, 255, 2}, {"f02c01", bond::BT_INT32, 300, 3},
        {"ca01", bond::BT_STRUCT, 1, 2},  // longer form than needed: still accepted
        {"00", bond::BT_STOP, 0, 1},     {"01", bond::BT_STOP_BASE, 0, 1}, {"c005", bond::BT_STOP, 5, 2},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex);
        bond::BondDataType type;
        uint16_t id;
        f.reader.ReadFieldBegin(type, id);
        EXPECT_EQ(type, c.type) << c.hex;
        EXPECT_EQ(id, c.id) << c.hex;
        EXPECT_EQ(f.Position(), c.consumed) << c.hex;
    }
}

TEST(CompactBinaryReader, ListHeadersByVersion)
{
    struct Case {
        const char* hex;
        uint16_t version;
        uint32_t count;
        uint32_t consumed;
    };
    const Case cases[] = {
        {"0e03", 1, 3, 2}, {"8e03", 1, 3, 2},  // version 1 ignores the top bits
        {"8e", 2, 3, 1},   {"2e", 2, 0, 1},   {"ce", 2, 5, 1}, {"0e07", 2, 7, 2}, {"0eac02", 2, 300, 3},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex, c.version);
        uint32_t count;
        bond::BondDataType element;
        f.reader.ReadContainerBegin(count, element);
        EXPECT_EQ(element, bond::BT_INT8) << c.hex;
        EXPECT_EQ(count, c.count) << c.hex;
        EXPECT_EQ(f.Position(), c.consumed) << c.hex;
    }
}

// A container's element, key and value codes are judged through its elements:
// an empty one is passed over whatever codes it carries, as the library's
// readers accept it; one with elements of no type is an error.
TEST(CompactBinaryReader, InvalidElementTypesMatterOnlyWithElements)
{
    struct Case {
        bond::BondDataType type;
        const char* hex;
        uint16_t version;
        const char* outcome;  // "" when passed over to the last byte
    };
    const Case cases[] = {
        {bond::BT_LIST, "0000", 1, ""},
        {bond::BT_LIST, "0100", 1, ""},
        {bond::BT_SET, "1300", 1, ""},
        {bond::BT_LIST, "ff00", 1, ""},  // a v1 count ignores the header's top bits
        {bond::BT_LIST, "33", 2, ""},    // v2: the count (0) in the header
        {bond::BT_MAP, "13ff00", 1, ""},
        {bond::BT_LIST, "130100", 1, "Unknown data type found"},
        {bond::BT_LIST, "0101", 1, "Unknown data type found"},
        {bond::BT_LIST, "5f0000", 2, "Unknown data type found"},
        {bond::BT_MAP, "0913010000", 1, "Unknown data type found"},
        {bond::BT_MAP, "0009010000", 1, "Unknown data type found"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex, c.version);
        const std::string outcome = MessageOf([&] { f.reader.Skip(c.type); });
        EXPECT_EQ(outcome, c.outcome[0] == 0 ? "no exception" : c.outcome) << c.hex;
        if (c.outcome[0] == 0) {
            EXPECT_EQ(f.Position(), f.bytes.size()) << c.hex;
        }
    }
}

template <typename T>
T ReadOne(const std::string& hex)
{
    Fixture f(hex);
    T value{};
    f.reader.Read(value);
    EXPECT_EQ(f.Position(), f.bytes.size()) << hex;
    return value;
}

TEST(CompactBinaryReader, IntegersAndZigZag)
{
    EXPECT_EQ(ReadOne<int32_t>("00"), 0);
    EXPECT_EQ(ReadOne<int32_t>("01"), -1);
    EXPECT_EQ(ReadOne<int32_t>("02"), 1);
    EXPECT_EQ(ReadOne<int32_t>("09"), -5);
    EXPECT_EQ(ReadOne<int32_t>("d804"), 300);
    EXPECT_EQ(ReadOne<int32_t>("feffffff0f"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ReadOne<int32_t>("ffffffff0f"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ReadOne<int64_t>("ffffffffffffffffff01"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(ReadOne<int16_t>("ffff03"), std::numeric_limits<int16_t>::min());
    EXPECT_EQ(ReadOne<int8_t>("ff"), -1);  // int8 is a raw byte, not zigzag
    EXPECT_EQ(ReadOne<uint16_t>("ac02"), 300);
    EXPECT_EQ(ReadOne<bool>("02"), true);  // any non-zero byte is true
    EXPECT_EQ(ReadOne<bool>("00"), false);
    EXPECT_EQ(ReadOne<double>("000000000000f03f"), 1.0);
}

TEST(CompactBinaryReader, Strings)
{
    EXPECT_EQ(ReadOne<std::string>("03616263"), "abc");
    EXPECT_EQ(ReadOne<std::wstring>("024100e900"), L"A\u00e9");
    EXPECT_EQ(ReadOne<std::wstring>("023dd800de"), std::wstring(1, static_cast<wchar_t>(0x1F600)));
    // Lone and reversed surrogates are kept unit by unit.
    EXPECT_EQ(ReadOne<std::wstring>("013dd8"), std::wstring(1, static_cast<wchar_t>(0xD83D)));
    EXPECT_EQ(ReadOne<std::wstring>("0200de3dd8"),
              (std::wstring{static_cast<wchar_t>(0xDE00), static_cast<wchar_t>(0xD83D)}));
    EXPECT_EQ(ReadOne<std::wstring>("00"), L"");
}

TEST(CompactBinaryReader, CutStringsFailWhereTheDataRunsOut)
{
    struct Case {
        bool wide;
        const char* hex;
        const char* message;
    };
    const Case cases[] = {
        {false, "0561", "Read out of bounds: 5 bytes requested, offset: 1, length: 2"},
        {true, "05410042", "Read out of bounds: 2 bytes requested, offset: 3, length: 4"},
        // A count of 2^32 - 1 units reserves nothing before failing.
        {true, "ffffffff0f4100", "Read out of bounds: 2 bytes requested, offset: 7, length: 7"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex);
        std::string narrow;
        std::wstring wide;
        EXPECT_EQ(MessageOf([&] { c.wide ? f.reader.Read(wide) : f.reader.Read(narrow); }), c.message) << c.hex;
    }
}

TEST(CompactBinaryReader, SkipConsumesExactlyOneValue)
{
    struct Case {
        bond::BondDataType type;
        const char* hex;
        uint16_t version;
    };
    const Case cases[] = {
        {bond::BT_BOOL, "01", 1},           {bond::BT_INT8, "ff", 1},
        {bond::BT_UINT32, "ffffffff0f", 1}, {bond::BT_INT64, "ffffffffffffffffff01", 1},
        {bond::BT_FLOAT, "0000c03f", 1},    {bond::BT_DOUBLE, "000000000000f03f", 1},
        {bond::BT_STRING, "026162", 1},     {bond::BT_WSTRING, "0241004200", 1},
        {bond::BT_STRUCT, "2a0000", 1},     {bond::BT_STRUCT, "0129016100", 1},  // a base part's end marker inside
        {bond::BT_STRUCT, "03aabbcc", 2},                                        // version 2 skips by the length prefix
        {bond::BT_LIST, "0e03010203", 1},   {bond::BT_LIST, "100202d804", 1},
        {bond::BT_LIST, "0a022a000000", 1}, {bond::BT_SET, "0902016100", 1},
        {bond::BT_LIST, "6e0102", 2},       {bond::BT_MAP, "091001016102", 1},
    };
    for (const Case& c : cases) {
        Fixture f(std::string(c.hex) + "ee", c.version);
        f.reader.Skip(c.type);
        EXPECT_EQ(f.Position() + 1, f.bytes.size()) << c.hex;
    }
}

TEST(CompactBinaryReader, SkipFailures)
{
    struct Case {
        bond::BondDataType type;
        const char* hex;
        const char* message;
    };
    const Case cases[] = {
        {bond::BT_STRING, "056162", "Read out of bounds: 5 bytes requested, offset: 1, length: 3"},
        {bond::BT_WSTRING, "034100", "Read out of bounds: 6 bytes requested, offset: 1, length: 3"},
        {bond::BT_FLOAT, "0000", "Read out of bounds: 4 bytes requested, offset: 0, length: 2"},
        {bond::BT_LIST, "080200", "Read out of bounds: 16 bytes requested, offset: 2, length: 3"},
        {bond::BT_LIST, "0e0501", "Read out of bounds: 5 bytes requested, offset: 2, length: 3"},
        {bond::BT_STRUCT, "2a00", "Read out of bounds: 1 bytes requested, offset: 2, length: 2"},
        {bond::BT_WSTRING, "8080808008", "Overflow on multiplication"},
        {bond::BT_LIST, "078080808004", "Overflow on multiplication"},
        {bond::BT_LIST, "088080808002", "Overflow on multiplication"},
        {bond::BT_STOP, "00", "Unknown data type found"},
        {bond::BT_STOP_BASE, "00", "Unknown data type found"},
        {static_cast<bond::BondDataType>(19), "00", "Unknown data type found"},
        {static_cast<bond::BondDataType>(31), "00", "Unknown data type found"},
        {bond::BT_STRUCT, "3300", "Unknown data type found"},  // field of type 19 inside
        {bond::BT_LIST, "0001", "Unknown data type found"},
        {bond::BT_MAP, "09130100", "Unknown data type found"},
    };
    for (const Case& c : cases) {
        Fixture f(c.hex);
        EXPECT_EQ(MessageOf([&] { f.reader.Skip(c.type); }), c.message) << c.hex;
    }
}

TEST(CompactBinaryReader, SkipBoundsNesting)
{
    // The skipped struct is level 1 here; 64 levels are allowed, 65 are not.
    for (const int levels : {64, 65}) {
        std::string hex;
        for (int i = 1; i < levels; ++i) {
            hex += "0a";
        }
        for (int i = 0; i < levels; ++i) {
            hex += "00";
        }
        Fixture f(hex);
        const std::string message = MessageOf([&] { f.reader.Skip(bond::BT_STRUCT); });
        EXPECT_EQ(message, levels == 64 ? "no exception" : "Max recursion depth exceeded") << levels;
    }
    std::string lists;
    for (int i = 0; i < 65; ++i) {
        lists += "0b01";
    }
    Fixture f(lists + "0b00");
    EXPECT_EQ(MessageOf([&] { f.reader.Skip(bond::BT_LIST); }), "Max recursion depth exceeded");
}

}  // namespace
